#pragma once

#include <cstdint>
#include <string>

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

// A text starting with exactly "0x" is hexadecimal (masked); anything else is a signed decimal that
// is not masked. Digits beyond 32 bits wrap modulo 2^32, so "4294967295" reads as -1.
std::int32_t ParseSigned(const std::string& text, std::uint32_t mask);
// The same two paths; the mask applies to both. A decimal "-1" for a byte gives 255.
std::uint32_t ParseUnsigned(const std::string& text, std::uint32_t mask);
// Standard text-to-double reading (leading blanks, sign, decimal or hexadecimal float, inf, nan),
// always with '.' as the decimal point whatever the process locale; no digits gives 0.
double ParseReal(const std::string& text);

ValueKind ConvertEntryValues(const SubindexEntry& entry, ConvertedValues& out);
