#pragma once

#include <array>
#include <cstdint>
#include <string>

// The descriptive sections of an EDS that are not part of the dictionary. The document owns one of
// each; the importer fills them, the exporter and the project file write them, the section dialogs
// edit them. The Comments section is the CommentLine list of the dictionary.

struct FileInfoSection {
    std::string FileName;
    std::uint8_t FileVersion = 0;
    std::uint8_t FileRevision = 0;
    std::string EDSVersion;
    std::string Description;
    std::string CreationTime;
    std::string CreationDate;
    std::string CreatedBy;
    std::string ModificationTime;
    std::string ModificationDate;
    std::string ModifiedBy;

    bool operator==(const FileInfoSection&) const = default;
};

// One slot of the DummyUsage table: a CANopen data type number 1..7 and whether it is used.
struct DummyEntry {
    std::uint8_t dataType = 0;
    std::uint32_t used = 0;

    bool operator==(const DummyEntry&) const = default;
};

// Filled slots are packed from the first one; dummyCount says how many are filled (0..7).
struct DummyUsageSection {
    static constexpr int SlotCount = 7;
    std::uint8_t dummyCount = 0;
    std::array<DummyEntry, SlotCount> entries{};

    bool operator==(const DummyUsageSection&) const = default;
};

struct DeviceInfoSection {
    std::string VendorName;
    std::uint32_t VendorNumber = 0;
    std::string ProductName;
    std::uint32_t ProductNumber = 0;
    std::uint32_t RevisionNumber = 0;
    std::string OrderCode;
    std::uint32_t Baudrate_10 = 0;
    std::uint32_t Baudrate_20 = 0;
    std::uint32_t Baudrate_50 = 0;
    std::uint32_t Baudrate_125 = 0;
    std::uint32_t Baudrate_250 = 0;
    std::uint32_t Baudrate_500 = 0;
    std::uint32_t Baudrate_800 = 0;
    std::uint32_t Baudrate_1000 = 0;
    std::uint32_t SimpleBootUpMaster = 0;
    std::uint32_t SimpleBootUpSlave = 0;
    std::uint8_t Granularity = 0;
    std::uint8_t DynamicChannelsSupported = 0;
    std::uint32_t GroupMessaging = 0;
    std::uint8_t NrOfTxPdo = 0;
    std::uint8_t NrOfRxPdo = 0;
    std::uint32_t LSS_Supported = 0;
    // Set by the EDS writer: the number of indices of each category.
    std::uint16_t optionalCount = 0;
    std::uint16_t mandatoryCount = 0;
    std::uint16_t manufacturerCount = 0;
    DummyUsageSection DummyUsage;

    bool operator==(const DeviceInfoSection&) const = default;
};
