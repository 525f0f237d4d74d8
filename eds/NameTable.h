#pragma once

#include <cstddef>
#include <cstdint>
#include <string_view>
#include <vector>

// An open-addressing hash index from names to positions in a list the caller owns. It keeps only
// 32 bits of each name's hash and its 32-bit position, so looking up one of tens of thousands of
// section names touches eight bytes of one array; the caller compares the names themselves.
class NameTable {
public:
    static constexpr std::size_t None = static_cast<std::size_t>(-1);

    void Reserve(std::size_t count) {
        std::size_t size = 16;
        while (size < count * 2) {
            size *= 2;
        }
        if (size > m_slots.size()) {
            Rehash(size);
        }
    }

    // The position of the first entry with this hash whose name `matches`, or None.
    template <class Matches>
    std::size_t Find(std::size_t hash, Matches matches) const {
        if (m_slots.empty()) {
            return None;
        }
        const std::size_t mask = m_slots.size() - 1;
        for (std::size_t i = Home(hash, mask);; i = (i + 1) & mask) {
            const Slot& slot = m_slots[i];
            if (slot.position == Empty) {
                return None;
            }
            if (slot.hash == static_cast<std::uint32_t>(hash) && matches(std::size_t{slot.position})) {
                return slot.position;
            }
        }
    }

    // Find and Insert in one walk: the position of the first entry with this hash whose name `matches`,
    // or None after inserting `position`.
    template <class Matches>
    std::size_t FindOrInsert(std::size_t hash, std::size_t position, Matches matches) {
        if ((m_count + 1) * 2 > m_slots.size()) {
            Rehash(m_slots.empty() ? 16 : m_slots.size() * 2);
        }
        const std::size_t mask = m_slots.size() - 1;
        for (std::size_t i = Home(hash, mask);; i = (i + 1) & mask) {
            Slot& slot = m_slots[i];
            if (slot.position == Empty) {
                slot = Slot{static_cast<std::uint32_t>(hash), static_cast<std::uint32_t>(position)};
                ++m_count;
                return None;
            }
            if (slot.hash == static_cast<std::uint32_t>(hash) && matches(std::size_t{slot.position})) {
                return slot.position;
            }
        }
    }

    // Asks the processor to fetch the slot a look-up of this hash starts at, ahead of the look-up: in a
    // table of tens of thousands of names nearly every look-up would otherwise wait for memory.
    void Prefetch(std::size_t hash) const {
        if (!m_slots.empty()) {
            __builtin_prefetch(&m_slots[Home(hash, m_slots.size() - 1)]);
        }
    }

    void Insert(std::size_t hash, std::size_t position) {
        if ((m_count + 1) * 2 > m_slots.size()) {
            Rehash(m_slots.empty() ? 16 : m_slots.size() * 2);
        }
        Place(hash, position);
        ++m_count;
    }

private:
    static constexpr std::uint32_t Empty = static_cast<std::uint32_t>(-1);
    struct Slot {
        std::uint32_t hash = 0;
        std::uint32_t position = Empty;
    };

    // Folds the high bits in, so that hashes differing only there do not share a run of slots.
    static std::size_t Home(std::size_t hash, std::size_t mask) {
        const auto low = static_cast<std::uint32_t>(hash);
        return (low ^ (low >> 17)) & mask;
    }

    void Place(std::size_t hash, std::size_t position) {
        const std::size_t mask = m_slots.size() - 1;
        std::size_t i = Home(hash, mask);
        while (m_slots[i].position != Empty) {
            i = (i + 1) & mask;
        }
        m_slots[i] = Slot{static_cast<std::uint32_t>(hash), static_cast<std::uint32_t>(position)};
    }

    void Rehash(std::size_t size) {
        std::vector<Slot> old(size);
        old.swap(m_slots);
        for (const Slot& slot : old) {
            if (slot.position != Empty) {
                Place(slot.hash, slot.position);
            }
        }
    }

    std::vector<Slot> m_slots;
    std::size_t m_count = 0;
};
