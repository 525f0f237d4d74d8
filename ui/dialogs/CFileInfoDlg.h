#pragma once

#include "eds/EdsSections.h"
#include "platform/SectionDialogs.h"
#include "ui/dialogs/CSectionDialog.h"
#include "ui/dialogs/FieldControls.h"

class QLineEdit;

// "EDS FileInformation": edits a copy of the FileInfo section. The Date and Time buttons fill their
// field from the local clock.
class CFileInfoDlg : public CSectionDialog, public FileInfoDialog {
    Q_OBJECT
public:
    CFileInfoDlg(Platform& platform, const QtText& qtText, QWidget* parent);

    void Load(const FileInfoSection& record) override;
    bool Run() override { return RunModal(); }
    void Store(FileInfoSection& record) const override;

private:
    bool Validate() override;
    enum class Clock { Time, Date };
    // A button that puts the local time or date into its field.
    QPushButton* ClockButton(Clock clock, const char* objectName, int controlId, QLineEdit* field);

    FieldControls<FileInfoSection> m_controls;
    FileInfoSection m_values;
};
