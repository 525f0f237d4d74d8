#include "eds/ImportReport.h"

#include <algorithm>

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

}  // namespace

void ImportReport::Finish() {
    // Stable, so that an entry read twice keeps the line of the section that counts. Most files hold
    // their objects in order, and their entries come sorted already.
    const auto byKey = [](const auto& a, const auto& b) { return a.first < b.first; };
    const auto sort = [&byKey](auto& table) {
        if (!std::is_sorted(table.begin(), table.end(), byKey)) {
            std::stable_sort(table.begin(), table.end(), byKey);
        }
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
