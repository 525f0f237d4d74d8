#include "eds/EdsFormat.h"

#include <algorithm>
#include <bit>
#include <charconv>
#include <cstdarg>
#include <cstdio>
#include <system_error>

std::string Format(const char* format, ...) {
    char small[128];
    va_list args;
    va_start(args, format);
    const int length = std::vsnprintf(small, sizeof small, format, args);
    va_end(args);
    if (length < 0) {
        return std::string();
    }
    const auto size = static_cast<std::size_t>(length);
    if (size < sizeof small) {
        return std::string(small, size);
    }
    std::string text(size + 1, '\0');
    va_start(args, format);
    std::vsnprintf(text.data(), text.size(), format, args);
    va_end(args);
    text.resize(size);
    return text;
}

std::string FormatReal(double value) {
    char buffer[64];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::general, 6);
    return std::string(buffer, result.ptr);
}

std::string ToLower(std::string text) {
    for (char& c : text) {
        if (c >= 'A' && c <= 'Z') {
            c = static_cast<char>(c - 'A' + 'a');
        }
    }
    return text;
}

ShortText& ShortText::Text(std::string_view text) {
    const std::size_t length = std::min(text.size(), Room - m_size);
    text.copy(m_data + m_size, length);
    m_size += length;
    return *this;
}

ShortText& ShortText::Hex(std::uint32_t value, int minDigits, bool lowerCase) {
    const char* digits = lowerCase ? "0123456789abcdef" : "0123456789ABCDEF";
    const int count = std::max(value == 0 ? 1 : static_cast<int>(std::bit_width(value) + 3) / 4, minDigits);
    if (m_size + static_cast<std::size_t>(count) > Room) {
        return *this;
    }
    m_size += static_cast<std::size_t>(count);
    for (char* at = m_data + m_size; at != m_data + m_size - count; value >>= 4) {
        *--at = digits[value & 0xFu];
    }
    return *this;
}

ShortText& ShortText::Decimal(std::int64_t value) {
    const auto result = std::to_chars(m_data + m_size, m_data + Room, value);
    if (result.ec == std::errc()) {
        m_size = static_cast<std::size_t>(result.ptr - m_data);
    }
    return *this;
}
