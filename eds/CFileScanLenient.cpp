#include <algorithm>
#include <memory>

#include "eds/CFileScan.h"
#include "eds/EdsFormat.h"
#include "eds/EdsResult.h"
#include "eds/ParseNumber.h"
#include "eds/ProfileFile.h"
#include "model/NameTables.h"
#include "model/ObjectDictionary.h"
#include "platform/Platform.h"

// What only the lenient import does: it reports its repairs, reads object lists with holes, and
// expands compact array descriptions into ordinary subindices.

namespace {

constexpr std::uint8_t ObjectTypeArray = 0x08;
constexpr std::uint8_t ObjectTypeRecord = 0x09;
constexpr std::uint8_t ObjectTypeVar = 0x07;
constexpr std::uint8_t Unsigned8 = 0x05;
constexpr unsigned LastSubindex = 0xFF;

}  // namespace

void CFileScan::ReportRepair(const std::string& repair) {
    m_platform.MessageBox("Lenient import of " + m_strPath + ":\n" + repair, "Warning", MsgButtons::Ok,
                          MsgIcon::Exclamation);
}

void CFileScan::SurveyObjectLists() {
    unsigned missingEntries = 0;
    for (const char* list : ObjectLists) {
        const std::string countText = GetString(list, "SupportedObjects", "");
        if (countText.empty()) {
            ReportRepair(std::string(list) + " missing: read as an empty list");
            continue;
        }
        const unsigned count = ParseNumber(countText) & 0xFFFFu;
        for (unsigned n = 1; n <= count; ++n) {
            if (GetString(list, Format("%u", n), "").empty()) {
                ++missingEntries;
            }
        }
    }
    if (missingEntries == 1) {
        ReportRepair("1 object list entry missing: skipped");
    } else if (missingEntries > 1) {
        ReportRepair(Format("%u object list entries missing: skipped", missingEntries));
    }
}

// An ARRAY or RECORD section without SubNumber may describe its subindices in one go with
// CompactSubObj=n. Only a data type the import takes is expanded: any other keeps the standard path,
// which warns once and drops the index.
unsigned CFileScan::CompactSubObjects(std::uint16_t index) const {
    if (!m_bLenient) {
        return 0;
    }
    const std::string section = Format("%04X", index);
    if ((ParseNumber(GetString(section, "SubNumber", "")) & 0xFFFFu) != 0) {
        return 0;
    }
    const std::uint32_t count = ParseNumber(GetString(section, "CompactSubObj", ""));
    const auto objectType = static_cast<std::uint8_t>(GetNumber(section, "ObjectType"));
    const auto dataType = static_cast<std::uint8_t>(GetNumber(section, "DataType"));
    if (count == 0 || (objectType != ObjectTypeArray && objectType != ObjectTypeRecord) ||
        !IsImportedDataType(dataType)) {
        return 0;
    }
    return std::min<std::uint32_t>(count, LastSubindex);
}

// The header carries the index's name and object type; subindex 0 is the UNSIGNED8 count, read-only;
// subindices 1..count take the type, access, mapping, default and limits of the index section, their
// names from [xxxxName] and their defaults from [xxxxValue] where those list them.
int CFileScan::ReadCompactEntries(IndexEntry& entry, unsigned count) {
    auto header = std::make_unique<SubindexEntry>();
    header->index = entry.index;
    header->subindex = HeaderStructured;
    SubindexEntry element;
    element.index = entry.index;
    element.subindex = HeaderSingle;
    for (SubindexEntry* read : {header.get(), &element}) {
        if (const int result = ReadParameterSection(*read); result != EdsImportResult::Success) {
            return result;
        }
    }
    m_dictionary.InsertEntry(std::move(header));

    auto counter = std::make_unique<SubindexEntry>();
    counter->index = entry.index;
    counter->subindex = 0;
    counter->name = "NrOfObjects";
    counter->objectType = ObjectTypeVar;
    counter->dataType = Unsigned8;
    counter->accessType = "ro";
    counter->defaultValue = Format("0x%X", count);
    counter->lowLimit = counter->highLimit = "0x0";
    m_dictionary.InsertEntry(std::move(counter));

    const std::string names = Format("%04XName", entry.index);
    const std::string values = Format("%04XValue", entry.index);
    for (unsigned s = 1; s <= count; ++s) {
        auto sub = std::make_unique<SubindexEntry>(element);
        sub->subindex = static_cast<std::uint16_t>(s);
        sub->objectType = ObjectTypeVar;
        const std::string key = Format("%u", s);
        sub->name = GetString(names, key, "");
        if (sub->name.empty()) {
            // An index without a name, or one whose name fills the value, must not give a name that
            // the exported file reads back differently.
            sub->name = ProfileFile::ValueAsRead(Format("%s %u", element.name.c_str(), s));
        }
        if (std::string value = GetString(values, key, ""); !value.empty()) {
            sub->defaultValue = std::move(value);
        }
        m_dictionary.InsertEntry(std::move(sub));
    }
    return EdsImportResult::Success;
}
