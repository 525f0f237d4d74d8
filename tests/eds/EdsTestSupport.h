#pragma once

#include <initializer_list>
#include <string>
#include <string_view>

#include "ScriptedPlatform.h"
#include "eds/EdsSections.h"
#include "eds/ImportMode.h"
#include "eds/ImportReport.h"
#include "model/ObjectDictionary.h"
#include "platform/ResultCodes.h"

// Lines joined with CR LF, each line ended by one.
std::string CrLfLines(std::initializer_list<std::string_view> lines);

// [FileInfo], [DeviceInfo], [DummyUsage] and [Comments] of a file the importer accepts.
std::string Preamble();

// A single-entry index section [%04X] of the given data type and default value.
std::string VarSection(unsigned index, const std::string& name, unsigned dataType, const std::string& def);

// A parameter section of a subindex: [%04Xsub%X].
std::string SubSection(unsigned index, unsigned subindex, const std::string& name, unsigned dataType,
                       const std::string& def);

// The smallest importable file: the preamble, 0x1000 mandatory, 0x1001 optional, plus `extra` at the end
// and an empty manufacturer list unless `extra` brings one.
std::string MinimalEds(const std::string& extra = "");

// One import run into fresh records; the file is written to a temporary folder first.
struct ImportRun {
    ScriptedPlatform platform;
    ObjectDictionary dictionary;
    FileInfoSection fileInfo;
    DeviceInfoSection deviceInfo;
    TempDir dir;
    std::string path;
    ImportMode mode = ImportMode::Standard;
    // What the last import saw beyond the dictionary.
    ImportReport report;

    EdsImportResult Import(const std::string& bytes, const std::string& name = "device.eds");
    EdsImportResult ImportPath(const std::string& filePath);
    const IndexEntry* Find(unsigned index) const;
};

// Describes the first difference of two dictionaries (empty when they hold the same content).
std::string DictionaryDifference(const ObjectDictionary& a, const ObjectDictionary& b);

// Like DictionaryDifference, but value texts count as equal when the writer would write them the
// same way (the writer writes numbers in its own form, so "10" and "0xA" are the same UNSIGNED8).
std::string ExportedValueDifference(const ObjectDictionary& a, const ObjectDictionary& b);

// Builds dictionaries for the writer tests; AddEntry keeps the index's entryCount.
IndexEntry& AddIndex(ObjectDictionary& dictionary, unsigned index, const std::string& category,
                     bool structured);
SubindexEntry& AddEntry(ObjectDictionary& dictionary, unsigned index, unsigned subindex,
                        const std::string& name, unsigned objectType, unsigned dataType,
                        const std::string& access = "ro", const std::string& def = "",
                        const std::string& low = "", const std::string& high = "", unsigned pdoMapping = 0);
