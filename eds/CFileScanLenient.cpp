#include <algorithm>
#include <memory>
#include <optional>

#include "eds/CFileScan.h"
#include "eds/EdsFormat.h"
#include "eds/EdsResult.h"
#include "eds/ParseNumber.h"
#include "eds/ProfileFile.h"
#include "eds/SortRuns.h"
#include "model/HexDigits.h"
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

// Index sections are named by four hexadecimal digits, subindex sections by those, "sub" and one or two
// more, in any letter case: index << 16 | subindex, with 0xFFFF for an index section.
std::optional<std::uint32_t> ObjectSectionOf(std::string_view name) {
    const auto hexValue = [](std::string_view digits) -> int {
        int value = 0;
        for (const char c : digits) {
            const int digit = HexDigitValue(c);
            if (digit < 0) {
                return -1;
            }
            value = value * 16 + digit;
        }
        return digits.empty() ? -1 : value;
    };
    const int index = name.size() >= 4 ? hexValue(name.substr(0, 4)) : -1;
    if (index < 0) {
        return std::nullopt;
    }
    if (name.size() == 4) {
        return static_cast<std::uint32_t>(index) << 16 | 0xFFFFu;
    }
    if (name.size() >= 7 && name.size() <= 9 && (name[4] | 0x20) == 's' && (name[5] | 0x20) == 'u' &&
        (name[6] | 0x20) == 'b') {
        const int sub = name.size() > 7 ? hexValue(name.substr(7)) : -1;
        if (sub >= 0) {
            return static_cast<std::uint32_t>(index) << 16 | static_cast<std::uint32_t>(sub);
        }
    }
    return std::nullopt;
}

}  // namespace

void CFileScan::ReportRepair(const std::string& repair) {
    m_platform.MessageBox("Lenient import of " + m_strPath + ":\n" + repair, "Warning", MsgButtons::Ok,
                          MsgIcon::Exclamation);
}

void CFileScan::SurveyObjectLists() {
    unsigned missingEntries = 0;
    std::vector<bool> listed(0x10000, false);
    for (const char* list : ObjectLists) {
        const std::string countText = GetString(list, "SupportedObjects", "");
        if (countText.empty()) {
            ReportRepair(std::string(list) + " missing: read as an empty list");
            continue;
        }
        const unsigned count = ParseNumber(countText) & 0xFFFFu;
        for (unsigned n = 1; n <= count; ++n) {
            std::string value = GetString(list, ShortText().Decimal(n), "");
            if (value.empty()) {
                ++missingEntries;
            } else {
                listed[ListedIndex(std::move(value))] = true;
            }
        }
    }
    ReportCount(missingEntries, "object list entry missing: skipped", "object list entries missing: skipped");

    unsigned unlisted = 0;
    unsigned surplus = 0;
    unsigned counted = 0;
    for (const std::uint16_t index : m_indexSections) {
        unlisted += listed[index] ? 0 : 1;
        const unsigned announced =
            ParseNumber(GetString(ShortText().Hex(index, 4), "SubNumber", "")) & 0xFFFFu;
        const unsigned present = SubSectionCount(index);
        if (announced == 0) {
            counted += SubNumberOf(index) != 0 ? 1 : 0;
            continue;
        }
        surplus += present > announced ? present - announced : 0;
    }
    ReportCount(unlisted, "object section in no object list: read",
                "object sections in no object list: read");
    ReportCount(surplus, "subindex section beyond SubNumber: read",
                "subindex sections beyond SubNumber: read");
    ReportCount(counted, "ARRAY or RECORD without SubNumber: its subindex sections read",
                "ARRAYs or RECORDs without SubNumber: their subindex sections read");
}

void CFileScan::ReportCount(unsigned count, const char* one, const char* many) {
    if (count == 1) {
        ReportRepair(std::string("1 ") + one);
    } else if (count > 1) {
        ReportRepair(Format("%u %s", count, many));
    }
}

void CFileScan::FindObjectSections() {
    m_pProfile->ForEachSectionName([this](std::string_view name) {
        const std::optional<std::uint32_t> object = ObjectSectionOf(name);
        if (!object || !IsSupportedIndex(static_cast<std::uint16_t>(*object >> 16))) {
            return;
        }
        if ((*object & 0xFFFFu) == HeaderStructured) {
            const auto index = static_cast<std::uint16_t>(*object >> 16);
            m_indexSections.push_back(index);
            m_report.rxPdoSections += index >= 0x1400 && index <= 0x15FF ? 1 : 0;
            m_report.txPdoSections += index >= 0x1800 && index <= 0x19FF ? 1 : 0;
        } else {
            m_subSections.push_back((*object >> 16) * 0x100u + (*object & 0xFFu));
        }
    });
    // Most files hold their sections list by list, each list in order.
    SortRuns(m_indexSections.begin(), m_indexSections.end());
    SortRuns(m_subSections.begin(), m_subSections.end());
    m_subSections.erase(std::unique(m_subSections.begin(), m_subSections.end()), m_subSections.end());
}

// A section that no object list names is still part of the device: it takes the category of its range,
// and the three objects every device has are mandatory.
EdsImportResult CFileScan::ReadUnlistedObjects() {
    for (const std::uint16_t index : m_indexSections) {
        if (m_listed[index]) {
            continue;
        }
        m_listed[index] = true;
        Record(ImportRecordKind::UnlistedObject, index, HeaderStructured,
               m_pProfile->SectionLine(ShortText().Hex(index, 4)));
        const bool mandatory = index == 0x1000 || index == 0x1001 || index == 0x1018;
        const char* category = mandatory                           ? "mandatory"
                               : index >= 0x2000 && index < 0x6000 ? "manufacturer"
                                                                   : "optional";
        const EdsImportResult result = ReadIndex(index, category);
        if (result == EdsImportResult::OutOfMemory || result == EdsImportResult::EmptyPathInIndex) {
            return result;
        }
    }
    return EdsImportResult::Success;
}

void CFileScan::RecordUnlistedObjects() {
    for (const std::uint16_t index : m_indexSections) {
        if (m_listed[index]) {
            continue;
        }
        Record(ImportRecordKind::UnlistedObject, index, HeaderStructured,
               m_pProfile->SectionLine(ShortText().Hex(index, 4)));
    }
}

void CFileScan::RecordRepeats() {
    for (const ProfileFile::Repeat& repeat : m_pProfile->Repeats()) {
        ImportRecord record;
        record.kind =
            repeat.key.empty() ? ImportRecordKind::DuplicateSection : ImportRecordKind::DuplicateKey;
        record.name = repeat.section;
        record.key = repeat.key;
        record.line = repeat.line;
        record.firstLine = repeat.firstLine;
        const std::optional<std::uint32_t> object = ObjectSectionOf(repeat.section);
        if (object) {
            record.index = static_cast<std::uint16_t>(*object >> 16);
            record.subindex = static_cast<std::uint16_t>(*object & 0xFFFFu);
        }
        m_report.records.push_back(std::move(record));
    }
}

EdsImportResult CFileScan::ReadSurplusEntries(IndexEntry& entry, unsigned from) {
    const std::uint32_t begin = entry.index * 0x100u + from;
    auto at = std::lower_bound(m_subSections.begin(), m_subSections.end(), begin);
    for (; at != m_subSections.end() && (*at >> 8) == entry.index; ++at) {
        const auto subindex = static_cast<std::uint16_t>(*at & 0xFFu);
        Record(ImportRecordKind::SubNumberSurplus, entry.index, subindex,
               m_pProfile->SectionLine(ShortText().Hex(entry.index, 4).Text("sub").Hex(subindex)));
        if (!m_bLenient) {
            continue;
        }
        auto sub = std::make_unique<SubindexEntry>();
        sub->index = entry.index;
        sub->subindex = subindex;
        const EdsImportResult result = ReadParameterSection(*sub);
        if (result == EdsImportResult::Success) {
            m_dictionary.InsertEntry(std::move(sub));
        } else if (result != EdsImportResult::UnsupportedDataType) {
            return result;
        }
    }
    return EdsImportResult::Success;
}

unsigned CFileScan::SubSectionCount(std::uint16_t index) const {
    const auto first = std::lower_bound(m_subSections.begin(), m_subSections.end(), index * 0x100u);
    const auto last = std::lower_bound(first, m_subSections.end(), (index + 1u) * 0x100u);
    return static_cast<unsigned>(last - first);
}

// Without SubNumber, an ARRAY or RECORD that has subindex sections is read from them by the lenient
// import, unless it describes them with CompactSubObj.
std::uint16_t CFileScan::SubNumberOf(std::uint16_t index) const {
    const ShortText section = ShortText().Hex(index, 4);
    const auto announced = static_cast<std::uint16_t>(ParseNumber(GetString(section, "SubNumber", "")));
    if (announced != 0 || !m_bLenient || !GetString(section, "CompactSubObj", "").empty()) {
        return announced;
    }
    const auto objectType = static_cast<std::uint8_t>(GetNumber(section, "ObjectType"));
    if (objectType != ObjectTypeArray && objectType != ObjectTypeRecord) {
        return 0;
    }
    return static_cast<std::uint16_t>(SubSectionCount(index));
}

// An ARRAY or RECORD section without SubNumber may describe its subindices in one go with
// CompactSubObj=n. Only a data type the import takes is expanded: any other keeps the standard path,
// which warns once and drops the index.
unsigned CFileScan::CompactSubObjects(std::uint16_t index) const {
    if (!m_bLenient) {
        return 0;
    }
    const ShortText section = ShortText().Hex(index, 4);
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
EdsImportResult CFileScan::ReadCompactEntries(IndexEntry& entry, unsigned count) {
    auto header = std::make_unique<SubindexEntry>();
    header->index = entry.index;
    header->subindex = HeaderStructured;
    SubindexEntry element;
    element.index = entry.index;
    element.subindex = HeaderSingle;
    for (SubindexEntry* read : {header.get(), &element}) {
        if (const EdsImportResult result = ReadParameterSection(*read); result != EdsImportResult::Success) {
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
        const ShortText key = ShortText().Decimal(s);
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
