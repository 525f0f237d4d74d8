#include "eds/ImportReport.h"

#include <algorithm>

#include "eds/SortRuns.h"

namespace {

constexpr std::uint16_t OwnSection = 0xFFFF;

std::uint16_t Normalised(std::uint16_t subindex) {
    return subindex == 0xFFFD ? OwnSection : subindex;
}

template <typename Value>
const Value* Lookup(const std::vector<std::pair<std::uint32_t, Value>>& table, std::uint32_t key) {
    const auto found = std::lower_bound(table.begin(), table.end(), key,
                                        [](const auto& row, std::uint32_t k) { return row.first < k; });
    return found != table.end() && found->first == key ? &found->second : nullptr;
}

// An index's own section is read before its subindices, so it comes first among its entries while its
// key sorts last: moving it behind them leaves runs in order. It is not moved past another row of the
// same key, which keeps the order of equal keys for the stable sort.
template <typename Table>
void MoveOwnSectionsLast(Table& table) {
    for (auto group = table.begin(); group != table.end();) {
        const std::uint32_t ownKey = group->first;
        const auto end = std::find_if(group + 1, table.end(), [&](const auto& row) {
            return row.first >> 16 != ownKey >> 16 || row.first == ownKey;
        });
        if ((ownKey & 0xFFFFu) == OwnSection && (end == table.end() || end->first >> 16 != ownKey >> 16)) {
            std::rotate(group, group + 1, end);
        }
        group = end;
    }
}

}  // namespace

void ImportReport::Finish() {
    // Stable, so that an entry read twice keeps the line of the section that counts. Most files hold
    // their objects list by list, each list in order, so the tables come as a few sorted runs.
    const auto byKey = [](const auto& a, const auto& b) { return a.first < b.first; };
    const auto sort = [&byKey](auto& table) {
        MoveOwnSectionsLast(table);
        SortRuns(table.begin(), table.end(), byKey);
    };
    sort(entryLines);
    sort(absentValues);
    leftOut.clear();
    for (std::size_t i = 0; i < records.size(); ++i) {
        const ImportRecord& record = records[i];
        const bool leftOutKind = record.kind == ImportRecordKind::UnsupportedDataType ||
                                 record.kind == ImportRecordKind::UnlistedObject ||
                                 record.kind == ImportRecordKind::SubNumberSurplus;
        if (leftOutKind && !record.kept) {
            leftOut.emplace_back(Key(record.index, record.subindex), i);
        }
    }
    sort(leftOut);
}

std::uint32_t ImportReport::EntryLine(std::uint16_t index, std::uint16_t subindex) const {
    const std::uint32_t* line = Lookup(entryLines, Key(index, Normalised(subindex)));
    return line != nullptr ? *line : 0;
}

std::uint8_t ImportReport::AbsentValues(std::uint16_t index, std::uint16_t subindex) const {
    const std::uint8_t* absent = Lookup(absentValues, Key(index, Normalised(subindex)));
    return absent != nullptr ? *absent : 0;
}

const ImportRecord* ImportReport::LeftOut(std::uint16_t index, std::uint16_t subindex) const {
    const std::size_t* position = Lookup(leftOut, Key(index, Normalised(subindex)));
    if (position == nullptr) {
        // A section no list names takes all its subindices with it.
        position = Lookup(leftOut, Key(index, OwnSection));
        if (position != nullptr && records[*position].kind != ImportRecordKind::UnlistedObject &&
            subindex != 0) {
            position = nullptr;
        }
    }
    return position != nullptr ? &records[*position] : nullptr;
}
