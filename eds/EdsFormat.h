#pragma once

#include <string>

// printf-style formatting into a string, for the fixed formats of EDS keys, section names and
// messages. Only integer and text conversions are used with it; reals go through FormatReal.
std::string Format(const char* format, ...) __attribute__((format(printf, 1, 2)));

// A number as "%g" prints it (six significant digits), with '.' as the decimal point whatever the
// process locale.
std::string FormatReal(double value);

// ASCII lower case; bytes above 0x7F are left alone.
std::string ToLower(std::string text);
