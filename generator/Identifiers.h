#pragma once

#include <cstdint>
#include <string>

// The stack's type name for a CANopen data type code; null when the type has none.
const char* StackTypeName(std::uint8_t dataType);

// A designator as an identifier: the characters of the removal set are dropped and blanks become
// underscores. A result that is still no valid C identifier has every other character outside
// A-Z, a-z, 0-9 and '_' replaced by '_' and a leading '_' when it is empty, starts with a digit or
// is a C keyword.
std::string IdentifierFromDesignator(const std::string& designator);
// The same into `identifier`, whose room is reused: the generator makes one per entry.
void IdentifierFromDesignator(const std::string& designator, std::string& identifier);

// The contents of a C string literal that reads back as the given text.
std::string EscapeStringLiteral(const std::string& text);
