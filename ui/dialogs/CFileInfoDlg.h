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
    CFileInfoDlg(Platform& platform, QWidget* parent);

    void Load(const FileInfoSection& record) override;
    bool Run() override { return RunModal(); }
    void Store(FileInfoSection& record) const override;

private:
    bool Validate() override;
    QPushButton* ClockButton(const char* text, const char* objectName, int controlId, QLineEdit* field,
                             bool date);

    FieldControls<FileInfoSection> m_controls;
    FileInfoSection m_values;
};
