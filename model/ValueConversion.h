#pragma once

#include <cstdint>
#include <string>
#include <string_view>

struct SubindexEntry;

// Kind of number an entry's value texts convert to, by data type.
enum class ValueKind : std::uint8_t { None = 0, Unsigned = 1, Signed = 2, Real = 3, String = 4, Domain = 5 };

// The three value texts of an entry as numbers. Only the triple matching the kind is written.
struct ConvertedValues {
    std::int32_t signedDefault = 0;
    std::int32_t signedHigh = 0;
    std::int32_t signedLow = 0;
    std::uint32_t unsignedDefault = 0;
    std::uint32_t unsignedHigh = 0;
    std::uint32_t unsignedLow = 0;
    float realDefault = 0.0f;
    float realHigh = 0.0f;
    float realLow = 0.0f;
};

// Node-ID-relative values, as EDS files give COB-IDs: a text "$NODEID+n" or "n+$NODEID" ($NODEID in
// any letter case, blanks around the '+') stands for n, the base a stack adds the node-ID to at run
// time. Returns n, or the text itself when it has neither form. Every parser below reads through it.
std::string_view WithoutNodeId(std::string_view text);
// True when the text mentions $NODEID in any letter case; such a text is kept as written on export.
bool MentionsNodeId(std::string_view text);

// A text starting with exactly "0x" is hexadecimal (masked); anything else is a signed decimal that
// is not masked, "-0x80" being the same as "-128". Digits beyond 32 bits wrap modulo 2^32, so
// "4294967295" reads as -1.
std::int32_t ParseSigned(std::string_view text, std::uint32_t mask);
// The same two paths; the mask applies to both. A decimal "-1" for a byte gives 255.
std::uint32_t ParseUnsigned(std::string_view text, std::uint32_t mask);
// The same rule for the integer types wider than 32 bits, read in full: the hexadecimal path is masked
// to the type's width in bits, the decimal one (like "-0x80") is not for a signed type and is for an
// unsigned one. Digits beyond 64 bits wrap modulo 2^64.
std::uint64_t ParseUnsigned64(std::string_view text, unsigned bits);
std::int64_t ParseSigned64(std::string_view text, unsigned bits);
// Standard text-to-double reading (leading blanks, sign, decimal or hexadecimal float, inf, nan),
// always with '.' as the decimal point whatever the process locale; no digits gives 0.
double ParseReal(std::string_view text);

ValueKind ConvertEntryValues(const SubindexEntry& entry, ConvertedValues& out);
