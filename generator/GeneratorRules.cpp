#include "generator/GeneratorRules.h"

#include "model/NameTables.h"
#include "model/SubindexEntry.h"

bool HasNoLineType(std::uint8_t dataType) {
    return IsCiaBasicDataType(dataType) &&
           !(dataType >= DataTypeCode::Int8 && dataType <= DataTypeCode::VisibleString) &&
           dataType != DataTypeCode::Domain;
}

bool WritesEntryLine(const SubindexEntry& entry, bool communicationArea) {
    const std::string& access = entry.accessType;
    const bool rom = access == "const";
    if (!rom && communicationArea && access != "wo" && access != "rw" && access != "ro" && access != "rwr" &&
        access != "rww") {
        return false;
    }
    if (entry.dataType >= DataTypeCode::Int8 && entry.dataType <= DataTypeCode::VisibleString) {
        return true;
    }
    return entry.dataType == DataTypeCode::Domain && !rom;
}
