#include "generator/LineFormat.h"

#include <charconv>
#include <cstdint>
#include <cstring>
#include <string>
#include <system_error>

#include "model/HexDigits.h"

namespace {

using Spec = FormatSpec;

// Parses the flags, width and precision after a '%'; stops at the conversion character. Length
// modifiers (l, h, ...) are skipped: the argument carries its own value.
const char* ParseSpec(const char* p, Spec& spec) {
    for (;; ++p) {
        if (*p == '-') {
            spec.leftAlign = true;
        } else if (*p == '0') {
            spec.zeroPad = true;
        } else if (*p != '+' && *p != ' ' && *p != '#') {
            break;
        }
    }
    while (*p >= '0' && *p <= '9') {
        spec.width = spec.width * 10 + (*p++ - '0');
    }
    if (*p == '.') {
        ++p;
        spec.precision = 0;
        while (*p >= '0' && *p <= '9') {
            spec.precision = spec.precision * 10 + (*p++ - '0');
        }
    }
    while (*p == 'l' || *p == 'h' || *p == 'z' || *p == 'j' || *p == 't' || *p == 'L') {
        ++p;
    }
    spec.conversion = *p;
    return p;
}

void AppendPadded(std::string& out, std::string_view body, const Spec& spec, bool numeric) {
    const auto length = static_cast<int>(body.size());
    if (spec.width <= length) {
        out.append(body);
        return;
    }
    const auto fill = static_cast<std::size_t>(spec.width - length);
    if (spec.leftAlign) {
        out.append(body);
        out.append(fill, ' ');
    } else if (spec.zeroPad && numeric) {
        // Zeros go between the sign and the digits, as printf puts them.
        std::size_t signLength = (!body.empty() && body.front() == '-') ? 1 : 0;
        out.append(body.substr(0, signLength));
        out.append(fill, '0');
        out.append(body.substr(signLength));
    } else {
        out.append(fill, ' ');
        out.append(body);
    }
}

void AppendPaddedHex(std::string& out, std::uint32_t value, int width, bool upperCase) {
    const int count = HexDigitCount(value, width);
    char buffer[16];
    WriteHexDigits(buffer, count, value, upperCase);
    out.append(buffer, static_cast<std::size_t>(count));
}

// The digits of an integer in `buffer`; returns their count.
std::size_t IntegerText(char (&buffer)[32], std::int64_t value, char conversion) {
    std::to_chars_result result{};
    switch (conversion) {
        case 'x':
        case 'X': {
            result = std::to_chars(buffer, buffer + sizeof buffer, static_cast<std::uint32_t>(value), 16);
            if (conversion == 'X') {
                for (char* c = buffer; c != result.ptr; ++c) {
                    if (*c >= 'a' && *c <= 'f') {
                        *c = static_cast<char>(*c - 'a' + 'A');
                    }
                }
            }
            break;
        }
        case 'u':
            result = std::to_chars(buffer, buffer + sizeof buffer, static_cast<std::uint32_t>(value));
            break;
        default:
            result = std::to_chars(buffer, buffer + sizeof buffer, static_cast<std::int32_t>(value));
            break;
    }
    return static_cast<std::size_t>(result.ptr - buffer);
}

// to_chars in general form with a precision is defined as printf's %g in the "C" locale.
std::size_t RealText(char (&buffer)[512], double value, int precision) {
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::general,
                                      precision < 0 ? 6 : precision);
    return static_cast<std::size_t>(result.ptr - buffer);
}

// Walks a format: its literal text goes to `text` a run at a time ("%%" as "%"), each conversion to
// `conversion`. A '%' that ends the format ends the walk.
template <typename OnText, typename OnConversion>
void WalkFormat(const char* format, OnText&& text, OnConversion&& conversion) {
    for (const char* p = format; *p != '\0'; ++p) {
        if (*p != '%') {
            // The text up to the next conversion goes in one piece.
            const char* percent = std::strchr(p, '%');
            const std::size_t length =
                percent != nullptr ? static_cast<std::size_t>(percent - p) : std::strlen(p);
            text(std::string_view(p, length));
            p += length - 1;
            continue;
        }
        Spec spec;
        p = ParseSpec(p + 1, spec);
        if (spec.conversion == '%') {
            text(std::string_view("%"));
            continue;
        }
        if (spec.conversion == '\0') {
            break;
        }
        conversion(spec);
    }
}

void AppendConversion(std::string& out, const Spec& spec, const FormatArg& arg) {
    switch (spec.conversion) {
        case 's':
            if (arg.GetKind() == FormatArg::Kind::Text) {
                AppendPadded(out, arg.Text(), spec, false);
            }
            break;
        case 'c': {
            const char c = static_cast<char>(arg.Integer());
            AppendPadded(out, std::string_view(&c, 1), spec, false);
            break;
        }
        case 'g': {
            const double value =
                arg.GetKind() == FormatArg::Kind::Real ? arg.Real() : static_cast<double>(arg.Integer());
            char buffer[512];
            AppendPadded(out, std::string_view(buffer, RealText(buffer, value, spec.precision)), spec, true);
            break;
        }
        default: {
            const std::int64_t value = arg.GetKind() == FormatArg::Kind::Integer
                                           ? arg.Integer()
                                           : static_cast<std::int64_t>(arg.Real());
            if ((spec.conversion == 'X' || spec.conversion == 'x') && !spec.leftAlign &&
                (spec.zeroPad || spec.width <= 1) && spec.width <= 16) {
                // The hexadecimal numbers of the generated lines ("0x%04X"): the digits, zero-padded to
                // the width, are written from the right and appended in one piece.
                AppendPaddedHex(out, static_cast<std::uint32_t>(value), spec.width, spec.conversion == 'X');
                break;
            }
            char buffer[32]{};
            AppendPadded(out, std::string_view(buffer, IntegerText(buffer, value, spec.conversion)), spec,
                         true);
            break;
        }
    }
}

}  // namespace

std::string FormatLine(const char* format, std::initializer_list<FormatArg> args) {
    std::string out;
    AppendFormatted(out, format, args);
    return out;
}

// Arguments are taken in order; a conversion without one is left out.
void AppendFormatted(std::string& out, const char* format, std::initializer_list<FormatArg> args) {
    auto next = args.begin();
    WalkFormat(
        format, [&](std::string_view text) { out.append(text); },
        [&](const Spec& spec) {
            if (next != args.end()) {
                AppendConversion(out, spec, *next++);
            }
        });
}

ParsedFormat::ParsedFormat(const char* format) {
    WalkFormat(
        format, [&](std::string_view text) { m_tail.append(text); },
        [&](const Spec& spec) {
            m_pieces.push_back(Piece{std::move(m_tail), spec});
            m_tail.clear();
        });
}

void ParsedFormat::Append(std::string& out, std::initializer_list<FormatArg> args) const {
    auto next = args.begin();
    for (const Piece& piece : m_pieces) {
        out.append(piece.text);
        if (next != args.end()) {
            AppendConversion(out, piece.spec, *next++);
        }
    }
    out.append(m_tail);
}
