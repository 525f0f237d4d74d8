#include "eds/CEdsWriter.h"
#include "eds/EdsFormat.h"
#include "eds/EdsResult.h"
#include "eds/ProfileFile.h"
#include "model/ObjectDictionary.h"

namespace {

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
bool KeepNodeIdText(const std::string& stored, std::string& written) {
    if (!MentionsNodeId(stored)) {
        return false;
    }
    written = stored;
    return true;
}

}  // namespace

int CEdsWriter::WriteObjectList(const std::string& category) {
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
        return Set(list, "SupportedObjects", Format("%d", 0), EndOfSection) ? EdsExportResult::Success
                                                                            : EdsExportResult::WriteFailed;
    }
    if (!Set(list, "SupportedObjects", Format("%u", count))) {
        return EdsExportResult::WriteFailed;
    }
    unsigned k = 0;
    for (std::uint16_t i = 0; i < m_dictionary.GetIndexCount() && k < count; ++i) {
        const IndexEntry& entry = *m_dictionary.GetIndexAt(i);
        if (!IsListed(entry, category)) {
            continue;
        }
        ++k;
        if (!Set(list, Format("%u", k), Format("0x%04X", entry.index), k == count)) {
            return EdsExportResult::WriteFailed;
        }
    }
    for (std::uint16_t i = 0; i < m_dictionary.GetIndexCount(); ++i) {
        const IndexEntry& entry = *m_dictionary.GetIndexAt(i);
        if (!IsListed(entry, category)) {
            continue;
        }
        const int result = WriteIndexSection(entry);
        if (result != EdsExportResult::Success) {
            return result;
        }
    }
    return EdsExportResult::Success;
}

// The entries are walked as they are held; SubNumber counts the subindex entries, which is
// entryCount - 1 for every index whose count is kept in line with its entries.
int CEdsWriter::WriteIndexSection(const IndexEntry& entry) {
    const SubindexEntry& first = *entry.subindices.front();
    const std::string section = Format("%04X", entry.index);
    bool ok = true;
    if (first.subindex == HeaderSingle) {
        ok &= Set(section, "ParameterName", first.name);
        ok &= Set(section, "ObjectType", Format("0x%X", first.objectType));
        ok &= Set(section, "DataType", Format("0x%04X", first.dataType));
        ok &= Set(section, "AccessType", first.accessType);
        ok &= WriteValueKeys(section, first);
        return ok ? EdsExportResult::Success : EdsExportResult::WriteFailed;
    }
    unsigned subNumber = 0;
    for (const auto& sub : entry.subindices) {
        subNumber += IsSubindexSection(*sub) ? 1 : 0;
    }
    ok &= Set(section, "SubNumber", Format("0x%X", subNumber));
    ok &= Set(section, "ParameterName", first.name);
    ok &= Set(section, "ObjectType", Format("0x%X", first.objectType), EndOfSection);
    for (const auto& sub : entry.subindices) {
        if (!IsSubindexSection(*sub)) {
            continue;
        }
        const int result = WriteSubIndexSection(*sub);
        if (result != EdsExportResult::Success) {
            return result;
        }
    }
    return ok ? EdsExportResult::Success : EdsExportResult::WriteFailed;
}

int CEdsWriter::WriteSubIndexSection(const SubindexEntry& entry) {
    const std::string section = Format("%04Xsub%X", entry.index, entry.subindex);
    bool ok = Set(section, "ParameterName", entry.name);
    ok &= Set(section, "ObjectType", Format("0x%X", entry.objectType));
    ok &= Set(section, "DataType", Format("0x%04X", entry.dataType));
    ok &= Set(section, "AccessType", entry.accessType);
    ok &= WriteValueKeys(section, entry);
    return ok ? EdsExportResult::Success : EdsExportResult::WriteFailed;
}

// Numeric values are written in the writer's own form from their converted numbers, whatever text was
// typed; limits appear only when one of them is not 0. A node-ID-relative text ("$NODEID+0x180") is
// written as it stands, since its number is only the base the node-ID is added to.
bool CEdsWriter::WriteValueKeys(const std::string& section, const SubindexEntry& entry) {
    ConvertedValues v;
    const ValueKind kind = m_dictionary.ConvertEntryValues(entry, v);
    const std::string pdoMapping = Format("0x%X", entry.pdoMapping);
    std::string def;
    std::string low;
    std::string high;
    bool limits = false;
    switch (kind) {
        case ValueKind::Unsigned:
            def = Format("0x%X", v.unsignedDefault);
            low = Format("0x%X", v.unsignedLow);
            high = Format("0x%X", v.unsignedHigh);
            limits = v.unsignedHigh != 0 || v.unsignedLow != 0;
            break;
        case ValueKind::Signed:
            def = Format("%i", v.signedDefault);
            low = Format("%i", v.signedLow);
            high = Format("%i", v.signedHigh);
            limits = v.signedHigh != 0 || v.signedLow != 0;
            break;
        case ValueKind::Real:
            def = FormatReal(v.realDefault);
            low = FormatReal(v.realLow);
            high = FormatReal(v.realHigh);
            limits = v.realHigh != 0.0f || v.realLow != 0.0f;
            break;
        case ValueKind::String:
        case ValueKind::Domain:
            def = entry.defaultValue;
            break;
        case ValueKind::None:
            return true;
    }
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
