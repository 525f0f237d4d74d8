#pragma once

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
