#include <algorithm>
#include <cfloat>
#include <charconv>
#include <cmath>
#include <string>
#include <string_view>

#include "check/CheckContext.h"
#include "model/NameTables.h"
#include "model/ObjectDictionary.h"

namespace {

// How a value text reads under the value rule, told strictly: the value rule itself never fails, it
// takes what it can and masks the rest away, which hides a mistyped value until the device misbehaves.
struct Reading {
    enum Outcome { Number, Empty, Trailing, OutOfRange } outcome = Number;
    double value = 0.0;     // exact for every integer type, which has at most 32 bits
    std::string_view rest;  // what the value rule stops at
};

// The range of an integer type; hexadecimal texts give the bit pattern of `bits` bits.
struct IntegerRange {
    std::int64_t min;
    std::int64_t max;
    unsigned bits;
};

bool IntegerRangeOf(std::uint8_t dataType, IntegerRange& range) {
    switch (dataType) {
        case DataTypeCode::Boolean:
            range = {0, 1, 8};
            return true;
        case DataTypeCode::Int8:
            range = {-128, 127, 8};
            return true;
        case DataTypeCode::Int16:
            range = {-32768, 32767, 16};
            return true;
        case DataTypeCode::Int32:
            range = {-2147483648LL, 2147483647LL, 32};
            return true;
        case DataTypeCode::Uint8:
            range = {0, 0xFF, 8};
            return true;
        case DataTypeCode::Uint16:
            range = {0, 0xFFFF, 16};
            return true;
        case DataTypeCode::Uint32:
            range = {0, 0xFFFFFFFFLL, 32};
            return true;
        default:
            return false;
    }
}

bool IsBlank(char c) {
    return c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == '\v' || c == '\f';
}

std::string_view TrimLeft(std::string_view text) {
    while (!text.empty() && IsBlank(text.front())) {
        text.remove_prefix(1);
    }
    return text;
}

// Blanks after the number are harmless; anything else is left over.
Reading Finish(Reading reading, std::string_view rest) {
    if (!TrimLeft(rest).empty()) {
        reading.outcome = Reading::Trailing;
        reading.rest = rest;
    }
    return reading;
}

int HexDigit(char c) {
    if (c >= '0' && c <= '9') {
        return c - '0';
    }
    if (c >= 'a' && c <= 'f') {
        return c - 'a' + 10;
    }
    return (c >= 'A' && c <= 'F') ? c - 'A' + 10 : -1;
}

// The two paths of the value rule: exactly "0x" at the start reads hexadecimal, anything else decimal
// with leading blanks and a sign. A hexadecimal text of a signed type is its two's complement.
Reading ReadInteger(std::string_view text, const IntegerRange& range) {
    Reading reading;
    constexpr std::uint64_t Huge = 1ULL << 40;  // beyond every type; stops the digits from overflowing
    std::uint64_t magnitude = 0;
    std::size_t at = 0;
    bool negative = false;
    const bool hex = text.size() >= 2 && text[0] == '0' && text[1] == 'x';
    if (hex) {
        at = 2;
        for (; at < text.size() && HexDigit(text[at]) >= 0; ++at) {
            magnitude = std::min(Huge, magnitude * 16 + static_cast<unsigned>(HexDigit(text[at])));
        }
    } else {
        while (at < text.size() && IsBlank(text[at])) {
            ++at;
        }
        if (at < text.size() && (text[at] == '+' || text[at] == '-')) {
            negative = text[at] == '-';
            ++at;
        }
        const std::size_t digits = at;
        for (; at < text.size() && text[at] >= '0' && text[at] <= '9'; ++at) {
            magnitude = std::min(Huge, magnitude * 10 + static_cast<unsigned>(text[at] - '0'));
        }
        if (at == digits) {
            reading.outcome = Reading::Trailing;
            reading.rest = text.substr(at);
            return reading;
        }
    }
    if (hex && at == 2) {
        reading.outcome = Reading::Trailing;
        reading.rest = text.substr(2);
        return reading;
    }
    auto value = static_cast<std::int64_t>(magnitude);
    if (hex) {
        const std::uint64_t patterns = 1ULL << range.bits;
        if (magnitude >= patterns) {
            value = range.max + 1;
        } else if (range.min < 0 && magnitude >= patterns / 2) {
            value -= static_cast<std::int64_t>(patterns);
        }
    } else if (negative) {
        value = -value;
    }
    reading.value = static_cast<double>(value);
    if (value < range.min || value > range.max) {
        reading.outcome = Reading::OutOfRange;
    }
    return Finish(reading, text.substr(at));
}

// Standard text-to-double reading, as the value rule reads REAL32, into a 32-bit float.
Reading ReadReal(std::string_view text) {
    Reading reading;
    std::string_view number = TrimLeft(text);
    bool negative = false;
    if (!number.empty() && (number.front() == '+' || number.front() == '-')) {
        negative = number.front() == '-';
        number.remove_prefix(1);
    }
    auto format = std::chars_format::general;
    if (number.size() > 2 && number[0] == '0' && (number[1] == 'x' || number[1] == 'X') &&
        HexDigit(number[2]) >= 0) {
        number.remove_prefix(2);
        format = std::chars_format::hex;
    }
    double value = 0.0;
    const auto result = std::from_chars(number.data(), number.data() + number.size(), value, format);
    if (result.ec == std::errc::invalid_argument) {
        reading.outcome = Reading::Trailing;
        reading.rest = TrimLeft(text);
        return reading;
    }
    if (result.ec == std::errc::result_out_of_range) {
        value = 0.0;  // an underflow reads as 0; an overflow is caught below by its exponent
        for (const char* c = number.data(); c < result.ptr; ++c) {
            if ((*c == 'e' || *c == 'E' || *c == 'p' || *c == 'P') && c + 1 < result.ptr && c[1] != '-') {
                reading.outcome = Reading::OutOfRange;
            }
        }
    } else if (std::isfinite(value) && std::fabs(value) > FLT_MAX) {
        reading.outcome = Reading::OutOfRange;
    }
    reading.value = negative ? -value : value;
    return Finish(reading, number.substr(static_cast<std::size_t>(result.ptr - number.data())));
}

// "$NODEID+n" counts as n; an empty text is what the value rule reads as 0.
Reading Read(const std::string& text, std::uint8_t dataType) {
    const std::string_view value = WithoutNodeId(text);
    if (TrimLeft(value).empty()) {
        Reading empty;
        empty.outcome = Reading::Empty;
        return empty;
    }
    IntegerRange range{};
    return IntegerRangeOf(dataType, range) ? ReadInteger(value, range) : ReadReal(value);
}

std::string RangeText(std::uint8_t dataType, std::string_view text) {
    IntegerRange range{};
    if (!IntegerRangeOf(dataType, range)) {
        return "";
    }
    if (text.size() >= 2 && text[0] == '0' && text[1] == 'x') {
        return " (0x0 to 0x" + std::string(range.bits / 4, 'F') + ")";
    }
    return " (" + std::to_string(range.min) + " to " + std::to_string(range.max) + ")";
}

bool CheckSyntax(CheckContext& context, const SubindexEntry& entry, const char* what, const std::string& text,
                 const Reading& reading) {
    const std::string type = TypeText(entry.dataType);
    const std::string quoted = std::string(what) + " \"" + text + "\"";
    if (reading.outcome == Reading::Trailing) {
        context.Add("value-syntax", Severity::Error, entry,
                    quoted + " does not read as " + type + ": the value rule stops at \"" +
                        std::string(reading.rest) + "\"");
        return false;
    }
    if (reading.outcome == Reading::OutOfRange) {
        context.Add(
            "value-syntax", Severity::Error, entry,
            quoted + " is beyond the range of " + type + RangeText(entry.dataType, WithoutNodeId(text)));
        return false;
    }
    return true;
}

// A value as written; a hexadecimal text that a signed type reads as negative says so.
std::string Shown(const std::string& text, const Reading& reading) {
    if (text.empty()) {
        return "0";
    }
    const std::string_view number = WithoutNodeId(text);
    if (reading.value < 0 && number.size() >= 2 && number[0] == '0' && number[1] == 'x') {
        return text + " (" + std::to_string(static_cast<long long>(reading.value)) + ")";
    }
    return text;
}

}  // namespace

void CheckValues(CheckContext& context) {
    const ObjectDictionary& dictionary = context.Dictionary();
    for (std::uint16_t position = 0; position < dictionary.GetIndexCount(); ++position) {
        for (const auto& slot : dictionary.GetIndexAt(position)->subindices) {
            const SubindexEntry& entry = *slot;
            ConvertedValues unused;
            const ValueKind kind = ConvertEntryValues(entry, unused);
            if (entry.subindex == HeaderStructured ||
                (kind != ValueKind::Unsigned && kind != ValueKind::Signed && kind != ValueKind::Real)) {
                continue;
            }
            const Reading value = Read(entry.defaultValue, entry.dataType);
            const Reading low = Read(entry.lowLimit, entry.dataType);
            const Reading high = Read(entry.highLimit, entry.dataType);
            bool readable = CheckSyntax(context, entry, "default", entry.defaultValue, value);
            readable = CheckSyntax(context, entry, "low limit", entry.lowLimit, low) && readable;
            readable = CheckSyntax(context, entry, "high limit", entry.highLimit, high) && readable;
            // Limits count as present when either is not zero, as the generator decides on a range.
            if (!readable || (low.value == 0.0 && high.value == 0.0)) {
                continue;
            }
            if (low.value > high.value) {
                context.Add("value-limits", Severity::Warning, entry,
                            "low limit " + Shown(entry.lowLimit, low) + " is above high limit " +
                                Shown(entry.highLimit, high) + ", so no value is in range");
            } else if (value.value < low.value || value.value > high.value) {
                context.Add("value-limits", Severity::Warning, entry,
                            "default " + Shown(entry.defaultValue, value) + " is outside the limits " +
                                Shown(entry.lowLimit, low) + " to " + Shown(entry.highLimit, high));
            }
        }
    }
}
