#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "eds/EdsSections.h"
#include "eds/ImportMode.h"
#include "eds/ImportReport.h"
#include "platform/ResultCodes.h"

struct IndexEntry;
struct SubindexEntry;
class ObjectDictionary;
class Platform;
class ProfileFile;

// Reads one EDS or DCF file into a dictionary and the section records for one import. It never owns
// what it fills; what was read before a failure stays where it was stored.
class CFileScan {
public:
    CFileScan(const std::string& path, ObjectDictionary& dictionary, FileInfoSection& fileInfo,
              DeviceInfoSection& deviceInfo, Platform& platform, ImportMode mode = ImportMode::Standard);
    ~CFileScan();
    CFileScan(const CFileScan&) = delete;
    CFileScan& operator=(const CFileScan&) = delete;

    // 11 on success, else one of the codes 12..25 of EdsImportResult. In lenient mode an index that
    // cannot be read whole (22, 23, 24) does not fail the import: its message was shown and the
    // reading goes on, so the result is 11 once the object lists were read.
    EdsImportResult ReadFile();
    // The same for the file's bytes, which the caller has read already.
    EdsImportResult ReadBytes(std::string bytes);
    // The index at which the import stopped on a subindex-count mismatch (0 when none) and the
    // error subindex, with 0xFFFF reported as 0.
    void GetErrorPosition(std::uint16_t& index, std::uint16_t& subindex) const;
    // How many entries the import left out for a basic data type that the lenient import keeps.
    unsigned EntriesLeftOutForType() const { return m_nLeftOutForType; }
    // What the import left out, found twice or read only leniently, and where each entry stands; taken
    // once, after ReadFile.
    ImportReport TakeReport();

private:
    static constexpr const char* ObjectLists[] = {"MandatoryObjects", "ManufacturerObjects",
                                                  "OptionalObjects"};

    EdsImportResult ReadAllSections();
    EdsImportResult ValidateEdsFile();
    EdsImportResult ReadFileInfo();
    EdsImportResult ReadDeviceInfo();
    EdsImportResult ReadDummyUsage();
    EdsImportResult ReadComments();
    EdsImportResult CreateIndexList(const std::string& listName);
    // One entry of an object list as the import takes it: the index it names, to read or, when out of
    // range, to record only; `key` is the entry's number in the list.
    struct ListStep {
        unsigned key = 0;
        std::uint16_t number = 0;
        bool outOfRange = false;
    };
    // Takes the steps in order; the result of the last index read, or 11 when none was read.
    EdsImportResult RunListSteps(const std::string& listName, const ListStep* first, const ListStep* end);
    // The same for a long list, in two halves at once: the second half is read by a reader of its own
    // into a dictionary of its own, and what it read joins this reader's as if read after the first.
    // `weights` counts the sections each step reads, `total` all of them.
    EdsImportResult RunListStepsInHalves(const std::string& listName, const std::vector<ListStep>& steps,
                                         const std::vector<std::size_t>& weights, std::size_t total);
    // Reads the index's sections into a new index of the category; an index whose entries could not be
    // read leaves again.
    EdsImportResult ReadIndex(std::uint16_t number, const char* category);
    // The index an object list entry names: always hexadecimal, with or without "0x".
    static std::uint16_t ListedIndex(std::string value);
    EdsImportResult CreateSubIndexList(IndexEntry& entry);
    EdsImportResult ReadStructuredEntries(IndexEntry& entry, std::uint16_t subNumber);
    EdsImportResult ReadParameterSection(SubindexEntry& entry);
    // The same, for the section the caller has found already.
    EdsImportResult ReadParameterSectionAt(SubindexEntry& entry, std::size_t section);
    void RecordAbsentValues(bool hasDefault, bool hasLow, bool hasHigh, const SubindexEntry& entry);
    // Lenient mode only: reports the object lists and list entries that are missing, before any index
    // is read, so that these repairs are never hidden behind the index messages.
    void SurveyObjectLists();
    // Lenient mode only: the index and subindex sections the file holds, found once from its section
    // names, so that sections no object list names and subindex sections beyond SubNumber are read too.
    void FindObjectSections();
    EdsImportResult ReadUnlistedObjects();
    // Reads the subindex sections from subindex `from` on, beyond those SubNumber announced.
    // Reads (lenient mode) or records as left out the subindex sections from subindex `from` on, beyond
    // those SubNumber announced.
    EdsImportResult ReadSurplusEntries(IndexEntry& entry, unsigned from);
    // Records the object sections that no list named (the lenient import reads them) and the sections
    // and keys that stand twice.
    void RecordUnlistedObjects();
    void RecordRepeats();
    void Record(ImportRecordKind kind, std::uint16_t index, std::uint16_t subindex, std::uint32_t line);
    // How many subindices the index section announces: its SubNumber, or in lenient mode, for an ARRAY
    // or RECORD without one, the number of its subindex sections.
    std::uint16_t SubNumberOf(std::uint16_t index) const;
    unsigned SubSectionCount(std::uint16_t index) const;
    // The number of subindices a compact array index describes (CompactSubObj), 0 when the index is
    // not read that way.
    unsigned CompactSubObjects(std::uint16_t index) const;
    EdsImportResult ReadCompactEntries(IndexEntry& entry, unsigned count);
    void ReportRepair(const std::string& repair);
    // Reports a count of repairs of one kind, unless it is 0: "1 <one>" or "N <many>".
    void ReportCount(unsigned count, const char* one, const char* many);
    static bool IsSupportedIndex(std::uint16_t index);
    bool IsImportedDataType(std::uint8_t type) const;
    bool SectionExists(std::uint16_t index, std::uint16_t subindex) const;
    // The position of the object's section in the file, or ProfileFile::NoSection when it is absent or
    // holds no key.
    std::size_t ObjectSection(std::uint16_t index, std::uint16_t subindex) const;
    std::string GetString(std::string_view section, std::string_view key, std::string_view def) const;
    std::uint32_t GetNumber(std::string_view section, std::string_view key) const;
    void ShowError(const std::string& text, const std::string& caption);

    std::string m_strPath;
    // The bytes given to ReadBytes, parsed in place of reading the file.
    std::optional<std::string> m_bytes;
    ObjectDictionary& m_dictionary;
    FileInfoSection& m_fileInfo;
    DeviceInfoSection& m_deviceInfo;
    Platform& m_platform;
    // Shared with the reader of the second half of a large object list (see CreateIndexList).
    std::shared_ptr<const ProfileFile> m_pProfile;
    std::uint16_t m_nErrorIndex = 0;
    std::uint16_t m_nErrorSubindex = 0;
    bool m_bLenient = false;
    unsigned m_nLeftOutForType = 0;
    // Indices already taken from an object list, so that a second listing is skipped.
    std::vector<bool> m_listed = std::vector<bool>(0x10000, false);
    ImportReport m_report;
    // The numbers of the index sections, ascending, and of the subindex sections as index << 8 |
    // subindex, ascending.
    std::vector<std::uint16_t> m_indexSections;
    std::vector<std::uint32_t> m_subSections;
    // Where ObjectSection found the last object section: the next one is mostly beside it.
    mutable std::size_t m_nearSection = static_cast<std::size_t>(-1);
};
