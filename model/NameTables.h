#pragma once

#include <cstdint>
#include <string>

// The shared name and code tables. Each name table ends with an empty text; code that walks a table
// stops there. The code tables run parallel to their name tables, without the end mark.
constexpr int ObjectTypeCount = 6;
constexpr int DataTypeCount = 29;
constexpr int AccessTypeCount = 6;

extern const char* const ObjectTypeNames[ObjectTypeCount + 1];
extern const std::uint8_t ObjectTypeCodes[ObjectTypeCount];
extern const char* const DataTypeNames[DataTypeCount + 1];
extern const std::uint8_t DataTypeCodes[DataTypeCount];
extern const char* const AccessTypeNames[AccessTypeCount + 1];
extern const char* const AccessTypeEdsNames[AccessTypeCount + 1];

// Object codes and data type codes used by name in the logic.
namespace ObjectCode {
constexpr std::uint8_t Domain = 0x02;
constexpr std::uint8_t Deftype = 0x05;
constexpr std::uint8_t Defstruct = 0x06;
constexpr std::uint8_t Var = 0x07;
constexpr std::uint8_t Array = 0x08;
constexpr std::uint8_t Record = 0x09;
}  // namespace ObjectCode

namespace DataTypeCode {
constexpr std::uint8_t Boolean = 0x01;
constexpr std::uint8_t Int8 = 0x02;
constexpr std::uint8_t Int16 = 0x03;
constexpr std::uint8_t Int32 = 0x04;
constexpr std::uint8_t Uint8 = 0x05;
constexpr std::uint8_t Uint16 = 0x06;
constexpr std::uint8_t Uint32 = 0x07;
constexpr std::uint8_t Real32 = 0x08;
constexpr std::uint8_t VisibleString = 0x09;
constexpr std::uint8_t OctetString = 0x0A;
constexpr std::uint8_t UnicodeString = 0x0B;
constexpr std::uint8_t TimeOfDay = 0x0C;
constexpr std::uint8_t TimeDifference = 0x0D;
constexpr std::uint8_t Domain = 0x0F;
constexpr std::uint8_t Integer24 = 0x10;
constexpr std::uint8_t Real64 = 0x11;
constexpr std::uint8_t Integer64 = 0x15;
constexpr std::uint8_t Unsigned24 = 0x16;
constexpr std::uint8_t Unsigned64 = 0x1B;
constexpr std::uint8_t PdoCommParam = 0x20;
constexpr std::uint8_t PdoMapping = 0x21;
constexpr std::uint8_t SdoParameter = 0x22;
constexpr std::uint8_t Identity = 0x23;
}  // namespace DataTypeCode

// Position lookups return -1 when nothing matches; name lookups return "" then.
int ObjectTypePosition(std::uint8_t code);
int ObjectTypePositionOfName(const std::string& name);
std::string ObjectTypeName(std::uint8_t code);
int DataTypePosition(std::uint8_t code);
int DataTypePositionOfName(const std::string& name);
std::string DataTypeName(std::uint8_t code);
int AccessTypePositionOfEdsName(const std::string& edsName);
int AccessTypePositionOfName(const std::string& displayName);
std::string AccessTypeDisplayName(const std::string& edsName);
std::string AccessTypeEdsName(const std::string& displayName);

// The size of a value of the data type in bits, as a PDO maps it; 0 for the types whose size is not
// fixed (strings, DOMAIN, the complex types) and for unknown codes.
unsigned DataTypeBits(std::uint8_t code);

// The basic data types of CiA 301, BOOLEAN (0x01) to UNSIGNED64 (0x1B), without the reserved codes 0x0E
// and 0x17.
bool IsCiaBasicDataType(std::uint8_t code);

// VAR, DOMAIN and DEFTYPE objects have a single entry; the other kinds have a header and subindices.
bool IsSingleEntryObjectType(std::uint8_t objectType);
