#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include "FuzzChecks.h"
#include "FuzzPlatform.h"
#include "ScriptedPlatform.h"
#include "document/ProjectFileWriter.h"
#include "eds/CFileScan.h"

namespace fs = std::filesystem;

namespace {

using Check = std::function<std::string(std::string_view)>;

// The files of a folder in name order (dot files excepted), so a failure names a stable input.
std::vector<fs::path> FilesIn(const fs::path& folder) {
    std::vector<fs::path> files;
    if (fs::is_directory(folder)) {
        for (const auto& item : fs::recursive_directory_iterator(folder)) {
            if (item.is_regular_file() && item.path().filename().string().front() != '.') {
                files.push_back(item.path());
            }
        }
    }
    std::sort(files.begin(), files.end());
    return files;
}

std::vector<fs::path> CorpusFiles() {
    std::vector<fs::path> files;
    for (const fs::path& file : FilesIn(QM_CORPUS_DIR)) {
        std::string extension = file.extension().string();
        std::transform(extension.begin(), extension.end(), extension.begin(), ::tolower);
        if (extension == ".eds" || extension == ".dcf") {
            files.push_back(file);
        }
    }
    return files;
}

int Replay(const std::vector<fs::path>& files, const Check& check) {
    for (const fs::path& file : files) {
        EXPECT_EQ(check(ReadFileBytes(file.string())), "") << file;
    }
    return static_cast<int>(files.size());
}

// The project a user gets by importing the file and saving at once (empty when it cannot be saved).
std::string ProjectOf(const fs::path& file) {
    SilentPlatform platform;
    platform.Memory().Put("device.eds", ReadFileBytes(file.string()));
    ObjectDictionary dictionary;
    FileInfoSection fileInfo;
    DeviceInfoSection deviceInfo;
    CFileScan("device.eds", dictionary, fileInfo, deviceInfo, platform).ReadFile();
    try {
        return ProjectFileWriter().Write(dictionary, deviceInfo, fileInfo);
    } catch (const std::exception&) {
        return "";
    }
}

}  // namespace

// Every input a fuzz target ever failed on stays here; each must now pass its check.
TEST(FuzzRegressions, EveryStoredInputPassesItsCheck) {
    const fs::path root = fs::path(QM_FUZZ_DIR) / "regressions";
    int replayed = Replay(FilesIn(root / "eds_import_fuzzer"), CheckEdsImport);
    replayed += Replay(FilesIn(root / "eds_roundtrip_fuzzer"), CheckEdsRoundTrip);
    replayed += Replay(FilesIn(root / "project_load_fuzzer"), CheckProjectLoad);
    replayed += Replay(FilesIn(root / "xdd_import_fuzzer"), CheckXddImport);
    RecordProperty("replayed", replayed);
}

// The fuzz seeds themselves: real devices from many vendors import, export and generate cleanly, and
// one export normalises them for good.
TEST(FuzzRegressions, CorpusImportsExportsAndGenerates) {
    const std::vector<fs::path> files = CorpusFiles();
    ASSERT_GT(files.size(), 30u) << "the EDS corpus is expected at " << QM_CORPUS_DIR;
    Replay(files, CheckEdsImport);
}

// The XDD seeds, and every corpus EDS read as if it were XML: neither breaks a promise of the XDD reader.
TEST(FuzzRegressions, XddSeedsAndEdsFilesPassTheXddCheck) {
    const std::vector<fs::path> xdd = FilesIn(fs::path(QM_CORPUS_DIR) / "../xdd");
    ASSERT_FALSE(xdd.empty());
    Replay(xdd, CheckXddImport);
    Replay({fs::path(QM_EXAMPLES_DIR) / "io_device.xdd"}, CheckXddImport);
    Replay(CorpusFiles(), CheckXddImport);
}

TEST(FuzzRegressions, CorpusRoundTripIsStableAfterOneExport) {
    Replay(CorpusFiles(), CheckEdsRoundTrip);
}

TEST(FuzzRegressions, CorpusProjectsSaveAndReloadUnchanged) {
    for (const fs::path& file : CorpusFiles()) {
        const std::string project = ProjectOf(file);
        if (!project.empty()) {
            EXPECT_EQ(CheckProjectLoad(project), "") << file;
        }
    }
}
