#include "ui/right_pane/IndexParamFields.h"

#include <cstdio>

#include "model/NameTables.h"

namespace {

std::string Hex(const char* format, unsigned value) {
    char text[16];
    std::snprintf(text, sizeof text, format, value);
    return text;
}

// The display name at the position where the EDS form matches exactly; empty when none does.
std::string AccessDisplayName(const std::string& edsName) {
    for (int i = 0; i < AccessTypeCount; ++i) {
        if (edsName == AccessTypeEdsNames[i]) {
            return AccessTypeNames[i];
        }
    }
    return {};
}

}  // namespace

bool IndexParamFields::Apply(std::uint32_t hint, const HintObject& object) {
    switch (Hint::Low(hint)) {
        case Hint::Low(Hint::Reset):
        case Hint::Low(Hint::ShowIndexZero):
            Clear();
            return true;
        case Hint::Low(Hint::ShowIndex):
            if (object.index != nullptr) {
                ShowIndex(*object.index);
            }
            return true;
        case Hint::Low(Hint::ShowSubindex):
            if (object.entry != nullptr) {
                ShowEntry(*object.entry, Hint::High(hint));
            }
            return true;
        default:
            return false;
    }
}

void IndexParamFields::ShowIndex(const IndexEntry& index) {
    callbackFunction = index.callbackName;
    storageArea = index.storage;
    indexCategory = index.category;
    // entryCount counts the header too; an index without entries shows 0x00 rather than wrapping.
    numberOfSubindices = Hex("0x%02X", index.entryCount > 0 ? index.entryCount - 1u : 0u);
    indexNumber = Hex("0x%04X", index.index);
}

void IndexParamFields::ShowEntry(const SubindexEntry& entry, std::uint16_t qualifier) {
    parameterName = entry.name;
    objectType = ObjectTypeName(entry.objectType);

    constexpr std::uint16_t StructuredHeader = Hint::High(Hint::ShowStructuredHeader);
    constexpr std::uint16_t SingleEntry = Hint::High(Hint::ShowSingleEntry);
    constexpr std::uint16_t OrdinarySubindex = Hint::High(Hint::ShowSubindex);

    if (qualifier == StructuredHeader) {
        currentSubindex.clear();
        pdoMapping.clear();
        highLimit.clear();
        lowLimit.clear();
        defaultValue.clear();
        accessType.clear();
        dataType.clear();
        storeToNvData.clear();
        return;
    }
    if (qualifier == SingleEntry) {
        currentSubindex.clear();
        numberOfSubindices.clear();
    } else if (qualifier == OrdinarySubindex) {
        callbackFunction.clear();
        numberOfSubindices.clear();
        storageArea.clear();
        currentSubindex = Hex("0x%02X", entry.subindex);
    } else {
        return;
    }
    indexNumber = Hex("0x%04X", entry.index);
    highLimit = entry.highLimit;
    lowLimit = entry.lowLimit;
    defaultValue = entry.defaultValue;
    dataType = DataTypeName(entry.dataType);
    accessType = AccessDisplayName(entry.accessType);
    pdoMapping = entry.pdoMapping == 1 ? "PDO Mappable" : "PDO Not Mappable";
    storeToNvData = entry.nonVolatile != 0 ? "YES" : "NO";
}
