#include "ui/dialogs/SectionFields.h"

#include <cstdio>

int TextLimit(int maxChars, std::size_t existingLength) {
    const std::size_t limit = static_cast<std::size_t>(maxChars > 0 ? maxChars : UnlimitedChars);
    return static_cast<int>(std::max(limit, existingLength));
}

std::string NumberText(std::uint32_t value) {
    return std::to_string(value);
}

std::optional<std::uint32_t> ParseFieldNumber(const std::string& text, std::uint32_t maximum) {
    const auto first = text.find_first_not_of(' ');
    if (first == std::string::npos) {
        return std::nullopt;
    }
    const auto last = text.find_last_not_of(' ');
    std::string_view digits(text.data() + first, last - first + 1);
    unsigned base = 10;
    if (digits.size() > 2 && digits[0] == '0' && (digits[1] == 'x' || digits[1] == 'X')) {
        base = 16;
        digits.remove_prefix(2);
    }
    std::uint64_t value = 0;
    for (const char c : digits) {
        unsigned digit = 0;
        if (c >= '0' && c <= '9') {
            digit = static_cast<unsigned>(c - '0');
        } else if (base == 16 && c >= 'a' && c <= 'f') {
            digit = static_cast<unsigned>(c - 'a' + 10);
        } else if (base == 16 && c >= 'A' && c <= 'F') {
            digit = static_cast<unsigned>(c - 'A' + 10);
        } else {
            return std::nullopt;
        }
        value = value * base + digit;
        if (value > maximum) {
            return std::nullopt;
        }
    }
    return static_cast<std::uint32_t>(value);
}

std::string RangePrompt(const char* label, std::uint32_t maximum) {
    char text[160];
    std::snprintf(text, sizeof text, "Please enter a number from 0 to %u for \"%s\".", maximum, label);
    return text;
}
