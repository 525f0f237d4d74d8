#pragma once

#include <array>

#include "eds/EdsSections.h"

// The check boxes of the DummyUsage dialog, top to bottom for the data types 1..7.
using DummyBoxes = std::array<bool, DummyUsageSection::SlotCount>;

// All boxes start unchecked; each slot of data type 1..7 sets its type's box, others are ignored.
DummyBoxes LoadDummyBoxes(const DummyUsageSection& section);
// Slot i becomes data type i + 1, used when its box is checked. All seven slots are then filled, so
// the count says 7, and an exported EDS carries every one of them.
void StoreDummyBoxes(const DummyBoxes& boxes, DummyUsageSection& section);
