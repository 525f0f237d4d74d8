#include "model/CIdentifier.h"

#include <array>
#include <string_view>

namespace {

constexpr std::string_view CKeywords[] = {
    "alignas",
    "alignof",
    "auto",
    "bool",
    "break",
    "case",
    "char",
    "const",
    "constexpr",
    "continue",
    "default",
    "do",
    "double",
    "else",
    "enum",
    "extern",
    "false",
    "float",
    "for",
    "goto",
    "if",
    "inline",
    "int",
    "long",
    "nullptr",
    "register",
    "restrict",
    "return",
    "short",
    "signed",
    "sizeof",
    "static",
    "static_assert",
    "struct",
    "switch",
    "thread_local",
    "true",
    "typedef",
    "typeof",
    "typeof_unqual",
    "union",
    "unsigned",
    "void",
    "volatile",
    "while",
    "_Alignas",
    "_Alignof",
    "_Atomic",
    "_BitInt",
    "_Bool",
    "_Complex",
    "_Decimal128",
    "_Decimal32",
    "_Decimal64",
    "_Generic",
    "_Imaginary",
    "_Noreturn",
    "_Static_assert",
    "_Thread_local",
};

bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}

// Letters, digits and '_', as a table: the generator asks it of every character of every name.
constexpr std::array<bool, 256> IdentifierChars = [] {
    std::array<bool, 256> table{};
    for (int c = 0; c < 256; ++c) {
        table[static_cast<std::size_t>(c)] =
            (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '_';
    }
    return table;
}();

}  // namespace

bool IsCIdentifierChar(char c) {
    return IdentifierChars[static_cast<unsigned char>(c)];
}

// Every keyword is 2 to 14 characters long and starts with a lower-case letter or '_'; most names of a
// device are longer, so they need no comparison at all.
bool IsCKeyword(const std::string& text) {
    if (text.size() < 2 || text.size() > 14 || !((text[0] >= 'a' && text[0] <= 'z') || text[0] == '_')) {
        return false;
    }
    for (std::string_view keyword : CKeywords) {
        if (keyword.size() == text.size() && keyword == text) {
            return true;
        }
    }
    return false;
}

bool IsCIdentifier(const std::string& text) {
    if (text.empty() || IsDigit(text.front())) {
        return false;
    }
    for (char c : text) {
        if (!IsCIdentifierChar(c)) {
            return false;
        }
    }
    return !IsCKeyword(text);
}
