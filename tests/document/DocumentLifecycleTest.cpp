#include <gtest/gtest.h>

#include "RecordingView.h"
#include "ScriptedPlatform.h"
#include "document/CQuillmarkDoc.h"
#include "model/NameTables.h"

namespace {

class DocumentLifecycle : public ::testing::Test {
protected:
    DocumentLifecycle() {
        doc.AddView(&view);
        doc.OnNewDocument();
        view.Clear();
    }

    // Puts one VAR index into the document and marks it modified, as an edit would.
    void AddVar(std::uint16_t number, const std::string& name = "Var") {
        auto index = std::make_unique<IndexEntry>();
        index->index = number;
        index->headerSubindex = HeaderSingle;
        index->entryCount = 1;
        auto entry = std::make_unique<SubindexEntry>();
        entry->index = number;
        entry->subindex = HeaderSingle;
        entry->objectType = ObjectCode::Var;
        entry->name = name;
        doc.GetDictionary().InsertIndex(std::move(index));
        doc.GetDictionary().InsertEntry(std::move(entry));
        doc.SetModifiedFlag(true);
    }

    std::string SavedProject(const std::string& name) {
        const std::string path = dir.File(name);
        platform.QueueChosenFile(path);
        EXPECT_EQ(doc.SaveProject(1), ProjectFileResult::Done);
        return path;
    }

    ScriptedPlatform platform;
    CQuillmarkDoc doc{platform};
    RecordingView view;
    TempDir dir;
};

}  // namespace

TEST_F(DocumentLifecycle, NewDocumentResetsAndTellsTheViews) {
    AddVar(0x2000);
    EXPECT_TRUE(doc.OnNewDocument());
    EXPECT_EQ(doc.GetIndexCount(), 0);
    EXPECT_EQ(doc.GetTitle(), "unnamed.prj");
    EXPECT_FALSE(doc.IsModified());
    EXPECT_FALSE(doc.IsNamed());
    ASSERT_EQ(view.Hints(), std::vector<std::uint32_t>{Hint::Reset});
    EXPECT_EQ(view.updates[0].object.index, nullptr);
    EXPECT_GE(view.stateChanges, 1);
}

TEST_F(DocumentLifecycle, SaveAsAndOpenRoundTrip) {
    AddVar(0x2000, "Speed");
    const std::string path = SavedProject("a.prj");
    const FileChooserRequest& save = platform.ChooserRequests().back();
    EXPECT_FALSE(save.open);
    EXPECT_EQ(save.filter, "Project Files (*.prj)| *.prj||");
    EXPECT_EQ(save.defaultExtension, "prj");
    EXPECT_EQ(save.initialFileName, "*.prj");
    EXPECT_TRUE(save.options & OverwritePrompt);
    EXPECT_EQ(doc.GetTitle(), path);
    EXPECT_EQ(doc.GetPathName(), path);
    EXPECT_TRUE(doc.IsNamed());
    EXPECT_FALSE(doc.IsModified());
    EXPECT_FALSE(platform.Files().Exists(path + ".tmp"));

    doc.OnNewDocument();
    view.Clear();
    platform.QueueChosenFile(path);
    EXPECT_EQ(doc.OpenProject(), ProjectFileResult::Done);
    const FileChooserRequest& open = platform.ChooserRequests().back();
    EXPECT_TRUE(open.open);
    EXPECT_TRUE(open.options & FileMustExist);
    ASSERT_EQ(doc.GetIndexCount(), 1);
    EXPECT_EQ(doc.FindIndex(0x2000)->Header()->name, "Speed");
    EXPECT_EQ(doc.GetTitle(), path);
    EXPECT_TRUE(doc.IsNamed());
    EXPECT_FALSE(doc.IsModified());
    EXPECT_EQ(view.Hints(), std::vector<std::uint32_t>{Hint::Reset});
}

TEST_F(DocumentLifecycle, CancelledOpenChangesNothing) {
    AddVar(0x2000);
    platform.QueueChosenFile(std::nullopt);
    EXPECT_EQ(doc.OpenProject(), ProjectFileResult::NotDone);
    EXPECT_EQ(doc.GetIndexCount(), 1);
    EXPECT_TRUE(doc.IsModified());
    EXPECT_TRUE(view.updates.empty());
}

TEST_F(DocumentLifecycle, FailedOpenKeepsThePreviousProject) {
    AddVar(0x2000);
    const std::string named = SavedProject("keep.prj");
    AddVar(0x2001);
    const std::string bad = dir.File("bad.prj");
    const std::string good = ReadFileBytes(named);
    WriteFileBytes(bad, good.substr(0, good.size() / 2));
    view.Clear();

    platform.ExpectMessage("The project " + bad + " ends unexpectedly; it is truncated or damaged.",
                           "Quillmark", MsgIcon::Exclamation);
    platform.QueueChosenFile(bad);
    EXPECT_EQ(doc.OpenProject(), ProjectFileResult::NotDone);
    EXPECT_EQ(doc.GetIndexCount(), 2);
    EXPECT_EQ(doc.GetTitle(), named);
    EXPECT_EQ(doc.GetProjectPath(), named);
    EXPECT_TRUE(doc.IsModified());
    EXPECT_TRUE(doc.IsNamed());
    EXPECT_TRUE(view.updates.empty());

    WriteFileBytes(bad, std::string("\x13Quillmark_File_0.99", 20));
    platform.ExpectMessage(
        "The file " + bad + " is not a project file of this program or has an unknown version.", "Quillmark",
        MsgIcon::Exclamation);
    EXPECT_EQ(doc.OpenProjectFile(bad), ProjectFileResult::NotDone);

    // A text file too short to hold a magic is no project either, not a damaged one.
    WriteFileBytes(bad, "x\r\n");
    platform.ExpectMessage(
        "The file " + bad + " is not a project file of this program or has an unknown version.", "Quillmark",
        MsgIcon::Exclamation);
    EXPECT_EQ(doc.OpenProjectFile(bad), ProjectFileResult::NotDone);

    EXPECT_EQ(doc.OpenProjectFile(dir.File("missing.prj")), ProjectFileResult::NotDone);
    ASSERT_EQ(platform.FileErrors().size(), 1u);
    EXPECT_EQ(platform.FileErrors()[0].operation, FileOperation::Read);
    EXPECT_EQ(doc.GetIndexCount(), 2);
}

TEST_F(DocumentLifecycle, NamedSaveWritesWithoutAChooser) {
    AddVar(0x2000);
    const std::string path = SavedProject("n.prj");
    AddVar(0x2001);
    EXPECT_EQ(doc.SaveProject(0), ProjectFileResult::Done);
    EXPECT_FALSE(doc.IsModified());
    CQuillmarkDoc other(platform);
    EXPECT_EQ(other.OpenProjectFile(path), ProjectFileResult::Done);
    EXPECT_EQ(other.GetIndexCount(), 2);
}

TEST_F(DocumentLifecycle, CancelledSaveAsReportsSuccessAndStaysModified) {
    AddVar(0x2000);
    platform.QueueChosenFile(std::nullopt);
    EXPECT_EQ(doc.SaveProject(1), ProjectFileResult::Done);
    platform.QueueChosenFile(std::nullopt);
    EXPECT_EQ(doc.TrySaveProject(1), SaveOutcome::Cancelled);
    EXPECT_TRUE(doc.IsModified());
    EXPECT_FALSE(doc.IsNamed());
}

TEST_F(DocumentLifecycle, FailedSaveLeavesTheOldFileIntact) {
    AddVar(0x2000);
    const std::string path = SavedProject("s.prj");
    const std::string before = ReadFileBytes(path);
    AddVar(0x2001);

    FaultyFileSystem faulty;
    platform.SetFiles(&faulty);
    faulty.FailWritesAfter(10);
    EXPECT_EQ(doc.SaveProject(0), ProjectFileResult::NotDone);
    EXPECT_TRUE(doc.IsModified());
    EXPECT_EQ(ReadFileBytes(path), before);
    EXPECT_FALSE(platform.Files().Exists(path + ".tmp"));
    ASSERT_EQ(platform.FileErrors().size(), 1u);
    EXPECT_EQ(platform.FileErrors()[0].path, path);

    faulty.FailWritesAfter(1u << 20);
    faulty.FailRename();
    EXPECT_EQ(doc.SaveProject(0), ProjectFileResult::NotDone);
    EXPECT_EQ(ReadFileBytes(path), before);
    EXPECT_FALSE(platform.Files().Exists(path + ".tmp"));

    faulty.FailRename(false);
    faulty.FailCreateOf("s.prj");
    EXPECT_EQ(doc.SaveProject(0), ProjectFileResult::NotDone);
    EXPECT_EQ(ReadFileBytes(path), before);
    EXPECT_EQ(platform.FileErrors().size(), 3u);
}

TEST_F(DocumentLifecycle, SaveBeyondTheFormatIsRefused) {
    AddVar(0x2000);
    const std::string path = SavedProject("big.prj");
    const std::string before = ReadFileBytes(path);
    doc.GetDeviceInfo().DummyUsage.dummyCount = 8;
    doc.SetModifiedFlag(false);
    platform.ExpectMessage("The project cannot be saved: the DummyUsage table has more than 7 entries.",
                           "Quillmark", MsgIcon::Error);
    EXPECT_EQ(doc.SaveProject(0), ProjectFileResult::NotDone);
    EXPECT_TRUE(doc.IsModified());
    EXPECT_EQ(ReadFileBytes(path), before);
}

TEST_F(DocumentLifecycle, SaveModifiedPromptForAnUnnamedProject) {
    EXPECT_EQ(doc.SaveModifiedPrompt(), 1);  // not modified: no question

    AddVar(0x2000);
    platform.ExpectMessage("Save current project?", "Quillmark", MsgIcon::Question, MsgResult::Cancel);
    EXPECT_EQ(doc.SaveModifiedPrompt(), 0);
    platform.ExpectMessage("Save current project?", "Quillmark", MsgIcon::Question, MsgResult::No);
    EXPECT_EQ(doc.SaveModifiedPrompt(), 1);
    EXPECT_TRUE(doc.IsModified());

    // Yes with a cancelled chooser leaves the work unsaved, so nothing may go on.
    platform.ExpectMessage("Save current project?", "Quillmark", MsgIcon::Question, MsgResult::Yes);
    platform.QueueChosenFile(std::nullopt);
    EXPECT_EQ(doc.SaveModifiedPrompt(), 0);
    EXPECT_TRUE(doc.IsModified());

    const std::string path = dir.File("p.prj");
    platform.ExpectMessage("Save current project?", "Quillmark", MsgIcon::Question, MsgResult::Yes);
    platform.QueueChosenFile(path);
    EXPECT_EQ(doc.SaveModifiedPrompt(), 1);
    EXPECT_FALSE(doc.IsModified());
    EXPECT_TRUE(platform.Files().Exists(path));
    EXPECT_EQ(platform.Messages().back().buttons, MsgButtons::YesNoCancel);
    EXPECT_FALSE(platform.Messages().back().withOwner);
}

TEST_F(DocumentLifecycle, SaveModifiedPromptForANamedProject) {
    AddVar(0x2000);
    const std::string path = SavedProject("named.prj");
    AddVar(0x2001);
    const std::string question = "Save changes in project " + path + " ?";

    platform.ExpectMessage(question, "Quillmark", MsgIcon::Question, MsgResult::Cancel);
    EXPECT_FALSE(doc.CanCloseFrame());
    platform.ExpectMessage(question, "Quillmark", MsgIcon::Question, MsgResult::No);
    EXPECT_TRUE(doc.CanCloseFrame());

    FaultyFileSystem faulty;
    faulty.FailCreateOf("named.prj");
    platform.SetFiles(&faulty);
    platform.ExpectMessage(question, "Quillmark", MsgIcon::Question, MsgResult::Yes);
    platform.ExpectMessage("An error ocurred while saving the project " + path + "!", "Quillmark",
                           MsgIcon::Error);
    EXPECT_EQ(doc.SaveModifiedPrompt(), 0);
    EXPECT_TRUE(doc.IsModified());

    platform.SetFiles(nullptr);
    platform.ExpectMessage(question, "Quillmark", MsgIcon::Question, MsgResult::Yes);
    EXPECT_EQ(doc.SaveModifiedPrompt(), 1);
    EXPECT_FALSE(doc.IsModified());
}

TEST_F(DocumentLifecycle, ShowRequestsSendTheirHints) {
    AddVar(0x2000);
    auto record = std::make_unique<IndexEntry>();
    record->index = 0x2100;
    record->headerSubindex = HeaderStructured;
    doc.GetDictionary().InsertIndex(std::move(record));
    for (std::uint16_t sub : {HeaderStructured, std::uint16_t{0x00}, std::uint16_t{0x01}}) {
        auto entry = std::make_unique<SubindexEntry>();
        entry->index = 0x2100;
        entry->subindex = sub;
        doc.GetDictionary().InsertEntry(std::move(entry));
    }
    IndexEntry* var = doc.FindIndex(0x2000);
    IndexEntry* rec = doc.FindIndex(0x2100);
    view.Clear();

    doc.ShowIndex(0);
    doc.ShowIndex(0x2000);
    doc.ShowIndex(0x3000);  // unknown: nothing
    doc.ShowEntry(0x2000, FirstEntry);
    doc.ShowEntry(0x2100, FirstEntry);
    doc.ShowEntry(0x2100, 0x01);
    doc.ShowEntry(0x2100, HeaderStructured);
    doc.ShowEntry(0x2000, HeaderSingle);
    doc.ShowEntry(0x2100, 0x05);  // no such entry: nothing
    doc.ShowEntry(0x3000, 0x01);  // no such index: nothing
    doc.ShowDeviceInfo();
    doc.ShowFileInfo();
    doc.ShowDummyUsage();
    doc.ShowComments();
    doc.EntryEdited(var->Header());
    doc.EntryEdited(rec->subindices[1].get());

    const std::vector<std::uint32_t> expected = {
        Hint::ShowIndexZero,        Hint::ShowIndex,      Hint::ShowSingleEntry,
        Hint::ShowStructuredHeader, Hint::ShowSubindex,   Hint::ShowStructuredHeader,
        Hint::ShowSingleEntry,      Hint::ShowDeviceInfo, Hint::ShowFileInfo,
        Hint::ShowDummyUsage,       Hint::ShowComments,   Hint::HeaderEdited,
        Hint::SubindexEdited};
    ASSERT_EQ(view.Hints(), expected);
    EXPECT_EQ(view.updates[0].object.index, nullptr);
    EXPECT_EQ(view.updates[1].object.index, var);
    EXPECT_EQ(view.updates[2].object.entry, var->Header());
    EXPECT_EQ(view.updates[3].object.entry, rec->Header());
    EXPECT_EQ(view.updates[4].object.entry, rec->subindices[2].get());
    EXPECT_EQ(view.updates[7].object.deviceInfo, &doc.GetDeviceInfo());
    EXPECT_EQ(view.updates[8].object.fileInfo, &doc.GetFileInfo());
    EXPECT_EQ(view.updates[9].object.deviceInfo, &doc.GetDeviceInfo());
    EXPECT_EQ(view.updates[10].object.comments, &doc.GetComments());
    EXPECT_EQ(view.updates[12].object.entry, rec->subindices[1].get());
}

TEST_F(DocumentLifecycle, EveryRegisteredViewGetsEveryHint) {
    RecordingView second;
    doc.AddView(&second);
    doc.ShowFileInfo();
    doc.RemoveView(&view);
    doc.ShowComments();
    EXPECT_EQ(view.Hints(), std::vector<std::uint32_t>{Hint::ShowFileInfo});
    EXPECT_EQ(second.Hints(), (std::vector<std::uint32_t>{Hint::ShowFileInfo, Hint::ShowComments}));
}

TEST_F(DocumentLifecycle, QueriesAnswerFromTheDictionary) {
    AddVar(0x2000, "Speed");
    EXPECT_EQ(doc.GetTreeLabel(0, 0), "2000 Speed");
    EXPECT_EQ(doc.MayHoldSubindices(0x2000), 0);
    EXPECT_EQ(doc.MayHoldSubindices(0x2001), 1);
    EXPECT_EQ(doc.IndexExists(0x2000), 1);
    EXPECT_EQ(doc.EntryExists(0x2000, HeaderSingle), 1);
    std::uint16_t index = 0;
    std::uint16_t subindex = 0;
    doc.GetLastDuplicate(index, subindex);
    EXPECT_EQ(index, 0x2000);
    EXPECT_EQ(subindex, HeaderSingle);
    EXPECT_EQ(doc.HasDefaultCallback(0x1400), 1);
    EXPECT_EQ(doc.DefaultCallbackName(0x1401), "PdoCbConfigCommu");
    EXPECT_EQ(doc.DefaultCallbackName(0x2000), "NULL");
    EXPECT_EQ(doc.GetTreeLabel(5, 0), "");
}
