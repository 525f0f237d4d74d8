#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "eds/EdsSections.h"

struct IndexEntry;
struct SubindexEntry;
class ObjectDictionary;
class Platform;
class ProfileFile;

// Writes a dictionary and its section records as one EDS file. The file is assembled in memory and
// written once, to a temporary file that replaces the target only when complete. Besides the file, it updates
// NrOfRxPdo, NrOfTxPdo and the three object counters of the device info, even when the export fails.
class CEdsWriter {
public:
    CEdsWriter(const std::string& path, ObjectDictionary& dictionary, FileInfoSection& fileInfo,
               DeviceInfoSection& deviceInfo, Platform& platform);
    ~CEdsWriter();
    CEdsWriter(const CEdsWriter&) = delete;
    CEdsWriter& operator=(const CEdsWriter&) = delete;

    // 0 on success, else one of the codes 1, 2, 5 of EdsExportResult; on failure the previous file at
    // the path keeps its bytes.
    int WriteFile();
    // The whole file as it would be written to the path, without touching the disk: 0, or 5 when the
    // dictionary has no mandatory index (the text then holds what came before the object lists).
    int BuildText(std::string& text);

private:
    int WriteFileInfo();
    int WriteDeviceInfo();
    int WriteDummyUsage();
    int WriteComments();
    int WriteObjectList(const std::string& category);
    int WriteIndexSection(const IndexEntry& entry);
    int WriteSubIndexSection(const SubindexEntry& entry);
    bool WriteValueKeys(const std::string& section, const SubindexEntry& entry);
    static constexpr bool EndOfSection = true;
    bool Set(const std::string& section, const std::string& key, const std::string& value,
             bool endOfSection = false);

    std::string m_strPath;
    ObjectDictionary& m_dictionary;
    FileInfoSection& m_fileInfo;
    DeviceInfoSection& m_deviceInfo;
    Platform& m_platform;
    std::unique_ptr<ProfileFile> m_pProfile;
};
