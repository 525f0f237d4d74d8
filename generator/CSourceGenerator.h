#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "generator/GenerationResult.h"
#include "generator/LineFormat.h"

class ObjectDictionary;
class Platform;
class WritableFile;
struct IndexEntry;
struct SubindexEntry;

// The identifier and the stack's type name of one entry.
struct EntryNames {
    std::string identifier;
    const char* typeName = "";
};

struct SdoParameters {
    std::uint32_t value1 = 0;
    std::uint32_t value2 = 0;
    std::uint32_t value3 = 0;
};

struct PdoCommunication {
    std::uint32_t cobId = 0;
    std::uint8_t transmissionType = 0;
    std::uint16_t inhibitTime = 0;
    std::uint16_t eventTimer = 0;
};

struct PdoMapping {
    std::uint8_t mappedObjects = 0;
    std::uint32_t values[8] = {};
};

// One run of the source generator: writes the user's source file, "objdict.h" and "obdcfg.h" for a
// dictionary. A run may add default PDO mapping indices to the dictionary. The three files are written
// to temporary files beside them, which replace them only once all three are complete, so a failed
// run leaves the previous files as they were.
class CSourceGenerator {
public:
    CSourceGenerator(ObjectDictionary& dictionary, Platform& platform);
    ~CSourceGenerator();
    CSourceGenerator(const CSourceGenerator&) = delete;
    CSourceGenerator& operator=(const CSourceGenerator&) = delete;

    // The whole run: generate, close, and put the files in place on success or remove the temporary
    // files on failure. 31 success; 32, 33, 35, 36, 37 failures.
    GenerationResult GenerateFiles(const std::string& sourcePath);

    // Writes the temporary files; 31 or a failure code.
    GenerationResult Generate(const std::string& sourcePath);
    // Closes whatever is still open; safe to call twice.
    GenerationResult CloseFiles();
    // Renames the closed temporaries over the targets.
    GenerationResult CommitFiles();
    // Deletes the temporary files that are left.
    void RemoveFiles();

    const std::string& SourcePath() const { return m_strSourcePath; }
    const std::string& DictPath() const { return m_strDictPath; }
    const std::string& ConfigPath() const { return m_strConfigPath; }
    // After a run: the entries the sources leave out because their data type has no line, as a
    // sentence for the success message; empty when there are none.
    std::string LeftOutNote() const;

    // Formats one line printf-style (without depending on the process locale) and writes it whole.
    // Returns 31, or 35 after reporting the file error; m_bWriteError keeps the outcome.
    template <typename... Args>
    GenerationResult WriteLine(WritableFile* file, const char* format, const Args&... args) {
        m_strLine.clear();
        AppendFormatted(m_strLine, format, {FormatArg(args)...});
        return WriteText(file, m_strLine);
    }
    // The same with a format taken apart beforehand.
    template <typename... Args>
    GenerationResult WriteLine(WritableFile* file, const ParsedFormat& format, const Args&... args) {
        m_strLine.clear();
        format.Append(m_strLine, {FormatArg(args)...});
        return WriteText(file, m_strLine);
    }
    GenerationResult WriteText(WritableFile* file, const std::string& text);

    void WriteBanner(WritableFile* file, const std::string& path);
    GenerationResult WriteSourceTrailer();
    GenerationResult WriteConfiguration();
    GenerationResult EmitPart(std::uint16_t first, std::uint16_t last);
    GenerationResult EmitIndices(IndexEntry* const* first, IndexEntry* const* end);
    GenerationResult EmitIndex(IndexEntry& index);
    // Writes the indices of a part above the communication area in two halves at once.
    GenerationResult EmitInHalves(const std::vector<IndexEntry*>& indices, std::size_t entries);
    GenerationResult EmitEntries(IndexEntry& index);
    static std::uint8_t AccessFlags(const SubindexEntry& entry);
    SdoParameters ReadSdoParameters(const IndexEntry& index) const;
    PdoCommunication ReadPdoCommunication(const IndexEntry& index, std::uint8_t count) const;
    PdoMapping ReadPdoMapping(const IndexEntry& index, std::uint8_t count) const;
    void CountListEntry(std::uint16_t indexNumber, std::uint16_t subindexNumber);
    // Shows the unsupported-data-type message when the type has no name.
    // The names of the entry, valid until the next call.
    const EntryNames& MakeIdentifier(const SubindexEntry& entry);
    int CheckMappingFor(std::uint16_t communicationIndex);
    int CheckCommunicationFor(std::uint16_t mappingIndex);

private:
    GenerationResult EmitSdoLine(const IndexEntry& index, bool server);
    GenerationResult EmitPdoLines(IndexEntry& index);
    GenerationResult EmitEntryLine(const IndexEntry& index, const SubindexEntry& entry,
                                   bool communicationArea);
    GenerationResult WritePrototypeIfNeeded(const IndexEntry& index);
    bool HasIndex(std::uint16_t indexNumber) const;
    const std::string& PathOf(const WritableFile* file) const;
    std::unique_ptr<WritableFile> CreateOutput(const std::string& path, std::string& temporary);

    // The line WriteLine formats and the names MakeIdentifier makes, kept so that their room is reused
    // from entry to entry.
    std::string m_strLine;
    EntryNames m_names;
    std::uint8_t m_nSdoClientNumber = 0;
    std::uint8_t m_nSdoServerNumber = 0;
    std::uint8_t m_nHeartbeatConsumers = 0;
    std::uint8_t m_nErrorFieldEntries = 0;
    std::string m_strInstanceName;
    std::string m_strConfigPath;
    std::string m_strSourcePath;
    std::string m_strDictPath;
    // The temporary files created for the three paths; empty once renamed or removed, or never made.
    std::string m_strSourceTemp;
    std::string m_strDictTemp;
    std::string m_strConfigTemp;
    bool m_bWriteError = false;
    unsigned m_nLeftOut = 0;
    const SubindexEntry* m_pFirstLeftOut = nullptr;
    // Any write of the run failed, also one whose flag a later successful write cleared: a run with
    // a lost line must not end in success.
    bool m_bAnyWriteFailed = false;
    std::uint8_t m_nTxPdoMapping = 0;
    std::uint8_t m_nRxPdoMapping = 0;
    std::uint8_t m_nTxPdoCommu = 0;
    std::uint8_t m_nRxPdoCommu = 0;
    std::uint8_t m_nSdoClients = 0;
    std::uint8_t m_nSdoServers = 1;
    std::unique_ptr<WritableFile> m_fileConfig;
    std::unique_ptr<WritableFile> m_fileSource;
    std::unique_ptr<WritableFile> m_fileDict;
    ObjectDictionary* m_pDictionary;
    Platform* m_pPlatform;
};
