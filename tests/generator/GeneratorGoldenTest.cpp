#include <gtest/gtest.h>

#include "DictionaryBuilder.h"
#include "GeneratorTestSupport.h"
#include "MemoryFileSystem.h"
#include "ParallelMode.h"
#include "ScriptedPlatform.h"
#include "generator/CSourceGenerator.h"

namespace {

class GeneratorGoldenTest : public ::testing::Test {
protected:
    void SetUp() override {
        platform.SetFiles(&files);
        platform.SetTime(LocalTime{6, 12, 2026, 9, 5, 3});
    }

    ObjectDictionary dictionary;
    MemoryFileSystem files;
    ScriptedPlatform platform;
};

// A large part is written in two halves at once, a small one in one thread: the files and the message
// boxes, in their order, are the same either way.
TEST(GeneratorGolden, FullDictionaryGivesTheGoldenFiles) {
    for (const ParallelWork::Mode mode : {ParallelWork::Mode::Never, ParallelWork::Mode::Always}) {
        SCOPED_TRACE(mode == ParallelWork::Mode::Never ? "in one thread" : "in two halves");
        const ScopedParallelMode parallel(mode);
        ObjectDictionary dictionary;
        MemoryFileSystem files;
        ScriptedPlatform platform;
        platform.SetFiles(&files);
        platform.SetTime(LocalTime{6, 12, 2026, 9, 5, 3});
        BuildFullDictionary(dictionary);
        ExpectFullDictionaryMessages(platform, true);

        ASSERT_EQ(GenOk, RunGeneration(dictionary, platform, "C:\\out\\node.c"));

        EXPECT_EQ(0, platform.PendingExpectations());
        EXPECT_EQ(3u, files.Files().size());
        ExpectGolden("full", "node.c", files.Bytes("C:\\out\\node.c"));
        ExpectGolden("full", "objdict.h", files.Bytes("C:\\out\\objdict.h"));
        ExpectGolden("full", "obdcfg.h", files.Bytes("C:\\out\\obdcfg.h"));
        EXPECT_FALSE(files.IsOpen("C:\\out\\node.c") || files.IsOpen("C:\\out\\objdict.h") ||
                     files.IsOpen("C:\\out\\obdcfg.h"));
    }
}

TEST_F(GeneratorGoldenTest, EmptyDictionaryGivesCompleteFilesWithEmptyParts) {
    ASSERT_EQ(GenOk, RunGeneration(dictionary, platform, "/home/dev/fw/objdict.c"));

    ExpectGolden("empty", "objdict.c", files.Bytes("/home/dev/fw/objdict.c"));
    ExpectGolden("empty", "objdict.h", files.Bytes("/home/dev/fw/objdict.h"));
    ExpectGolden("empty", "obdcfg.h", files.Bytes("/home/dev/fw/obdcfg.h"));
}

TEST_F(GeneratorGoldenTest, PathWithoutDirectoryPutsTheHeadersBesideIt) {
    ASSERT_EQ(GenOk, RunGeneration(dictionary, platform, "dict.c"));
    EXPECT_TRUE(files.Exists("dict.c"));
    EXPECT_TRUE(files.Exists("objdict.h"));
    EXPECT_TRUE(files.Exists("obdcfg.h"));
    EXPECT_NE(std::string::npos, files.Bytes("objdict.h").find("* File: objdict.h \r\n"));
}

TEST_F(GeneratorGoldenTest, AddedMappingIndexStaysAndSecondRunDiffersOnlyInDateAndTime) {
    BuildFullDictionary(dictionary);
    ExpectFullDictionaryMessages(platform, true);
    ASSERT_EQ(GenOk, RunGeneration(dictionary, platform, "/out/objdict.c"));
    const std::map<std::string, std::string> first = files.Files();

    IndexEntry* added = dictionary.FindIndexForEntry(0x1601);
    ASSERT_NE(nullptr, added);
    EXPECT_EQ("PdoCbConfigMapp", added->callbackName);
    EXPECT_EQ("Receive PDO Mapping", added->Header()->name);

    platform.SetTime(LocalTime{7, 1, 2027, 23, 59, 58});
    ExpectFullDictionaryMessages(platform, false);
    ASSERT_EQ(GenOk, RunGeneration(dictionary, platform, "/out/objdict.c"));
    EXPECT_EQ(0, platform.PendingExpectations());

    for (const auto& [path, bytes] : first) {
        EXPECT_NE(bytes, files.Bytes(path)) << path;
        EXPECT_EQ(WithoutDateAndTime(bytes), WithoutDateAndTime(files.Bytes(path))) << path;
    }
    EXPECT_NE(std::string::npos,
              files.Bytes("/out/obdcfg.h").find("* Date: 07.01.2027\r\n* Time: 23:59:58\r\n"));
}

}  // namespace
