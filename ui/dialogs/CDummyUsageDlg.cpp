#include "ui/dialogs/CDummyUsageDlg.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QVBoxLayout>

namespace {

struct DummyBox {
    const char* text;
    const char* objectName;
    int controlId;
};

// Top to bottom, for the data types 1..7.
constexpr DummyBox Boxes[DummyUsageSection::SlotCount] = {
    {"BOOLEAN", "boxDummyBoolean", 1144},        {"INTEGER 8", "boxDummyInteger8", 1148},
    {"INTEGER 16", "boxDummyInteger16", 1119},   {"INTEGER 32", "boxDummyInteger32", 1120},
    {"UNSIGNED 8", "boxDummyUnsigned8", 1145},   {"UNSIGNED 16", "boxDummyUnsigned16", 1146},
    {"UNSIGNED 32", "boxDummyUnsigned32", 1147},
};

}  // namespace

CDummyUsageDlg::CDummyUsageDlg(Platform& platform, QWidget* parent)
    : CSectionDialog(platform, "DummyEntries", "dummyUsageDialog", "&OK", parent) {
    auto* group = new QGroupBox(QStringLiteral("Dummy Entries"));
    Body()->addWidget(group);
    auto* layout = new QVBoxLayout(group);
    for (std::size_t i = 0; i < m_boxes.size(); ++i) {
        m_boxes[i] = new QCheckBox(QString::fromLatin1(Boxes[i].text));
        m_boxes[i]->setObjectName(QString::fromLatin1(Boxes[i].objectName));
        m_boxes[i]->setProperty("controlId", Boxes[i].controlId);
        layout->addWidget(m_boxes[i]);
    }
    SetTabOrder({m_boxes.begin(), m_boxes.end()});
}

void CDummyUsageDlg::Load(const DummyUsageSection& record) {
    m_checked = LoadDummyBoxes(record);
    for (std::size_t i = 0; i < m_boxes.size(); ++i) {
        m_boxes[i]->setChecked(m_checked[i]);
    }
}

bool CDummyUsageDlg::Validate() {
    for (std::size_t i = 0; i < m_boxes.size(); ++i) {
        m_checked[i] = m_boxes[i]->isChecked();
    }
    return true;
}
