// Usage: project_seed_maker [--xdd] OUT_DIR EDS_FILE...
// Imports each EDS file and saves what was imported as OUT_DIR/<file name>.prj, giving the
// project-file fuzzer realistic projects to start from; with --xdd it writes OUT_DIR/<file name>.xdd
// instead (from the lenient import, which keeps every data type), for the XDD fuzzer. Files that
// cannot be read are skipped.
#include <fstream>
#include <iostream>
#include <sstream>

#include "FuzzPlatform.h"
#include "document/Archive.h"
#include "document/ContentEncoding.h"
#include "document/ProjectFileFormat.h"
#include "document/ProjectFileWriter.h"
#include "eds/CFileScan.h"
#include "xdd/CXddWriter.h"

namespace {

// The same project in the older 1.00 layout, whose entries keep numbers instead of value texts, so
// the fuzzer starts from every version. Everything after the indices is laid out as in 1.01, so only
// a project whose counts fit one byte has a 1.00 form.
std::string Version100(const ObjectDictionary& dictionary, const DeviceInfoSection& deviceInfo,
                       const FileInfoSection& fileInfo) {
    ObjectDictionary commentsOnly;
    commentsOnly.CommentLines() = dictionary.CommentLines();
    const std::string tail = ProjectFileWriter().Write(commentsOnly, deviceInfo, fileInfo);

    ArchiveWriter out;
    out.WriteText(ProjectFileFormat::MagicVersion100);
    out.WriteU8(static_cast<std::uint8_t>(dictionary.GetIndexCount()));
    for (std::uint16_t position = 0; position < dictionary.GetIndexCount(); ++position) {
        const IndexEntry& index = *dictionary.GetIndexAt(position);
        out.WriteText(index.callbackName);
        out.WriteText(index.category);
        out.WriteText(index.storage);
        out.WriteU16(index.index);
        out.WriteU16(index.headerSubindex);
        out.WriteU16(index.entryCount);
        out.WriteU16(index.entryCount);
        out.WriteU8(static_cast<std::uint8_t>(index.subindices.size()));
        for (const auto& entry : index.subindices) {
            ConvertedValues values;
            dictionary.ConvertEntryValues(*entry, values);
            out.WriteU8(entry->dataType);
            out.WriteU8(entry->objectType);
            out.WriteU8(entry->objectType);
            out.WriteU8(entry->pdoMapping);
            out.WriteU32(values.unsignedDefault);
            out.WriteU32(values.unsignedHigh);
            out.WriteU32(values.unsignedLow);
            out.WriteText(entry->accessType);
            out.WriteText(entry->defaultValue);
            out.WriteText(entry->name);
            out.WriteU16(entry->index);
            out.WriteU16(entry->subindex);
            out.WriteU32(entry->nonVolatile);
        }
    }
    // The 1.01 tail starts after its magic and its index count of 0.
    const std::size_t magicAndCount = 1 + std::string(ProjectFileFormat::MagicVersion101).size() + 1;
    return out.Bytes() + tail.substr(magicAndCount);
}

void WriteSeed(const std::string& path, const std::string& bytes, int& written) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    written += out ? 1 : 0;
}

}  // namespace

int main(int argc, char** argv) {
    const bool xdd = argc > 1 && std::string(argv[1]) == "--xdd";
    const int first = xdd ? 2 : 1;
    if (argc <= first) {
        std::cerr << "usage: project_seed_maker [--xdd] OUT_DIR EDS_FILE...\n";
        return 2;
    }
    const std::string outDir = argv[first];
    int written = 0;
    for (int i = first + 1; i < argc; ++i) {
        const std::string path = argv[i];
        std::ifstream in(path, std::ios::binary);
        std::ostringstream bytes;
        bytes << in.rdbuf();
        if (!in) {
            continue;
        }
        SilentPlatform platform;
        platform.Memory().Put(path, bytes.str());
        ObjectDictionary dictionary;
        FileInfoSection fileInfo;
        DeviceInfoSection deviceInfo;
        CFileScan(path, dictionary, fileInfo, deviceInfo, platform,
                  xdd ? ImportMode::Lenient : ImportMode::Standard)
            .ReadFile();
        if (xdd) {
            const TextEncoding encoding = ContentTextEncoding(dictionary, fileInfo, deviceInfo);
            WriteSeed(outDir + "/" + FileNamePart(path) + ".xdd",
                      CXddWriter(path, dictionary, fileInfo, deviceInfo, encoding, platform).BuildText(),
                      written);
            continue;
        }
        try {
            const std::string seed = outDir + "/" + FileNamePart(path);
            WriteSeed(seed + ".prj", ProjectFileWriter().Write(dictionary, deviceInfo, fileInfo), written);
            if (!ProjectFileWriter::NeedsWideCounts(dictionary)) {
                WriteSeed(seed + ".100.prj", Version100(dictionary, deviceInfo, fileInfo), written);
            }
        } catch (const ArchiveException&) {
            // Content no version of the format can hold: no seed from this file.
        }
    }
    std::cout << written << " seed files written to " << outDir << "\n";
    return 0;
}
