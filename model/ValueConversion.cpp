#include "model/ValueConversion.h"

#include <charconv>
#include <cmath>
#include <limits>

#include "model/HexDigits.h"
#include "model/NameTables.h"
#include "model/SubindexEntry.h"

namespace {

bool IsBlank(char c) {
    return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r';
}

// "0x" and hexadecimal digits to the end, the form the writer gives every number and most files
// use: read at one look per digit, with what the general path would give.
bool ReadPlainHex(std::string_view text, std::uint64_t& value) {
    if (text.size() < 3 || text[0] != '0' || text[1] != 'x') {
        return false;
    }
    std::uint64_t read = 0;
    for (std::size_t i = 2; i < text.size(); ++i) {
        const int digit = HexDigitValue(text[i]);
        if (digit < 0) {
            return false;
        }
        read = (read << 4) | static_cast<std::uint64_t>(digit);
    }
    value = read;
    return true;
}

// Reads the hexadecimal digits after the "0x" prefix up to the first non-digit. Overlong numbers wrap
// modulo 2^64, the same rule as the decimal path.
std::uint64_t ReadHexAfterPrefix(std::string_view text) {
    std::uint64_t value = 0;
    for (std::size_t i = 2; i < text.size(); ++i) {
        const int digit = HexDigitValue(text[i]);
        if (digit < 0) {
            break;
        }
        value = (value << 4) | static_cast<std::uint64_t>(digit);
    }
    return value;
}

// atol: leading blanks, an optional sign, decimal digits up to the first non-digit. A minus sign
// followed by "0x" reads hexadecimal digits instead, as the same negative number written in decimal,
// since EDS files write a negative limit such as -128 as -0x80. The value wraps modulo 2^64 instead of
// being undefined on overflow; the 32-bit rule takes its low half.
std::uint64_t ReadDecimalWrapping(std::string_view text) {
    std::size_t i = 0;
    while (i < text.size() && IsBlank(text[i])) {
        ++i;
    }
    bool negative = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) {
        negative = text[i] == '-';
        ++i;
    }
    std::uint64_t value = 0;
    if (negative && text.size() - i > 2 && text[i] == '0' && text[i + 1] == 'x') {
        for (i += 2; i < text.size() && HexDigitValue(text[i]) >= 0; ++i) {
            value = (value << 4) | static_cast<std::uint64_t>(HexDigitValue(text[i]));
        }
        return 0u - value;
    }
    for (; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i) {
        value = value * 10u + static_cast<std::uint64_t>(text[i] - '0');
    }
    return negative ? 0u - value : value;
}

bool HasHexPrefix(std::string_view text) {
    return text.size() >= 2 && text[0] == '0' && text[1] == 'x';
}

constexpr std::string_view NodeIdToken = "$NODEID";

char Lower(char c) {
    return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
}

// Equal without regard to letter case.
bool SameLetters(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) {
        return false;
    }
    for (std::size_t i = 0; i < a.size(); ++i) {
        if (Lower(a[i]) != Lower(b[i])) {
            return false;
        }
    }
    return true;
}

std::string_view TrimLeft(std::string_view text) {
    while (!text.empty() && IsBlank(text.front())) {
        text.remove_prefix(1);
    }
    return text;
}

std::string_view TrimRight(std::string_view text) {
    while (!text.empty() && IsBlank(text.back())) {
        text.remove_suffix(1);
    }
    return text;
}

}  // namespace

std::string_view WithoutNodeId(std::string_view text) {
    const std::string_view trimmed = TrimRight(TrimLeft(text));
    const std::size_t token = NodeIdToken.size();
    if (trimmed.size() > token && SameLetters(trimmed.substr(0, token), NodeIdToken)) {
        const std::string_view rest = TrimLeft(trimmed.substr(token));
        if (!rest.empty() && rest.front() == '+') {
            return TrimLeft(rest.substr(1));
        }
    }
    if (trimmed.size() > token && SameLetters(trimmed.substr(trimmed.size() - token), NodeIdToken)) {
        const std::string_view rest = TrimRight(trimmed.substr(0, trimmed.size() - token));
        if (!rest.empty() && rest.back() == '+') {
            return TrimRight(rest.substr(0, rest.size() - 1));
        }
    }
    return text;
}

bool MentionsNodeId(std::string_view text) {
    for (std::size_t at = 0; at + NodeIdToken.size() <= text.size(); ++at) {
        if (SameLetters(text.substr(at, NodeIdToken.size()), NodeIdToken)) {
            return true;
        }
    }
    return false;
}

std::int32_t ParseSigned(std::string_view text, std::uint32_t mask) {
    if (std::uint64_t value = 0; ReadPlainHex(text, value)) {
        return static_cast<std::int32_t>(static_cast<std::uint32_t>(value) & mask);
    }
    text = WithoutNodeId(text);
    if (HasHexPrefix(text)) {
        return static_cast<std::int32_t>(static_cast<std::uint32_t>(ReadHexAfterPrefix(text)) & mask);
    }
    return static_cast<std::int32_t>(static_cast<std::uint32_t>(ReadDecimalWrapping(text)));
}

std::uint32_t ParseUnsigned(std::string_view text, std::uint32_t mask) {
    if (std::uint64_t value = 0; ReadPlainHex(text, value)) {
        return static_cast<std::uint32_t>(value) & mask;
    }
    text = WithoutNodeId(text);
    if (HasHexPrefix(text)) {
        return static_cast<std::uint32_t>(ReadHexAfterPrefix(text)) & mask;
    }
    return static_cast<std::uint32_t>(ReadDecimalWrapping(text)) & mask;
}

std::uint64_t ParseUnsigned64(std::string_view text, unsigned bits) {
    text = WithoutNodeId(text);
    const std::uint64_t value = HasHexPrefix(text) ? ReadHexAfterPrefix(text) : ReadDecimalWrapping(text);
    return bits >= 64 ? value : value & ((std::uint64_t{1} << bits) - 1u);
}

std::int64_t ParseSigned64(std::string_view text, unsigned bits) {
    text = WithoutNodeId(text);
    if (HasHexPrefix(text)) {
        const std::uint64_t value = ReadHexAfterPrefix(text);
        return static_cast<std::int64_t>(bits >= 64 ? value : value & ((std::uint64_t{1} << bits) - 1u));
    }
    return static_cast<std::int64_t>(ReadDecimalWrapping(text));
}

double ParseReal(std::string_view text) {
    text = WithoutNodeId(text);
    const char* p = text.data();
    const char* end = p + text.size();
    while (p < end && IsBlank(*p)) {
        ++p;
    }
    bool negative = false;
    if (p < end && (*p == '+' || *p == '-')) {
        negative = *p == '-';
        ++p;
    }
    double value = 0.0;
    std::chars_format format = std::chars_format::general;
    if (end - p > 2 && p[0] == '0' && (p[1] == 'x' || p[1] == 'X') && HexDigitValue(p[2]) >= 0) {
        p += 2;
        format = std::chars_format::hex;
    }
    const auto result = std::from_chars(p, end, value, format);
    if (result.ec == std::errc::result_out_of_range) {
        // strtod gives HUGE_VAL for overflow and 0 for underflow; tell them apart by the exponent sign.
        bool overflow = true;
        for (const char* q = p; q < result.ptr; ++q) {
            if ((*q == 'e' || *q == 'E' || *q == 'p' || *q == 'P') && q + 1 < result.ptr && q[1] == '-') {
                overflow = false;
            }
        }
        value = overflow ? HUGE_VAL : 0.0;
    } else if (result.ec != std::errc()) {
        value = 0.0;
    }
    return negative ? -value : value;
}

namespace {

// Narrowing a double beyond the float range is undefined in C++; IEEE gives infinity, so say so.
float ToFloat(double value) {
    if (std::isfinite(value) && std::fabs(value) > static_cast<double>(std::numeric_limits<float>::max())) {
        return value > 0 ? std::numeric_limits<float>::infinity() : -std::numeric_limits<float>::infinity();
    }
    return static_cast<float>(value);
}

void ConvertSigned(const SubindexEntry& entry, std::uint32_t mask, ConvertedValues& out) {
    out.signedDefault = ParseSigned(entry.defaultValue, mask);
    out.signedHigh = ParseSigned(entry.highLimit, mask);
    out.signedLow = ParseSigned(entry.lowLimit, mask);
}

void ConvertUnsigned(const SubindexEntry& entry, std::uint32_t mask, ConvertedValues& out) {
    out.unsignedDefault = ParseUnsigned(entry.defaultValue, mask);
    out.unsignedHigh = ParseUnsigned(entry.highLimit, mask);
    out.unsignedLow = ParseUnsigned(entry.lowLimit, mask);
}

}  // namespace

ValueKind ConvertEntryValues(const SubindexEntry& entry, ConvertedValues& out) {
    switch (entry.dataType) {
        case DataTypeCode::Boolean:
        case DataTypeCode::Uint8:
            ConvertUnsigned(entry, 0xFFu, out);
            return ValueKind::Unsigned;
        case DataTypeCode::Uint16:
            ConvertUnsigned(entry, 0xFFFFu, out);
            return ValueKind::Unsigned;
        case DataTypeCode::Uint32:
            ConvertUnsigned(entry, 0xFFFFFFFFu, out);
            return ValueKind::Unsigned;
        case DataTypeCode::Int8:
            ConvertSigned(entry, 0xFFu, out);
            return ValueKind::Signed;
        case DataTypeCode::Int16:
            ConvertSigned(entry, 0xFFFFu, out);
            return ValueKind::Signed;
        case DataTypeCode::Int32:
            ConvertSigned(entry, 0xFFFFFFFFu, out);
            return ValueKind::Signed;
        case DataTypeCode::Real32:
            out.realDefault = ToFloat(ParseReal(entry.defaultValue));
            out.realHigh = ToFloat(ParseReal(entry.highLimit));
            out.realLow = ToFloat(ParseReal(entry.lowLimit));
            return ValueKind::Real;
        case DataTypeCode::VisibleString:
        case DataTypeCode::OctetString:
        case DataTypeCode::UnicodeString:
            return ValueKind::String;
        case DataTypeCode::Domain:
            return ValueKind::Domain;
        default:
            return ValueKind::None;
    }
}
