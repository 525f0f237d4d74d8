#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "model/SubindexEntry.h"

// One object of the dictionary. It owns its entries: the header entry first, then the subindices in
// ascending order. entryCount is kept by the callers that add or remove entries.
struct IndexEntry {
    std::uint16_t index = 0;
    std::uint16_t entryCount = 0;
    std::uint16_t headerSubindex = 0;
    std::uint16_t kindMarker = 0;
    std::vector<std::unique_ptr<SubindexEntry>> subindices;
    std::string category;
    std::string storage = "ROM";
    std::string callbackName = "NULL";

    // A copy of the record's own fields without any entry.
    std::unique_ptr<IndexEntry> CopyRecord() const;
    // The record and a copy of every entry, in list order.
    std::unique_ptr<IndexEntry> Clone() const;

    // The header entry (position 0), or null for an index without entries.
    SubindexEntry* Header() { return subindices.empty() ? nullptr : subindices.front().get(); }
    const SubindexEntry* Header() const { return subindices.empty() ? nullptr : subindices.front().get(); }

    // Field-by-field comparison including every entry; used to check round trips.
    bool SameContent(const IndexEntry& other) const;
};
