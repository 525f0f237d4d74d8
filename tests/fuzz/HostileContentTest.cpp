#include <gtest/gtest.h>

#include <chrono>
#include <cstdio>
#include <string>
#include <vector>

#include "EdsText.h"
#include "FuzzChecks.h"
#include "ScriptedPlatform.h"
#include "document/CQuillmarkDoc.h"
#include "eds/EdsResult.h"
#include "generator/GenerationResult.h"

namespace {

// Hostile files go through the document as a user's would. The boxes they raise are recorded, not
// scripted: what matters is that every case ends in a result code or a message, with nothing lost.
class HostileContent : public ::testing::Test {
protected:
    HostileContent() {
        platform.AllowUnexpectedMessages();
        doc.OnNewDocument();
    }

    EdsImportResult Import(const std::string& text, ImportMode mode = ImportMode::Standard) {
        const std::string path = dir.File("hostile.eds");
        WriteFileBytes(path, text);
        doc.OnNewDocument();
        return doc.ImportEds(path, mode);
    }

    // Exports to a fresh file and imports that again into the document; true when both succeed.
    bool ExportAndReimport() {
        const std::string path = dir.File("again.eds");
        const EdsExportResult exported = doc.ExportEds(path);
        if (exported != EdsExportResult::Success) {
            ADD_FAILURE() << "the export ended with " << static_cast<int>(exported);
            return false;
        }
        doc.OnNewDocument();
        return doc.ImportEds(path) == EdsImportResult::Success;
    }

    SubindexEntry* Entry(std::uint16_t index, std::uint16_t subindex) {
        return doc.FindEntry(index, subindex);
    }

    std::size_t BoxesWithCaption(const std::string& caption) const {
        std::size_t count = 0;
        for (const RecordedMessage& message : platform.Messages()) {
            count += message.caption == caption ? 1 : 0;
        }
        return count;
    }

    ScriptedPlatform platform;
    CQuillmarkDoc doc{platform};
    TempDir dir;
};

std::string EveryByteBut(std::initializer_list<char> excluded) {
    std::string bytes = "a";
    for (int value = 0; value <= 0xFF; ++value) {
        const char c = static_cast<char>(value);
        if (std::find(excluded.begin(), excluded.end(), c) == excluded.end()) {
            bytes += c;
        }
    }
    return bytes + "z";
}

TEST_F(HostileContent, ThousandsOfCharactersAreCutOnImportAndKeptWholeInProjects) {
    const std::string longName(5000, 'N');
    const std::string longText(8000, 'V');
    EdsText eds;
    eds.List("MandatoryObjects", {0x1000})
        .Var(0x1000, longName, 0x7, "0")
        .List("ManufacturerObjects", {})
        .List("OptionalObjects", {0x1008})
        .Var(0x1008, "Device name", 0x9, longText);
    ASSERT_EQ(Import(eds.Text()), EdsImportResult::Success);
    EXPECT_EQ(Entry(0x1000, HeaderSingle)->name, longName.substr(0, 259));
    EXPECT_EQ(Entry(0x1008, HeaderSingle)->defaultValue, longText.substr(0, 259));

    // An edit can make texts longer than any EDS line; the project keeps them and the writers cope.
    const std::string huge(100000, 'H');
    Entry(0x1000, HeaderSingle)->name = huge;
    Entry(0x1008, HeaderSingle)->defaultValue = huge;
    ASSERT_EQ(doc.SaveProjectFile(dir.File("long.prj")), ProjectFileResult::Done);
    ASSERT_EQ(doc.OpenProjectFile(dir.File("long.prj")), ProjectFileResult::Done);
    EXPECT_EQ(Entry(0x1000, HeaderSingle)->name, huge);
    EXPECT_EQ(Entry(0x1008, HeaderSingle)->defaultValue, huge);
    EXPECT_EQ(doc.ExportEds(dir.File("long.eds")), EdsExportResult::Success);
    EXPECT_EQ(doc.GenerateSources(dir.File("objdict.c")), GenOk);
    EXPECT_NE(ReadFileBytes(dir.File("long.eds")).find(huge), std::string::npos);
}

TEST_F(HostileContent, EveryByteValueSurvivesImportExportAndProjects) {
    // Line ends cannot be part of an EDS value; every other byte can.
    const std::string name = EveryByteBut({'\r', '\n'});
    EdsText eds;
    eds.List("MandatoryObjects", {0x1000})
        .Var(0x1000, name, 0x7, "0")
        .List("ManufacturerObjects", {})
        .List("OptionalObjects", {0x1008})
        .Var(0x1008, "Device name", 0x9, name);
    ASSERT_EQ(Import(eds.Text()), EdsImportResult::Success);
    EXPECT_EQ(Entry(0x1000, HeaderSingle)->name, name);
    EXPECT_EQ(Entry(0x1008, HeaderSingle)->defaultValue, name);
    ASSERT_TRUE(ExportAndReimport());
    EXPECT_EQ(Entry(0x1000, HeaderSingle)->name, name);
    EXPECT_EQ(Entry(0x1008, HeaderSingle)->defaultValue, name);
    EXPECT_EQ(doc.GenerateSources(dir.File("objdict.c")), GenOk);

    const std::string allBytes = EveryByteBut({});
    Entry(0x1000, HeaderSingle)->name = allBytes;
    doc.GetComments().push_back(CommentLine{allBytes, 1});
    ASSERT_EQ(doc.SaveProjectFile(dir.File("bytes.prj")), ProjectFileResult::Done);
    ASSERT_EQ(doc.OpenProjectFile(dir.File("bytes.prj")), ProjectFileResult::Done);
    EXPECT_EQ(Entry(0x1000, HeaderSingle)->name, allBytes);
    EXPECT_EQ(doc.GetComments().back().text, allBytes);
}

TEST_F(HostileContent, HugeLengthsAndCountsInProjectFilesAreRefusedWithAMessage) {
    const std::string magic = std::string(1, '\x13') + "Quillmark_File_1.01";
    const std::string ff(64, '\xFF');
    struct Case {
        const char* what;
        std::string bytes;
    };
    const std::vector<Case> cases = {
        {"magic with a 4 GiB length", std::string("\xFF\xFF\xFF\xFF\xFF\xFF\xFF", 7)},
        {"255 indices and nothing else", magic + "\xFF"},
        {"a callback name of 4 GiB", magic + "\x01" + ff},
        {"a callback name of 65533 bytes", magic + "\x01\xFF\xFD\xFF" + "abc"},
        {"a wide-character text marker", magic + "\x01\xFF\xFE\xFF" + ff},
        {"255 entries of nothing",
         magic + std::string("\x01\x00\x00\x00\x00\x20\x00\x00\x00\x00\x00\xFF", 12)},
        {"every byte 0xFF after the magic", magic + std::string(4096, '\xFF')},
        {"a file of 0xFF only", std::string(4096, '\xFF')},
    };
    WriteFileBytes(dir.File("device.eds"), SmallDevice());
    ASSERT_EQ(doc.ImportEds(dir.File("device.eds")), EdsImportResult::Success);
    const std::uint16_t indices = doc.GetIndexCount();
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        const std::string path = dir.File("hostile.prj");
        WriteFileBytes(path, c.bytes);
        const std::size_t before = platform.Messages().size();
        EXPECT_EQ(doc.OpenProjectFile(path), ProjectFileResult::NotDone);
        ASSERT_EQ(platform.Messages().size(), before + 1);
        EXPECT_EQ(platform.Messages().back().caption, "Quillmark");
        EXPECT_EQ(doc.GetIndexCount(), indices);
        EXPECT_EQ(CheckProjectLoad(c.bytes), "");
    }
}

TEST_F(HostileContent, SubNumber65535EndsWithTheMismatchMessage) {
    for (const char* subNumber : {"65535", "0xFFFF", "-1", "4294967295"}) {
        SCOPED_TRACE(subNumber);
        EdsText eds;
        eds.List("MandatoryObjects", {0x1000})
            .Var(0x1000, "Device type", 0x7, "0")
            .List("ManufacturerObjects", {});
        eds.List("OptionalObjects", {0x2000})
            .Section("2000")
            .Key("SubNumber", subNumber)
            .Key("ParameterName", "Table")
            .Key("ObjectType", "0x8");
        for (unsigned sub = 0; sub <= 0xFF; ++sub) {
            eds.Sub(0x2000, sub, "Cell", 0x5, "1");
        }
        EXPECT_EQ(Import(eds.Text()), EdsImportResult::SubindexCountMismatch);
        EXPECT_EQ(BoxesWithCaption("Error"), 1u);
        EXPECT_EQ(CheckEntryCounts(doc.GetDictionary()), "");
        platform.AllowUnexpectedMessages();
        EXPECT_EQ(doc.ExportEds(dir.File("out.eds")), EdsExportResult::Success);
        EXPECT_EQ(CheckEdsImport(eds.Text()), "");
        const_cast<std::vector<RecordedMessage>&>(platform.Messages()).clear();
    }
}

TEST_F(HostileContent, ObjectListsAnnouncing65535Entries) {
    const auto list = [](const std::string& supported, unsigned keys,
                         const std::function<unsigned(unsigned)>& at) {
        EdsText eds;
        eds.List("MandatoryObjects", {0x1000})
            .Var(0x1000, "Device type", 0x7, "0")
            .List("ManufacturerObjects", {});
        eds.Section("OptionalObjects").Key("SupportedObjects", supported);
        char value[16];
        for (unsigned n = 1; n <= keys; ++n) {
            std::snprintf(value, sizeof value, "0x%04X", at(n));
            eds.Key(std::to_string(n), value);
        }
        eds.Var(0x1008, "Device name", 0x9, "x");
        return eds.Text();
    };
    // Only three of the announced keys exist: the list is invalid, silently (the caller says so).
    EXPECT_EQ(Import(list("65535", 3, [](unsigned) { return 0x1008u; })), EdsImportResult::InvalidObjectList);
    // The lenient import skips the missing keys and says so in one box.
    const std::size_t shown = platform.Messages().size();
    EXPECT_EQ(Import(list("65535", 3, [](unsigned) { return 0x1008u; }), ImportMode::Lenient),
              EdsImportResult::Success);
    ASSERT_EQ(platform.Messages().size(), shown + 1);
    EXPECT_EQ(platform.Messages().back().text, "Lenient import of " + dir.File("hostile.eds") +
                                                   ":\n65532 object list entries missing: skipped");
    EXPECT_EQ(doc.GetIndexCount(), 2);
    // Every key present, all naming the same index: it is taken once.
    EXPECT_EQ(Import(list("65535", 65535, [](unsigned) { return 0x1008u; })), EdsImportResult::Success);
    EXPECT_EQ(doc.GetIndexCount(), 2);
    // Every key names another index without a section: each is reported and none is kept.
    const std::string flood = list("65535", 65535, [](unsigned n) { return 0x1000u + n; });
    const std::size_t before = platform.Messages().size();
    const EdsImportResult result = Import(flood);
    const std::uint16_t indices = doc.GetIndexCount();
    EXPECT_LE(indices, 2);
    EXPECT_GT(platform.Messages().size(), before + 60000);
    EXPECT_EQ(CheckEntryCounts(doc.GetDictionary()), "");

    // The editor shows 20 of them and a last box that says so; the import itself does not change.
    doc.SetImportMessageLimit(20);
    const std::size_t start = platform.Messages().size();
    EXPECT_EQ(Import(flood), result);
    EXPECT_EQ(doc.GetIndexCount(), indices);
    ASSERT_EQ(platform.Messages().size(), start + 21);
    const RecordedMessage& last = platform.Messages().back();
    EXPECT_EQ(last.text, "Further messages of this import are not shown.");
    EXPECT_EQ(last.caption, "Read EDS file");
    EXPECT_EQ(last.icon, MsgIcon::Information);
}

// About 10 MB: every manufacturer index from 0x2000 to 0x5FFE as a VAR with long texts.
std::string TenMegabyteEds() {
    EdsText eds;
    eds.List("MandatoryObjects", {0x1000}).Var(0x1000, "Device type", 0x7, "0");
    eds.List("OptionalObjects", {0x1008}).Var(0x1008, "Device name", 0x9, "big");
    eds.Section("ManufacturerObjects").Key("SupportedObjects", std::to_string(0x5FFF - 0x2000));
    char text[16];
    for (unsigned index = 0x2000; index < 0x5FFF; ++index) {
        std::snprintf(text, sizeof text, "0x%04X", index);
        eds.Key(std::to_string(index - 0x2000 + 1), text);
    }
    const std::string name(250, 'n');
    const std::string value(250, 'v');
    for (unsigned index = 0x2000; index < 0x5FFF; ++index) {
        eds.Var(index, name, 0x9, value);
    }
    return eds.Text();
}

TEST_F(HostileContent, TenMegabyteEdsImportsExportsAndGenerates) {
    const std::string text = TenMegabyteEds();
    ASSERT_GT(text.size(), 9'000'000u);
    const auto start = std::chrono::steady_clock::now();
    ASSERT_EQ(Import(text), EdsImportResult::Success);
    EXPECT_EQ(doc.GetIndexCount(), 2 + (0x5FFF - 0x2000));
    EXPECT_EQ(doc.ExportEds(dir.File("big.eds")), EdsExportResult::Success);
    EXPECT_EQ(doc.GenerateSources(dir.File("objdict.c")), GenOk);
    // Beyond one-byte counts: the project is kept in version 1.02.
    ASSERT_EQ(doc.SaveProjectFile(dir.File("big.prj")), ProjectFileResult::Done);
    EXPECT_EQ(ReadFileBytes(dir.File("big.prj")).substr(1, 19), "Quillmark_File_1.02");
    CQuillmarkDoc reopened(platform);
    ASSERT_EQ(reopened.OpenProjectFile(dir.File("big.prj")), ProjectFileResult::Done);
    EXPECT_EQ(reopened.GetIndexCount(), doc.GetIndexCount());
    const auto seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    RecordProperty("seconds", std::to_string(seconds));
}

}  // namespace
