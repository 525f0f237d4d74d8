#include <string>
#include <string_view>
#include <vector>

#include "generator/CSourceGenerator.h"
#include "generator/GeneratorRules.h"
#include "generator/Identifiers.h"
#include "model/NameTables.h"
#include "model/ObjectDictionary.h"
#include "platform/ParallelWork.h"
#include "platform/Platform.h"

namespace {

bool InRange(std::uint16_t x, std::uint16_t first, std::uint16_t last) {
    return x >= first && x <= last;
}

// Below this many entries in one part, its lines are written in one thread.
constexpr std::size_t ParallelMinimumEntries = 4096;

bool IsIntegerType(std::uint8_t dataType) {
    return dataType >= DataTypeCode::Int8 && dataType <= DataTypeCode::Uint32;
}

// The variable macros of one table; ROM lines never carry limits.
struct VariableFormats {
    const char* unsignedPlain;
    const char* unsignedRange;
    const char* signedPlain;
    const char* signedRange;
    const char* realPlain;
    const char* realRange;
};

const VariableFormats RomFormats = {
    "            OBD_SUBINDEX_ROM_VAR(0x%04X, 0x%02X, 0x%02X, 0x%02X, %s, %s, 0x%X)\r\n", nullptr,
    "            OBD_SUBINDEX_ROM_VAR(0x%04X, 0x%02X, 0x%02X, 0x%02X, %s, %s, %i)\r\n",   nullptr,
    "            OBD_SUBINDEX_ROM_VAR(0x%04X, 0x%02X, 0x%02X, 0x%02X, %s, %s, %g)\r\n",   nullptr,
};

const VariableFormats RamFormats = {
    "            OBD_SUBINDEX_RAM_VAR(0x%04X, 0x%02X, 0x%02X, 0x%02X, %s, %s, 0x%X)\r\n",
    "            OBD_SUBINDEX_RAM_VAR_RG(0x%04X, 0x%02X, 0x%02X, 0x%02X, %s, %s, 0x%X, 0x%X, 0x%X)\r\n",
    "            OBD_SUBINDEX_RAM_VAR(0x%04X, 0x%02X, 0x%02X, 0x%02X, %s, %s, %i)\r\n",
    "            OBD_SUBINDEX_RAM_VAR_RG(0x%04X, 0x%02X, 0x%02X, 0x%02X, %s, %s, %i, %i, %i)\r\n",
    "            OBD_SUBINDEX_RAM_VAR(0x%04X, 0x%02X, 0x%02X, 0x%02X, %s, %s, %g)\r\n",
    "            OBD_SUBINDEX_RAM_VAR_RG(0x%04X, 0x%02X, 0x%02X, 0x%02X, %s, %s, %g, %g, %g)\r\n",
};

const VariableFormats UserdefFormats = {
    "            OBD_SUBINDEX_RAM_USERDEF(0x%04X, 0x%02X, 0x%02X, 0x%02X, %s, %s, 0x%X)\r\n",
    "            OBD_SUBINDEX_RAM_USERDEF_RG(0x%04X, 0x%02X, 0x%02X, 0x%02X, %s, %s, 0x%X, 0x%X, 0x%X)\r\n",
    "            OBD_SUBINDEX_RAM_USERDEF(0x%04X, 0x%02X, 0x%02X, 0x%02X, %s, %s, %i)\r\n",
    "            OBD_SUBINDEX_RAM_USERDEF_RG(0x%04X, 0x%02X, 0x%02X, 0x%02X, %s, %s, %i, %i, %i)\r\n",
    "            OBD_SUBINDEX_RAM_USERDEF(0x%04X, 0x%02X, 0x%02X, 0x%02X, %s, %s, %g)\r\n",
    "            OBD_SUBINDEX_RAM_USERDEF_RG(0x%04X, 0x%02X, 0x%02X, 0x%02X, %s, %s, %g, %g, %g)\r\n",
};

// The tables above taken apart once: a line of one of them is written for nearly every entry.
struct ParsedVariableFormats {
    ParsedFormat unsignedPlain;
    ParsedFormat unsignedRange;
    ParsedFormat signedPlain;
    ParsedFormat signedRange;
    ParsedFormat realPlain;
    ParsedFormat realRange;
};

ParsedVariableFormats Parsed(const VariableFormats& formats) {
    const auto parsed = [](const char* format) { return ParsedFormat(format != nullptr ? format : ""); };
    return {parsed(formats.unsignedPlain), parsed(formats.unsignedRange), parsed(formats.signedPlain),
            parsed(formats.signedRange),   parsed(formats.realPlain),     parsed(formats.realRange)};
}

const ParsedVariableFormats& ParsedFormatsOf(const VariableFormats& formats) {
    static const ParsedVariableFormats rom = Parsed(RomFormats);
    static const ParsedVariableFormats ram = Parsed(RamFormats);
    static const ParsedVariableFormats userdef = Parsed(UserdefFormats);
    return &formats == &RomFormats ? rom : &formats == &RamFormats ? ram : userdef;
}

}  // namespace

std::uint8_t CSourceGenerator::AccessFlags(const SubindexEntry& entry) {
    const std::string_view access = entry.accessType;
    std::uint8_t flags = 0;
    // Read is 0x01, write 0x02; the access types are told apart by their length first.
    if (access.size() == 2) {
        flags = access == "ro" ? 0x01 : access == "wo" ? 0x02 : access == "rw" ? 0x03 : 0;
    } else if (access.size() == 3) {
        flags = access == "rwr" || access == "rww" ? 0x03 : 0;
    } else if (access == "const") {
        flags = 0x01;
    }
    if (entry.pdoMapping == 1) {
        flags |= 0x08;
    }
    if (entry.nonVolatile != 0) {
        flags |= 0x80;
    }
    return flags;
}

GenerationResult CSourceGenerator::EmitPart(std::uint16_t first, std::uint16_t last) {
    // Above the communication area no index adds to the dictionary while its lines are written, and
    // none counts towards the configuration: a large part can be written in two halves at once.
    if (first >= 0x2000) {
        std::vector<IndexEntry*> indices;
        std::size_t entries = 0;
        for (std::uint16_t position = 0; position < m_pDictionary->GetIndexCount(); ++position) {
            IndexEntry* index = m_pDictionary->GetIndexAt(position);
            if (InRange(index->index, first, last)) {
                indices.push_back(index);
                entries += index->entryCount;
            }
        }
        if (ParallelWork::Worth(entries, ParallelMinimumEntries)) {
            return EmitInHalves(indices, entries);
        }
        return EmitIndices(indices.data(), indices.data() + indices.size());
    }
    // A PDO index may add its default mapping index to the dictionary: the count is taken anew.
    for (std::uint16_t position = 0; position < m_pDictionary->GetIndexCount(); ++position) {
        IndexEntry* index = m_pDictionary->GetIndexAt(position);
        if (!InRange(index->index, first, last)) {
            continue;
        }
        const GenerationResult result = EmitIndex(*index);
        if (result != GenOk) {
            return result;
        }
    }
    return GenOk;
}

GenerationResult CSourceGenerator::EmitIndices(IndexEntry* const* first, IndexEntry* const* end) {
    for (; first != end; ++first) {
        const GenerationResult result = EmitIndex(**first);
        if (result != GenOk) {
            return result;
        }
    }
    return GenOk;
}

GenerationResult CSourceGenerator::EmitIndex(IndexEntry& index) {
    WritableFile* dict = m_fileDict.get();
    const std::uint16_t x = index.index;
    if (IsPdoIndex(x)) {
        const GenerationResult result = EmitEntries(index);
        if (result != GenOk) {
            return result;
        }
    } else if (IsSdoServerIndex(x) || IsSdoClientIndex(x)) {
        const GenerationResult result = EmitSdoLine(index, IsSdoServerIndex(x));
        if (result != GenOk) {
            return result;
        }
    } else {
        const std::uint16_t entries = index.headerSubindex == HeaderStructured
                                          ? static_cast<std::uint16_t>(index.entryCount - 1)
                                          : index.entryCount;
        const unsigned countByte = entries;
        if (index.storage == "RAM") {
            WriteLine(dict, "\r\n        OBD_BEGIN_INDEX_RAM(0x%4X, 0x%02X, %s)\r\n", x, countByte,
                      index.callbackName);
            if (m_bWriteError) {
                return GenWriteFailed;
            }
        }
        if (index.storage == "ROM") {
            WriteLine(dict, "\r\n        OBD_BEGIN_INDEX_ROM(0x%4X, 0x%02X, %s)\r\n", x, countByte,
                      index.callbackName);
            if (m_bWriteError) {
                return GenWriteFailed;
            }
        }
        const GenerationResult result = EmitEntries(index);
        if (result != GenOk) {
            return result;
        }
        WriteLine(dict, "        OBD_END_INDEX(0x%04X)\r\n", x);
        if (m_bWriteError) {
            return GenWriteFailed;
        }
    }
    return WritePrototypeIfNeeded(index);
}

GenerationResult CSourceGenerator::WritePrototypeIfNeeded(const IndexEntry& index) {
    if (ObjectDictionary::DefaultCallbackFor(index.index) != nullptr || index.callbackName == "NULL") {
        return GenOk;
    }
    WriteLine(m_fileConfig.get(), "\r\ntCopKernel PUBLIC %s (CCM_DECL_INSTANCE_HDL_ void MEM* pParam_p);",
              index.callbackName);
    return m_bWriteError ? GenWriteFailed : GenOk;
}

GenerationResult CSourceGenerator::EmitEntries(IndexEntry& index) {
    m_bWriteError = false;
    const std::uint16_t x = index.index;
    if (index.headerSubindex == HeaderStructured && index.entryCount < 2) {
        m_pPlatform->MessageBox(
            FormatLine("The index 0x%X  supports no subindices!\nPlease applay to the index "
                       "0x%04X at least\nsubindex 0x0 and try again!",
                       {x, x}),
            "Create Object Dictionary File", MsgButtons::Ok, MsgIcon::Error);
        return GenNoSubindices;
    }
    if (IsPdoIndex(x)) {
        return EmitPdoLines(index);
    }
    const bool communicationArea = InRange(x, 0x1000, 0x1FFF);
    if (!communicationArea && !InRange(x, 0x2000, 0xFFFE)) {
        return GenOk;
    }
    const std::uint16_t start = index.headerSubindex == HeaderStructured ? 1 : 0;
    for (std::uint16_t position = start; position < index.entryCount; ++position) {
        const SubindexEntry* entry = m_pDictionary->GetEntryAt(index, position);
        if (entry == nullptr) {
            return GenNoEntry;
        }
        if (communicationArea) {
            CountListEntry(x, entry->subindex);
        }
        const GenerationResult result = EmitEntryLine(index, *entry, communicationArea);
        if (result != GenOk) {
            return result;
        }
    }
    return GenOk;
}

GenerationResult CSourceGenerator::EmitEntryLine(const IndexEntry& index, const SubindexEntry& entry,
                                                 bool communicationArea) {
    const unsigned flags = AccessFlags(entry);
    const EntryNames& names = MakeIdentifier(entry);
    const unsigned s = (index.entryCount == 1 && entry.subindex == HeaderSingle)
                           ? 0u
                           : static_cast<unsigned>(entry.subindex);
    const unsigned x = entry.index;
    const unsigned type = entry.dataType;
    if (!WritesEntryLine(entry, communicationArea)) {
        if (HasNoLineType(entry.dataType)) {
            m_pFirstLeftOut = m_nLeftOut == 0 ? &entry : m_pFirstLeftOut;
            ++m_nLeftOut;
        }
        return GenOk;
    }
    const bool rom = entry.accessType == "const";
    const VariableFormats& formats = rom ? RomFormats : communicationArea ? RamFormats : UserdefFormats;
    ConvertedValues values;
    const ValueKind kind = m_pDictionary->ConvertEntryValues(entry, values);
    WritableFile* dict = m_fileDict.get();

    const ParsedVariableFormats& parsed = ParsedFormatsOf(formats);
    if (IsIntegerType(entry.dataType) && kind == ValueKind::Unsigned) {
        if (formats.unsignedRange != nullptr && (values.unsignedLow != 0 || values.unsignedHigh != 0)) {
            WriteLine(dict, parsed.unsignedRange, x, s, type, flags, names.typeName, names.identifier,
                      values.unsignedDefault, values.unsignedLow, values.unsignedHigh);
        } else {
            WriteLine(dict, parsed.unsignedPlain, x, s, type, flags, names.typeName, names.identifier,
                      values.unsignedDefault);
        }
    } else if (IsIntegerType(entry.dataType) && kind == ValueKind::Signed) {
        if (formats.signedRange != nullptr && (values.signedLow != 0 || values.signedHigh != 0)) {
            WriteLine(dict, parsed.signedRange, x, s, type, flags, names.typeName, names.identifier,
                      values.signedDefault, values.signedLow, values.signedHigh);
        } else {
            WriteLine(dict, parsed.signedPlain, x, s, type, flags, names.typeName, names.identifier,
                      values.signedDefault);
        }
    } else if (entry.dataType == DataTypeCode::Real32) {
        const double value = values.realDefault;
        const double low = values.realLow;
        const double high = values.realHigh;
        if (formats.realRange != nullptr && (low != 0.0 || high != 0.0)) {
            WriteLine(dict, parsed.realRange, x, s, type, flags, names.typeName, names.identifier, value, low,
                      high);
        } else {
            WriteLine(dict, parsed.realPlain, x, s, type, flags, names.typeName, names.identifier, value);
        }
    } else if (entry.dataType == DataTypeCode::VisibleString) {
        // The text goes into a C string literal, so it is escaped; the size still counts it as stored.
        const std::string text = EscapeStringLiteral(entry.defaultValue);
        if (rom) {
            WriteLine(dict, "           OBD_SUBINDEX_ROM_VSTRING(0x%04X, 0x%02X, 0x%02X, %s,\"%s\")\r\n", x,
                      s, flags, names.identifier, text);
        } else {
            const std::size_t size = entry.defaultValue.size() + (communicationArea ? 1 : 0);
            WriteLine(dict, "            OBD_SUBINDEX_RAM_VSTRING(0x%04X, 0x%02X, 0x%02X, %s,%d,\"%s\")\r\n",
                      x, s, flags, names.identifier, static_cast<unsigned long>(size), text);
        }
    } else if (entry.dataType == DataTypeCode::Domain && !rom) {
        WriteLine(dict, "            OBD_SUBINDEX_RAM_DOMAIN(0x%04X, 0x%02X, 0x%02X, %s)\r\n", x, s, flags,
                  names.identifier);
    } else {
        return GenOk;
    }
    return m_bWriteError ? GenWriteFailed : GenOk;
}
