#include <gtest/gtest.h>

#include "ParallelMode.h"
#include "RecordingView.h"
#include "ScriptedPlatform.h"
#include "document/CQuillmarkDoc.h"
#include "document/ContentEncoding.h"

namespace {

const std::string SampleEds = std::string(QM_CORPUS_DIR) + "/python-canopen__sample.eds";

class DocumentExchange : public ::testing::Test {
protected:
    DocumentExchange() { doc.OnNewDocument(); }

    void ImportSample() {
        platform.AllowUnexpectedMessages();
        ASSERT_EQ(doc.ImportEds(SampleEds), EdsImportResult::Success);
        platform.AllowUnexpectedMessages(false);
    }

    ScriptedPlatform platform;
    CQuillmarkDoc doc{platform};
    TempDir dir;
};

}  // namespace

TEST_F(DocumentExchange, SuccessfulImportMarksAnUnnamedModifiedProject) {
    ImportSample();
    EXPECT_GT(doc.GetIndexCount(), 0);
    EXPECT_EQ(doc.GetTitle(), "unnamed.prj");
    EXPECT_TRUE(doc.IsModified());
    EXPECT_FALSE(doc.IsNamed());
}

TEST_F(DocumentExchange, RefusedImportKeepsThePreviousProjectWhole) {
    ImportSample();
    const std::string project = dir.File("kept.prj");
    ASSERT_EQ(doc.SaveProjectFile(project), ProjectFileResult::Done);
    doc.SetModifiedFlag(true);
    const std::uint16_t indices = doc.GetIndexCount();
    RecordingView view;
    doc.AddView(&view);
    platform.AllowUnexpectedMessages();
    // XML is read as an XDD whatever the name says; a broken one is refused like a broken EDS.
    WriteFileBytes(dir.File("broken.eds"), "<?xml version=\"1.0\"?>\n<ISO15745ProfileContainer>");
    for (const std::string& path :
         {dir.File("missing.eds"), std::string(QM_CORPUS_DIR) + "/can2mqtt__esphome.eds",
          dir.File("broken.eds")}) {
        EXPECT_NE(doc.ImportEds(path), EdsImportResult::Success) << path;
        EXPECT_FALSE(doc.LastImportReplacedProject());
        EXPECT_EQ(doc.GetIndexCount(), indices);
        EXPECT_EQ(doc.GetPathName(), project);
        EXPECT_TRUE(doc.IsNamed() && doc.IsModified());
    }
    EXPECT_TRUE(view.updates.empty() && view.stateChanges == 0);
    doc.RemoveView(&view);
}

TEST_F(DocumentExchange, ImportReplacesTheProjectWhenItReadAnIndex) {
    ImportSample();
    ASSERT_EQ(doc.SaveProjectFile(dir.File("old.prj")), ProjectFileResult::Done);
    RecordingView view;
    doc.AddView(&view);
    // The last mandatory index has no section: the import stops there with what it read before.
    const std::string partial = dir.File("partial.eds");
    std::string bytes = ReadFileBytes(SampleEds);
    WriteFileBytes(partial, bytes.replace(bytes.find("3=0x1018"), 8, "3=0x1019"));
    platform.AllowUnexpectedMessages();
    EXPECT_NE(doc.ImportEds(partial), EdsImportResult::Success);
    EXPECT_TRUE(doc.LastImportReplacedProject());
    EXPECT_TRUE(doc.FindIndex(0x1000) != nullptr && doc.FindIndex(0x1018) == nullptr);
    EXPECT_EQ(doc.GetTitle(), "unnamed.prj");
    EXPECT_FALSE(doc.IsNamed() || doc.IsModified());
    EXPECT_EQ(view.Hints(), std::vector<std::uint32_t>{Hint::Reset});
    doc.RemoveView(&view);

    // A successful import replaces the content rather than adding to it.
    doc.GetDictionary().InsertIndex(std::make_unique<IndexEntry>());
    ASSERT_EQ(doc.ImportEds(SampleEds), EdsImportResult::Success);
    EXPECT_EQ(doc.FindIndex(0), nullptr);
}

TEST_F(DocumentExchange, ImportedProjectSurvivesSaveAndOpen) {
    ImportSample();
    const std::string path = dir.File("sample.prj");
    ASSERT_EQ(doc.SaveProjectFile(path), ProjectFileResult::Done);

    CQuillmarkDoc loaded(platform);
    ASSERT_EQ(loaded.OpenProjectFile(path), ProjectFileResult::Done);
    ASSERT_EQ(loaded.GetIndexCount(), doc.GetIndexCount());
    for (std::uint16_t i = 0; i < doc.GetIndexCount(); ++i) {
        std::unique_ptr<IndexEntry> expected = doc.GetIndexAt(i)->Clone();
        expected->kindMarker = 0;  // not part of the file
        EXPECT_TRUE(loaded.GetIndexAt(i)->SameContent(*expected)) << std::hex << expected->index;
    }
    EXPECT_EQ(loaded.GetDeviceInfo(), doc.GetDeviceInfo());
    EXPECT_EQ(loaded.GetFileInfo(), doc.GetFileInfo());
    EXPECT_EQ(loaded.GetComments(), doc.GetComments());
}

// A real device with 338 indices is kept as a 1.02 project that opens and saves to the same bytes.
TEST_F(DocumentExchange, LargeDeviceSavesOpensAndSavesTheSameBytes) {
    platform.AllowUnexpectedMessages();
    ASSERT_EQ(doc.ImportEds(std::string(QM_CORPUS_DIR) + "/kacanopen-ITVRoC__simco.eds"),
              EdsImportResult::Success);
    ASSERT_GT(doc.GetIndexCount(), 255);
    const std::string first = dir.File("simco.prj");
    ASSERT_EQ(doc.SaveProjectFile(first), ProjectFileResult::Done);
    EXPECT_EQ(ReadFileBytes(first).substr(1, 19), "Quillmark_File_1.02");

    CQuillmarkDoc loaded(platform);
    ASSERT_EQ(loaded.OpenProjectFile(first), ProjectFileResult::Done);
    EXPECT_EQ(loaded.GetIndexCount(), doc.GetIndexCount());
    const std::string second = dir.File("again.prj");
    ASSERT_EQ(loaded.SaveProjectFile(second), ProjectFileResult::Done);
    EXPECT_EQ(ReadFileBytes(second), ReadFileBytes(first));
}

TEST_F(DocumentExchange, ExportWritesTheFileAndKeepsThePreviousOneOnFailure) {
    ImportSample();
    const std::string path = dir.File("out.eds");
    EXPECT_EQ(doc.ExportEds(path), EdsExportResult::Success);
    const std::string previous = ReadFileBytes(path);

    FaultyFileSystem faulty;
    faulty.FailWritesAfter(20);
    platform.SetFiles(&faulty);
    EXPECT_EQ(doc.ExportEds(path), EdsExportResult::WriteFailed);
    platform.SetFiles(nullptr);
    EXPECT_EQ(ReadFileBytes(path), previous);
}

TEST_F(DocumentExchange, XddExportReadsBackByItsContent) {
    ImportSample();
    const std::string path = dir.File("sample.xdd");
    ASSERT_EQ(doc.ExportXdd(path), EdsExportResult::Success);
    const std::uint16_t indices = doc.GetIndexCount();
    WriteFileBytes(dir.File("named-like-an.eds"), ReadFileBytes(path));
    ASSERT_EQ(doc.ImportEds(dir.File("named-like-an.eds")), EdsImportResult::Success);
    EXPECT_TRUE(doc.LastImportReplacedProject());
    EXPECT_EQ(doc.GetIndexCount(), indices);
    EXPECT_EQ(doc.GetFileInfo().FileName, "sample.xdd");
    EXPECT_EQ(doc.UndoLabel(), "Import XDD-File");
    EXPECT_EQ(doc.ExportXdd(dir.File("no-folder/x.xdd")), EdsExportResult::WriteFailed);
}

TEST_F(DocumentExchange, ExportWithoutAMandatoryIndexWritesNothing) {
    const std::string path = dir.File("empty.eds");
    EXPECT_EQ(doc.ExportEds(path), EdsExportResult::NoMandatoryIndex);
    EXPECT_FALSE(platform.Files().Exists(path));
    EXPECT_FALSE(platform.Files().Exists(TemporaryPathFor(path)));
}

TEST_F(DocumentExchange, GenerationWritesThreeFilesAndKeepsThemAfterAWriteError) {
    ImportSample();
    const std::string source = dir.File("objdict.c");
    platform.AllowUnexpectedMessages();
    EXPECT_EQ(doc.GenerateSources(source), GenOk);
    const std::string header = ReadFileBytes(dir.File("objdict.h"));
    EXPECT_TRUE(platform.Files().Exists(source));
    EXPECT_FALSE(header.empty());
    EXPECT_TRUE(platform.Files().Exists(dir.File("obdcfg.h")));

    const std::string failing = dir.File("failing.c");
    FaultyFileSystem faulty;
    faulty.FailWritesAfter(100);
    platform.SetFiles(&faulty);
    EXPECT_EQ(doc.GenerateSources(failing), GenWriteFailed);
    platform.SetFiles(nullptr);
    EXPECT_FALSE(platform.Files().Exists(failing));
    EXPECT_EQ(ReadFileBytes(dir.File("objdict.h")), header);
    EXPECT_FALSE(platform.Files().Exists(TemporaryPathFor(dir.File("objdict.h"))));
}

TEST_F(DocumentExchange, GenerationReportsACreateFailure) {
    ImportSample();
    FaultyFileSystem faulty;
    faulty.FailCreateOf("obdcfg.h");
    platform.SetFiles(&faulty);
    platform.AllowUnexpectedMessages();
    EXPECT_EQ(doc.GenerateSources(dir.File("objdict.c")), GenCreateFailed);
}

TEST_F(DocumentExchange, ChoosesTheTextEncodingWhenAFileIsReadAndKeepsItWhileEditing) {
    const TextEncoding utf8 = TextEncoding::Utf8;
    const TextEncoding cp1252 = TextEncoding::Windows1252;
    EXPECT_EQ(doc.GetTextEncoding(), cp1252) << "a new project";
    platform.AllowUnexpectedMessages();
    ASSERT_EQ(doc.ImportEds(std::string(QM_CORPUS_DIR) + "/CANopenDemo__demoDevice.eds"),
              EdsImportResult::Success);
    EXPECT_EQ(doc.GetTextEncoding(), utf8);
    const std::string project = dir.File("utf8.prj");
    ASSERT_EQ(doc.SaveProjectFile(project), ProjectFileResult::Done);

    doc.GetIndexAt(0)->Header()->name =
        "Gr\xF6\xDF"
        "e";
    EXPECT_EQ(doc.GetTextEncoding(), utf8) << "an edit keeps the choice";
    EXPECT_NE(doc.ImportEds(dir.File("missing.eds")), EdsImportResult::Success);
    EXPECT_EQ(doc.GetTextEncoding(), utf8) << "a refused import keeps the project and its choice";
    ASSERT_EQ(doc.ImportEds(std::string(QM_CORPUS_DIR) + "/kacanopen__605.3150.51-V-EK-2-60.eds"),
              EdsImportResult::Success);
    EXPECT_EQ(doc.GetTextEncoding(), cp1252);
    ASSERT_TRUE(doc.Undo());
    EXPECT_EQ(doc.GetTextEncoding(), utf8) << "undoing the import gives back the project and its choice";
    ASSERT_TRUE(doc.Redo());
    EXPECT_EQ(doc.GetTextEncoding(), cp1252);
    ASSERT_EQ(doc.OpenProjectFile(project), ProjectFileResult::Done);
    EXPECT_EQ(doc.GetTextEncoding(), utf8) << "an opened project";
    ASSERT_TRUE(doc.OnNewDocument());
    EXPECT_EQ(doc.GetTextEncoding(), cp1252);
}

// Every text a person reads counts; the callback, a C name the program checks, does not.
TEST(ContentEncoding, CountsNamesValuesLimitsSectionFieldsAndComments) {
    ObjectDictionary dictionary;
    FileInfoSection fileInfo;
    DeviceInfoSection deviceInfo;
    auto index = std::make_unique<IndexEntry>();
    index->subindices.push_back(std::make_unique<SubindexEntry>());
    IndexEntry& added = *index;
    dictionary.InsertIndex(std::move(index));
    dictionary.CommentLines().push_back({"", 1});
    SubindexEntry& entry = *added.Header();
    for (std::string* text : {&entry.name, &entry.defaultValue, &entry.lowLimit, &entry.highLimit,
                              &dictionary.CommentLines()[0].text, &fileInfo.ModifiedBy, &deviceInfo.OrderCode,
                              &added.callbackName}) {
        *text = "\xC3\xA4";
        const TextEncoding expected =
            text == &added.callbackName ? TextEncoding::Windows1252 : TextEncoding::Utf8;
        EXPECT_EQ(ContentTextEncoding(dictionary, fileInfo, deviceInfo), expected) << *text;
        text->clear();
    }
}

// A large dictionary is scanned in two halves at once: what either half finds counts.
TEST(ContentEncoding, WhatEitherHalfFindsCounts) {
    const ScopedParallelMode halves(ParallelWork::Mode::Always);
    ObjectDictionary dictionary;
    const FileInfoSection fileInfo;
    const DeviceInfoSection deviceInfo;
    for (const std::uint16_t number : {0x2000, 0x2001}) {
        auto index = std::make_unique<IndexEntry>();
        index->index = number;
        index->subindices.push_back(std::make_unique<SubindexEntry>());
        dictionary.InsertIndex(std::move(index));
    }
    std::string& first = dictionary.GetIndexAt(0)->Header()->name;
    std::string& second = dictionary.GetIndexAt(1)->Header()->name;
    second = "\xC3\xA4";
    EXPECT_EQ(ContentTextEncoding(dictionary, fileInfo, deviceInfo), TextEncoding::Utf8);
    first = "\xFF";
    EXPECT_EQ(ContentTextEncoding(dictionary, fileInfo, deviceInfo), TextEncoding::Windows1252);
    std::swap(first, second);
    EXPECT_EQ(ContentTextEncoding(dictionary, fileInfo, deviceInfo), TextEncoding::Windows1252);
}
