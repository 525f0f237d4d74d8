#include "ui/dialogs/DeviceInfoFields.h"

namespace {

using Field = SectionField<DeviceInfoSection>;
using S = DeviceInfoSection;
constexpr auto Text = FieldKind::Text;
constexpr auto Number = FieldKind::Number;
constexpr auto Check = FieldKind::Check;

const Field Fields[] = {
    {"Vendor Name", "editVendorName", 1107, Text, &S::VendorName, 244},
    {"Vendor Number", "editVendorNumber", 1108, Number, &S::VendorNumber},
    {"Product Name", "editProductName", 1109, Text, &S::ProductName, 243},
    {"Product Number", "editProductNumber", 1110, Number, &S::ProductNumber},
    {"Revision Number", "editRevisionNumber", 1111, Number, &S::RevisionNumber},
    {"Order Code", "editOrderCode", 1112, Text, &S::OrderCode, 245},
    {"Granularity", "editGranularity", 1142, Number, &S::Granularity},
    {"Dynamic Channels Supported", "editDynamicChannels", 1143, Number, &S::DynamicChannelsSupported},
    {"LSS_Supported", "boxLssSupported", 1126, Check, &S::LSS_Supported},
    {"Group Messaging", "boxGroupMessaging", 1127, Check, &S::GroupMessaging},
    {"10 kbit/s", "boxBaudrate10", 1115, Check, &S::Baudrate_10},
    {"20 kBit/s", "boxBaudrate20", 1116, Check, &S::Baudrate_20},
    {"50 kBit/s", "boxBaudrate50", 1114, Check, &S::Baudrate_50},
    {"125 kBit/s", "boxBaudrate125", 1118, Check, &S::Baudrate_125},
    {"250 kBit/s", "boxBaudrate250", 1119, Check, &S::Baudrate_250},
    {"500 kBit/s", "boxBaudrate500", 1120, Check, &S::Baudrate_500},
    {"800 kBit/s", "boxBaudrate800", 1122, Check, &S::Baudrate_800},
    {"1000kBit/s", "boxBaudrate1000", 1121, Check, &S::Baudrate_1000},
    {"Number of Receive PDO", "editNrOfRxPdo", 1128, Number, &S::NrOfRxPdo},
    {"Number of Transmit PDO", "editNrOfTxPdo", 1129, Number, &S::NrOfTxPdo},
};

}  // namespace

std::span<const SectionField<DeviceInfoSection>> DeviceInfoFields() {
    return Fields;
}

bool ShowsMaster(const DeviceInfoSection& section) {
    return section.SimpleBootUpMaster == 1;
}

void StoreBootUp(DeviceInfoSection& section, bool master) {
    section.SimpleBootUpMaster = master ? 1 : 0;
    section.SimpleBootUpSlave = master ? 0 : 1;
}
