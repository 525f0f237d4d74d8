#include <gtest/gtest.h>

#include <filesystem>
#include <sstream>

#include "ParallelMode.h"
#include "ScriptedPlatform.h"
#include "platform/ConsolePlatform.h"
#include "platform/Cp1252.h"
#include "platform/FileSystem.h"
#include "platform/MessageLimitPlatform.h"
#include "platform/ResultMessage.h"
#include "platform/TextEncoding.h"

TEST(Paths, FileAndDirectoryParts) {
    EXPECT_EQ(FileNamePart("/home/me/dev.eds"), "dev.eds");
    EXPECT_EQ(FileNamePart("C:\\work\\dev.eds"), "dev.eds");
    EXPECT_EQ(FileNamePart("dev.eds"), "dev.eds");
    EXPECT_EQ(DirectoryPart("/home/me/objdict.c"), "/home/me/");
    EXPECT_EQ(DirectoryPart("objdict.c"), "");
    EXPECT_EQ(FileExtension("C:\\Work.D\\Node.PRJ"), "prj");
    EXPECT_EQ(FileExtension("/a.b/objdict"), "");
}

TEST(ConsolePlatform, PrintsBoxesAndAnswersQuestionsSafely) {
    std::ostringstream err;
    ConsolePlatform console(err);
    EXPECT_EQ(console.MessageBox("done", "Create file", MsgButtons::Ok, MsgIcon::Information), MsgResult::Ok);
    EXPECT_EQ(console.MessageBox("Save?", "Quillmark", MsgButtons::YesNoCancel, MsgIcon::Question),
              MsgResult::Cancel);
    EXPECT_EQ(console.MessageBox("Delete?", "Delete index", MsgButtons::YesNo, MsgIcon::Question),
              MsgResult::No);
    EXPECT_NE(err.str().find("Create file: done\n"), std::string::npos);
    EXPECT_NE(err.str().find("Quillmark: Save?\n"), std::string::npos);
    EXPECT_NE(err.str().find("answered Cancel"), std::string::npos);
    EXPECT_NE(err.str().find("answered No"), std::string::npos);
    EXPECT_FALSE(console.ChooseFile(FileChooserRequest{}).has_value());
}

TEST(ConsolePlatform, SourceDateEpochFixesTheClockInUtc) {
#ifdef _WIN32
    _putenv_s("SOURCE_DATE_EPOCH", "1700000000");
    const LocalTime t = SystemLocalTime();
    _putenv_s("SOURCE_DATE_EPOCH", "");
#else
    ::setenv("SOURCE_DATE_EPOCH", "1700000000", 1);
    const LocalTime t = SystemLocalTime();
    ::unsetenv("SOURCE_DATE_EPOCH");
#endif
    EXPECT_EQ(t.year, 2023);
    EXPECT_EQ(t.month, 11);
    EXPECT_EQ(t.day, 14);
    EXPECT_EQ(t.hour, 22);
    EXPECT_EQ(t.minute, 13);
    EXPECT_EQ(t.second, 20);
}

TEST(ScriptedPlatform, AnswersFromItsQueueAndInjectsFaults) {
    ScriptedPlatform platform;
    platform.ExpectMessage("Save current project?", "Quillmark", MsgIcon::Question, MsgResult::Yes);
    EXPECT_EQ(
        platform.MessageBox("Save current project?", "Quillmark", MsgButtons::YesNoCancel, MsgIcon::Question),
        MsgResult::Yes);
    platform.QueueChosenFile(std::nullopt);
    EXPECT_FALSE(platform.ChooseFile(FileChooserRequest{}).has_value());
    ASSERT_EQ(platform.ChooserRequests().size(), 1u);

    TempDir dir;
    FaultyFileSystem faulty;
    faulty.FailWritesAfter(4);
    platform.SetFiles(&faulty);
    FileOperation failed = FileOperation::Create;
    std::string reason;
    EXPECT_FALSE(WriteWholeFile(platform.Files(), dir.File("a.txt"), "0123456789", failed, reason));
    EXPECT_EQ(failed, FileOperation::Write);
    EXPECT_EQ(ReadFileBytes(dir.File("a.txt")), "0123");
    EXPECT_FALSE(WriteWholeFile(platform.Files(), dir.File("missing/b.txt"), "x", failed, reason));
    EXPECT_EQ(failed, FileOperation::Create);
}

// After the limit one notice is shown and every later box only gets its safe answer; a run that stays
// within the limit shows no notice, and a limit of 0 shows everything.
TEST(MessageLimitPlatform, ShowsTheLimitThenOneNoticeThenNothing) {
    struct Row {
        int limit;
        int boxes;
        std::size_t shown;
        bool notice;
    };
    for (const Row& row : {Row{3, 6, 4, true}, Row{3, 3, 3, false}, Row{0, 50, 50, false}}) {
        SCOPED_TRACE(row.limit);
        ScriptedPlatform inner;
        inner.AllowUnexpectedMessages();
        MessageLimitPlatform limited(inner, row.limit, "No more.", "Read EDS file");
        for (int n = 0; n < row.boxes; ++n) {
            limited.MessageBox("box " + std::to_string(n), "Warning", MsgButtons::Ok, MsgIcon::Exclamation);
        }
        ASSERT_EQ(inner.Messages().size(), row.shown);
        EXPECT_EQ(inner.Messages().back().text == "No more.", row.notice);
        EXPECT_EQ(inner.Messages().back().caption == "Read EDS file", row.notice);
        EXPECT_EQ(inner.Messages().back().icon == MsgIcon::Information, row.notice);
        EXPECT_EQ(limited.MessageBox("?", "Q", MsgButtons::YesNo, MsgIcon::Question), MsgResult::No);
        EXPECT_EQ(&limited.Files(), &inner.Files());
    }
}

TEST(Cp1252, ConvertsEveryByteBothWays) {
    std::string all;
    for (int b = 0; b < 256; ++b) {
        all += static_cast<char>(b);
    }
    EXPECT_EQ(Utf8ToCp1252(Cp1252ToUtf8(all)), all);
    EXPECT_EQ(Cp1252ToUtf8("\x80"), "\xE2\x82\xAC");
    EXPECT_EQ(Cp1252ToUtf8("\xE4"), "\xC3\xA4");
    EXPECT_EQ(Utf8ToCp1252("\xE2\x84\xA2"), "\x99");
    EXPECT_EQ(Utf8ToCp1252("\xE4\xB8\xAD"), "?") << "not in Windows-1252";
    EXPECT_EQ(Utf8ToCp1252("a\xC3"), "a?") << "truncated sequence";
}

TEST(ResultMessage, TableTextsCaptionsAndIcons) {
    auto m = ResultMessageFor(GenOk, "/out/node.c");
    ASSERT_TRUE(m);
    EXPECT_EQ(m->text,
              "The files /out/node.c\n              /out/objdict.h\n              /out/obdcfg.h\n"
              "are successfully created!");
    EXPECT_EQ(m->caption, "Create file");
    m = ResultMessageFor(EdsImportResult::Success, "/x/dev.eds");
    ASSERT_TRUE(m);
    EXPECT_EQ(m->text, "The file /x/dev.eds was successfully readed!");
    EXPECT_EQ(m->icon, MsgIcon::Information);
    m = ResultMessageFor(GenWriteFailed, "/src/a.c");
    ASSERT_TRUE(m);
    EXPECT_EQ(m->text, "An error ocurred while writing the file /src/a.c!");
    EXPECT_EQ(m->caption, "Write file");
    m = ResultMessageFor(EdsExportResult::WriteFailed, "/x/dev.eds");
    ASSERT_TRUE(m);
    EXPECT_EQ(m->text, "An error ocurred while writing the file /x/dev.eds!");
    EXPECT_EQ(m->caption, "Create EDS file");
    m = ResultMessageFor(EdsImportResult::CannotOpen, "/x/y.eds");
    ASSERT_TRUE(m);
    EXPECT_EQ(m->text, "The file /x/y.eds could not be opened!");
    m = ResultMessageFor(GenNoEntry, "");
    ASSERT_TRUE(m);
    EXPECT_EQ(m->icon, MsgIcon::Information);
    EXPECT_FALSE(ResultMessageFor(static_cast<EdsExportResult>(3), "a")) << "export 3";
    EXPECT_FALSE(ResultMessageFor(EdsExportResult::CannotCreateWriter, "a")) << "CannotCreateWriter";
    EXPECT_FALSE(ResultMessageFor(GenNoSubindices, "b")) << "GenNoSubindices";
    for (EdsImportResult silent :
         {EdsImportResult::FileTooLarge, EdsImportResult::InvalidComments, EdsImportResult::Refused}) {
        EXPECT_FALSE(ResultMessageFor(silent, "a")) << static_cast<int>(silent);
    }
}

TEST(TextEncoding, ChoosesUtf8OnlyForValidMultiByteTexts) {
    struct Row {
        std::vector<std::string_view> texts;
        TextEncoding expected;
        const char* why;
    };
    const TextEncoding utf8 = TextEncoding::Utf8;
    const TextEncoding cp1252 = TextEncoding::Windows1252;
    const std::vector<Row> rows = {
        {{}, cp1252, "no texts"},
        {{"Device type", "0x0"}, cp1252, "ASCII only"},
        {{"like '\xE2\x82\xAC'"}, utf8, "three-byte euro sign"},
        {{"ASCII",
          "Temp [1/10 \xC2\xB0"
          "C]",
          "\xF0\x9F\x98\x80"},
         utf8,
         "two- and four-byte sequences"},
        {{"71101 Sch\x94naich"}, cp1252, "an 8-bit byte alone"},
        {{"\xC3\xA4",
          "Gr\xF6\xDF"
          "e"},
         cp1252,
         "valid in one text, invalid in another"},
        {{"\xC0\x80"}, cp1252, "overlong form"},
        {{"\xED\xA0\x80"}, cp1252, "surrogate"},
        {{"\xF4\x90\x80\x80"}, cp1252, "above U+10FFFF"},
        {{"\xE2\x82 x", "\xC3\xA4"}, cp1252, "a character broken off inside a text"},
        {{"\xC3\xA4", "long value cut at \xE2\x82"}, utf8, "a character cut off at the end of a text"},
        {{"\xE2\x82"}, cp1252, "a cut character alone is no evidence"},
        {{"12345678\xC3\xA4"}, utf8, "a character right after eight ASCII bytes"},
        {{"sixteen ASCII b.\x94 and more ASCII"}, cp1252, "an 8-bit byte after sixteen ASCII bytes"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.why);
        TextEncodingScan scan;
        for (const std::string_view text : row.texts) {
            scan.Add(text);
        }
        EXPECT_EQ(scan.Result(), row.expected);
    }
}

TEST(TextEncoding, ConvertsThroughTheChosenEncoding) {
    const TextEncoding utf8 = TextEncoding::Utf8;
    EXPECT_EQ(TextToCodePoints("a\x94z\xE2\x82\xAC\xE2\x82", utf8), U"a\uFFFDz\u20AC\uFFFD");
    EXPECT_EQ(CodePointsToText(std::u32string{0x20AC, 0x4E2D, 0xD800}, utf8), "\xE2\x82\xAC\xE4\xB8\xAD?");
    EXPECT_EQ(CodePointsToText(U"\u20AC\u4E2D", TextEncoding::Windows1252), "\x80?");
    EXPECT_EQ(TextToUtf8("\x80", TextEncoding::Windows1252), "\xE2\x82\xAC");
}

// Bytes go to the disk and back unchanged: no line end is translated (CR LF stays CR LF, a lone LF
// gains no CR), names in UTF-8 outside any ANSI code page work, and a rename replaces the target,
// which rename() does not do on Windows.
TEST(DiskFileSystem, KeepsBytesAndUtf8NamesAndReplacesFiles) {
    TempDir dir;
    DiskFileSystem disk;
    const std::string name = dir.File("Ger\xC3\xA4t \xE8\xAE\xBE\xE5\xA4\x87.eds");
    const std::string bytes = "[FileInfo]\r\nFileName=a.eds\r\nlone\nend\r\x1A\r\n";
    FileOperation failed{};
    std::string reason;
    ASSERT_TRUE(WriteWholeFile(disk, name, bytes, failed, reason)) << reason;
    EXPECT_TRUE(disk.Exists(name));
    EXPECT_EQ(disk.Size(name), bytes.size());
    EXPECT_EQ(disk.ReadAll(name, reason), bytes);

    EXPECT_EQ(ReplaceWholeFile(disk, name, "new", failed, reason), ReplaceOutcome::Replaced) << reason;
    EXPECT_EQ(disk.ReadAll(name, reason), "new");
    EXPECT_FALSE(disk.Exists(TemporaryPathFor(name)));

    EXPECT_FALSE(disk.ReadAll(dir.Path(), reason).has_value()) << "a folder is not a file";
    EXPECT_FALSE(disk.Size(dir.Path()).has_value());
    ASSERT_TRUE(disk.Remove(name, reason)) << reason;
    EXPECT_FALSE(disk.Exists(name));
    EXPECT_FALSE(disk.Remove(name, reason));
    EXPECT_EQ(reason, "No such file or directory");
    EXPECT_FALSE(disk.Rename(name, dir.File("other"), reason));
    EXPECT_EQ(reason, "No such file or directory");

    // A large file's memory is made ready in two halves at once before it is read into it.
    std::string large(300000, '\0');
    for (std::size_t i = 0; i < large.size(); ++i) {
        large[i] = static_cast<char>(i * 7 % 251);
    }
    ASSERT_TRUE(WriteWholeFile(disk, name, large, failed, reason)) << reason;
    {
        const ScopedParallelMode halves(ParallelWork::Mode::Always);
        EXPECT_EQ(disk.ReadAll(name, reason), large);
    }

    // A file takes the place of a file, with nothing left under its old name; a folder stays a folder.
    const std::string folder = dir.File("folder");
    ASSERT_TRUE(WriteWholeFile(disk, name, "old", failed, reason)) << reason;
    ASSERT_TRUE(WriteWholeFile(disk, dir.File("a.tmp"), "replacement", failed, reason)) << reason;
    ASSERT_TRUE(disk.Rename(dir.File("a.tmp"), name, reason)) << reason;
    EXPECT_EQ(disk.ReadAll(name, reason), "replacement");
    EXPECT_FALSE(disk.Exists(dir.File("a.tmp")));
    std::filesystem::create_directory(folder);
    std::filesystem::create_directory(folder + "/inside");
    EXPECT_FALSE(disk.Rename(name, folder, reason));
    EXPECT_TRUE(std::filesystem::is_directory(folder + "/inside"));
    EXPECT_EQ(disk.ReadAll(name, reason), "replacement");
}
