#include "model/NameTables.h"

const char* const ObjectTypeNames[ObjectTypeCount + 1] = {"VAR",   "DOMAIN", "DEFTYPE", "DEFSTRUCT",
                                                          "ARRAY", "RECORD", ""};
const std::uint8_t ObjectTypeCodes[ObjectTypeCount] = {0x07, 0x02, 0x05, 0x06, 0x08, 0x09};

const char* const DataTypeNames[DataTypeCount + 1] = {
    "INT8",           "INT16",  "INT32",          "UINT8",       "UINT16",        "UINT32",   "REAL32",
    "VISIBLE_STRING", "DOMAIN", "PDO_COMM_PARAM", "PDO_MAPPING", "SDO_PARAMETER", "IDENTITY", ""};
const std::uint8_t DataTypeCodes[DataTypeCount] = {0x02, 0x03, 0x04, 0x05, 0x06, 0x07, 0x08,
                                                   0x09, 0x0F, 0x20, 0x21, 0x22, 0x23};

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
