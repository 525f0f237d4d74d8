#include "ui/dialogs/DummyUsageBoxes.h"

#include "ui/right_pane/SectionTexts.h"

DummyBoxes LoadDummyBoxes(const DummyUsageSection& section) {
    DummyBoxes boxes{};
    ApplyDummyUsage(section, boxes);
    return boxes;
}

void StoreDummyBoxes(const DummyBoxes& boxes, DummyUsageSection& section) {
    for (std::size_t i = 0; i < boxes.size(); ++i) {
        section.entries[i].dataType = static_cast<std::uint8_t>(i + 1);
        section.entries[i].used = boxes[i] ? 1 : 0;
    }
    section.dummyCount = DummyUsageSection::SlotCount;
}
