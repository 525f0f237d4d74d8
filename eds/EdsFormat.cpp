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

ShortText& ShortText::Decimal(std::int64_t value) {
    const auto result = std::to_chars(m_data + m_size, m_data + Room, value);
    if (result.ec == std::errc()) {
        m_size = static_cast<std::size_t>(result.ptr - m_data);
    }
    return *this;
}
