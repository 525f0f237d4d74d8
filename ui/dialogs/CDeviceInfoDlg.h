#pragma once

#include "eds/EdsSections.h"
#include "platform/SectionDialogs.h"
#include "ui/dialogs/CSectionDialog.h"
#include "ui/dialogs/FieldControls.h"

class QRadioButton;

// "EDS DeviceInformation": edits a copy of the DeviceInfo section (not its DummyUsage table).
class CDeviceInfoDlg : public CSectionDialog, public DeviceInfoDialog {
    Q_OBJECT
public:
    CDeviceInfoDlg(Platform& platform, const QtText& qtText, QWidget* parent);

    void Load(const DeviceInfoSection& record) override;
    bool Run() override { return RunModal(); }
    void Store(DeviceInfoSection& record) const override;

private:
    bool Validate() override;

    FieldControls<DeviceInfoSection> m_controls;
    QRadioButton* m_master;
    QRadioButton* m_slave;
    DeviceInfoSection m_values;
};
