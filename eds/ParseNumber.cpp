#include "eds/ParseNumber.h"

#include <climits>
#include <cstdint>

#include "model/HexDigits.h"

namespace {

bool IsBlank(char c) {
    return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\v' || c == '\f';
}

char Lower(char c) {
    return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
}

int DigitValue(char c, int base) {
    const int value = HexDigitValue(c);
    return value < base ? value : -1;
}

// Reads like sscanf with "%lx" or "%lu": blanks, an optional sign, for base 16 an optional "0x",
// then digits. Arithmetic is modulo 2^32, which is what the 32-bit fields receive in any case.
std::uint32_t ReadUnsigned(std::string_view text, int base) {
    std::size_t i = 0;
    while (i < text.size() && IsBlank(text[i])) {
        ++i;
    }
    bool negative = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) {
        negative = text[i] == '-';
        ++i;
    }
    if (base == 16 && i + 1 < text.size() && text[i] == '0' && Lower(text[i + 1]) == 'x' &&
        i + 2 < text.size() && DigitValue(text[i + 2], 16) >= 0) {
        i += 2;
    }
    std::uint32_t value = 0;
    for (; i < text.size(); ++i) {
        const int digit = DigitValue(text[i], base);
        if (digit < 0) {
            break;
        }
        value = value * static_cast<std::uint32_t>(base) + static_cast<std::uint32_t>(digit);
    }
    return negative ? 0u - value : value;
}

}  // namespace

std::uint32_t ParseNumber(std::string_view text) {
    // Nearly every number of a file is "0x" and hexadecimal digits to its end, which reads the same by
    // the general path below; it is taken at one look per digit.
    if (text.size() > 2 && text[0] == '0' && (text[1] == 'x' || text[1] == 'X')) {
        std::uint32_t value = 0;
        std::size_t i = 2;
        for (; i < text.size(); ++i) {
            const int digit = HexDigitValue(text[i]);
            if (digit < 0) {
                break;
            }
            value = value * 16 + static_cast<std::uint32_t>(digit);
        }
        if (i == text.size()) {
            return value;
        }
    }
    const bool hexPrefix = text.size() >= 2 && text[0] == '0' && Lower(text[1]) == 'x';
    bool hexLetter = false;
    for (char c : text) {
        const char l = Lower(c);
        if (l >= 'a' && l <= 'f') {
            hexLetter = true;
            break;
        }
    }
    return ReadUnsigned(text, hexPrefix || hexLetter ? 16 : 10);
}

int ParseLeadingInt(std::string_view text) {
    std::size_t i = 0;
    while (i < text.size() && IsBlank(text[i])) {
        ++i;
    }
    bool negative = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) {
        negative = text[i] == '-';
        ++i;
    }
    long long value = 0;
    for (; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i) {
        value = value * 10 + (text[i] - '0');
        if (value > static_cast<long long>(INT_MAX) + 1) {
            value = static_cast<long long>(INT_MAX) + 1;
        }
    }
    if (negative) {
        value = -value;
    }
    if (value > INT_MAX) {
        value = INT_MAX;
    }
    return static_cast<int>(value);
}
