#pragma once

// The reader's and writer's result codes live beside the message table that turns them into texts.
#include "platform/ResultCodes.h"
