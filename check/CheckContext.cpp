#include "check/CheckContext.h"

#include <algorithm>
#include <cstdio>

#include "eds/ImportReport.h"
#include "model/NameTables.h"
#include "model/ObjectDictionary.h"

const IndexEntry* CheckContext::FindIndex(std::uint16_t index) const {
    return m_dictionary.FindIndexForEntry(index);
}

const SubindexEntry* CheckContext::FindEntry(std::uint16_t index, std::uint16_t subindex) const {
    const IndexEntry* object = FindIndex(index);
    if (object == nullptr || object->subindices.empty()) {
        return nullptr;
    }
    // A single object answers to subindex 0 with its one entry; header numbers are no subindex.
    if (object->Header()->subindex == HeaderSingle) {
        return subindex == 0 ? object->Header() : nullptr;
    }
    return subindex <= 0xFF ? m_dictionary.FindEntry(index, subindex) : nullptr;
}

std::string CheckContext::LeftOutReason(std::uint16_t index, std::uint16_t subindex) const {
    if (m_report == nullptr) {
        return "";
    }
    const ImportRecord* record = m_report->LeftOut(index, subindex);
    if (record == nullptr) {
        return "";
    }
    switch (record->kind) {
        case ImportRecordKind::UnlistedObject:
            return "no object list names it";
        case ImportRecordKind::SubNumberSurplus:
            return "it stands beyond SubNumber";
        default:
            return TypeText(record->dataType) + " not supported";
    }
}

int CheckContext::HighestLeftOut(std::uint16_t index) const {
    if (m_report == nullptr) {
        return -1;
    }
    // The entries left out are sorted by index << 16 | subindex, the index's own section last.
    const auto& leftOut = m_report->leftOut;
    auto at = std::lower_bound(leftOut.begin(), leftOut.end(), ImportReport::Key(index, 0x100),
                               [](const auto& row, std::uint32_t key) { return row.first < key; });
    if (at == leftOut.begin() || (std::prev(at)->first >> 16) != index) {
        return -1;
    }
    return static_cast<int>(std::prev(at)->first & 0xFFFFu);
}

std::uint8_t CheckContext::AbsentValues(const SubindexEntry& entry) const {
    return m_report == nullptr ? 0 : m_report->AbsentValues(entry.index, entry.subindex);
}

std::uint32_t CheckContext::UnsignedDefault(const SubindexEntry& entry) {
    ConvertedValues values;
    return ConvertEntryValues(entry, values) == ValueKind::Unsigned ? values.unsignedDefault : 0;
}

void CheckContext::Add(const char* rule, Severity severity, const SubindexEntry& at, std::string text) {
    Finding finding{rule, severity, at.index, std::nullopt, std::move(text)};
    if (!at.IsHeader()) {
        finding.subindex = at.subindex;
    }
    m_findings.push_back(std::move(finding));
}

void CheckContext::Add(const char* rule, Severity severity, const IndexEntry& at, std::string text) {
    m_findings.push_back(Finding{rule, severity, at.index, std::nullopt, std::move(text)});
}

void CheckContext::Add(const char* rule, Severity severity, std::string text) {
    m_findings.push_back(Finding{rule, severity, std::nullopt, std::nullopt, std::move(text)});
}

std::string TypeText(std::uint8_t dataType) {
    if (dataType == DataTypeCode::Boolean) {
        return "BOOLEAN";
    }
    std::string name = DataTypeName(dataType);
    if (name.empty()) {
        char text[24];
        std::snprintf(text, sizeof text, "data type 0x%04X", static_cast<unsigned>(dataType));
        name = text;
    }
    return name;
}
