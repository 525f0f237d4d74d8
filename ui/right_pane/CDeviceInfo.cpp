#include "ui/right_pane/CDeviceInfo.h"

#include <QButtonGroup>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QVBoxLayout>

#include "document/CQuillmarkDoc.h"
#include "ui/right_pane/FormWidgets.h"
#include "ui/right_pane/SectionTexts.h"

using FormWidgets::AddField;
using FormWidgets::MakeCheck;
using FormWidgets::SetText;

namespace {

struct BaudrateBox {
    const char* text;
    const char* objectName;
    int controlId;
};

constexpr BaudrateBox Baudrates[] = {
    {"10 kBit/s", "checkBaudrate10", 1115},   {"20 kBit/s", "checkBaudrate20", 1116},
    {"50 kBit/s", "checkBaudrate50", 1114},   {"125 kBit/s", "checkBaudrate125", 1118},
    {"250 kBit/s", "checkBaudrate250", 1119}, {"500 kBit/s", "checkBaudrate500", 1120},
    {"800 kBit/s", "checkBaudrate800", 1122}, {"1000kBit/s", "checkBaudrate1000", 1121},
};

}  // namespace

CDeviceInfo::CDeviceInfo(CQuillmarkDoc& document, QWidget* parent)
    : QWidget(parent), m_document(document), m_qtText(document) {
    setObjectName(QStringLiteral("deviceInfoForm"));
    auto* page = new QVBoxLayout(this);
    auto* outer = new QGroupBox(QStringLiteral("Device Information"));
    page->addWidget(outer);
    page->addStretch(1);
    auto* layout = new QVBoxLayout(outer);

    auto* grid = new QGridLayout;
    grid->setColumnStretch(1, 1);
    grid->setColumnStretch(3, 1);
    grid->setHorizontalSpacing(12);
    layout->addLayout(grid);
    m_vendorName = AddField(grid, 0, 0, "Vendor Name", "fieldVendorName", 1107);
    m_vendorNumber = AddField(grid, 0, 1, "Vendor Number", "fieldVendorNumber", 1108);
    m_productName = AddField(grid, 1, 0, "Product Name", "fieldProductName", 1109);
    m_productNumber = AddField(grid, 1, 1, "Product Number", "fieldProductNumber", 1110);
    m_orderCode = AddField(grid, 2, 0, "Order Code", "fieldOrderCode", 1112);
    m_revisionNumber = AddField(grid, 2, 1, "Revision Number", "fieldRevisionNumber", 1111);
    m_granularity = AddField(grid, 3, 0, "Granularity", "fieldGranularity", 1142);
    m_dynamicChannels =
        AddField(grid, 3, 1, "Dynamic Channels Supported", "fieldDynamicChannelsSupported", 1143);

    auto* flags = new QHBoxLayout;
    m_lss = MakeCheck("LSS_Supported", "checkLssSupported", 1126);
    m_groupMessaging = MakeCheck("Group Messaging", "checkGroupMessaging", 1127);
    flags->addWidget(m_lss);
    flags->addWidget(m_groupMessaging);
    flags->addStretch(1);
    layout->addLayout(flags);

    auto* groups = new QHBoxLayout;
    layout->addLayout(groups);

    auto* baudGroup = new QGroupBox(QStringLiteral("Supported Baudrates"));
    auto* baudGrid = new QGridLayout(baudGroup);
    for (int i = 0; i < 8; ++i) {
        QCheckBox* box = MakeCheck(Baudrates[i].text, Baudrates[i].objectName, Baudrates[i].controlId);
        baudGrid->addWidget(box, i % 4, i / 4);
        m_baudrates.push_back(box);
    }
    groups->addWidget(baudGroup);

    auto* pdoGroup = new QGroupBox(QStringLiteral("Supported PDO"));
    auto* pdoGrid = new QGridLayout(pdoGroup);
    m_rxPdo = AddField(pdoGrid, 0, 0, "Number of Receive PDO", "fieldNrOfRxPdo", 1128, 60);
    m_txPdo = AddField(pdoGrid, 1, 0, "Number of Transmit PDO", "fieldNrOfTxPdo", 1129, 60);
    groups->addWidget(pdoGroup);

    auto* bootGroup = new QGroupBox(QStringLiteral("Simple Bootup"));
    auto* bootLayout = new QVBoxLayout(bootGroup);
    m_master = FormWidgets::MakeRadio("Master", "radioMaster", 1132);
    m_slave = FormWidgets::MakeRadio("Slave", "radioSlave", 1133);
    m_bootUp = new QButtonGroup(this);
    m_bootUp->addButton(m_master);
    m_bootUp->addButton(m_slave);
    bootLayout->addWidget(m_master);
    bootLayout->addWidget(m_slave);
    bootLayout->addStretch(1);
    groups->addWidget(bootGroup);

    m_document.AddView(this);
}

CDeviceInfo::~CDeviceInfo() {
    m_document.RemoveView(this);
}

void CDeviceInfo::OnUpdate(std::uint32_t hint, const HintObject& object) {
    if (Hint::Low(hint) == Hint::Low(Hint::Reset)) {
        Clear();
    } else if (Hint::Low(hint) == Hint::Low(Hint::ShowDeviceInfo) && object.deviceInfo != nullptr) {
        Show(*object.deviceInfo);
    }
}

void CDeviceInfo::Show(const DeviceInfoSection& section) {
    SetText(m_vendorName, section.VendorName, m_qtText);
    SetText(m_vendorNumber, IdentityNumberText(section.VendorNumber), m_qtText);
    SetText(m_revisionNumber, IdentityNumberText(section.RevisionNumber), m_qtText);
    SetText(m_productName, section.ProductName, m_qtText);
    SetText(m_productNumber, IdentityNumberText(section.ProductNumber), m_qtText);
    SetText(m_orderCode, section.OrderCode, m_qtText);
    SetText(m_granularity, SectionNumberText(section.Granularity), m_qtText);
    SetText(m_dynamicChannels, SectionNumberText(section.DynamicChannelsSupported), m_qtText);
    SetText(m_rxPdo, SectionNumberText(section.NrOfRxPdo), m_qtText);
    SetText(m_txPdo, SectionNumberText(section.NrOfTxPdo), m_qtText);
    m_lss->setChecked(section.LSS_Supported != 0);
    m_groupMessaging->setChecked(section.GroupMessaging != 0);
    const std::uint32_t rates[] = {section.Baudrate_10,  section.Baudrate_20,  section.Baudrate_50,
                                   section.Baudrate_125, section.Baudrate_250, section.Baudrate_500,
                                   section.Baudrate_800, section.Baudrate_1000};
    for (std::size_t i = 0; i < m_baudrates.size(); ++i) {
        m_baudrates[i]->setChecked(rates[i] != 0);
    }
    const bool master = section.SimpleBootUpMaster == 1;
    SetBootUp(master, !master);
}

void CDeviceInfo::Clear() {
    for (QLabel* field : {m_vendorName, m_vendorNumber, m_revisionNumber, m_productName, m_productNumber,
                          m_orderCode, m_granularity, m_dynamicChannels, m_rxPdo, m_txPdo}) {
        field->clear();
    }
    m_lss->setChecked(false);
    m_groupMessaging->setChecked(false);
    for (QCheckBox* box : m_baudrates) {
        box->setChecked(false);
    }
    SetBootUp(false, false);
}

void CDeviceInfo::SetBootUp(bool master, bool slave) {
    // An exclusive group cannot show neither button selected, which a cleared form needs.
    m_bootUp->setExclusive(false);
    m_master->setChecked(master);
    m_slave->setChecked(slave);
    m_bootUp->setExclusive(true);
}
