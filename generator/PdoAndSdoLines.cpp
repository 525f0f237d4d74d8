#include <string>

#include "generator/CSourceGenerator.h"
#include "generator/GeneratorRules.h"
#include "model/ObjectDictionary.h"
#include "platform/Platform.h"

namespace {

// The value a parameter entry contributes: its unsigned default. Entries whose type converts as
// signed or real (or not at all) contribute 0.
std::uint32_t UnsignedDefault(const ObjectDictionary& dictionary, const SubindexEntry& entry) {
    ConvertedValues values;
    return dictionary.ConvertEntryValues(entry, values) == ValueKind::Unsigned ? values.unsignedDefault : 0;
}

}  // namespace

SdoParameters CSourceGenerator::ReadSdoParameters(const IndexEntry& index) const {
    SdoParameters parameters;
    for (const auto& entry : index.subindices) {
        switch (entry->subindex) {
            case 1:
                parameters.value1 = UnsignedDefault(*m_pDictionary, *entry);
                break;
            case 2:
                parameters.value2 = UnsignedDefault(*m_pDictionary, *entry);
                break;
            case 3:
                parameters.value3 = UnsignedDefault(*m_pDictionary, *entry);
                break;
            default:
                break;
        }
    }
    return parameters;
}

PdoCommunication CSourceGenerator::ReadPdoCommunication(const IndexEntry& index, std::uint8_t count) const {
    PdoCommunication values;
    for (std::uint16_t position = 0; position < count; ++position) {
        const SubindexEntry* entry = m_pDictionary->GetEntryAt(index, position);
        if (entry == nullptr) {
            break;
        }
        const std::uint32_t value = UnsignedDefault(*m_pDictionary, *entry);
        switch (entry->subindex) {
            case 1:
                values.cobId = value == 0 ? 0x80000000u : value;
                break;
            case 2:
                values.transmissionType = static_cast<std::uint8_t>(value & 0xFF);
                break;
            case 3:
                values.inhibitTime = static_cast<std::uint16_t>(value & 0xFFFF);
                break;
            case 5:
                values.eventTimer = static_cast<std::uint16_t>(value & 0xFFFF);
                break;
            default:
                break;
        }
    }
    return values;
}

PdoMapping CSourceGenerator::ReadPdoMapping(const IndexEntry& index, std::uint8_t count) const {
    PdoMapping mapping;
    // Position 0 is the header and position 1 the count entry, whose stored value is not trusted:
    // the objects that map something are counted instead.
    for (std::uint16_t position = 2; position < count; ++position) {
        const SubindexEntry* entry = m_pDictionary->GetEntryAt(index, position);
        if (entry == nullptr) {
            break;
        }
        const std::uint32_t value = UnsignedDefault(*m_pDictionary, *entry);
        if (entry->subindex >= 1 && entry->subindex <= 8) {
            mapping.values[entry->subindex - 1] = value;
        }
        if (value != 0) {
            ++mapping.mappedObjects;
        }
    }
    return mapping;
}

GenerationResult CSourceGenerator::EmitSdoLine(const IndexEntry& index, bool server) {
    const SdoParameters parameters = ReadSdoParameters(index);
    const unsigned x = index.index;
    const unsigned nodeId = parameters.value3 & 0xFF;
    if (server) {
        WriteLine(m_fileDict.get(), "\r\n        OBD_CREATE_SDOS(0x%04X, 0x%02X, 0x%04X, 0x%04X, 0x%02X)\r\n",
                  x, m_nSdoServerNumber, parameters.value1, parameters.value2, nodeId);
    } else {
        WriteLine(m_fileDict.get(), "\r\n        OBD_CREATE_SDOC(0x%04X, 0x%02X, 0x%04X, 0x%04X, 0x%02X)\r\n",
                  x, m_nSdoClientNumber, parameters.value1, parameters.value2, nodeId);
    }
    if (m_bWriteError) {
        return GenWriteFailed;
    }
    if (server) {
        // Server 0x1200 is the default server that the stack always has; it is in the base count of 1.
        if (x != 0x1200) {
            ++m_nSdoServers;
        }
        ++m_nSdoServerNumber;
    } else {
        ++m_nSdoClients;
        ++m_nSdoClientNumber;
    }
    return GenOk;
}

GenerationResult CSourceGenerator::EmitPdoLines(IndexEntry& index) {
    const std::uint16_t x = index.index;
    const auto count = static_cast<std::uint8_t>(index.entryCount & 0xFF);
    WritableFile* dict = m_fileDict.get();
    if (IsPdoCommunicationIndex(x)) {
        const PdoCommunication values = ReadPdoCommunication(index, count);
        CheckMappingFor(x);
        const unsigned transmission = values.transmissionType;
        const unsigned inhibit = values.inhibitTime;
        const unsigned timer = values.eventTimer;
        if (IsReceivePdoIndex(x)) {
            WriteLine(dict, "\r\n        OBD_CREATE_RXPDO_COMMU(0x%04X, 0x%02X, 0x%X, 0x%X, 0x%X, 0x%X)\r\n",
                      x, m_nRxPdoCommu, values.cobId, transmission, inhibit, timer);
            ++m_nRxPdoCommu;
        } else {
            WriteLine(dict, "\r\n        OBD_CREATE_TXPDO_COMMU(0x%04X, 0x%02X, 0x%X, 0x%X, 0x%X, 0x%X)\r\n",
                      x, m_nTxPdoCommu, values.cobId, transmission, inhibit, timer);
            ++m_nTxPdoCommu;
        }
        return m_bWriteError ? GenWriteFailed : GenOk;
    }

    const PdoMapping mapping = ReadPdoMapping(index, count);
    if (CheckCommunicationFor(x) == 0) {
        return GenOk;
    }
    const std::uint32_t* v = mapping.values;
    const unsigned mapped = mapping.mappedObjects;
    if (IsReceivePdoIndex(x)) {
        WriteLine(
            dict,
            "\r\n        OBD_CREATE_RXPDO_MAPP(0x%04X, 0x%02X, 0x%02X, 0x%X, 0x%X, 0x%X, 0x%X, 0x%X, 0x%X, "
            "0x%X, 0x%X)\r\n",
            x, m_nRxPdoMapping, mapped, v[0], v[1], v[2], v[3], v[4], v[5], v[6], v[7]);
        ++m_nRxPdoMapping;
    } else {
        WriteLine(
            dict,
            "\r\n        OBD_CREATE_TXPDO_MAPP(0x%04X, 0x%02X, 0x%02X, 0x%X, 0x%X, 0x%X, 0x%X, 0x%X, 0x%X, "
            "0x%X, 0x%X)\r\n",
            x, m_nTxPdoMapping, mapped, v[0], v[1], v[2], v[3], v[4], v[5], v[6], v[7]);
        ++m_nTxPdoMapping;
    }
    return m_bWriteError ? GenWriteFailed : GenOk;
}

// The indices are kept in ascending order, so a binary search finds a partner without a walk over
// the whole dictionary for every PDO index.
bool CSourceGenerator::HasIndex(std::uint16_t indexNumber) const {
    std::uint16_t low = 0;
    std::uint16_t high = m_pDictionary->GetIndexCount();
    while (low < high) {
        const auto middle = static_cast<std::uint16_t>(low + (high - low) / 2);
        if (m_pDictionary->GetIndexAt(middle)->index < indexNumber) {
            low = static_cast<std::uint16_t>(middle + 1);
        } else {
            high = middle;
        }
    }
    return low < m_pDictionary->GetIndexCount() && m_pDictionary->GetIndexAt(low)->index == indexNumber;
}

int CSourceGenerator::CheckMappingFor(std::uint16_t communicationIndex) {
    const unsigned c = communicationIndex;
    const auto m = static_cast<std::uint16_t>(communicationIndex + 0x200);
    if (HasIndex(m)) {
        return 1;
    }
    m_pPlatform->MessageBox(
        FormatLine("To the index 0x%04X of the PDO communication parameter\nis no index 0x%04X "
                   "of the PDO mapping parameter available!\nThe index 0x%04X will be created "
                   "with default parameter\nand applayed in the object dictionary file!\n",
                   {c, unsigned{m}, unsigned{m}}),
        "Quillmark", MsgButtons::Ok, MsgIcon::Information);
    m_pDictionary->CreateDefaultPdoMapping(m);
    return 0;
}

int CSourceGenerator::CheckCommunicationFor(std::uint16_t mappingIndex) {
    const unsigned m = mappingIndex;
    const auto c = static_cast<std::uint16_t>(mappingIndex - 0x200);
    if (HasIndex(c)) {
        return 1;
    }
    m_pPlatform->MessageBox(
        FormatLine("To the index 0x%04X of the PDO mapping parameter is no\nindex 0x%04X of the "
                   "PDO communication parameter available!\nThe PDO will not be applayed in the "
                   "object dictionary file!\nPlease add the index 0x%04X and create the object "
                   "dictionary\nfile again!\n",
                   {m, unsigned{c}, unsigned{c}}),
        "Quillmark", MsgButtons::Ok, MsgIcon::Error);
    return 0;
}
