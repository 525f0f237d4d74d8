// Usage: project_seed_maker OUT_DIR EDS_FILE...
// Imports each EDS file and saves what was imported as OUT_DIR/<file name>.prj, giving the
// project-file fuzzer realistic projects to start from. Files that cannot be read are skipped.
#include <fstream>
#include <iostream>
#include <sstream>

#include "FuzzPlatform.h"
#include "document/Archive.h"
#include "document/ProjectFileWriter.h"
#include "eds/CFileScan.h"

int main(int argc, char** argv) {
    if (argc < 2) {
        std::cerr << "usage: project_seed_maker OUT_DIR EDS_FILE...\n";
        return 2;
    }
    const std::string outDir = argv[1];
    int written = 0;
    for (int i = 2; i < argc; ++i) {
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
        CFileScan(path, dictionary, fileInfo, deviceInfo, platform).ReadFile();
        try {
            const std::string project =
                ProjectFileWriter("Quillmark_File_1.01").Write(dictionary, deviceInfo, fileInfo);
            std::ofstream out(outDir + "/" + FileNamePart(path) + ".prj", std::ios::binary | std::ios::trunc);
            out.write(project.data(), static_cast<std::streamsize>(project.size()));
            written += out ? 1 : 0;
        } catch (const ArchiveException&) {
            // Too large for the format: no seed from this file.
        }
    }
    std::cout << written << " seed projects written to " << outDir << "\n";
    return 0;
}
