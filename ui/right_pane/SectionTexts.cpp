#include "ui/right_pane/SectionTexts.h"

#include <cstdio>

const std::array<DummyTypeBox, DummyUsageSection::SlotCount> DummyTypeBoxes = {{
    {"BOOLEAN", "Boolean", 1144},
    {"INTEGER 8", "Integer8", 1148},
    {"INTEGER 16", "Integer16", 1119},
    {"INTEGER 32", "Integer32", 1120},
    {"UNSIGNED 8", "Unsigned8", 1145},
    {"UNSIGNED 16", "Unsigned16", 1146},
    {"UNSIGNED 32", "Unsigned32", 1147},
}};

std::string SectionNumberText(std::uint32_t value) {
    char text[16];
    std::snprintf(text, sizeof text, "%d", static_cast<int>(static_cast<std::int32_t>(value)));
    return text;
}

std::string IdentityNumberText(std::uint32_t value) {
    return std::to_string(value);
}

void ApplyDummyUsage(const DummyUsageSection& section,
                     std::array<bool, DummyUsageSection::SlotCount>& boxes) {
    for (const DummyEntry& slot : section.entries) {
        if (slot.dataType >= 1 && slot.dataType <= boxes.size()) {
            boxes[slot.dataType - 1u] = slot.used != 0;
        }
    }
}
