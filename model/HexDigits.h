#pragma once

#include <array>
#include <cstddef>

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
