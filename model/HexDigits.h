#pragma once

#include <algorithm>
#include <array>
#include <bit>
#include <cstddef>
#include <cstdint>

// The value of a byte as a hexadecimal digit in either letter case, -1 for any other byte. The readers
// take hundreds of thousands of numbers from a large file, a look in a table per digit.
inline constexpr std::array<int, 256> HexDigitTable = [] {
    std::array<int, 256> table{};
    for (int c = 0; c < 256; ++c) {
        table[static_cast<std::size_t>(c)] = c >= '0' && c <= '9'   ? c - '0'
                                             : c >= 'a' && c <= 'f' ? c - 'a' + 10
                                             : c >= 'A' && c <= 'F' ? c - 'A' + 10
                                                                    : -1;
    }
    return table;
}();

inline int HexDigitValue(char c) {
    return HexDigitTable[static_cast<unsigned char>(c)];
}

// How many hexadecimal digits "%0*X" gives for the value: at least minDigits, and 0 takes one.
inline int HexDigitCount(std::uint32_t value, int minDigits) {
    return std::max(static_cast<int>(std::bit_width(value | 1u) + 3) / 4, minDigits);
}

// Writes the value's last `count` hexadecimal digits from `first` on, leading zeros included.
inline void WriteHexDigits(char* first, int count, std::uint32_t value, bool upperCase) {
    const char* digits = upperCase ? "0123456789ABCDEF" : "0123456789abcdef";
    for (char* at = first + count; at != first; value >>= 4) {
        *--at = digits[value & 0xFu];
    }
}
