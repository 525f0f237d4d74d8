#include "generator/Identifiers.h"

#include <array>
#include <string_view>

#include "generator/CSourceGenerator.h"
#include "model/CIdentifier.h"
#include "model/SubindexEntry.h"
#include "platform/Platform.h"

namespace {

struct TypeNameRow {
    std::uint8_t code;
    const char* name;
};

constexpr TypeNameRow StackTypeNames[] = {
    {0x01, "tObdBoolean"},        {0x02, "tObdInteger8"},      {0x03, "tObdInteger16"},
    {0x04, "tObdInteger32"},      {0x05, "tObdUnsigned8"},     {0x06, "tObdUnsigned16"},
    {0x07, "tObdUnsigned32"},     {0x08, "tObdReal32"},        {0x09, "tObdVisibleChar"},
    {0x0A, "tObdOctetString"},    {0x0B, "tObdUnicodeString"}, {0x0C, "tObdTimeOfDay"},
    {0x0D, "tObdTimeDifference"}, {0x0F, "tObdDomain"},        {0x10, "tObdInteger24"},
    {0x11, "tObdReal64"},         {0x12, "tObdInteger40"},     {0x13, "tObdInteger48"},
    {0x14, "tObdInteger56"},      {0x15, "tObdInteger64"},     {0x16, "tObdUnsigned24"},
    {0x18, "tObdUnsigned40"},     {0x19, "tObdUnsigned48"},    {0x1A, "tObdUnsigned56"},
    {0x1B, "tObdUnsigned64"},
};

// Characters dropped from a designator (Windows-1252 bytes), punctuation and the German umlauts.
constexpr std::string_view RemovalSet =
    "*.-#'()][{}/\\&%$"
    "\xA7\"!:;+~"
    "\xF6\xFC\xE4\xD6\xDC\xC4"
    "?\xB4`=";

// The removal set as a table, since every character of every designator is looked up in it.
constexpr std::array<bool, 256> RemovalTable = [] {
    std::array<bool, 256> table{};
    for (char c : RemovalSet) {
        table[static_cast<unsigned char>(c)] = true;
    }
    return table;
}();

bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}

// The rows above by data type, for the look-up made for every entry.
constexpr std::array<const char*, 256> StackTypeNameByCode = [] {
    std::array<const char*, 256> names{};
    for (const TypeNameRow& row : StackTypeNames) {
        names[row.code] = row.name;
    }
    return names;
}();

}  // namespace

const char* StackTypeName(std::uint8_t dataType) {
    return StackTypeNameByCode[dataType];
}

std::string IdentifierFromDesignator(const std::string& designator) {
    std::string identifier;
    IdentifierFromDesignator(designator, identifier);
    return identifier;
}

void IdentifierFromDesignator(const std::string& designator, std::string& identifier) {
    // Written in place and cut to length once: push_back checks for room at every character.
    identifier.resize(designator.size());
    char* out = identifier.data();
    for (const char c : designator) {
        *out = c == ' ' ? '_' : c;
        out += RemovalTable[static_cast<unsigned char>(c)] ? 0 : 1;
    }
    identifier.resize(static_cast<std::size_t>(out - identifier.data()));
    if (IsCIdentifier(identifier)) {
        return;
    }
    // Commas, other punctuation and 8-bit letters would break the macro call or the declaration.
    for (char& c : identifier) {
        if (!IsCIdentifierChar(c)) {
            c = '_';
        }
    }
    if (identifier.empty() || IsDigit(identifier.front()) || IsCKeyword(identifier)) {
        identifier.insert(identifier.begin(), '_');
    }
}

std::string EscapeStringLiteral(const std::string& text) {
    std::string escaped;
    escaped.reserve(text.size());
    for (char c : text) {
        const auto byte = static_cast<unsigned char>(c);
        if (c == '\\' || c == '"') {
            escaped.push_back('\\');
            escaped.push_back(c);
        } else if (byte < 0x20 || byte == 0x7F) {
            // A line break or other control byte inside the literal would end the line; an octal escape
            // of three digits cannot swallow the characters that follow.
            escaped.push_back('\\');
            escaped.push_back(static_cast<char>('0' + ((byte >> 6) & 7)));
            escaped.push_back(static_cast<char>('0' + ((byte >> 3) & 7)));
            escaped.push_back(static_cast<char>('0' + (byte & 7)));
        } else {
            escaped.push_back(c);
        }
    }
    return escaped;
}

const EntryNames& CSourceGenerator::MakeIdentifier(const SubindexEntry& entry) {
    EntryNames& names = m_names;
    names.typeName = "";
    names.identifier.clear();
    if (entry.subindex == HeaderStructured) {
        IdentifierFromDesignator(entry.name, names.identifier);
        return names;
    }
    const char* typeName = StackTypeName(entry.dataType);
    if (typeName == nullptr) {
        const std::string text =
            entry.subindex == HeaderSingle
                ? FormatLine("Unsupported data type at index 0x%04X!", {unsigned{entry.index}})
                : FormatLine("Unsupported data type at index 0x%04X, subindex 0x%02X!",
                             {unsigned{entry.index}, unsigned{entry.subindex}});
        m_pPlatform->MessageBox(text, "Quillmark", MsgButtons::Ok, MsgIcon::Error);
        return names;
    }
    IdentifierFromDesignator(entry.name, names.identifier);
    names.typeName = typeName;
    return names;
}
