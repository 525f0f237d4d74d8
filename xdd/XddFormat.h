#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "eds/EdsSections.h"

// The CiA 311 vocabulary that the XDD reader and writer share: how the model's codes, flags and
// texts are spelled in an XML device description, and where the EDS fields that CiA 311 has no
// element for are kept.

// True when the bytes start, after an optional UTF-8 byte-order mark and blanks, with "<?xml" or
// "<ISO15745ProfileContainer": the document then reads the file as an XDD/XDC, whatever its name.
bool LooksLikeXdd(std::string_view bytes);

// The part of an element or attribute name after its namespace prefix ("q1:parameter" -> "parameter").
std::string_view LocalName(std::string_view qualifiedName);

// The CANopen data type of a parameter's IEC 61131 type element ("UDINT" gives 0x07); 0 when the
// name is no type. Byte strings (BITSTRING) read as OCTET_STRING.
std::uint8_t DataTypeOfIecName(std::string_view name);

// The EDS access form of a parameter's access attribute ("readWrite" gives "rw"); "" when unknown.
std::string AccessOfParameter(std::string_view access);

// PDOmapping attribute: "no" is 0, "default", "optional", "TPDO" and "RPDO" are 1.
std::uint8_t PdoMappingOf(std::string_view value);
const char* PdoMappingText(std::uint8_t pdoMapping);

// Boolean attributes: "true" or "1".
bool IsTrue(std::string_view value);

// One supportedBaudRate value and the DeviceInfo flag it sets.
struct BaudRateName {
    const char* value;
    std::uint32_t DeviceInfoSection::*flag;
};
constexpr int BaudRateCount = 8;
extern const BaudRateName BaudRates[BaudRateCount];

// The object list an index belongs to when the file does not name it: 0x1000, 0x1001 and 0x1018 are
// mandatory, 0x2000..0x5FFF manufacturer-specific, the rest optional.
const char* DefaultCategory(std::uint16_t index);

// Characteristics of the device profile's DeviceFunction that keep the EDS fields CiA 311 has no
// element for. Each is a characteristicName label and one characteristicContent label per value.
namespace XddCharacteristic {
constexpr const char* EdsVersion = "EDSVersion";
constexpr const char* FileRevision = "FileRevision";
constexpr const char* RevisionNumber = "RevisionNumber";
constexpr const char* Comments = "Comments";
// A file date or time whose EDS text the xsd attribute cannot give back (named as the EDS key).
constexpr const char* CreationTime = "CreationTime";
constexpr const char* CreationDate = "CreationDate";
constexpr const char* ModificationTime = "ModificationTime";
constexpr const char* ModificationDate = "ModificationDate";
// The indices listed in an EDS object list other than the one DefaultCategory gives them.
constexpr const char* MandatoryObjects = "MandatoryObjects";
constexpr const char* ManufacturerObjects = "ManufacturerObjects";
constexpr const char* OptionalObjects = "OptionalObjects";
}  // namespace XddCharacteristic

// File dates and times: CiA 311 writes xsd:date and xsd:time ("2020-11-28", "16:49:28+01:00"), an EDS
// "11-28-2020" and "4:49PM". A text that is not in the expected form is kept as it is.
std::string EdsDateOfXsd(std::string_view xsd);
std::string EdsTimeOfXsd(std::string_view xsd);
// The XML form of an EDS date or time ("04:49pm" gives "16:49:00"); a text in no known form is kept.
// The writer keeps the EDS text itself as well where reading the XML form back would not give it.
std::string XsdDateOfEds(const std::string& eds);
std::string XsdTimeOfEds(const std::string& eds);

// Hexadecimal attributes (index "1018", subIndex "0A", dataType "0007") are read as hexadecimal with
// or without "0x"; a text that is not wholly a 32-bit hexadecimal number gives UnreadableNumber, which
// no index, subindex or data type has.
constexpr std::uint32_t UnreadableNumber = 0xFFFFFFFFu;
std::uint32_t ParseHexAttribute(std::string_view text);
