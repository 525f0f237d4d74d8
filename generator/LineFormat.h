#pragma once

#include <cstdint>
#include <initializer_list>
#include <string>
#include <string_view>
#include <vector>

// One argument of FormatLine: an integer, a floating-point number or a text.
class FormatArg {
public:
    enum class Kind { Integer, Real, Text };

    FormatArg(int value) : m_kind(Kind::Integer), m_integer(value) {}
    FormatArg(unsigned value) : m_kind(Kind::Integer), m_integer(value) {}
    FormatArg(long value) : m_kind(Kind::Integer), m_integer(value) {}
    FormatArg(unsigned long value) : m_kind(Kind::Integer), m_integer(static_cast<std::int64_t>(value)) {}
    FormatArg(double value) : m_kind(Kind::Real), m_real(value) {}
    FormatArg(const char* value) : m_kind(Kind::Text), m_text(value) {}
    FormatArg(const std::string& value) : m_kind(Kind::Text), m_text(value) {}

    Kind GetKind() const { return m_kind; }
    std::int64_t Integer() const { return m_integer; }
    double Real() const { return m_real; }
    std::string_view Text() const { return m_text; }

private:
    Kind m_kind;
    std::int64_t m_integer = 0;
    double m_real = 0.0;
    std::string_view m_text;
};

// printf-style formatting of the conversions the generated files use (%s %d %i %u %x %X %g %c %%,
// with the '0' and '-' flags, a width and a precision), always as in the "C" locale. An integer is
// taken at the width the conversion implies: %X and %u show it as a 32-bit unsigned number, %d and
// %i as a 32-bit signed one. The result may be of any length.
std::string FormatLine(const char* format, std::initializer_list<FormatArg> args);
// The same, appended to `out`: a generator writing a line per entry reuses one buffer for all of them.
void AppendFormatted(std::string& out, const char* format, std::initializer_list<FormatArg> args);

// What follows a '%' of a format: the flags, width and precision, and the conversion character.
struct FormatSpec {
    bool leftAlign = false;
    bool zeroPad = false;
    int width = 0;
    int precision = -1;
    char conversion = 0;
};

// A format taken apart once, for a line written thousands of times: the text between the conversions
// and the conversions. Append gives what AppendFormatted gives for the same format and arguments.
class ParsedFormat {
public:
    explicit ParsedFormat(const char* format);
    void Append(std::string& out, std::initializer_list<FormatArg> args) const;

private:
    struct Piece {
        std::string text;  // before the conversion, "%%" already made '%'
        FormatSpec spec;
    };
    std::vector<Piece> m_pieces;
    std::string m_tail;  // after the last conversion
};
