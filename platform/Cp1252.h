#pragma once

#include <string>

// Texts inside Quillmark are Windows-1252 bytes. These convert at the edges where Unicode is needed
// (the Qt widgets, JSON output). 0x81, 0x8D, 0x8F, 0x90 and 0x9D have no character in Windows-1252
// and map to the C1 control of the same number, so every byte survives a round trip.
std::u32string Cp1252ToCodePoints(const std::string& bytes);
std::string Cp1252ToUtf8(const std::string& bytes);
// Characters outside Windows-1252 become '?'.
std::string CodePointsToCp1252(const std::u32string& text);
std::string Utf8ToCp1252(const std::string& utf8);
// Every code point as its UTF-8 sequence.
std::string CodePointsToUtf8(const std::u32string& codePoints);
