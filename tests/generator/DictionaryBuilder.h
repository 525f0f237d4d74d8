#pragma once

#include <cstdint>
#include <string>

#include "model/ObjectDictionary.h"

// The fields of one entry that the generator reads.
struct EntrySpec {
    std::string name;
    std::uint8_t dataType = 0x07;
    std::string access = "rw";
    std::string value;
    std::string low;
    std::string high;
    std::uint8_t pdoMapping = 0;
    std::uint32_t nonVolatile = 0;
};

// Builds dictionaries the way the editor does: index first, then its entries, with entryCount kept.
class DictionaryBuilder {
public:
    explicit DictionaryBuilder(ObjectDictionary& dictionary) : m_dictionary(dictionary) {}

    // A VAR index: one entry at 0xFFFD.
    IndexEntry& Var(std::uint16_t index, const EntrySpec& entry, const std::string& storage = "RAM",
                    const std::string& callback = "NULL");
    // A RECORD (or ARRAY) index with its header only; add subindices with Sub.
    IndexEntry& Record(std::uint16_t index, const std::string& name, const std::string& storage = "RAM",
                       const std::string& callback = "NULL", std::uint8_t objectType = 0x09);
    SubindexEntry& Sub(std::uint16_t index, std::uint16_t subindex, const EntrySpec& entry);

    // A record with subindex 0 ("Number of entries") and the given UNSIGNED32 values at 1, 2, ...
    IndexEntry& RecordOfValues(std::uint16_t index, const std::string& name,
                               std::initializer_list<std::string> values);

private:
    ObjectDictionary& m_dictionary;
};
