#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

#include "eds/EdsSections.h"
#include "eds/TextBuilder.h"
#include "platform/ResultCodes.h"

struct IndexEntry;
struct SubindexEntry;
class FileSystem;
class ObjectDictionary;
class Platform;
class ProfileFile;
class WritableFile;

// Writes an exported file to a temporary file and renames it over the path once complete: 0, or 1 when
// the target could not be replaced, 2 when the file could not be written (the previous file then
// keeps its bytes). The EDS and the XDD export share it.
EdsExportResult WriteExportedFile(FileSystem& files, const std::string& path, const std::string& text);

// Writes a dictionary and its section records as one EDS file. The file is written to a temporary file
// as it is built, which replaces the target only when complete. Besides the file, it updates
// NrOfRxPdo, NrOfTxPdo and the three object counters of the device info, even when the export fails.
//
// The steps set every key the way the profile-file layer does: a new section or key is appended, a key
// set again is replaced where it stands. The steps visit each section once and set each of its keys
// once, so the text is normally built straight in file order; only a dictionary that makes a step set
// a key again (an index number held twice, a subindex number held twice in one index, a data type twice
// in the dummy table) is built whole through a ProfileFile and written at once.
class CEdsWriter {
public:
    CEdsWriter(const std::string& path, ObjectDictionary& dictionary, FileInfoSection& fileInfo,
               DeviceInfoSection& deviceInfo, Platform& platform);
    ~CEdsWriter();
    CEdsWriter(const CEdsWriter&) = delete;
    CEdsWriter& operator=(const CEdsWriter&) = delete;

    // 0 on success, else one of the codes 1, 2, 5 of EdsExportResult; on failure the previous file at
    // the path keeps its bytes.
    EdsExportResult WriteFile();
    // The whole file as it would be written to the path, without touching the disk: 0, or 5 when the
    // dictionary has no mandatory index (the text then holds what came before the object lists).
    EdsExportResult BuildText(std::string& text);

private:
    EdsExportResult WriteFileInfo();
    EdsExportResult WriteDeviceInfo();
    EdsExportResult WriteDummyUsage();
    EdsExportResult WriteComments();
    EdsExportResult WriteObjectList(const std::string& category);
    EdsExportResult WriteIndexSections(const IndexEntry* const* first, const IndexEntry* const* end);
    EdsExportResult WriteIndexSection(const IndexEntry& entry);
    EdsExportResult WriteSubIndexSection(const SubindexEntry& entry);
    bool WriteValueKeys(std::string_view section, const SubindexEntry& entry);
    bool WriteValueTexts(std::string_view section, const SubindexEntry& entry, std::string_view pdoMapping);
    static constexpr bool EndOfSection = true;
    bool Set(std::string_view section, std::string_view key, std::string_view value,
             bool endOfSection = false);
    // While WriteFile writes: the text built so far goes to the file, and text built elsewhere follows it.
    void Flush();
    void Append(std::string_view text);
    bool HasMandatoryIndex() const;
    // True when some step would set a key that is already in the file (see the class comment).
    bool SetsAKeyTwice() const;
    // BuildText with SetsAKeyTwice() already asked.
    EdsExportResult BuildText(std::string& text, bool setsAKeyTwice);
    // Room for the whole text, somewhat more than it will take, and for the sections of some indices.
    std::size_t EstimatedSize() const;
    static std::size_t SectionsSize(const IndexEntry* const* first, const IndexEntry* const* end);

    std::string m_strPath;
    ObjectDictionary& m_dictionary;
    FileInfoSection& m_fileInfo;
    DeviceInfoSection& m_deviceInfo;
    Platform& m_platform;
    // The text built in file order, and the name of the section its last line belongs to.
    TextBuilder m_text;
    std::string m_strSection;
    // Set only while a dictionary that sets a key twice is written.
    std::unique_ptr<ProfileFile> m_pProfile;
    // The temporary file WriteFile writes the text to as it grows past FlushSize, and whether a write to
    // it has failed; the rest of the text goes there once it is complete.
    static constexpr std::size_t FlushSize = std::size_t{256} * 1024;
    WritableFile* m_pOut = nullptr;
    bool m_bOutFailed = false;
};
