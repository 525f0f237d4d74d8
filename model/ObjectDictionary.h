#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "model/CommentLine.h"
#include "model/IndexEntry.h"
#include "model/ValueConversion.h"

// One row of the default callback table: index numbers first <= n < first + count.
struct DefaultCallbackRow {
    std::uint16_t first;
    std::uint16_t count;
    const char* name;
};

constexpr std::uint16_t DefaultCallbackTableSize = 22;
extern const DefaultCallbackRow DefaultCallbackTable[DefaultCallbackTableSize];

// The indices of a project in ascending order, plus the EDS comment lines. Positions and counts are
// 16-bit as in the project file. Indices are held by unique_ptr so that references handed to views
// and dialogs stay valid while other indices come and go.
class ObjectDictionary {
public:
    ObjectDictionary() = default;
    ObjectDictionary(const ObjectDictionary&) = delete;
    ObjectDictionary& operator=(const ObjectDictionary&) = delete;

    std::uint16_t GetIndexCount() const { return static_cast<std::uint16_t>(m_indices.size()); }
    IndexEntry* GetIndexAt(std::uint16_t position);
    const IndexEntry* GetIndexAt(std::uint16_t position) const;
    std::uint16_t GetEntryCount(const IndexEntry& index) const;
    SubindexEntry* GetEntryAt(IndexEntry& index, std::uint16_t position);
    const SubindexEntry* GetEntryAt(const IndexEntry& index, std::uint16_t position) const;

    // Inserts before the first index with a greater number; equal numbers go after the existing one.
    std::uint16_t InsertIndex(std::unique_ptr<IndexEntry> index);
    // Header entries go to the front; others before the first greater subindex (headers excepted).
    // An entry whose index is not in the dictionary is refused (returns false, the entry is dropped).
    // entryCount is left to the caller.
    bool InsertEntry(std::unique_ptr<SubindexEntry> entry);
    // The first index with the number, or null.
    IndexEntry* FindIndexForEntry(std::uint16_t indexNumber);
    const IndexEntry* FindIndexForEntry(std::uint16_t indexNumber) const;
    // The first entry with exactly this subindex (a header entry by its header number), or null.
    SubindexEntry* FindEntry(std::uint16_t indexNumber, std::uint16_t subindexNumber);
    const SubindexEntry* FindEntry(std::uint16_t indexNumber, std::uint16_t subindexNumber) const;
    std::unique_ptr<IndexEntry> RemoveIndexAt(std::uint16_t position);
    std::unique_ptr<SubindexEntry> RemoveEntryAt(IndexEntry& index, std::uint16_t position);
    // Position of the first index / entry with the same number, or the count when there is none.
    std::uint16_t GetIndexPosition(const IndexEntry& index) const;
    std::uint16_t GetEntryPosition(const IndexEntry& index, const SubindexEntry& entry) const;

    // Takes every index of `other`, keeping the order: an index of `other` goes after those here with the
    // same number, as if it had been inserted after them. `other` keeps its comment lines.
    void TakeIndicesFrom(ObjectDictionary& other);

    // Adds a RECORD index m with its header and count entry (for a PDO communication index m - 0x200).
    IndexEntry* CreateDefaultPdoMapping(std::uint16_t indexNumber);

    // 1 when a table row covers the number; sets the lookup result ("NULL" after a miss).
    int LookupDefaultCallback(std::uint16_t indexNumber);
    std::string GetLookupResult() const { return m_lookupResult; }
    std::uint16_t GetLastTableRow() const { return m_lastTableRow; }
    // The same question without a lookup result to keep, for readers on several threads: the name of
    // the row that covers the number, or null.
    static const char* DefaultCallbackFor(std::uint16_t indexNumber);

    ValueKind ConvertEntryValues(const SubindexEntry& entry, ConvertedValues& out) const;

    std::vector<CommentLine>& CommentLines() { return m_commentLines; }
    const std::vector<CommentLine>& CommentLines() const { return m_commentLines; }

    // Destroys every index, entry and comment line.
    void Clear();

private:
    std::vector<CommentLine> m_commentLines;
    std::uint16_t m_lastTableRow = 0;
    std::vector<std::unique_ptr<IndexEntry>> m_indices;
    std::string m_lookupResult = "NULL";
};
