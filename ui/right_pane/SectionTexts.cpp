#include "ui/right_pane/SectionTexts.h"

#include <cstdio>

std::string SectionNumberText(std::uint32_t value) {
    char text[16];
    std::snprintf(text, sizeof text, "%d", static_cast<int>(static_cast<std::int32_t>(value)));
    return text;
}

void ApplyDummyUsage(const DummyUsageSection& section,
                     std::array<bool, DummyUsageSection::SlotCount>& boxes) {
    for (const DummyEntry& slot : section.entries) {
        if (slot.dataType >= 1 && slot.dataType <= boxes.size()) {
            boxes[slot.dataType - 1u] = slot.used != 0;
        }
    }
}
