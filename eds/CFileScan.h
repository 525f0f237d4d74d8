#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "eds/EdsSections.h"

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
              DeviceInfoSection& deviceInfo, Platform& platform);
    ~CFileScan();
    CFileScan(const CFileScan&) = delete;
    CFileScan& operator=(const CFileScan&) = delete;

    // 11 on success, else one of the codes 12..25 of EdsImportResult.
    int ReadFile();
    // The index at which the import stopped on a subindex-count mismatch (0 when none) and the
    // error subindex, with 0xFFFF reported as 0.
    void GetErrorPosition(std::uint16_t& index, std::uint16_t& subindex) const;

private:
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
    static bool IsSupportedIndex(std::uint16_t index);
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
    // Indices already taken from an object list, so that a second listing is skipped.
    std::vector<bool> m_listed;
};
