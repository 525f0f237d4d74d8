#include "ui/dialogs/CDeviceInfoDlg.h"

#include <QButtonGroup>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QRadioButton>

#include "ui/dialogs/DeviceInfoFields.h"

namespace {

constexpr int NameField = 170;
constexpr int NumberField = 100;

QRadioButton* MakeRadio(const char* text, const char* objectName, int controlId) {
    auto* radio = new QRadioButton(QString::fromLatin1(text));
    radio->setObjectName(QString::fromLatin1(objectName));
    radio->setProperty("controlId", controlId);
    return radio;
}

}  // namespace

CDeviceInfoDlg::CDeviceInfoDlg(Platform& platform, const QtText& qtText, QWidget* parent)
    : CSectionDialog(platform, qtText, "EDS DeviceInformation", "deviceInfoDialog", "&Ok", parent),
      m_controls(DeviceInfoFields(), qtText) {
    auto* outer = new QGroupBox(QStringLiteral("Device Information"));
    Body()->addWidget(outer);
    auto* layout = new QVBoxLayout(outer);

    // Names on the left, numbers on the right; the tab order reads row by row.
    auto* grid = new QGridLayout;
    grid->setColumnStretch(1, 1);
    grid->setColumnStretch(4, 1);
    grid->setHorizontalSpacing(12);
    layout->addLayout(grid);
    const char* const rows[][2] = {
        {"editVendorName", "editVendorNumber"},
        {"editProductName", "editProductNumber"},
        {"editOrderCode", "editRevisionNumber"},
        {"editGranularity", "editDynamicChannels"},
    };
    std::vector<QWidget*> order;
    for (int row = 0; row < 4; ++row) {
        order.push_back(m_controls.Add(grid, row, 1, rows[row][0], row < 3 ? NameField : NumberField));
        order.push_back(m_controls.Add(grid, row, 3, rows[row][1], NumberField));
    }
    auto* flags = new QGridLayout;
    order.push_back(m_controls.Add(flags, 0, 0, "boxLssSupported"));
    order.push_back(m_controls.Add(flags, 0, 1, "boxGroupMessaging"));
    flags->setColumnStretch(2, 1);
    layout->addLayout(flags);

    auto* groups = new QHBoxLayout;
    layout->addLayout(groups);
    auto* baudGroup = new QGroupBox(QStringLiteral("Supported Baudrates"));
    auto* baudGrid = new QGridLayout(baudGroup);
    // Two columns of four, read column by column like the rates themselves.
    const char* const rates[] = {"boxBaudrate10",  "boxBaudrate20",  "boxBaudrate50",  "boxBaudrate125",
                                 "boxBaudrate250", "boxBaudrate500", "boxBaudrate800", "boxBaudrate1000"};
    for (int i = 0; i < 8; ++i) {
        order.push_back(m_controls.Add(baudGrid, i % 4, i / 4, rates[i]));
    }
    groups->addWidget(baudGroup);

    auto* pdoGroup = new QGroupBox(QStringLiteral("Supported PDO"));
    auto* pdoGrid = new QGridLayout(pdoGroup);
    order.push_back(m_controls.Add(pdoGrid, 0, 1, "editNrOfRxPdo", 60));
    order.push_back(m_controls.Add(pdoGrid, 1, 1, "editNrOfTxPdo", 60));
    pdoGrid->setRowStretch(2, 1);
    groups->addWidget(pdoGroup);

    auto* bootGroup = new QGroupBox(QStringLiteral("Simple Bootup"));
    auto* bootLayout = new QVBoxLayout(bootGroup);
    m_master = MakeRadio("Master", "optionMaster", 1132);
    m_slave = MakeRadio("Slave", "optionSlave", 1133);
    auto* bootUp = new QButtonGroup(this);
    bootUp->addButton(m_master);
    bootUp->addButton(m_slave);
    bootLayout->addWidget(m_master);
    bootLayout->addWidget(m_slave);
    bootLayout->addStretch(1);
    order.push_back(m_master);
    order.push_back(m_slave);
    groups->addWidget(bootGroup);
    SetTabOrder(order);
}

void CDeviceInfoDlg::Load(const DeviceInfoSection& record) {
    m_values = record;
    m_controls.Load(record);
    const bool master = ShowsMaster(record);
    m_master->setChecked(master);
    m_slave->setChecked(!master);
}

void CDeviceInfoDlg::Store(DeviceInfoSection& record) const {
    CopyFields(m_values, record, DeviceInfoFields());
    record.SimpleBootUpMaster = m_values.SimpleBootUpMaster;
    record.SimpleBootUpSlave = m_values.SimpleBootUpSlave;
}

bool CDeviceInfoDlg::Validate() {
    if (const auto refused = m_controls.Store(m_values)) {
        Refuse(refused->first, refused->second);
        return false;
    }
    StoreBootUp(m_values, m_master->isChecked());
    return true;
}
