#pragma once

#include <cstdint>
#include <string>
#include <utility>
#include <vector>

// Something of the file that an import left out, read only because it is lenient, or found twice.
enum class ImportRecordKind {
    UnsupportedDataType,   // an entry dropped for its data type
    SubNumberSurplus,      // a subindex section beyond the index's SubNumber
    UnlistedObject,        // an object section that no object list names
    ListedWithoutSection,  // an object list names an index whose section is missing
    DuplicateSection,      // a section that stands twice; the first one counts
    DuplicateKey,          // a key that stands twice in its section; the first one counts
    IndexOutOfRange,       // an object list names an index outside 0x1000..0xFFFF
};

struct ImportRecord {
    ImportRecordKind kind = ImportRecordKind::UnsupportedDataType;
    std::uint16_t index = 0;          // the object concerned; 0 for a duplicate that names none
    std::uint16_t subindex = 0xFFFF;  // 0xFFFF for the index's own section
    std::uint32_t line = 0;           // where it stands in the file, from 1
    std::uint32_t firstLine = 0;      // for a duplicate: where the one that counts stands
    std::uint8_t dataType = 0;        // for an unsupported data type
    std::string name;                 // for a duplicate: the section; for a listed index: the list
    std::string key;                  // for a duplicate key: the key
    bool kept = false;                // the lenient import read it all the same
};

// What an import of an EDS or DCF file saw beyond the dictionary it built: what it left out, where each
// entry's section stands, which value keys an entry lacks, and where the PDO counts of [DeviceInfo]
// stand. The checker reports the file as written from it. An entry is keyed as its index << 16 | its
// subindex, with 0xFFFF for the index's own section (the entry of a VAR included).
struct ImportReport {
    // Value keys an entry lacks, as bits: only recorded for the entries of a numeric type.
    enum AbsentValue : std::uint8_t { NoDefault = 1, NoLowLimit = 2, NoHighLimit = 4 };

    std::vector<ImportRecord> records;
    std::vector<std::pair<std::uint32_t, std::uint32_t>> entryLines;
    std::vector<std::pair<std::uint32_t, std::uint8_t>> absentValues;
    std::uint32_t rxPdoCountLine = 0;  // 0 when [DeviceInfo] has no NrOfRXPDO
    std::uint32_t txPdoCountLine = 0;
    // The index sections from 0x1400 to 0x15FF and from 0x1800 to 0x19FF the file holds.
    unsigned rxPdoSections = 0;
    unsigned txPdoSections = 0;
    // What the import left out of the file (an entry of a type it does not take, a section no list
    // names, a subindex section beyond SubNumber), by key, pointing into records; built by Finish.
    std::vector<std::pair<std::uint32_t, std::size_t>> leftOut;

    static std::uint32_t Key(std::uint16_t index, std::uint16_t subindex) {
        return static_cast<std::uint32_t>(index) << 16 | subindex;
    }
    // Sorts the look-up tables once the import is done.
    void Finish();
    // The line of the entry's section, 0 when unknown; a header (0xFFFD or 0xFFFF) gives the index's.
    std::uint32_t EntryLine(std::uint16_t index, std::uint16_t subindex) const;
    std::uint8_t AbsentValues(std::uint16_t index, std::uint16_t subindex) const;
    // The record of what the import left out at the entry or, for a section no list names, at its index;
    // null when it left out nothing there.
    const ImportRecord* LeftOut(std::uint16_t index, std::uint16_t subindex) const;
};
