#include "ui/dialogs/CFileInfoDlg.h"

#include <QGroupBox>
#include <QHBoxLayout>
#include <QPushButton>

#include "ui/dialogs/FileInfoFields.h"

namespace {

constexpr int WideField = 280;
constexpr int NarrowField = 90;

}  // namespace

CFileInfoDlg::CFileInfoDlg(Platform& platform, const QtText& qtText, QWidget* parent)
    : CSectionDialog(platform, qtText, "EDS FileInformation", "fileInfoDialog", "&Ok", parent),
      m_controls(FileInfoFields(), qtText) {
    auto* outer = new QGroupBox(QStringLiteral("File Information"));
    Body()->addWidget(outer);
    auto* outerLayout = new QVBoxLayout(outer);

    auto* general = new QGridLayout;
    general->setColumnStretch(2, 1);
    outerLayout->addLayout(general);
    std::vector<QWidget*> order;
    // Short fields stay short; the long ones take the width of the dialog.
    order.push_back(m_controls.Add(general, 0, 1, "editFileName", WideField, 2));
    order.push_back(m_controls.Add(general, 1, 1, "editFileVersion", NarrowField));
    order.push_back(m_controls.Add(general, 2, 1, "editFileRevision", NarrowField));
    order.push_back(m_controls.Add(general, 3, 1, "editDescription", WideField, 2));
    order.push_back(m_controls.Add(general, 4, 1, "editEdsVersion", NarrowField));

    auto* parameters = new QHBoxLayout;
    outerLayout->addLayout(parameters);
    struct ParameterGroup {
        const char* title;
        const char* by;
        const char* time;
        const char* date;
        const char* timeButton;
        int timeButtonId;
        const char* dateButton;
        int dateButtonId;
    };
    const ParameterGroup groups[] = {
        {"Creation Parameter", "editCreatedBy", "editCreationTime", "editCreationDate", "buttonCreationTime",
         1171, "buttonCreationDate", 1172},
        {"Modification Parameter", "editModifiedBy", "editModificationTime", "editModificationDate",
         "buttonModificationTime", 1174, "buttonModificationDate", 1173},
    };
    for (const ParameterGroup& group : groups) {
        auto* box = new QGroupBox(QString::fromLatin1(group.title));
        auto* grid = new QGridLayout(box);
        order.push_back(m_controls.Add(grid, 0, 1, group.by, NarrowField, 2));
        order.push_back(m_controls.Add(grid, 1, 1, group.time, NarrowField));
        order.push_back(
            ClockButton(Clock::Time, group.timeButton, group.timeButtonId, m_controls.Edit(group.time)));
        grid->addWidget(order.back(), 1, 2);
        order.push_back(m_controls.Add(grid, 2, 1, group.date, NarrowField));
        order.push_back(
            ClockButton(Clock::Date, group.dateButton, group.dateButtonId, m_controls.Edit(group.date)));
        grid->addWidget(order.back(), 2, 2);
        grid->setRowStretch(3, 1);
        parameters->addWidget(box);
    }
    SetTabOrder(order);
}

QPushButton* CFileInfoDlg::ClockButton(Clock clock, const char* objectName, int controlId, QLineEdit* field) {
    const bool date = clock == Clock::Date;
    auto* button = new QPushButton(date ? QStringLiteral("Date") : QStringLiteral("Time"));
    button->setObjectName(QString::fromLatin1(objectName));
    button->setProperty("controlId", controlId);
    // As wide as its word: the style's wider default would push the dialog past a 1280x800 screen at
    // 200% scaling.
    button->setMaximumWidth(button->fontMetrics().horizontalAdvance(button->text()) * 2);
    // Only the pressed button's field changes; whatever was typed elsewhere stays.
    connect(button, &QPushButton::clicked, this, [this, field, date] {
        const LocalTime now = m_platform.GetLocalTime();
        field->setText(m_qtText.ToQt(date ? DateText(now) : TimeText(now)));
    });
    return button;
}

void CFileInfoDlg::Load(const FileInfoSection& record) {
    m_values = record;
    m_controls.Load(record);
}

void CFileInfoDlg::Store(FileInfoSection& record) const {
    CopyFields(m_values, record, FileInfoFields());
}

bool CFileInfoDlg::Validate() {
    if (const auto refused = m_controls.Store(m_values)) {
        Refuse(refused->first, refused->second);
        return false;
    }
    return true;
}
