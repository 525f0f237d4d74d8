#pragma once

#include <cstdio>
#include <functional>
#include <memory>
#include <string>

#include "model/NameTables.h"
#include "model/ObjectDictionary.h"

// A large synthetic device for the benchmarks: RECORD indices from 0x2000 on, each with a header and
// entriesPerIndex - 1 UINT32 subindices named by `name` (index position, entry position).
inline void FillRecordIndices(
    ObjectDictionary& dictionary, unsigned indexCount, unsigned entriesPerIndex,
    const std::function<std::string(unsigned, unsigned)>& name = [](unsigned, unsigned entry) {
        return "Parameter number " + std::to_string(entry);
    }) {
    for (unsigned n = 0; n < indexCount; ++n) {
        auto index = std::make_unique<IndexEntry>();
        index->index = static_cast<std::uint16_t>(0x2000 + n);
        index->headerSubindex = HeaderStructured;
        index->entryCount = static_cast<std::uint16_t>(entriesPerIndex);
        index->category = "manufacturer";
        for (unsigned s = 0; s < entriesPerIndex; ++s) {
            auto entry = std::make_unique<SubindexEntry>();
            entry->index = index->index;
            entry->subindex = s == 0 ? HeaderStructured : static_cast<std::uint16_t>(s - 1);
            entry->objectType = s == 0 ? ObjectCode::Record : ObjectCode::Var;
            entry->dataType = s == 0 ? 0 : DataTypeCode::Uint32;
            entry->accessType = "rw";
            entry->defaultValue = "0x12345678";
            entry->lowLimit = "0x0";
            entry->highLimit = "0xFFFFFFFF";
            entry->name = name(n, s);
            index->subindices.push_back(std::move(entry));
        }
        dictionary.InsertIndex(std::move(index));
    }
}

namespace pdo_device {

inline void AddEntry(ObjectDictionary& dictionary, std::uint16_t index, std::uint16_t subindex,
                     std::uint8_t dataType, const std::string& name, const std::string& value) {
    auto entry = std::make_unique<SubindexEntry>();
    entry->index = index;
    entry->subindex = subindex;
    entry->name = name;
    entry->objectType = 0x07;
    entry->dataType = dataType;
    entry->accessType = "rw";
    entry->pdoMapping = 1;
    entry->defaultValue = value;
    if (index >= 0x2000 && dataType != 0 && subindex % 2 == 0) {
        entry->lowLimit = "0";
        entry->highLimit = "100";
    }
    dictionary.InsertEntry(std::move(entry));
    ++dictionary.FindIndexForEntry(index)->entryCount;
}

inline void AddRecord(ObjectDictionary& dictionary, std::uint16_t index, const std::string& name) {
    auto record = std::make_unique<IndexEntry>();
    record->index = index;
    record->headerSubindex = HeaderStructured;
    record->storage = "RAM";
    dictionary.InsertIndex(std::move(record));
    AddEntry(dictionary, index, HeaderStructured, 0, name, "");
    dictionary.FindIndexForEntry(index)->subindices.front()->objectType = 0x09;
}

inline std::string Hex(std::uint32_t value) {
    char text[16];
    std::snprintf(text, sizeof text, "0x%08X", static_cast<unsigned>(value));
    return text;
}

// 2,000 records: 64 receive and 64 transmit PDOs, each mapping eight bytes of the application records,
// and 1,744 application records of 20 subindices with limits on every other value. Only the three
// mandatory objects are missing.
inline void FillPdoDevice(ObjectDictionary& dictionary) {
    constexpr int Pdos = 64;
    constexpr int Applications = 2000 - 4 * Pdos;
    for (int i = 0; i < Applications; ++i) {
        const auto index = static_cast<std::uint16_t>(0x2000 + i);
        AddRecord(dictionary, index, "Application record " + std::to_string(i));
        AddEntry(dictionary, index, 0, 0x05, "Number of entries", "19");
        for (std::uint16_t sub = 1; sub < 20; ++sub) {
            AddEntry(dictionary, index, sub, sub % 3 == 0 ? 0x03 : 0x05, "Value " + std::to_string(sub),
                     std::to_string(sub));
        }
    }
    for (int p = 0; p < Pdos; ++p) {
        for (const std::uint16_t base : {std::uint16_t{0x1400}, std::uint16_t{0x1800}}) {
            const auto communication = static_cast<std::uint16_t>(base + p);
            const auto mapping = static_cast<std::uint16_t>(communication + 0x200);
            AddRecord(dictionary, communication, "PDO parameter");
            AddEntry(dictionary, communication, 0, 0x05, "Highest subindex", "1");
            AddEntry(dictionary, communication, 1, 0x07, "COB-ID",
                     Hex(0x180u + (base == 0x1400 ? 0x80u : 0u) + p));
            AddRecord(dictionary, mapping, "PDO mapping");
            AddEntry(dictionary, mapping, 0, 0x05, "Number of mapped objects", "8");
            // The 8-bit values of the record (every third value is 16 bits).
            const std::uint32_t bytes[] = {1, 2, 4, 5, 7, 8, 10, 11};
            for (std::uint16_t sub = 1; sub <= 8; ++sub) {
                const std::uint32_t target =
                    static_cast<std::uint32_t>(0x2000 + p) << 16 | bytes[sub - 1] << 8 | 8;
                AddEntry(dictionary, mapping, sub, 0x07, "Mapped object " + std::to_string(sub), Hex(target));
            }
        }
    }
}

}  // namespace pdo_device

using pdo_device::FillPdoDevice;
