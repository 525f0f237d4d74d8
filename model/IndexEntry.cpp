#include "model/IndexEntry.h"

std::unique_ptr<IndexEntry> IndexEntry::CopyRecord() const {
    auto copy = std::make_unique<IndexEntry>();
    copy->index = index;
    copy->entryCount = entryCount;
    copy->headerSubindex = headerSubindex;
    copy->kindMarker = kindMarker;
    copy->category = category;
    copy->storage = storage;
    copy->callbackName = callbackName;
    return copy;
}

std::unique_ptr<IndexEntry> IndexEntry::Clone() const {
    auto copy = CopyRecord();
    copy->subindices.reserve(subindices.size());
    for (const auto& entry : subindices) {
        copy->subindices.push_back(std::make_unique<SubindexEntry>(*entry));
    }
    return copy;
}

bool IndexEntry::SameContent(const IndexEntry& other) const {
    if (index != other.index || entryCount != other.entryCount || headerSubindex != other.headerSubindex ||
        kindMarker != other.kindMarker || category != other.category || storage != other.storage ||
        callbackName != other.callbackName || subindices.size() != other.subindices.size()) {
        return false;
    }
    for (std::size_t i = 0; i < subindices.size(); ++i) {
        if (!(*subindices[i] == *other.subindices[i])) {
            return false;
        }
    }
    return true;
}
