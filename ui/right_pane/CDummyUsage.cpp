#include "ui/right_pane/CDummyUsage.h"

#include <QGroupBox>
#include <QVBoxLayout>

#include "document/CQuillmarkDoc.h"
#include "ui/right_pane/FormWidgets.h"
#include "ui/right_pane/SectionTexts.h"

namespace {

struct DummyBox {
    const char* text;
    const char* objectName;
    int controlId;
};

// Top to bottom, for the data types 1..7.
constexpr DummyBox Boxes[DummyUsageSection::SlotCount] = {
    {"BOOLEAN", "checkDummyBoolean", 1144},        {"INTEGER 8", "checkDummyInteger8", 1148},
    {"INTEGER 16", "checkDummyInteger16", 1119},   {"INTEGER 32", "checkDummyInteger32", 1120},
    {"UNSIGNED 8", "checkDummyUnsigned8", 1145},   {"UNSIGNED 16", "checkDummyUnsigned16", 1146},
    {"UNSIGNED 32", "checkDummyUnsigned32", 1147},
};

}  // namespace

CDummyUsage::CDummyUsage(CQuillmarkDoc& document, QWidget* parent) : QWidget(parent), m_document(document) {
    setObjectName(QStringLiteral("dummyUsageForm"));
    auto* page = new QVBoxLayout(this);
    auto* group = new QGroupBox(QStringLiteral("Dummy Entries"));
    page->addWidget(group);
    page->addStretch(1);
    auto* layout = new QVBoxLayout(group);
    for (std::size_t i = 0; i < m_boxes.size(); ++i) {
        m_boxes[i] = FormWidgets::MakeCheck(Boxes[i].text, Boxes[i].objectName, Boxes[i].controlId);
        layout->addWidget(m_boxes[i]);
    }
    m_document.AddView(this);
}

CDummyUsage::~CDummyUsage() {
    m_document.RemoveView(this);
}

void CDummyUsage::OnUpdate(std::uint32_t hint, const HintObject& object) {
    std::array<bool, DummyUsageSection::SlotCount> checked{};
    if (Hint::Low(hint) == Hint::Low(Hint::Reset)) {
        // all boxes unchecked
    } else if (Hint::Low(hint) == Hint::Low(Hint::ShowDummyUsage) && object.deviceInfo != nullptr) {
        for (std::size_t i = 0; i < m_boxes.size(); ++i) {
            checked[i] = m_boxes[i]->isChecked();
        }
        ApplyDummyUsage(object.deviceInfo->DummyUsage, checked);
    } else {
        return;
    }
    for (std::size_t i = 0; i < m_boxes.size(); ++i) {
        m_boxes[i]->setChecked(checked[i]);
    }
}
