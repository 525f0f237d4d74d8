#include <algorithm>
#include <cfloat>
#include <charconv>
#include <cmath>
#include <string>
#include <string_view>

#include "check/CheckContext.h"
#include "eds/ImportReport.h"
#include "model/NameTables.h"
#include "model/ObjectDictionary.h"

namespace {

// How a value text reads under the value rule, told strictly: the value rule itself never fails, it
// takes what it can and masks the rest away, which hides a mistyped value until the device misbehaves.
struct Reading {
    enum Outcome { Number, Empty, Trailing, OutOfRange } outcome = Number;
    long double value = 0.0L;  // exact for every integer type: its 64-bit mantissa holds them all
    std::string_view rest;     // what the value rule stops at
};

// The range of an integer type; hexadecimal texts give the bit pattern of `bits` bits.
struct IntegerRange {
    long double min;
    long double max;
    unsigned bits;
};

bool IntegerRangeOf(std::uint8_t dataType, IntegerRange& range) {
    if (dataType == DataTypeCode::Boolean) {
        range = {0, 1, 8};
        return true;
    }
    // The integer types of CiA 301 by code: width in bits, and whether signed.
    struct Row {
        std::uint8_t code;
        std::uint8_t bits;
        bool isSigned;
    };
    static constexpr Row Rows[] = {
        {0x02, 8, true},   {0x03, 16, true},  {0x04, 32, true},  {0x05, 8, false},
        {0x06, 16, false}, {0x07, 32, false}, {0x10, 24, true},  {0x12, 40, true},
        {0x13, 48, true},  {0x14, 56, true},  {0x15, 64, true},  {0x16, 24, false},
        {0x18, 40, false}, {0x19, 48, false}, {0x1A, 56, false}, {0x1B, 64, false}};
    for (const Row& row : Rows) {
        if (row.code == dataType) {
            const long double patterns = std::ldexp(1.0L, static_cast<int>(row.bits));
            range = row.isSigned ? IntegerRange{-patterns / 2, patterns / 2 - 1, row.bits}
                                 : IntegerRange{0, patterns - 1, row.bits};
            return true;
        }
    }
    return false;
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
// with leading blanks and a sign, "-0x80" being -128. A hexadecimal text of a signed type is its two's
// complement.
Reading ReadInteger(std::string_view text, const IntegerRange& range) {
    Reading reading;
    const long double huge = std::ldexp(1.0L, 66);  // beyond every type; keeps the digits finite
    long double magnitude = 0;
    std::size_t at = 0;
    bool negative = false;
    bool hex = text.size() >= 2 && text[0] == '0' && text[1] == 'x';
    if (!hex) {
        while (at < text.size() && IsBlank(text[at])) {
            ++at;
        }
        if (at < text.size() && (text[at] == '+' || text[at] == '-')) {
            negative = text[at] == '-';
            ++at;
        }
        hex = negative && text.substr(at, 2) == "0x";
    }
    const std::size_t digits = hex ? at + 2 : at;
    at = digits;
    for (; at < text.size() && (hex ? HexDigit(text[at]) >= 0 : text[at] >= '0' && text[at] <= '9'); ++at) {
        const int digit = hex ? HexDigit(text[at]) : text[at] - '0';
        magnitude = std::min(huge, magnitude * (hex ? 16 : 10) + digit);
    }
    if (at == digits) {
        reading.outcome = Reading::Trailing;
        reading.rest = text.substr(at);
        return reading;
    }
    long double value = negative ? -magnitude : magnitude;
    if (hex && !negative) {
        const long double patterns = std::ldexp(1.0L, static_cast<int>(range.bits));
        if (magnitude >= patterns) {
            value = range.max + 1;
        } else if (range.min < 0 && magnitude >= patterns / 2) {
            value -= patterns;
        }
    }
    reading.value = value;
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
    // "$NODEID" alone is the node-ID itself, a valid value whatever it will be.
    std::string_view trimmed = TrimLeft(text);
    while (!trimmed.empty() && IsBlank(trimmed.back())) {
        trimmed.remove_suffix(1);
    }
    if (trimmed.size() == 7 && MentionsNodeId(trimmed)) {
        return Reading{};
    }
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
    return " (" + std::to_string(static_cast<long long>(range.min)) + " to " +
           std::to_string(static_cast<unsigned long long>(range.max)) + ")";
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
            IntegerRange integer{};
            // The integer types wider than 32 bits have no number form of their own but are read in full.
            const bool numeric = kind == ValueKind::Unsigned || kind == ValueKind::Signed ||
                                 kind == ValueKind::Real || IntegerRangeOf(entry.dataType, integer);
            if (entry.subindex == HeaderStructured || !numeric) {
                continue;
            }
            const Reading value = Read(entry.defaultValue, entry.dataType);
            const Reading low = Read(entry.lowLimit, entry.dataType);
            const Reading high = Read(entry.highLimit, entry.dataType);
            bool readable = CheckSyntax(context, entry, "default", entry.defaultValue, value);
            readable = CheckSyntax(context, entry, "low limit", entry.lowLimit, low) && readable;
            readable = CheckSyntax(context, entry, "high limit", entry.highLimit, high) && readable;
            // Limits count as present when either is not zero, as the generator decides on a range. A
            // limit or default the file does not give is none, not the 0x0 the import reads for it.
            const std::uint8_t absent = context.AbsentValues(entry);
            if (!readable || (low.value == 0.0 && high.value == 0.0) ||
                (absent & ImportReport::NoDefault) != 0) {
                continue;
            }
            const bool hasLow = (absent & ImportReport::NoLowLimit) == 0;
            const bool hasHigh = (absent & ImportReport::NoHighLimit) == 0;
            if (!hasLow || !hasHigh) {
                if ((hasLow && value.value < low.value) || (hasHigh && value.value > high.value)) {
                    context.Add("value-limits", Severity::Warning, entry,
                                "default " + Shown(entry.defaultValue, value) + " is " +
                                    (hasLow ? "below the low limit " + Shown(entry.lowLimit, low)
                                            : "above the high limit " + Shown(entry.highLimit, high)));
                }
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
