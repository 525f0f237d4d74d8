#pragma once

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "model/HexDigits.h"

// printf-style formatting into a string, for the fixed formats of EDS keys, section names and
// messages. Only integer and text conversions are used with it; reals go through FormatReal.
std::string Format(const char* format, ...) __attribute__((format(printf, 1, 2)));

// A number as "%g" prints it (six significant digits), with '.' as the decimal point whatever the
// process locale.
std::string FormatReal(double value);

// ASCII lower case; bytes above 0x7F are left alone.
std::string ToLower(std::string text);

// A short text built on the stack from pieces in the fixed formats of the file: section names such as
// "%04Xsub%X" and the numbers of key values. Reading and writing a large file formats hundreds of
// thousands of these, where vsnprintf and a heap string each time cost more than the rest of the work.
// Text that does not fit is cut and a number that does not fit left out; the texts built here are far
// shorter than the room.
class ShortText {
public:
    // Inline, like Hex: most texts are a few bytes, where a call costs as much as the copy.
    ShortText& Text(std::string_view text) {
        const std::size_t length = std::min(text.size(), Room - m_size);
        text.copy(m_data + m_size, length);
        m_size += length;
        return *this;
    }
    // "%0*X" (or "%0*x" with lowerCase) of the 32-bit value.
    ShortText& Hex(std::uint32_t value, int minDigits = 1, bool lowerCase = false) {
        const int count = HexDigitCount(value, minDigits);
        if (m_size + static_cast<std::size_t>(count) > Room) {
            return *this;
        }
        WriteHexDigits(m_data + m_size, count, value, !lowerCase);
        m_size += static_cast<std::size_t>(count);
        return *this;
    }
    // "%d", "%i" or "%u", as the value's type gives.
    ShortText& Decimal(std::int64_t value);

    std::string_view View() const { return {m_data, m_size}; }
    operator std::string_view() const { return View(); }
    std::string Str() const { return std::string(View()); }

private:
    static constexpr std::size_t Room = 48;
    char m_data[Room];
    std::size_t m_size = 0;
};
