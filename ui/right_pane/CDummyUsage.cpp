#include "ui/right_pane/CDummyUsage.h"

#include <QGroupBox>
#include <QVBoxLayout>

#include "document/CQuillmarkDoc.h"
#include "ui/right_pane/FormWidgets.h"
#include "ui/right_pane/SectionTexts.h"

CDummyUsage::CDummyUsage(CQuillmarkDoc& document, QWidget* parent) : QWidget(parent), m_document(document) {
    setObjectName(QStringLiteral("dummyUsageForm"));
    auto* page = new QVBoxLayout(this);
    auto* group = new QGroupBox(QStringLiteral("Dummy Entries"));
    page->addWidget(group);
    page->addStretch(1);
    auto* layout = new QVBoxLayout(group);
    for (std::size_t i = 0; i < m_boxes.size(); ++i) {
        const DummyTypeBox& box = DummyTypeBoxes[i];
        const std::string name = std::string("checkDummy") + box.name;
        m_boxes[i] = FormWidgets::MakeCheck(box.text, name.c_str(), box.controlId);
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
