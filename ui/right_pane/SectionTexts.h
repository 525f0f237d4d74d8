#pragma once

#include <array>
#include <cstdint>
#include <string>

#include "eds/EdsSections.h"

// A number of a section record as the section forms show it: "%d" of its 32-bit value, so
// 4294967295 reads "-1".
std::string SectionNumberText(std::uint32_t value);
// Vendor, product and revision numbers: 32-bit unsigned identifiers, shown as "%u".
std::string IdentityNumberText(std::uint32_t value);

// The DummyUsage form's seven boxes, for the data types 1..7 from top to bottom. Each slot of the
// section sets the box of its data type; slots with another type leave the boxes as they are.
void ApplyDummyUsage(const DummyUsageSection& section, std::array<bool, DummyUsageSection::SlotCount>& boxes);

// The DummyUsage boxes of the pane and of the dialog, top to bottom for the data types 1..7. Their
// object names are the name after "checkDummy" in the pane and after "boxDummy" in the dialog.
struct DummyTypeBox {
    const char* text;
    const char* name;
    int controlId;
};
extern const std::array<DummyTypeBox, DummyUsageSection::SlotCount> DummyTypeBoxes;
