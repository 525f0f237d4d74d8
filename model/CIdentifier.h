#pragma once

#include <string>

// The rules of C names, shared by the generator (which writes designators and callback names into C
// sources) and by everything that checks a name before it gets there.

// A letter, digit or '_'.
bool IsCIdentifierChar(char c);
// A word a C compiler (up to C23) never takes as a name.
bool IsCKeyword(const std::string& text);
// Letters, digits and '_', not starting with a digit, and no keyword.
bool IsCIdentifier(const std::string& text);
