#include <algorithm>
#include <bitset>
#include <vector>

#include "eds/CEdsWriter.h"
#include "eds/EdsFormat.h"
#include "eds/EdsResult.h"
#include "eds/ProfileFile.h"
#include "model/NameTables.h"
#include "model/ObjectDictionary.h"
#include "model/ValueConversion.h"
#include "platform/ParallelWork.h"

namespace {

bool IsComplexOrNoType(std::uint8_t dataType) {
    return dataType == 0 || (dataType >= DataTypeCode::PdoCommParam && dataType <= DataTypeCode::Identity);
}

const char* ListSectionOf(const std::string& category) {
    if (category == "mandatory") {
        return "MandatoryObjects";
    }
    if (category == "manufacturer") {
        return "ManufacturerObjects";
    }
    return "OptionalObjects";
}

// An index without any entry has nothing to describe it; it is left out of the file and of its
// object list instead of being written as a section the reader would refuse.
bool IsListed(const IndexEntry& entry, const std::string& category) {
    return entry.category == category && !entry.subindices.empty();
}

// Only real subindices 0x00..0xFF have a section of their own; header entries (even a stray second
// one) and numbers the format cannot hold are not written as subindices.
bool IsSubindexSection(const SubindexEntry& entry) {
    return entry.subindex <= 0xFF;
}

// Puts the stored text in place of its converted number when it mentions the node-ID.
bool KeepNodeIdText(const std::string& stored, std::string_view& written) {
    if (!MentionsNodeId(stored)) {
        return false;
    }
    written = stored;
    return true;
}

bool IsWritten(const IndexEntry& entry) {
    return IsListed(entry, "mandatory") || IsListed(entry, "manufacturer") || IsListed(entry, "optional");
}

// The keys and fixed texts of one subindex section, with its numbers at their longest.
constexpr std::size_t SubIndexSectionSize = 200;
constexpr std::size_t FixedSectionsSize = 2048;
// Below this many entries in one object list, its sections are built in one thread.
constexpr std::size_t ParallelMinimumEntries = 4096;

}  // namespace

bool CEdsWriter::SetsAKeyTwice() const {
    const DummyUsageSection& table = m_deviceInfo.DummyUsage;
    std::bitset<256> dummyTypes;
    for (int i = 0; i < std::min<int>(table.dummyCount, DummyUsageSection::SlotCount); ++i) {
        const std::uint8_t type = table.entries[static_cast<std::size_t>(i)].dataType;
        if (dummyTypes.test(type)) {
            return true;
        }
        dummyTypes.set(type);
    }
    std::vector<bool> indices(0x10000, false);
    for (std::uint16_t i = 0; i < m_dictionary.GetIndexCount(); ++i) {
        const IndexEntry& entry = *m_dictionary.GetIndexAt(i);
        if (!IsWritten(entry)) {
            continue;
        }
        if (indices[entry.index]) {
            return true;
        }
        indices[entry.index] = true;
        if (entry.subindices.front()->subindex == HeaderSingle) {
            continue;
        }
        std::bitset<256> subindices;
        for (const auto& sub : entry.subindices) {
            if (IsSubindexSection(*sub)) {
                if (subindices.test(sub->subindex)) {
                    return true;
                }
                subindices.set(sub->subindex);
            }
        }
    }
    return false;
}

std::size_t CEdsWriter::SectionsSize(const IndexEntry* const* first, const IndexEntry* const* end) {
    std::size_t size = 0;
    for (; first != end; ++first) {
        for (const auto& sub : (*first)->subindices) {
            size += SubIndexSectionSize + sub->name.size() + sub->accessType.size() +
                    sub->defaultValue.size() + sub->lowLimit.size() + sub->highLimit.size();
        }
    }
    return size;
}

bool CEdsWriter::HasMandatoryIndex() const {
    for (std::uint16_t i = 0; i < m_dictionary.GetIndexCount(); ++i) {
        if (IsListed(*m_dictionary.GetIndexAt(i), "mandatory")) {
            return true;
        }
    }
    return false;
}

std::size_t CEdsWriter::EstimatedSize() const {
    std::size_t size = FixedSectionsSize + m_fileInfo.Description.size() + m_deviceInfo.VendorName.size() +
                       m_deviceInfo.ProductName.size() + m_deviceInfo.OrderCode.size();
    for (const CommentLine& line : m_dictionary.CommentLines()) {
        size += line.text.size() + 16;
    }
    for (std::uint16_t i = 0; i < m_dictionary.GetIndexCount(); ++i) {
        const IndexEntry* entry = m_dictionary.GetIndexAt(i);
        size += SectionsSize(&entry, &entry + 1);
    }
    return size;
}

EdsExportResult CEdsWriter::WriteObjectList(const std::string& category) {
    const std::string list = ListSectionOf(category);
    unsigned count = 0;
    for (std::uint16_t i = 0; i < m_dictionary.GetIndexCount(); ++i) {
        count += IsListed(*m_dictionary.GetIndexAt(i), category) ? 1 : 0;
    }
    const auto count16 = static_cast<std::uint16_t>(count);
    if (category == "mandatory") {
        m_deviceInfo.mandatoryCount = count16;
    } else if (category == "manufacturer") {
        m_deviceInfo.manufacturerCount = count16;
    } else {
        m_deviceInfo.optionalCount = count16;
    }

    if (count == 0) {
        if (category == "mandatory") {
            return EdsExportResult::NoMandatoryIndex;
        }
        return Set(list, "SupportedObjects", "0", EndOfSection) ? EdsExportResult::Success
                                                                : EdsExportResult::WriteFailed;
    }
    if (!Set(list, "SupportedObjects", ShortText().Decimal(count))) {
        return EdsExportResult::WriteFailed;
    }
    unsigned k = 0;
    for (std::uint16_t i = 0; i < m_dictionary.GetIndexCount() && k < count; ++i) {
        const IndexEntry& entry = *m_dictionary.GetIndexAt(i);
        if (!IsListed(entry, category)) {
            continue;
        }
        ++k;
        if (!Set(list, ShortText().Decimal(k), ShortText().Text("0x").Hex(entry.index, 4), k == count)) {
            return EdsExportResult::WriteFailed;
        }
    }
    std::vector<const IndexEntry*> listed;
    listed.reserve(count);
    std::size_t entryCount = 0;
    for (std::uint16_t i = 0; i < m_dictionary.GetIndexCount(); ++i) {
        const IndexEntry& entry = *m_dictionary.GetIndexAt(i);
        if (IsListed(entry, category)) {
            listed.push_back(&entry);
            entryCount += entry.subindices.size();
        }
    }
    if (m_pProfile || !ParallelWork::Worth(entryCount, ParallelMinimumEntries)) {
        return WriteIndexSections(listed.data(), listed.data() + listed.size());
    }
    // The sections of the second half are built by a writer of their own, on another thread, and
    // joined to the text after the first half. Each index starts a section, so the halves meet cleanly.
    const IndexEntry* const* middle = listed.data();
    for (std::size_t taken = 0; taken < entryCount / 2; ++middle) {
        taken += (*middle)->subindices.size();
    }
    const IndexEntry* const* end = listed.data() + listed.size();
    CEdsWriter second(m_strPath, m_dictionary, m_fileInfo, m_deviceInfo, m_platform);
    // Reserved here, the room comes from memory the import has freed rather than from fresh pages.
    second.m_text.Reserve(SectionsSize(middle, end));
    EdsExportResult firstResult = EdsExportResult::Success;
    EdsExportResult secondResult = EdsExportResult::Success;
    ParallelWork::RunBoth([&] { firstResult = WriteIndexSections(listed.data(), middle); },
                          [&] { secondResult = second.WriteIndexSections(middle, end); });
    if (firstResult != EdsExportResult::Success) {
        return firstResult;
    }
    if (!second.m_text.Empty()) {
        Append(second.m_text.View());
        m_strSection = second.m_strSection;
    }
    return secondResult;
}

EdsExportResult CEdsWriter::WriteIndexSections(const IndexEntry* const* first, const IndexEntry* const* end) {
    for (; first != end; ++first) {
        const EdsExportResult result = WriteIndexSection(**first);
        if (result != EdsExportResult::Success) {
            return result;
        }
    }
    return EdsExportResult::Success;
}

// The entries are walked as they are held; SubNumber counts the subindex entries, which is
// entryCount - 1 for every index whose count is kept in line with its entries.
EdsExportResult CEdsWriter::WriteIndexSection(const IndexEntry& entry) {
    const SubindexEntry& first = *entry.subindices.front();
    const ShortText section = ShortText().Hex(entry.index, 4);
    bool ok = true;
    if (first.subindex == HeaderSingle) {
        ok &= Set(section, "ParameterName", first.name);
        ok &= Set(section, "ObjectType", ShortText().Text("0x").Hex(first.objectType));
        ok &= Set(section, "DataType", ShortText().Text("0x").Hex(first.dataType, 4));
        ok &= Set(section, "AccessType", first.accessType);
        ok &= WriteValueKeys(section, first);
        return ok ? EdsExportResult::Success : EdsExportResult::WriteFailed;
    }
    unsigned subNumber = 0;
    for (const auto& sub : entry.subindices) {
        subNumber += IsSubindexSection(*sub) ? 1 : 0;
    }
    ok &= Set(section, "SubNumber", ShortText().Text("0x").Hex(subNumber));
    ok &= Set(section, "ParameterName", first.name);
    ok &= Set(section, "ObjectType", ShortText().Text("0x").Hex(first.objectType), EndOfSection);
    for (const auto& sub : entry.subindices) {
        if (!IsSubindexSection(*sub)) {
            continue;
        }
        const EdsExportResult result = WriteSubIndexSection(*sub);
        if (result != EdsExportResult::Success) {
            return result;
        }
    }
    return ok ? EdsExportResult::Success : EdsExportResult::WriteFailed;
}

EdsExportResult CEdsWriter::WriteSubIndexSection(const SubindexEntry& entry) {
    const ShortText section = ShortText().Hex(entry.index, 4).Text("sub").Hex(entry.subindex);
    bool ok = Set(section, "ParameterName", entry.name);
    ok &= Set(section, "ObjectType", ShortText().Text("0x").Hex(entry.objectType));
    ok &= Set(section, "DataType", ShortText().Text("0x").Hex(entry.dataType, 4));
    ok &= Set(section, "AccessType", entry.accessType);
    ok &= WriteValueKeys(section, entry);
    return ok ? EdsExportResult::Success : EdsExportResult::WriteFailed;
}

// Numeric values are written in the writer's own form from their converted numbers, whatever text was
// typed; limits appear only when one of them is not 0. A node-ID-relative text ("$NODEID+0x180") is
// written as it stands, since its number is only the base the node-ID is added to.
bool CEdsWriter::WriteValueKeys(std::string_view section, const SubindexEntry& entry) {
    ConvertedValues v;
    const ValueKind kind = m_dictionary.ConvertEntryValues(entry, v);
    const ShortText pdoMapping = ShortText().Text("0x").Hex(entry.pdoMapping);
    ShortText defNumber;
    ShortText lowNumber;
    ShortText highNumber;
    bool limits = false;
    switch (kind) {
        case ValueKind::Unsigned:
            defNumber.Text("0x").Hex(v.unsignedDefault);
            lowNumber.Text("0x").Hex(v.unsignedLow);
            highNumber.Text("0x").Hex(v.unsignedHigh);
            limits = v.unsignedHigh != 0 || v.unsignedLow != 0;
            break;
        case ValueKind::Signed:
            defNumber.Decimal(v.signedDefault);
            lowNumber.Decimal(v.signedLow);
            highNumber.Decimal(v.signedHigh);
            limits = v.signedHigh != 0 || v.signedLow != 0;
            break;
        case ValueKind::Real:
            defNumber.Text(FormatReal(v.realDefault));
            lowNumber.Text(FormatReal(v.realLow));
            highNumber.Text(FormatReal(v.realHigh));
            limits = v.realHigh != 0.0f || v.realLow != 0.0f;
            break;
        case ValueKind::String:
        case ValueKind::Domain:
            break;
        case ValueKind::None:
            return IsComplexOrNoType(entry.dataType) || WriteValueTexts(section, entry, pdoMapping);
    }
    std::string_view def = kind == ValueKind::String || kind == ValueKind::Domain
                               ? std::string_view(entry.defaultValue)
                               : defNumber.View();
    std::string_view low = lowNumber;
    std::string_view high = highNumber;
    if (kind == ValueKind::Unsigned || kind == ValueKind::Signed || kind == ValueKind::Real) {
        KeepNodeIdText(entry.defaultValue, def);
        limits |= KeepNodeIdText(entry.lowLimit, low);
        limits |= KeepNodeIdText(entry.highLimit, high);
    }
    bool ok = Set(section, "DefaultValue", def);
    if (!limits) {
        return ok && Set(section, "PDOMapping", pdoMapping, EndOfSection);
    }
    ok &= Set(section, "PDOMapping", pdoMapping);
    ok &= Set(section, "LowLimit", low);
    ok &= Set(section, "HighLimit", high, EndOfSection);
    return ok;
}

// The types without a number form of their own (64-bit integers, REAL64, the times, the types a device
// defines) keep their value texts as they were read; limits are written when one of them is not 0, as
// for the other types. The standard complex types and entries without a type have no value keys.
bool CEdsWriter::WriteValueTexts(std::string_view section, const SubindexEntry& entry,
                                 std::string_view pdoMapping) {
    const auto nonZero = [](const std::string& text) {
        return ParseUnsigned64(text, 64) != 0 || ParseReal(text) != 0.0;
    };
    bool ok = Set(section, "DefaultValue", entry.defaultValue);
    if (!nonZero(entry.lowLimit) && !nonZero(entry.highLimit)) {
        return ok && Set(section, "PDOMapping", pdoMapping, EndOfSection);
    }
    ok &= Set(section, "PDOMapping", pdoMapping);
    ok &= Set(section, "LowLimit", entry.lowLimit);
    ok &= Set(section, "HighLimit", entry.highLimit, EndOfSection);
    return ok;
}
