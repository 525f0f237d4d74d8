#include <memory>

#include "eds/CFileScan.h"
#include "eds/EdsFormat.h"
#include "eds/EdsResult.h"
#include "eds/ParseNumber.h"
#include "eds/ProfileFile.h"
#include "model/NameTables.h"
#include "model/ObjectDictionary.h"
#include "platform/Platform.h"

namespace {

struct IndexRange {
    std::uint16_t first;
    std::uint32_t end;  // excluded
};

// The upper end of each range is excluded, so 0x1FFF, 0x5FFF and 0xFFFF are never taken.
constexpr IndexRange SupportedRanges[] = {{0x1000, 0x1FFF}, {0x2000, 0x5FFF}, {0x6000, 0xFFFF}};

constexpr unsigned LastSubindex = 0xFF;

// "%04X" for the index's own section, "%04XSub%X" for a subindex.
std::string SectionName(std::uint16_t index, std::uint16_t subindex) {
    ShortText name;
    name.Hex(index, 4);
    if (subindex != HeaderStructured && subindex != HeaderSingle) {
        name.Text("Sub").Hex(subindex);
    }
    return name.Str();
}

const char* CategoryOf(const std::string& listName) {
    if (listName == "MandatoryObjects") {
        return "mandatory";
    }
    if (listName == "ManufacturerObjects") {
        return "manufacturer";
    }
    return "optional";
}

// Every index keeps entryCount equal to the number of entries it holds, whatever path the reading took;
// the writer and the views walk the entries by that count.
struct EntryCountKeeper {
    IndexEntry& entry;
    ~EntryCountKeeper() { entry.entryCount = static_cast<std::uint16_t>(entry.subindices.size()); }
};

}  // namespace

bool CFileScan::IsSupportedIndex(std::uint16_t index) {
    for (const IndexRange& range : SupportedRanges) {
        if (range.first <= index && index < range.end) {
            return true;
        }
    }
    return false;
}

bool CFileScan::IsImportedDataType(std::uint8_t type) {
    return (type >= 0x02 && type <= 0x09) || type == DataTypeCode::Domain || (type >= 0x20 && type <= 0x23);
}

bool CFileScan::SectionExists(std::uint16_t index, std::uint16_t subindex) const {
    return m_pProfile->HasKeys(SectionName(index, subindex));
}

int CFileScan::CreateIndexList(const std::string& listName) {
    if (m_strPath.empty()) {
        return EdsImportResult::EmptyPath;
    }
    const std::string countText = GetString(listName, "SupportedObjects", "");
    if (countText.empty()) {
        // The lenient survey has reported the missing list; it is read as an empty one.
        return m_bLenient ? EdsImportResult::Success : EdsImportResult::InvalidObjectList;
    }
    if (m_listed.empty()) {
        m_listed.assign(0x10000, false);
    }
    const unsigned count = ParseNumber(countText) & 0xFFFFu;
    int result = EdsImportResult::Success;
    for (unsigned n = 1; n <= count; ++n) {
        std::string value = ToLower(GetString(listName, Format("%u", n), ""));
        if (value.empty() && m_bLenient) {
            continue;  // counted and reported by the survey
        }
        if (value.empty()) {
            return EdsImportResult::InvalidObjectList;
        }
        if (value.compare(0, 2, "0x") != 0) {
            value.insert(0, "0x");
        }
        const auto number = static_cast<std::uint16_t>(ParseNumber(value));
        if (!IsSupportedIndex(number) || m_listed[number]) {
            continue;
        }
        m_listed[number] = true;

        auto created = std::make_unique<IndexEntry>();
        IndexEntry& entry = *created;
        entry.index = number;
        const bool structured =
            (ParseNumber(GetString(SectionName(number, HeaderSingle), "SubNumber", "")) & 0xFFFFu) != 0 ||
            CompactSubObjects(number) != 0;
        entry.headerSubindex = structured ? HeaderStructured : HeaderSingle;
        entry.kindMarker = structured ? KindStructured : KindSingle;
        entry.category = CategoryOf(listName);
        if (m_dictionary.LookupDefaultCallback(number) != 0) {
            entry.callbackName = m_dictionary.GetLookupResult();
        }
        const std::uint16_t position = m_dictionary.InsertIndex(std::move(created));

        result = CreateSubIndexList(entry);
        // A single-entry object whose only entry could not be read would be an index without entries.
        // A structured object left with nothing but its header cannot be generated, and its export
        // would announce SubNumber=0, a VAR without a data type: it goes as well, whatever the result.
        const bool lostEntry =
            result == EdsImportResult::UnsupportedDataType || result == EdsImportResult::MissingSection;
        const bool emptyStructure = structured && entry.subindices.size() < 2;
        if (((lostEntry && !structured) || emptyStructure) && m_dictionary.GetIndexAt(position) == &entry) {
            m_dictionary.RemoveIndexAt(position);
        }
    }
    // Each of these spoils one index only, and its message has been shown.
    const bool indexFailure = result == EdsImportResult::MissingSection ||
                              result == EdsImportResult::SubindexCountMismatch ||
                              result == EdsImportResult::UnsupportedDataType;
    return m_bLenient && indexFailure ? EdsImportResult::Success : result;
}

int CFileScan::CreateSubIndexList(IndexEntry& entry) {
    if (m_strPath.empty()) {
        return EdsImportResult::EmptyPathInIndex;
    }
    EntryCountKeeper keeper{entry};
    const auto subNumber = static_cast<std::uint16_t>(
        ParseNumber(GetString(SectionName(entry.index, HeaderSingle), "SubNumber", "")));
    if (subNumber != 0) {
        return ReadStructuredEntries(entry, subNumber);
    }
    if (const unsigned compact = CompactSubObjects(entry.index); compact != 0) {
        return ReadCompactEntries(entry, compact);
    }
    auto single = std::make_unique<SubindexEntry>();
    single->index = entry.index;
    single->subindex = HeaderSingle;
    const int result = ReadParameterSection(*single);
    if (result == EdsImportResult::Success) {
        m_dictionary.InsertEntry(std::move(single));
    }
    return result;
}

// Reads the header and the announced subindex sections, finding them across gaps. A single missing
// section is accepted without a word; two or more stop the index with the mismatch message.
int CFileScan::ReadStructuredEntries(IndexEntry& entry, std::uint16_t subNumber) {
    unsigned remaining = subNumber + 1u;
    unsigned s = HeaderStructured;
    while (remaining != 0) {
        if (s != HeaderStructured && s > LastSubindex) {
            break;
        }
        if (!SectionExists(entry.index, static_cast<std::uint16_t>(s))) {
            s = (s + 1) & 0xFFFFu;
            continue;
        }
        auto sub = std::make_unique<SubindexEntry>();
        sub->index = entry.index;
        sub->subindex = static_cast<std::uint16_t>(s);
        const int result = ReadParameterSection(*sub);
        if (result == EdsImportResult::Success) {
            m_dictionary.InsertEntry(std::move(sub));
        } else if (result != EdsImportResult::UnsupportedDataType) {
            return result;
        }
        s = (s + 1) & 0xFFFFu;
        --remaining;
    }
    if (remaining > 1) {
        m_platform.MessageBox(
            Format("The number of subindices of the index 0x%04X is different from thecurrent number! Please "
                   "check out your EDS file at the given index,edit this index and restart the import of EDS "
                   "file!",
                   entry.index),
            "Error", MsgButtons::Ok, MsgIcon::Error);
        m_nErrorIndex = entry.index;
        return EdsImportResult::SubindexCountMismatch;
    }
    return EdsImportResult::Success;
}

int CFileScan::ReadParameterSection(SubindexEntry& entry) {
    if (m_strPath.empty()) {
        return EdsImportResult::EmptyPathInIndex;
    }
    const std::string section = SectionName(entry.index, entry.subindex);
    if (!m_pProfile->HasKeys(section)) {
        ShowError(
            Format("An error ocurred while reading the EDS-File %s!\nInvalid index 0x%04X, subindex 0x%02X!",
                   m_strPath.c_str(), entry.index, entry.subindex),
            "Read EDS-File");
        return EdsImportResult::MissingSection;
    }
    entry.name = GetString(section, "ParameterName", "");
    entry.objectType = static_cast<std::uint8_t>(GetNumber(section, "ObjectType"));
    if (entry.subindex == HeaderStructured) {
        return EdsImportResult::Success;
    }
    entry.dataType = static_cast<std::uint8_t>(GetNumber(section, "DataType"));
    if (IsImportedDataType(entry.dataType)) {
        entry.accessType = ToLower(GetString(section, "AccessType", ""));
        entry.pdoMapping = static_cast<std::uint8_t>(GetNumber(section, "PDOMapping"));
        entry.defaultValue = GetString(section, "DefaultValue", "0x0");
        entry.lowLimit = GetString(section, "LowLimit", "0x0");
        entry.highLimit = GetString(section, "HighLimit", "0x0");
        return EdsImportResult::Success;
    }
    const std::string text =
        entry.subindex == HeaderSingle
            ? Format("Data Type of index 0x%04X not supported", entry.index)
            : Format("Data Type of index 0x%04X,subindex 0x%02X not supported!", entry.index, entry.subindex);
    m_platform.MessageBox(text, "Warning", MsgButtons::Ok, MsgIcon::Exclamation);
    return EdsImportResult::UnsupportedDataType;
}
