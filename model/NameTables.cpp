#include "model/NameTables.h"

const char* const ObjectTypeNames[ObjectTypeCount + 1] = {"VAR",   "DOMAIN", "DEFTYPE", "DEFSTRUCT",
                                                          "ARRAY", "RECORD", ""};
const std::uint8_t ObjectTypeCodes[ObjectTypeCount] = {0x07, 0x02, 0x05, 0x06, 0x08, 0x09};

// The program's own short names of the types the editor offers come first; the other CiA 301 basic
// types follow under their standard names, for entries a lenient import keeps.
const char* const DataTypeNames[DataTypeCount + 1] = {
    "INT8",       "INT16",          "INT32",        "UINT8",          "UINT16",      "UINT32",
    "REAL32",     "VISIBLE_STRING", "DOMAIN",       "PDO_COMM_PARAM", "PDO_MAPPING", "SDO_PARAMETER",
    "IDENTITY",   "BOOLEAN",        "OCTET_STRING", "UNICODE_STRING", "TIME_OF_DAY", "TIME_DIFFERENCE",
    "INTEGER24",  "REAL64",         "INTEGER40",    "INTEGER48",      "INTEGER56",   "INTEGER64",
    "UNSIGNED24", "UNSIGNED40",     "UNSIGNED48",   "UNSIGNED56",     "UNSIGNED64",  ""};
const std::uint8_t DataTypeCodes[DataTypeCount] = {0x02, 0x03, 0x04, 0x05, 0x06, 0x07, 0x08, 0x09, 0x0F, 0x20,
                                                   0x21, 0x22, 0x23, 0x01, 0x0A, 0x0B, 0x0C, 0x0D, 0x10, 0x11,
                                                   0x12, 0x13, 0x14, 0x15, 0x16, 0x18, 0x19, 0x1A, 0x1B};

const char* const AccessTypeNames[AccessTypeCount + 1] = {
    "Const", "ReadOnly", "WriteOnly", "ReadWrite", "Read Write Process Input", "Read Write Process Output",
    ""};
const char* const AccessTypeEdsNames[AccessTypeCount + 1] = {"const", "ro", "wo", "rw", "rwr", "rww", ""};

namespace {

int PositionOfName(const char* const* table, const std::string& name) {
    for (int i = 0; table[i][0] != '\0'; ++i) {
        if (name == table[i]) {
            return i;
        }
    }
    return -1;
}

int PositionOfCode(const std::uint8_t* codes, int count, std::uint8_t code) {
    for (int i = 0; i < count; ++i) {
        if (codes[i] == code) {
            return i;
        }
    }
    return -1;
}

}  // namespace

int ObjectTypePosition(std::uint8_t code) {
    return PositionOfCode(ObjectTypeCodes, ObjectTypeCount, code);
}

int ObjectTypePositionOfName(const std::string& name) {
    return PositionOfName(ObjectTypeNames, name);
}

std::string ObjectTypeName(std::uint8_t code) {
    const int pos = ObjectTypePosition(code);
    return pos < 0 ? std::string() : ObjectTypeNames[pos];
}

int DataTypePosition(std::uint8_t code) {
    return PositionOfCode(DataTypeCodes, DataTypeCount, code);
}

int DataTypePositionOfName(const std::string& name) {
    return PositionOfName(DataTypeNames, name);
}

std::string DataTypeName(std::uint8_t code) {
    const int pos = DataTypePosition(code);
    return pos < 0 ? std::string() : DataTypeNames[pos];
}

int AccessTypePositionOfEdsName(const std::string& edsName) {
    return PositionOfName(AccessTypeEdsNames, edsName);
}

int AccessTypePositionOfName(const std::string& displayName) {
    return PositionOfName(AccessTypeNames, displayName);
}

std::string AccessTypeDisplayName(const std::string& edsName) {
    const int pos = AccessTypePositionOfEdsName(edsName);
    return pos < 0 ? std::string() : AccessTypeNames[pos];
}

std::string AccessTypeEdsName(const std::string& displayName) {
    const int pos = AccessTypePositionOfName(displayName);
    return pos < 0 ? std::string() : AccessTypeEdsNames[pos];
}

bool IsSingleEntryObjectType(std::uint8_t objectType) {
    return objectType == ObjectCode::Var || objectType == ObjectCode::Domain ||
           objectType == ObjectCode::Deftype;
}

unsigned DataTypeBits(std::uint8_t code) {
    switch (code) {
        case DataTypeCode::Boolean:
            return 1;
        case DataTypeCode::Int8:
        case DataTypeCode::Uint8:
            return 8;
        case DataTypeCode::Int16:
        case DataTypeCode::Uint16:
            return 16;
        case 0x10:  // INTEGER24
        case 0x16:  // UNSIGNED24
            return 24;
        case DataTypeCode::Int32:
        case DataTypeCode::Uint32:
        case DataTypeCode::Real32:
            return 32;
        case 0x12:  // INTEGER40
        case 0x18:  // UNSIGNED40
            return 40;
        case 0x0C:  // TIME_OF_DAY
        case 0x0D:  // TIME_DIFFERENCE
        case 0x13:  // INTEGER48
        case 0x19:  // UNSIGNED48
            return 48;
        case 0x14:  // INTEGER56
        case 0x1A:  // UNSIGNED56
            return 56;
        case 0x11:  // REAL64
        case 0x15:  // INTEGER64
        case 0x1B:  // UNSIGNED64
            return 64;
        default:
            return 0;
    }
}

bool IsCiaBasicDataType(std::uint8_t code) {
    return code >= DataTypeCode::Boolean && code <= 0x1B && code != 0x0E && code != 0x17;
}
