#include "model/ObjectDictionary.h"

#include <algorithm>
#include <iterator>
#include <utility>

#include "model/NameTables.h"

// The counts 127 and 511 leave 0x127F, 0x12FF, 0x15FF, 0x17FF, 0x19FF and 0x1BFF without a default.
const DefaultCallbackRow DefaultCallbackTable[DefaultCallbackTableSize] = {
    {0x1003, 1, "EmcpCbPreDefinedErrorField"},
    {0x1005, 1, "PdoCbCfgSyncId"},
    {0x1006, 1, "PdoCbCfgSyncCycle"},
    {0x1007, 1, "PdoCbCfgSyncWindow"},
    {0x100C, 1, "NmtsCbConfigLifeGuarding"},
    {0x100D, 1, "NmtsCbConfigLifeGuarding"},
    {0x1010, 1, "CcmCbStore"},
    {0x1011, 1, "CcmCbRestore"},
    {0x1014, 1, "EmcpCbConfigEmergencyId"},
    {0x1016, 1, "HbcCbConfigHeartbeat"},
    {0x1017, 1, "HbpCbConfigHeartbeat"},
    {0x1200, 127, "SdosCbConfigServer"},
    {0x1280, 127, "SdocCbConfigClient"},
    {0x1400, 511, "PdoCbConfigCommu"},
    {0x1800, 511, "PdoCbConfigCommu"},
    {0x1600, 511, "PdoCbConfigMapp"},
    {0x1A00, 511, "PdoCbConfigMapp"},
    {0x1F82, 1, "NetCbRequestNmt"},
    {0x1F83, 1, "NetCbRequestGuarding"},
    {0x3001, 1, "NetCbScanRange"},
    {0x3004, 1, "NetErrCbErrorQueue"},
    {0x9860, 1, "NetCbComChannel"},
};

namespace {

// The list is kept ascending, so the first position with a greater / not smaller number is found by
// binary search; this keeps imports of thousands of indices linear-logarithmic.
auto FirstGreater(const std::vector<std::unique_ptr<IndexEntry>>& list, std::uint16_t number) {
    return std::upper_bound(
        list.begin(), list.end(), number,
        [](std::uint16_t n, const std::unique_ptr<IndexEntry>& e) { return n < e->index; });
}

auto FirstNotLess(const std::vector<std::unique_ptr<IndexEntry>>& list, std::uint16_t number) {
    return std::lower_bound(
        list.begin(), list.end(), number,
        [](const std::unique_ptr<IndexEntry>& e, std::uint16_t n) { return e->index < n; });
}

// Header entries stand in front and the ordinary entries ascend after them (InsertEntry keeps it so):
// the few headers are walked, the rest is searched.
const SubindexEntry* FindInEntries(const IndexEntry& index, std::uint16_t subindex) {
    const auto& list = index.subindices;
    auto first = list.begin();
    for (; first != list.end() && (*first)->IsHeader(); ++first) {
        if ((*first)->subindex == subindex) {
            return first->get();
        }
    }
    const auto at = std::lower_bound(first, list.end(), subindex,
                                     [](const auto& e, std::uint16_t n) { return e->subindex < n; });
    return at != list.end() && (*at)->subindex == subindex ? at->get() : nullptr;
}

}  // namespace

IndexEntry* ObjectDictionary::GetIndexAt(std::uint16_t position) {
    return const_cast<IndexEntry*>(std::as_const(*this).GetIndexAt(position));
}

const IndexEntry* ObjectDictionary::GetIndexAt(std::uint16_t position) const {
    return position < m_indices.size() ? m_indices[position].get() : nullptr;
}

std::uint16_t ObjectDictionary::GetEntryCount(const IndexEntry& index) const {
    return static_cast<std::uint16_t>(index.subindices.size());
}

SubindexEntry* ObjectDictionary::GetEntryAt(IndexEntry& index, std::uint16_t position) {
    return const_cast<SubindexEntry*>(std::as_const(*this).GetEntryAt(index, position));
}

const SubindexEntry* ObjectDictionary::GetEntryAt(const IndexEntry& index, std::uint16_t position) const {
    return position < index.subindices.size() ? index.subindices[position].get() : nullptr;
}

std::uint16_t ObjectDictionary::InsertIndex(std::unique_ptr<IndexEntry> index) {
    const auto at = FirstGreater(m_indices, index->index);
    const auto position = static_cast<std::uint16_t>(at - m_indices.begin());
    m_indices.insert(at, std::move(index));
    return position;
}

bool ObjectDictionary::InsertEntry(std::unique_ptr<SubindexEntry> entry) {
    IndexEntry* owner = FindIndexForEntry(entry->index);
    if (owner == nullptr) {
        return false;
    }
    auto& list = owner->subindices;
    if (list.empty() || entry->IsHeader()) {
        list.insert(list.begin(), std::move(entry));
        return true;
    }
    // A linear walk: an index holds at most a header and 256 subindices.
    const std::uint16_t number = entry->subindex;
    // Header entries of either kind stay in front: an ordinary entry is never put before one.
    const auto greater = [number](const std::unique_ptr<SubindexEntry>& e) {
        return e->subindex > number && !e->IsHeader();
    };
    const auto at = std::find_if(list.begin(), list.end(), greater);
    list.insert(at, std::move(entry));
    return true;
}

IndexEntry* ObjectDictionary::FindIndexForEntry(std::uint16_t indexNumber) {
    return const_cast<IndexEntry*>(std::as_const(*this).FindIndexForEntry(indexNumber));
}

const IndexEntry* ObjectDictionary::FindIndexForEntry(std::uint16_t indexNumber) const {
    const auto at = FirstNotLess(m_indices, indexNumber);
    return at != m_indices.end() && (*at)->index == indexNumber ? at->get() : nullptr;
}

SubindexEntry* ObjectDictionary::FindEntry(std::uint16_t indexNumber, std::uint16_t subindexNumber) {
    return const_cast<SubindexEntry*>(std::as_const(*this).FindEntry(indexNumber, subindexNumber));
}

const SubindexEntry* ObjectDictionary::FindEntry(std::uint16_t indexNumber,
                                                 std::uint16_t subindexNumber) const {
    const IndexEntry* index = FindIndexForEntry(indexNumber);
    return index != nullptr ? FindInEntries(*index, subindexNumber) : nullptr;
}

std::unique_ptr<IndexEntry> ObjectDictionary::RemoveIndexAt(std::uint16_t position) {
    if (position >= m_indices.size()) {
        return nullptr;
    }
    auto removed = std::move(m_indices[position]);
    m_indices.erase(m_indices.begin() + position);
    return removed;
}

std::unique_ptr<SubindexEntry> ObjectDictionary::RemoveEntryAt(IndexEntry& index, std::uint16_t position) {
    if (position >= index.subindices.size()) {
        return nullptr;
    }
    auto removed = std::move(index.subindices[position]);
    index.subindices.erase(index.subindices.begin() + position);
    return removed;
}

std::uint16_t ObjectDictionary::GetIndexPosition(const IndexEntry& index) const {
    const auto at = FirstNotLess(m_indices, index.index);
    if (at != m_indices.end() && (*at)->index == index.index) {
        return static_cast<std::uint16_t>(at - m_indices.begin());
    }
    return GetIndexCount();
}

std::uint16_t ObjectDictionary::GetEntryPosition(const IndexEntry& index, const SubindexEntry& entry) const {
    for (std::size_t i = 0; i < index.subindices.size(); ++i) {
        if (index.subindices[i]->subindex == entry.subindex) {
            return static_cast<std::uint16_t>(i);
        }
    }
    return GetEntryCount(index);
}

IndexEntry* ObjectDictionary::CreateDefaultPdoMapping(std::uint16_t indexNumber) {
    auto index = std::make_unique<IndexEntry>();
    index->index = indexNumber;
    index->headerSubindex = HeaderStructured;
    index->entryCount = 2;
    index->storage = "RAM";
    index->category = "optional";
    index->callbackName = LookupDefaultCallback(indexNumber) != 0 ? GetLookupResult() : std::string("NULL");

    auto header = std::make_unique<SubindexEntry>();
    header->index = indexNumber;
    header->subindex = HeaderStructured;
    header->objectType = ObjectCode::Record;
    if (indexNumber >= 0x1600 && indexNumber <= 0x17FF) {
        header->name = "Receive PDO Mapping";
    } else if (indexNumber >= 0x1A00 && indexNumber <= 0x1BFF) {
        header->name = "Transmit PDO Mapping";
    }

    auto count = std::make_unique<SubindexEntry>();
    count->index = indexNumber;
    count->subindex = 0x00;
    count->objectType = ObjectCode::Var;
    count->dataType = DataTypeCode::Uint8;
    count->name = "Number of Mapped Objects";
    count->accessType = "rw";
    count->defaultNumber = 1;

    index->subindices.push_back(std::move(header));
    index->subindices.push_back(std::move(count));
    IndexEntry* raw = index.get();
    m_indices.insert(FirstGreater(m_indices, indexNumber), std::move(index));
    return raw;
}

int ObjectDictionary::LookupDefaultCallback(std::uint16_t indexNumber) {
    for (std::uint16_t row = 0; row < DefaultCallbackTableSize; ++row) {
        const DefaultCallbackRow& r = DefaultCallbackTable[row];
        const auto end = static_cast<std::uint16_t>(r.first + r.count);
        if (r.first <= indexNumber && indexNumber < end) {
            m_lastTableRow = row;
            m_lookupResult = r.name;
            return 1;
        }
        m_lookupResult = "NULL";
    }
    return 0;
}

void ObjectDictionary::TakeIndicesFrom(ObjectDictionary& other) {
    std::vector<std::unique_ptr<IndexEntry>> merged;
    merged.reserve(m_indices.size() + other.m_indices.size());
    // std::merge takes the element of the first range where two compare equal.
    std::merge(std::make_move_iterator(m_indices.begin()), std::make_move_iterator(m_indices.end()),
               std::make_move_iterator(other.m_indices.begin()),
               std::make_move_iterator(other.m_indices.end()), std::back_inserter(merged),
               [](const std::unique_ptr<IndexEntry>& a, const std::unique_ptr<IndexEntry>& b) {
                   return a->index < b->index;
               });
    m_indices = std::move(merged);
    other.m_indices.clear();
}

const char* ObjectDictionary::DefaultCallbackFor(std::uint16_t indexNumber) {
    for (const DefaultCallbackRow& r : DefaultCallbackTable) {
        if (r.first <= indexNumber && indexNumber < r.first + r.count) {
            return r.name;
        }
    }
    return nullptr;
}

ValueKind ObjectDictionary::ConvertEntryValues(const SubindexEntry& entry, ConvertedValues& out) const {
    return ::ConvertEntryValues(entry, out);
}

void ObjectDictionary::Clear() {
    m_indices.clear();
    m_commentLines.clear();
}
