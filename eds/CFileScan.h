#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "eds/EdsSections.h"
#include "eds/ImportMode.h"

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
    int ReadFile();
    // The index at which the import stopped on a subindex-count mismatch (0 when none) and the
    // error subindex, with 0xFFFF reported as 0.
    void GetErrorPosition(std::uint16_t& index, std::uint16_t& subindex) const;

private:
    static constexpr const char* ObjectLists[] = {"MandatoryObjects", "ManufacturerObjects",
                                                  "OptionalObjects"};

    int ReadAllSections();
    int ValidateEdsFile();
    int ReadFileInfo();
    int ReadDeviceInfo();
    int ReadDummyUsage();
    int ReadComments();
    int CreateIndexList(const std::string& listName);
    int CreateSubIndexList(IndexEntry& entry);
    int ReadStructuredEntries(IndexEntry& entry, std::uint16_t subNumber);
    int ReadParameterSection(SubindexEntry& entry);
    // Lenient mode only: reports the object lists and list entries that are missing, before any index
    // is read, so that these repairs are never hidden behind the index messages.
    void SurveyObjectLists();
    // The number of subindices a compact array index describes (CompactSubObj), 0 when the index is
    // not read that way.
    unsigned CompactSubObjects(std::uint16_t index) const;
    int ReadCompactEntries(IndexEntry& entry, unsigned count);
    void ReportRepair(const std::string& repair);
    static bool IsSupportedIndex(std::uint16_t index);
    static bool IsImportedDataType(std::uint8_t type);
    bool SectionExists(std::uint16_t index, std::uint16_t subindex) const;
    std::string GetString(std::string_view section, std::string_view key, std::string_view def) const;
    std::uint32_t GetNumber(std::string_view section, std::string_view key) const;
    void ShowError(const std::string& text, const std::string& caption);

    std::string m_strPath;
    ObjectDictionary& m_dictionary;
    FileInfoSection& m_fileInfo;
    DeviceInfoSection& m_deviceInfo;
    Platform& m_platform;
    std::unique_ptr<ProfileFile> m_pProfile;
    std::uint16_t m_nErrorIndex = 0;
    std::uint16_t m_nErrorSubindex = 0;
    bool m_bLenient = false;
    // Indices already taken from an object list, so that a second listing is skipped.
    std::vector<bool> m_listed;
};
