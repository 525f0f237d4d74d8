#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <filesystem>
#include <vector>

#include "CCompiler.h"
#include "GeneratorTestSupport.h"
#include "ParallelMode.h"
#include "ScriptedPlatform.h"
#include "eds/CFileScan.h"
#include "eds/EdsResult.h"
#include "generator/CSourceGenerator.h"

namespace {

std::vector<std::string> EdsFiles() {
    std::vector<std::string> paths{std::string(QM_EXAMPLES_DIR) + "/io_device.eds"};
    std::vector<std::string> corpus;
    std::error_code error;
    for (const auto& item : std::filesystem::directory_iterator(QM_CORPUS_DIR, error)) {
        corpus.push_back(item.path().string());
    }
    std::sort(corpus.begin(), corpus.end());
    paths.insert(paths.end(), corpus.begin(), corpus.end());
    return paths;
}

class GeneratorCorpusTest : public ::testing::TestWithParam<std::string> {};

TEST_P(GeneratorCorpusTest, GeneratedSourcesCompileAndRepeat) {
    const std::string& path = GetParam();
    auto dictionary = std::make_unique<ObjectDictionary>();
    FileInfoSection fileInfo;
    DeviceInfoSection deviceInfo;
    ScriptedPlatform platform;
    platform.AllowUnexpectedMessages();
    // A file the standard import does not read whole is generated from what the lenient import reads.
    if (CFileScan(path, *dictionary, fileInfo, deviceInfo, platform).ReadFile() != EdsImportResult::Success) {
        dictionary = std::make_unique<ObjectDictionary>();
        fileInfo = {};
        deviceInfo = {};
        if (CFileScan(path, *dictionary, fileInfo, deviceInfo, platform, ImportMode::Lenient).ReadFile() !=
            EdsImportResult::Success) {
            GTEST_SKIP() << "no dictionary to read";
        }
    }
    TempDir dir;
    ASSERT_EQ(GenOk, RunGeneration(*dictionary, platform, dir.File("objdict.c")));
    const bool compiler = HaveCCompiler();
    if (compiler) {
        EXPECT_EQ("", CompileGeneratedFiles(dir.Path(), "objdict.c"));
    }

    // Every PDO now has its mapping index, so a second run gives the same files but for the time, also
    // when the manufacturer and device parts are written in two halves at once.
    const char* const names[] = {"objdict.c", "objdict.h", "obdcfg.h"};
    std::vector<std::string> first;
    for (const char* name : names) {
        first.push_back(ReadFileBytes(dir.File(name)));
    }
    platform.SetTime(LocalTime{1, 2, 2030, 4, 5, 6});
    {
        const ScopedParallelMode halves(ParallelWork::Mode::Always);
        ASSERT_EQ(GenOk, RunGeneration(*dictionary, platform, dir.File("objdict.c")));
    }
    for (std::size_t i = 0; i < first.size(); ++i) {
        EXPECT_EQ(WithoutDateAndTime(first[i]), WithoutDateAndTime(ReadFileBytes(dir.File(names[i]))))
            << names[i];
    }
    if (!compiler) {
        GTEST_SKIP() << "no C compiler: generated and repeated, but not compiled";
    }
}

std::string TestName(const ::testing::TestParamInfo<std::string>& info) {
    std::string name = std::to_string(info.index) + "_" + std::filesystem::path(info.param).stem().string();
    for (char& c : name) {
        if (!std::isalnum(static_cast<unsigned char>(c))) {
            c = '_';
        }
    }
    return name;
}

INSTANTIATE_TEST_SUITE_P(EdsFiles, GeneratorCorpusTest, ::testing::ValuesIn(EdsFiles()), TestName);

}  // namespace
