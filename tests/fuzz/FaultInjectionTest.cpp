#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <vector>

#include "EdsText.h"
#include "ScriptedPlatform.h"
#include "document/CQuillmarkDoc.h"
#include "eds/EdsResult.h"
#include "generator/GenerationResult.h"

namespace {

// The disk, except that files whose path contains a marker cannot be read although they exist: the
// way an unreadable file looks to a reader (root ignores file modes, so chmod cannot stand in).
class UnreadableFileSystem : public FaultyFileSystem {
public:
    explicit UnreadableFileSystem(std::string marker) : m_marker(std::move(marker)) {}

    std::optional<std::string> ReadAll(const std::string& path, std::string& error) override {
        if (path.find(m_marker) != std::string::npos) {
            error = "Permission denied";
            return std::nullopt;
        }
        return FaultyFileSystem::ReadAll(path, error);
    }

private:
    std::string m_marker;
};

class FaultInjection : public ::testing::Test {
protected:
    FaultInjection() {
        doc.OnNewDocument();
        WriteFileBytes(dir.File("device.eds"), SmallDevice());
        EXPECT_EQ(doc.ImportEds(dir.File("device.eds")), EdsImportResult::Success);
    }

    std::size_t GeneratedBytes() {
        TempDir clean;
        EXPECT_EQ(doc.GenerateSources(clean.File("objdict.c")), GenOk);
        std::size_t total = 0;
        for (const char* name : {"objdict.c", "objdict.h", "obdcfg.h"}) {
            total += ReadFileBytes(clean.File(name)).size();
        }
        return total;
    }

    bool Exists(const std::string& path) { return platform.Files().Exists(path); }

    ScriptedPlatform platform;
    CQuillmarkDoc doc{platform};
    TempDir dir;
};

TEST_F(FaultInjection, ExportThatFailsPartWayKeepsThePreviousFileByteForByte) {
    const std::string target = dir.File("export.eds");
    ASSERT_EQ(doc.ExportEds(target), EdsExportResult::Success);
    const std::size_t size = ReadFileBytes(target).size();

    for (std::size_t budget : {std::size_t{0}, std::size_t{1}, std::size_t{100}, size / 2, size - 1}) {
        SCOPED_TRACE("write fails after " + std::to_string(budget) + " bytes");
        WriteFileBytes(target, "an older export\r\n");
        FaultyFileSystem faulty;
        faulty.FailWritesAfter(budget);
        platform.SetFiles(&faulty);
        EXPECT_EQ(doc.ExportEds(target), EdsExportResult::WriteFailed);
        platform.SetFiles(nullptr);
        EXPECT_EQ(ReadFileBytes(target), "an older export\r\n");
        EXPECT_FALSE(Exists(TemporaryPathFor(target)));
    }
}

TEST_F(FaultInjection, ExportOverALockedFileReportsItAndKeepsIt) {
    const std::string target = dir.File("export.eds");
    WriteFileBytes(target, "locked\r\n");
    FaultyFileSystem faulty;
    faulty.FailRename();
    platform.SetFiles(&faulty);
    EXPECT_EQ(doc.ExportEds(target), EdsExportResult::CannotDelete);
    platform.SetFiles(nullptr);
    EXPECT_EQ(ReadFileBytes(target), "locked\r\n");
    EXPECT_FALSE(Exists(TemporaryPathFor(target)));
}

TEST_F(FaultInjection, GenerationThatFailsPartWayKeepsThePreviousFilesByteForByte) {
    const std::size_t total = GeneratedBytes();
    const char* const names[] = {"objdict.c", "objdict.h", "obdcfg.h"};
    // In the first banner, in the dictionary header, in the configuration header, at the very end.
    for (std::size_t budget : {std::size_t{0}, std::size_t{10}, std::size_t{900}, total / 2, total - 1}) {
        SCOPED_TRACE("write fails after " + std::to_string(budget) + " bytes");
        TempDir out;
        for (const char* name : names) {
            WriteFileBytes(out.File(name), std::string("previous ") + name);
        }
        FaultyFileSystem faulty;
        faulty.FailWritesAfter(budget);
        platform.SetFiles(&faulty);
        EXPECT_EQ(doc.GenerateSources(out.File("objdict.c")), GenWriteFailed);
        platform.SetFiles(nullptr);
        for (const char* name : names) {
            EXPECT_EQ(ReadFileBytes(out.File(name)), std::string("previous ") + name);
            EXPECT_FALSE(Exists(TemporaryPathFor(out.File(name)))) << name;
        }
        EXPECT_FALSE(platform.FileErrors().empty());
    }
}

TEST_F(FaultInjection, GenerationWhoseFilesCannotAllBeMadeKeepsThePreviousFiles) {
    TempDir out;
    const char* const names[] = {"objdict.c", "objdict.h", "obdcfg.h"};
    for (const char* name : names) {
        WriteFileBytes(out.File(name), std::string("previous ") + name);
    }
    struct Fault {
        const char* what;
        void (*arm)(FaultyFileSystem&);
        GenerationResult result;
    };
    const Fault faults[] = {
        {"the configuration header cannot be created",
         [](FaultyFileSystem& f) { f.FailCreateOf("obdcfg.h"); }, GenCreateFailed},
        {"the files cannot replace the old ones", [](FaultyFileSystem& f) { f.FailRename(); },
         GenCreateFailed},
    };
    for (const Fault& fault : faults) {
        SCOPED_TRACE(fault.what);
        FaultyFileSystem faulty;
        fault.arm(faulty);
        platform.SetFiles(&faulty);
        EXPECT_EQ(doc.GenerateSources(out.File("objdict.c")), fault.result);
        platform.SetFiles(nullptr);
        for (const char* name : names) {
            EXPECT_EQ(ReadFileBytes(out.File(name)), std::string("previous ") + name);
            EXPECT_FALSE(Exists(TemporaryPathFor(out.File(name)))) << name;
        }
    }
}

TEST_F(FaultInjection, FailedProjectSaveKeepsThePreviousFileByteForByte) {
    const std::string project = dir.File("device.prj");
    ASSERT_EQ(doc.SaveProjectFile(project), ProjectFileResult::Done);
    const std::string previous = ReadFileBytes(project);
    doc.GetIndexAt(0)->Header()->name = "renamed after the last save";
    doc.SetModifiedFlag(true);

    struct Fault {
        const char* what;
        void (*arm)(FaultyFileSystem&);
    };
    const Fault faults[] = {
        {"nothing can be written", [](FaultyFileSystem& f) { f.FailWritesAfter(0); }},
        {"the disk fills after 40 bytes", [](FaultyFileSystem& f) { f.FailWritesAfter(40); }},
        {"the disk fills near the end", [](FaultyFileSystem& f) { f.FailWritesAfter(500); }},
        {"no new file can be created", [](FaultyFileSystem& f) { f.FailCreateOf("device.prj"); }},
        {"the new file cannot replace the old", [](FaultyFileSystem& f) { f.FailRename(); }},
    };
    for (const Fault& fault : faults) {
        SCOPED_TRACE(fault.what);
        FaultyFileSystem faulty;
        fault.arm(faulty);
        platform.SetFiles(&faulty);
        EXPECT_EQ(doc.SaveProject(0), ProjectFileResult::NotDone);
        platform.SetFiles(nullptr);
        EXPECT_EQ(ReadFileBytes(project), previous);
        EXPECT_TRUE(doc.IsModified());
        EXPECT_FALSE(Exists(project + ".tmp"));
    }
    EXPECT_EQ(platform.FileErrors().size(), std::size(faults));
}

TEST_F(FaultInjection, ProjectThatVanishesAfterChoosingIsReportedAndTheOpenProjectStays) {
    const std::string project = dir.File("gone.prj");
    ASSERT_EQ(doc.SaveProjectFile(project), ProjectFileResult::Done);
    const std::uint16_t indices = doc.GetIndexCount();
    std::remove(project.c_str());

    platform.QueueChosenFile(project);
    EXPECT_EQ(doc.OpenProject(), ProjectFileResult::NotDone);
    ASSERT_EQ(platform.FileErrors().size(), 1u);
    EXPECT_EQ(platform.FileErrors()[0].operation, FileOperation::Read);
    EXPECT_EQ(platform.FileErrors()[0].path, project);
    EXPECT_EQ(doc.GetIndexCount(), indices);
}

TEST_F(FaultInjection, UnreadableProjectIsReportedAndTheOpenProjectStays) {
    const std::string project = dir.File("locked.prj");
    ASSERT_EQ(doc.SaveProjectFile(project), ProjectFileResult::Done);
    const std::uint16_t indices = doc.GetIndexCount();
    UnreadableFileSystem unreadable("locked.prj");
    platform.SetFiles(&unreadable);
    platform.QueueChosenFile(project);
    EXPECT_EQ(doc.OpenProject(), ProjectFileResult::NotDone);
    platform.SetFiles(nullptr);
    ASSERT_EQ(platform.FileErrors().size(), 1u);
    EXPECT_EQ(platform.FileErrors()[0].reason, "Permission denied");
    EXPECT_EQ(doc.GetIndexCount(), indices);
}

TEST_F(FaultInjection, EdsThatVanishesOrCannotBeReadGivesCannotOpen) {
    doc.OnNewDocument();
    EXPECT_EQ(doc.ImportEds(dir.File("vanished.eds")), EdsImportResult::CannotOpen);
    EXPECT_EQ(doc.GetIndexCount(), 0);

    UnreadableFileSystem unreadable("device.eds");
    platform.SetFiles(&unreadable);
    EXPECT_EQ(doc.ImportEds(dir.File("device.eds")), EdsImportResult::CannotOpen);
    platform.SetFiles(nullptr);
    EXPECT_EQ(doc.GetIndexCount(), 0);
    EXPECT_FALSE(doc.IsModified());
}

TEST_F(FaultInjection, OutputFolderThatDoesNotExist) {
    const std::string missing = dir.File("missing") + "/";
    EXPECT_EQ(doc.ExportEds(missing + "device.eds"), EdsExportResult::WriteFailed);
    EXPECT_EQ(doc.GenerateSources(missing + "objdict.c"), GenCreateFailed);
    EXPECT_EQ(doc.SaveProjectFile(missing + "device.prj"), ProjectFileResult::NotDone);
    EXPECT_TRUE(doc.IsModified());
    EXPECT_FALSE(Exists(dir.File("missing")));
    EXPECT_GE(platform.FileErrors().size(), 2u);
}

TEST_F(FaultInjection, OutputFolderThatCannotBeWritten) {
    const std::string locked = dir.File("locked");
    FaultyFileSystem faulty;
    faulty.FailCreateOf(locked);
    platform.SetFiles(&faulty);
    EXPECT_EQ(doc.ExportEds(locked + "/device.eds"), EdsExportResult::WriteFailed);
    EXPECT_EQ(doc.GenerateSources(locked + "/objdict.c"), GenCreateFailed);
    EXPECT_EQ(doc.SaveProjectFile(locked + "/device.prj"), ProjectFileResult::NotDone);
    platform.SetFiles(nullptr);
    EXPECT_TRUE(doc.IsModified());
    EXPECT_GE(platform.FileErrors().size(), 2u);
}

}  // namespace
