#pragma once

#include <cstdint>
#include <string>

// Subindex numbers with a special meaning. An index's designator and object type live on its first
// entry: 0xFFFD for the single entry of a VAR, DOMAIN or DEFTYPE object, 0xFFFF for the header of a
// DEFSTRUCT, ARRAY or RECORD object. 0xFFFC asks for "whatever entry comes first" in show requests.
constexpr std::uint16_t HeaderSingle = 0xFFFD;
constexpr std::uint16_t HeaderStructured = 0xFFFF;
constexpr std::uint16_t FirstEntry = 0xFFFC;

// Kind markers kept on an index by the dialog and the EDS reader (not stored in the project file).
constexpr std::uint16_t KindSingle = 0xFFFB;
constexpr std::uint16_t KindStructured = 0xFFFA;

// One entry of an index: the header entry or a real subindex 0x00..0xFF. The texts are authoritative;
// the numeric companions are only filled by old project files and the default PDO mapping. The texts
// come first and the numbers after them, largest first: in this order the record has no padding, and
// a large device holds tens of thousands of them.
struct SubindexEntry {
    std::string name;
    std::string accessType;
    std::string defaultValue;
    std::string highLimit;
    std::string lowLimit;
    std::uint32_t defaultNumber = 0;
    std::uint32_t highLimitNumber = 0;
    std::uint32_t lowLimitNumber = 0;
    std::uint32_t nonVolatile = 0;
    std::uint16_t index = 0;
    std::uint16_t subindex = 0;
    std::uint8_t objectType = 0;
    std::uint8_t dataType = 0;
    std::uint8_t pdoMapping = 0;

    bool IsHeader() const { return subindex == HeaderSingle || subindex == HeaderStructured; }
    bool operator==(const SubindexEntry&) const = default;
};
