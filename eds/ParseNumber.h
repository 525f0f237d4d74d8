#pragma once

#include <cstdint>
#include <string_view>

// The one rule for numeric EDS values. The text is lower-cased; a "0x" prefix, or any of the letters
// a..f anywhere in it, makes it hexadecimal; otherwise it is unsigned decimal, where a leading minus
// sign wraps ("-1" gives 0xFFFFFFFF). Leading blanks are skipped, reading stops at the first
// character that is not a digit, digits beyond 32 bits wrap, and an unreadable text gives 0.
std::uint32_t ParseNumber(std::string_view text);

// Leading decimal digits with an optional sign after leading blanks, as atoi reads them (0 when
// there are none); values beyond the int range saturate.
int ParseLeadingInt(std::string_view text);
