#pragma once

#include <cstdint>

struct SubindexEntry;

// Which objects the generated sources carry, and in which form. The generator follows these rules and
// the dictionary checker reads them, so the two always agree.

// The dictionary header has three parts, 0x1000..0x1FFF, 0x2000..0x5FFF and 0x6000..0x9FFF; an index
// above the last part is left out of the generated sources.
constexpr std::uint16_t LastGeneratedIndex = 0x9FFF;

constexpr bool IsSdoServerIndex(std::uint16_t x) {
    return x >= 0x1200 && x <= 0x127F;
}
constexpr bool IsSdoClientIndex(std::uint16_t x) {
    return x >= 0x1280 && x <= 0x12FF;
}

// A PDO has a communication index (receive 0x1400..0x15FF, transmit 0x1800..0x19FF) and a mapping
// index 0x200 above it (0x1600..0x17FF, 0x1A00..0x1BFF). The generator pairs them by number alone.
constexpr bool IsPdoIndex(std::uint16_t x) {
    return x >= 0x1400 && x <= 0x1BFF;
}
constexpr bool IsPdoCommunicationIndex(std::uint16_t x) {
    return (x >= 0x1400 && x <= 0x15FF) || (x >= 0x1800 && x <= 0x19FF);
}
constexpr bool IsPdoMappingIndex(std::uint16_t x) {
    return (x >= 0x1600 && x <= 0x17FF) || (x >= 0x1A00 && x <= 0x1BFF);
}
constexpr bool IsReceivePdoIndex(std::uint16_t x) {
    return x >= 0x1400 && x <= 0x17FF;
}
// The other index of the pair: the mapping index of a communication index and the reverse.
constexpr std::uint16_t PdoPartnerIndex(std::uint16_t x) {
    return static_cast<std::uint16_t>(IsPdoCommunicationIndex(x) ? x + 0x200 : x - 0x200);
}

// An index written as a block (begin line, a line per entry, end line): every index of the three
// parts but the SDO and PDO parameter indices, which get one creation line each.
constexpr bool GetsIndexBlock(std::uint16_t x) {
    return x >= 0x1000 && x <= LastGeneratedIndex && !IsSdoServerIndex(x) && !IsSdoClientIndex(x) &&
           !IsPdoIndex(x);
}

// Whether the entry loop of an index block writes a line for the entry: a const entry gets a ROM
// line, any other a RAM line, which the communication area (0x1000..0x1FFF) only writes for the
// access types the stack knows; and only the integer, REAL32, VISIBLE_STRING and (RAM) DOMAIN types
// have lines.
bool WritesEntryLine(const SubindexEntry& entry, bool communicationArea);

// The basic types that never get an entry line (BOOLEAN, the 24- to 64-bit integers, REAL64, the
// times, OCTET_STRING, UNICODE_STRING): entries of these types are left out of the sources.
bool HasNoLineType(std::uint8_t dataType);
