#pragma once

// The generator's result codes live beside the message table that turns them into texts.
#include "platform/ResultCodes.h"
