#include <gtest/gtest.h>

#include <filesystem>

#include "DictionaryBuilder.h"
#include "GeneratorTestSupport.h"
#include "MemoryFileSystem.h"
#include "ScriptedPlatform.h"
#include "generator/CSourceGenerator.h"

namespace {

const char* const NoSubindicesText =
    "The index 0x%s  supports no subindices!\nPlease applay to the index 0x%s at least\nsubindex 0x0 and try "
    "again!";

std::string NoSubindicesMessage(const std::string& hex) {
    std::string text = NoSubindicesText;
    text.replace(text.find("%s"), 2, hex);
    text.replace(text.find("%s"), 2, hex);
    return text;
}

void BuildSmallDictionary(ObjectDictionary& dictionary) {
    DictionaryBuilder b(dictionary);
    b.Var(0x1000, {.name = "Device Type", .dataType = 0x07, .access = "ro", .value = "0x191"}, "ROM");
    b.RecordOfValues(0x1400, "RPDO", {"0x201"});
    b.RecordOfValues(0x1600, "RPDO Mapping", {"0x60000108"});
    b.Var(0x2000, {.name = "Setpoint", .dataType = 0x06, .value = "7"}, "RAM", "MyCallback");
}

class GeneratorFailureTest : public ::testing::Test {
protected:
    void SetUp() override { platform.SetFiles(&memory); }

    ObjectDictionary dictionary;
    MemoryFileSystem memory;
    ScriptedPlatform platform;
};

TEST_F(GeneratorFailureTest, StructuredIndexWithoutSubindicesStopsWith37) {
    struct Case {
        std::uint16_t index;
        const char* hex;
    };
    for (const Case& c : {Case{0x2000, "2000"}, Case{0x1400, "1400"}, Case{0x1A00, "1A00"}}) {
        ObjectDictionary local;
        DictionaryBuilder(local).Record(c.index, "Lonely header");
        platform.ExpectMessage(NoSubindicesMessage(c.hex), "Create Object Dictionary File", MsgIcon::Error);

        EXPECT_EQ(GenNoSubindices, RunGeneration(local, platform, "/out/objdict.c")) << c.hex;
        // The partly written files never replace anything.
        EXPECT_TRUE(memory.Files().empty());
    }
    EXPECT_EQ(0, platform.PendingExpectations());
}

TEST_F(GeneratorFailureTest, MissingEntryStopsWith32) {
    DictionaryBuilder b(dictionary);
    b.Var(0x1000, {.name = "Device Type", .dataType = 0x07, .access = "ro", .value = "0x191"});
    b.RecordOfValues(0x2000, "Values", {"1", "2"}).entryCount = 5;

    CSourceGenerator generator(dictionary, platform);
    EXPECT_EQ(GenNoEntry, generator.Generate("/out/objdict.c"));
    EXPECT_EQ(GenOk, generator.CloseFiles());
    const std::string dict = memory.Bytes(TemporaryPathFor("/out/objdict.h"));
    EXPECT_NE(std::string::npos, dict.find("OBD_BEGIN_INDEX_RAM(0x2000, 0x04, NULL)"));
    EXPECT_NE(std::string::npos, dict.find("Value_2, 0x2)"));
    EXPECT_EQ(std::string::npos, dict.find("OBD_END_INDEX(0x2000)"));
    generator.RemoveFiles();
    EXPECT_TRUE(memory.Files().empty());
}

TEST_F(GeneratorFailureTest, EveryFailingWriteEndsIn35AndRemovesAllThreeFiles) {
    BuildSmallDictionary(dictionary);
    ASSERT_EQ(GenOk, RunGeneration(dictionary, platform, "/out/objdict.c"));
    const int writes = memory.WriteCalls();
    ASSERT_GT(writes, 60);

    // Also a failure among the frame lines whose flag is never tested, followed by good writes.
    for (int failing = 1; failing <= writes; ++failing) {
        MemoryFileSystem files;
        files.FailWriteCall(failing);
        ScriptedPlatform local;
        local.SetFiles(&files);

        EXPECT_EQ(GenWriteFailed, RunGeneration(dictionary, local, "/out/objdict.c")) << "write " << failing;
        EXPECT_TRUE(files.Files().empty()) << "write " << failing;
        ASSERT_FALSE(local.FileErrors().empty());
        EXPECT_EQ(FileOperation::Write, local.FileErrors().front().operation);
    }
}

TEST_F(GeneratorFailureTest, DiskFullEndsIn35AndLeavesNothing) {
    BuildSmallDictionary(dictionary);
    for (std::size_t budget : {std::size_t{0}, std::size_t{70}, std::size_t{900}, std::size_t{2400}}) {
        TempDir dir;
        FaultyFileSystem disk;
        disk.FailWritesAfter(budget);
        ScriptedPlatform local;
        local.SetFiles(&disk);

        EXPECT_EQ(GenWriteFailed, RunGeneration(dictionary, local, dir.File("node.c"))) << budget;
        EXPECT_FALSE(disk.Exists(dir.File("node.c")));
        EXPECT_FALSE(disk.Exists(dir.File("objdict.h")));
        EXPECT_FALSE(disk.Exists(dir.File("obdcfg.h")));
        EXPECT_FALSE(local.FileErrors().empty());
    }
}

TEST_F(GeneratorFailureTest, FileThatCannotBeCreatedStopsWith33AndLeavesNothing) {
    BuildSmallDictionary(dictionary);
    for (const std::string name : {"node.c", "objdict.h", "obdcfg.h"}) {
        TempDir dir;
        FaultyFileSystem disk;
        disk.FailCreateOf(name);
        ScriptedPlatform local;
        local.SetFiles(&disk);

        EXPECT_EQ(GenCreateFailed, RunGeneration(dictionary, local, dir.File("node.c"))) << name;
        ASSERT_EQ(1u, local.FileErrors().size());
        EXPECT_EQ(FileOperation::Create, local.FileErrors()[0].operation);
        EXPECT_EQ(dir.File(name), local.FileErrors()[0].path);
        // The temporary files made before it are closed and removed.
        EXPECT_TRUE(std::filesystem::is_empty(dir.Path())) << name;
    }
}

TEST_F(GeneratorFailureTest, FailedCloseGives36AndLeavesNothing) {
    BuildSmallDictionary(dictionary);
    memory.FailCloseOf("objdict.h");
    CSourceGenerator generator(dictionary, platform);

    EXPECT_EQ(GenCloseFailed, generator.GenerateFiles("/out/objdict.c"));
    ASSERT_EQ(1u, platform.FileErrors().size());
    EXPECT_EQ(FileOperation::Close, platform.FileErrors()[0].operation);
    EXPECT_EQ("/out/objdict.h", platform.FileErrors()[0].path);
    EXPECT_TRUE(memory.Files().empty());
    // Closing again finds nothing open.
    EXPECT_EQ(GenOk, generator.CloseFiles());
    EXPECT_EQ(1u, platform.FileErrors().size());
}

TEST_F(GeneratorFailureTest, FailedDeletionIsReportedOnceAndStopsTheRemoval) {
    BuildSmallDictionary(dictionary);
    TempDir dir;
    FaultyFileSystem disk;
    ScriptedPlatform local;
    local.SetFiles(&disk);
    CSourceGenerator generator(dictionary, local);
    ASSERT_EQ(GenOk, generator.Generate(dir.File("node.c")));
    ASSERT_EQ(GenOk, generator.CloseFiles());

    disk.FailRemove();
    generator.RemoveFiles();
    ASSERT_EQ(1u, local.FileErrors().size());
    EXPECT_EQ(FileOperation::Delete, local.FileErrors()[0].operation);
    EXPECT_EQ(TemporaryPathFor(dir.File("obdcfg.h")), local.FileErrors()[0].path);

    disk.FailRemove(false);
    generator.RemoveFiles();
    EXPECT_TRUE(std::filesystem::is_empty(dir.Path()));
    // Nothing is left to put in place.
    EXPECT_EQ(GenOk, generator.CommitFiles());
    EXPECT_TRUE(std::filesystem::is_empty(dir.Path()));
}

TEST_F(GeneratorFailureTest, ExistingFilesAreOverwritten) {
    BuildSmallDictionary(dictionary);
    TempDir dir;
    WriteFileBytes(dir.File("objdict.h"), std::string(100000, 'x'));
    platform.SetFiles(nullptr);

    ASSERT_EQ(GenOk, RunGeneration(dictionary, platform, dir.File("node.c")));
    const std::string dict = ReadFileBytes(dir.File("objdict.h"));
    EXPECT_EQ(std::string::npos, dict.find("xxxx"));
    EXPECT_EQ("#undef OBD_UNDEFINE_MACRO\r\n", dict.substr(dict.size() - 27));
}

}  // namespace
