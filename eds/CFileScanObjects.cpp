#include <cstring>
#include <memory>
#include <optional>

#include "eds/CFileScan.h"
#include "eds/EdsFormat.h"
#include "eds/EdsResult.h"
#include "eds/ParseNumber.h"
#include "eds/ProfileFile.h"
#include "model/NameTables.h"
#include "model/ObjectDictionary.h"
#include "platform/ParallelWork.h"
#include "platform/Platform.h"

namespace {

struct IndexRange {
    std::uint16_t first;
    std::uint32_t end;  // excluded
};

// Each range includes its last index, as the index dialog does: 0x1FFF, 0x5FFF and 0xFFFF are taken.
constexpr IndexRange SupportedRanges[] = {{0x1000, 0x2000}, {0x2000, 0x6000}, {0x6000, 0x10000}};

constexpr unsigned LastSubindex = 0xFF;

// Below this many sections named by an object list, the list is read in one thread.
constexpr std::size_t ParallelMinimumSections = 4096;

// "%04X" for the index's own section, "%04XSub%X" for a subindex.
ShortText SectionName(std::uint16_t index, std::uint16_t subindex) {
    ShortText name;
    name.Hex(index, 4);
    if (subindex != HeaderStructured && subindex != HeaderSingle) {
        name.Text("Sub").Hex(subindex);
    }
    return name;
}

// The keys of an object section that the import reads, as the file gives them; an absent key has no
// value. They are collected in one walk over the section's keys: a large file has hundreds of
// thousands of them, and a look-up per key would cost several times the walk.
struct ObjectKeys {
    std::optional<std::string_view> name;
    std::optional<std::string_view> objectType;
    std::optional<std::string_view> dataType;
    std::optional<std::string_view> accessType;
    std::optional<std::string_view> pdoMapping;
    std::optional<std::string_view> defaultValue;
    std::optional<std::string_view> lowLimit;
    std::optional<std::string_view> highLimit;
};

// Key names match without regard to ASCII letter case, as every look-up of the profile file does. The
// key is made of letters only, 8 to 16 of them, and as long as the name: a byte ORed with 0x20 gives a
// lower-case letter only when it is that letter in either case, so two words of eight bytes, the
// second one overlapping the first, settle the comparison.
bool NameIs(std::string_view name, std::string_view key) {
    const auto word = [](const char* at) {
        std::uint64_t bytes = 0;
        std::memcpy(&bytes, at, sizeof bytes);
        return bytes | 0x2020202020202020ull;
    };
    const std::size_t last = name.size() - 8;
    return word(name.data()) == word(key.data()) && word(name.data() + last) == word(key.data() + last);
}

ObjectKeys ReadObjectKeys(const ProfileFile& profile, std::size_t section) {
    ObjectKeys keys;
    profile.ForEachKey(section, [&keys](std::string_view name, std::string_view value) {
        std::optional<std::string_view>* slot = nullptr;
        switch (name.size()) {
            case 8:
                slot = NameIs(name, "DataType")   ? &keys.dataType
                       : NameIs(name, "LowLimit") ? &keys.lowLimit
                                                  : nullptr;
                break;
            case 9:
                slot = NameIs(name, "HighLimit") ? &keys.highLimit : nullptr;
                break;
            case 10:
                slot = NameIs(name, "ObjectType")   ? &keys.objectType
                       : NameIs(name, "AccessType") ? &keys.accessType
                       : NameIs(name, "PDOMapping") ? &keys.pdoMapping
                                                    : nullptr;
                break;
            case 12:
                slot = NameIs(name, "DefaultValue") ? &keys.defaultValue : nullptr;
                break;
            case 13:
                slot = NameIs(name, "ParameterName") ? &keys.name : nullptr;
                break;
            default:
                break;
        }
        if (slot != nullptr) {
            *slot = value;
        }
    });
    return keys;
}

std::string_view ValueOr(const std::optional<std::string_view>& value, std::string_view absent) {
    return value ? *value : absent;
}

bool HasValue(const std::optional<std::string_view>& value) {
    return value && !value->empty();
}

bool HasTextValue(std::uint8_t dataType) {
    return dataType == DataTypeCode::VisibleString || dataType == DataTypeCode::OctetString ||
           dataType == DataTypeCode::UnicodeString || dataType == DataTypeCode::Domain;
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

// The lenient import keeps entries of every data type as well (the other basic types of CiA 301 and the
// types a device defines itself), so that nothing of the file is lost, although the generated sources
// have no line for them.
bool CFileScan::IsImportedDataType(std::uint8_t type) const {
    return (type >= 0x02 && type <= 0x09) || type == DataTypeCode::Domain || (type >= 0x20 && type <= 0x23) ||
           (m_bLenient && type != 0);
}

bool CFileScan::SectionExists(std::uint16_t index, std::uint16_t subindex) const {
    return ObjectSection(index, subindex) != ProfileFile::NoSection;
}

std::size_t CFileScan::ObjectSection(std::uint16_t index, std::uint16_t subindex) const {
    const std::size_t section = m_pProfile->SectionAt(SectionName(index, subindex), m_nearSection);
    return section != ProfileFile::NoSection && m_pProfile->HasKeysAt(section) ? section
                                                                               : ProfileFile::NoSection;
}

std::uint16_t CFileScan::ListedIndex(std::string value) {
    value = ToLower(std::move(value));
    if (value.compare(0, 2, "0x") != 0) {
        value.insert(0, "0x");
    }
    return static_cast<std::uint16_t>(ParseNumber(value));
}

EdsImportResult CFileScan::CreateIndexList(const std::string& listName) {
    if (m_strPath.empty()) {
        return EdsImportResult::EmptyPath;
    }
    const std::string countText = GetString(listName, "SupportedObjects", "");
    if (countText.empty()) {
        // The lenient survey has reported the missing list; it is read as an empty one.
        return m_bLenient ? EdsImportResult::Success : EdsImportResult::InvalidObjectList;
    }
    const unsigned count = ParseNumber(countText) & 0xFFFFu;
    // The list is taken in first: which indices it has read is known before any is read, and an entry
    // the standard import refuses ends the list after the indices named before it.
    std::vector<ListStep> steps;
    bool refused = false;
    for (unsigned n = 1; n <= count; ++n) {
        std::string value = GetString(listName, ShortText().Decimal(n), "");
        if (value.empty() && m_bLenient) {
            continue;  // counted and reported by the survey
        }
        if (value.empty()) {
            refused = true;
            break;
        }
        const std::uint16_t number = ListedIndex(std::move(value));
        if (!IsSupportedIndex(number)) {
            steps.push_back(ListStep{n, number, true});
            continue;
        }
        if (m_listed[number]) {
            continue;
        }
        m_listed[number] = true;
        steps.push_back(ListStep{n, number, false});
    }
    // A list is read in two halves when it names many sections, counted by the sections each step reads.
    std::vector<std::size_t> weights;
    weights.reserve(steps.size());
    std::size_t sections = 0;
    for (const ListStep& step : steps) {
        weights.push_back(step.outOfRange ? 1 : 1 + SubSectionCount(step.number));
        sections += weights.back();
    }
    const EdsImportResult result = steps.size() > 1 && ParallelWork::Worth(sections, ParallelMinimumSections)
                                       ? RunListStepsInHalves(listName, steps, weights, sections)
                                       : RunListSteps(listName, steps.data(), steps.data() + steps.size());
    if (refused) {
        return EdsImportResult::InvalidObjectList;
    }
    // Each of these spoils one index only, and its message has been shown.
    const bool indexFailure = result == EdsImportResult::MissingSection ||
                              result == EdsImportResult::SubindexCountMismatch ||
                              result == EdsImportResult::UnsupportedDataType;
    return m_bLenient && indexFailure ? EdsImportResult::Success : result;
}

EdsImportResult CFileScan::RunListSteps(const std::string& listName, const ListStep* first,
                                        const ListStep* end) {
    EdsImportResult result = EdsImportResult::Success;
    for (; first != end; ++first) {
        const ListStep& step = *first;
        if (step.outOfRange || !SectionExists(step.number, HeaderSingle)) {
            Record(
                step.outOfRange ? ImportRecordKind::IndexOutOfRange : ImportRecordKind::ListedWithoutSection,
                step.number, HeaderStructured, m_pProfile->KeyLine(listName, ShortText().Decimal(step.key)));
            m_report.records.back().name = listName;
            m_report.records.back().kept = false;
        }
        if (!step.outOfRange) {
            result = ReadIndex(step.number, CategoryOf(listName));
        }
    }
    return result;
}

EdsImportResult CFileScan::ReadIndex(std::uint16_t number, const char* category) {
    auto created = std::make_unique<IndexEntry>();
    IndexEntry& entry = *created;
    entry.index = number;
    const bool structured = SubNumberOf(number) != 0 || CompactSubObjects(number) != 0;
    entry.headerSubindex = structured ? HeaderStructured : HeaderSingle;
    entry.kindMarker = structured ? KindStructured : KindSingle;
    entry.category = category;
    if (const char* callback = ObjectDictionary::DefaultCallbackFor(number); callback != nullptr) {
        entry.callbackName = callback;
    }
    const std::uint16_t position = m_dictionary.InsertIndex(std::move(created));

    const EdsImportResult result = CreateSubIndexList(entry);
    // A single-entry object whose only entry could not be read would be an index without entries.
    // A structured object left with nothing but its header cannot be generated, and its export
    // would announce SubNumber=0, a VAR without a data type: it goes as well, whatever the result.
    const bool lostEntry =
        result == EdsImportResult::UnsupportedDataType || result == EdsImportResult::MissingSection;
    const bool emptyStructure = structured && entry.subindices.size() < 2;
    if (((lostEntry && !structured) || emptyStructure) && m_dictionary.GetIndexAt(position) == &entry) {
        m_dictionary.RemoveIndexAt(position);
    }
    return result;
}

EdsImportResult CFileScan::CreateSubIndexList(IndexEntry& entry) {
    if (m_strPath.empty()) {
        return EdsImportResult::EmptyPathInIndex;
    }
    EntryCountKeeper keeper{entry};
    if (const std::uint16_t subNumber = SubNumberOf(entry.index); subNumber != 0) {
        return ReadStructuredEntries(entry, subNumber);
    }
    if (const unsigned compact = CompactSubObjects(entry.index); compact != 0) {
        return ReadCompactEntries(entry, compact);
    }
    auto single = std::make_unique<SubindexEntry>();
    single->index = entry.index;
    single->subindex = HeaderSingle;
    const EdsImportResult result = ReadParameterSection(*single);
    if (result == EdsImportResult::Success) {
        m_dictionary.InsertEntry(std::move(single));
    }
    return result;
}

// Reads the header and the announced subindex sections, finding them across gaps. A single missing
// section is accepted without a word; two or more stop the index with the mismatch message.
EdsImportResult CFileScan::ReadStructuredEntries(IndexEntry& entry, std::uint16_t subNumber) {
    unsigned remaining = subNumber + 1u;
    unsigned s = HeaderStructured;
    while (remaining != 0) {
        if (s != HeaderStructured && s > LastSubindex) {
            break;
        }
        const std::size_t section = ObjectSection(entry.index, static_cast<std::uint16_t>(s));
        if (section == ProfileFile::NoSection) {
            s = (s + 1) & 0xFFFFu;
            continue;
        }
        auto sub = std::make_unique<SubindexEntry>();
        sub->index = entry.index;
        sub->subindex = static_cast<std::uint16_t>(s);
        const EdsImportResult result = ReadParameterSectionAt(*sub, section);
        if (result == EdsImportResult::Success) {
            m_dictionary.InsertEntry(std::move(sub));
        } else if (result != EdsImportResult::UnsupportedDataType) {
            return result;
        }
        s = (s + 1) & 0xFFFFu;
        --remaining;
    }
    if (remaining == 0) {
        const EdsImportResult result = ReadSurplusEntries(entry, s);
        if (result != EdsImportResult::Success) {
            return result;
        }
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

// The value keys a numeric entry lacks or leaves empty: the checker must not take the 0x0 read in their
// place for a value of the file.
void CFileScan::RecordAbsentValues(bool hasDefault, bool hasLow, bool hasHigh, const SubindexEntry& entry) {
    if (HasTextValue(entry.dataType) ||
        (entry.dataType >= DataTypeCode::PdoCommParam && entry.dataType <= DataTypeCode::Identity)) {
        return;
    }
    std::uint8_t absent = 0;
    absent |= hasDefault ? 0 : ImportReport::NoDefault;
    absent |= hasLow ? 0 : ImportReport::NoLowLimit;
    absent |= hasHigh ? 0 : ImportReport::NoHighLimit;
    // Without either limit there is no range whatever the default; only the other cases need telling.
    if ((absent & ImportReport::NoDefault) != 0 ||
        (absent & (ImportReport::NoLowLimit | ImportReport::NoHighLimit)) == ImportReport::NoLowLimit ||
        (absent & (ImportReport::NoLowLimit | ImportReport::NoHighLimit)) == ImportReport::NoHighLimit) {
        m_report.absentValues.emplace_back(
            ImportReport::Key(entry.index,
                              entry.subindex == HeaderSingle ? HeaderStructured : entry.subindex),
            absent);
    }
}

EdsImportResult CFileScan::ReadParameterSection(SubindexEntry& entry) {
    if (m_strPath.empty()) {
        return EdsImportResult::EmptyPathInIndex;
    }
    const std::size_t section = ObjectSection(entry.index, entry.subindex);
    if (section == ProfileFile::NoSection) {
        ShowError(
            Format("An error ocurred while reading the EDS-File %s!\nInvalid index 0x%04X, subindex 0x%02X!",
                   m_strPath.c_str(), entry.index, entry.subindex),
            "Read EDS-File");
        return EdsImportResult::MissingSection;
    }
    return ReadParameterSectionAt(entry, section);
}

EdsImportResult CFileScan::ReadParameterSectionAt(SubindexEntry& entry, std::size_t section) {
    m_report.entryLines.emplace_back(
        ImportReport::Key(entry.index, entry.subindex == HeaderSingle ? HeaderStructured : entry.subindex),
        m_pProfile->SectionLineAt(section));
    const ObjectKeys keys = ReadObjectKeys(*m_pProfile, section);
    // The texts are built new and moved in: assigning to a string would first check whether the
    // text overlaps it.
    entry.name = std::string(ValueOr(keys.name, ""));
    // Without an ObjectType a section is a VAR; the header of an index with subindices is a RECORD.
    const std::string_view objectType = ValueOr(keys.objectType, "");
    entry.objectType = objectType.empty()
                           ? (entry.subindex == HeaderStructured ? ObjectCode::Record : ObjectCode::Var)
                           : static_cast<std::uint8_t>(ParseNumber(objectType));
    if (entry.subindex == HeaderStructured) {
        return EdsImportResult::Success;
    }
    entry.dataType = static_cast<std::uint8_t>(ParseNumber(ValueOr(keys.dataType, "0")));
    if (IsImportedDataType(entry.dataType)) {
        entry.accessType = ToLower(std::string(ValueOr(keys.accessType, "")));
        entry.pdoMapping = static_cast<std::uint8_t>(ParseNumber(ValueOr(keys.pdoMapping, "0")));
        // A text without a default is empty; a number needs one for the generator.
        entry.defaultValue =
            std::string(ValueOr(keys.defaultValue, HasTextValue(entry.dataType) ? "" : "0x0"));
        entry.lowLimit = std::string(ValueOr(keys.lowLimit, "0x0"));
        entry.highLimit = std::string(ValueOr(keys.highLimit, "0x0"));
        RecordAbsentValues(HasValue(keys.defaultValue), HasValue(keys.lowLimit), HasValue(keys.highLimit),
                           entry);
        return EdsImportResult::Success;
    }
    const std::string text =
        entry.subindex == HeaderSingle
            ? Format("Data Type of index 0x%04X not supported", entry.index)
            : Format("Data Type of index 0x%04X,subindex 0x%02X not supported!", entry.index, entry.subindex);
    m_platform.MessageBox(text, "Warning", MsgButtons::Ok, MsgIcon::Exclamation);
    Record(ImportRecordKind::UnsupportedDataType, entry.index, entry.subindex,
           m_report.entryLines.back().second);
    m_report.records.back().dataType = entry.dataType;
    m_report.records.back().kept = false;
    if (IsCiaBasicDataType(entry.dataType)) {
        ++m_nLeftOutForType;
    }
    return EdsImportResult::UnsupportedDataType;
}
