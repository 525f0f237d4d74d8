#include "ui/dialogs/CDummyUsageDlg.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QVBoxLayout>

#include "ui/right_pane/SectionTexts.h"

CDummyUsageDlg::CDummyUsageDlg(Platform& platform, const QtText& qtText, QWidget* parent)
    : CSectionDialog(platform, qtText, "DummyEntries", "dummyUsageDialog", "&OK", parent) {
    auto* group = new QGroupBox(QStringLiteral("Dummy Entries"));
    Body()->addWidget(group);
    auto* layout = new QVBoxLayout(group);
    for (std::size_t i = 0; i < m_boxes.size(); ++i) {
        const DummyTypeBox& box = DummyTypeBoxes[i];
        m_boxes[i] = new QCheckBox(QString::fromLatin1(box.text));
        m_boxes[i]->setObjectName(QStringLiteral("boxDummy") + QString::fromLatin1(box.name));
        m_boxes[i]->setProperty("controlId", box.controlId);
        // As wide as its text: the dialog is wider for its caption, and a click beside the text is no
        // click on the box.
        layout->addWidget(m_boxes[i], 0, Qt::AlignLeft);
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
