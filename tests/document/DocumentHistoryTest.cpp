#include <gtest/gtest.h>

#include <functional>

#include "DialogValues.h"
#include "RecordingView.h"
#include "ScriptedIndexDialog.h"
#include "ScriptedPlatform.h"
#include "document/CQuillmarkDoc.h"
#include "document/ProjectFileWriter.h"

namespace {

const std::string ExampleEds = std::string(QM_EXAMPLES_DIR) + "/io_device.eds";
const std::string LargeEds = std::string(QM_CORPUS_DIR) + "/kacanopen-ITVRoC__simco.eds";

StepTarget IndexAt(std::uint16_t index) {
    return {StepTarget::Kind::Index, index, 0};
}

StepTarget EntryAt(std::uint16_t index, std::uint16_t subindex) {
    return {StepTarget::Kind::Subindex, index, subindex};
}

StepTarget Section(StepTarget::Kind kind) {
    return {kind, 0, 0};
}

// What the project writer makes of the content (version 1.02 holds the large devices too).
std::string SavedBytes(CQuillmarkDoc& doc) {
    return ProjectFileWriter().Write(doc.GetDictionary(), doc.GetDeviceInfo(), doc.GetFileInfo());
}

// A saved and reopened project with 0x2000 VAR and 0x2100 RECORD with subindices 0x00..0x02, so
// every test starts with an empty history at the saved position.
class DocumentHistory : public ::testing::Test {
public:
    DocumentHistory() {
        doc.OnNewDocument();
        AddSampleIndices(doc, dialogs);
        doc.GetComments() = {{"first", 1}};
        EXPECT_EQ(doc.SaveProjectFile(project), ProjectFileResult::Done);
        Reopen();
    }

    void Reopen() {
        ASSERT_EQ(doc.OpenProjectFile(project), ProjectFileResult::Done);
        ASSERT_FALSE(doc.CanUndo());
    }

    ScriptedPlatform platform;
    ScriptedDialogFactory dialogs;
    CQuillmarkDoc doc{platform, &dialogs};
    TempDir dir;
    const std::string project = dir.File("history.prj");
    std::string label;
};

struct ChangeCase {
    const char* label;
    std::function<void(DocumentHistory&)> change;
    StepTarget undone;
    StepTarget redone;
};

}  // namespace

TEST_F(DocumentHistory, EveryKindOfChangeUndoesAndRedoesToTheSameBytes) {
    using Kind = StepTarget::Kind;
    IndexDialogValues toVar = VarIndex(0x2101, "Moved");
    toVar.deleteConfirmed = true;
    const ChangeCase cases[] = {
        {"Add index 0x3000",
         [](DocumentHistory& t) {
             t.dialogs.QueueOk(VarIndex(0x3000, "New"));
             EXPECT_EQ(t.doc.AddIndex(t.label), DocResult::Done);
         },
         IndexAt(0x3000), IndexAt(0x3000)},
        {"Edit index 0x2100",
         [&toVar](DocumentHistory& t) {
             t.dialogs.QueueOk(toVar);
             EXPECT_EQ(t.doc.EditIndex(0x2100), DocResult::Done);
         },
         IndexAt(0x2100), IndexAt(0x2101)},
        {"Delete index 0x2100", [](DocumentHistory& t) { EXPECT_EQ(t.doc.DeleteIndex(0x2100), 1); },
         IndexAt(0x2100), IndexAt(0x2100)},
        {"Add subindex 0x2100, 0x05",
         [](DocumentHistory& t) {
             t.dialogs.QueueOk(Subindex(0x05, "Five"));
             EXPECT_EQ(t.doc.AddSubindex(0x2100, t.label), DocResult::Done);
         },
         EntryAt(0x2100, 5), EntryAt(0x2100, 5)},
        {"Edit subindex 0x2100, 0x01",
         [](DocumentHistory& t) {
             t.dialogs.QueueOk(Subindex(0x07, "Seven"));
             EXPECT_EQ(t.doc.EditSubindex(0x2100, 0x01), DocResult::Done);
         },
         EntryAt(0x2100, 1), EntryAt(0x2100, 7)},
        {"Delete subindex 0x2100, 0x02",
         [](DocumentHistory& t) { EXPECT_EQ(t.doc.DeleteSubindex(0x2100, 2), 1); }, EntryAt(0x2100, 2),
         EntryAt(0x2100, 2)},
        {"Paste index 0x2101",
         [](DocumentHistory& t) {
             EXPECT_EQ(t.doc.CopyIndex(0x2100), DocResult::Done);
             t.dialogs.QueueOk(RecordIndex(0x2101, "Pasted"));
             EXPECT_EQ(t.doc.PasteIndex(), DocResult::Done);
         },
         IndexAt(0x2101), IndexAt(0x2101)},
        {"Paste subindex 0x2100, 0x03",
         [](DocumentHistory& t) {
             EXPECT_EQ(t.doc.CopySubindex(0x2100, 0x02), DocResult::Done);
             t.dialogs.QueueOk(Subindex(0x03, "Pasted"));
             EXPECT_EQ(t.doc.PasteSubindex(0x2100), DocResult::Done);
         },
         EntryAt(0x2100, 3), EntryAt(0x2100, 3)},
        {"Edit FileInfo",
         [](DocumentHistory& t) {
             t.dialogs.fileInfo.QueueOk([](FileInfoSection& s) { s.Description = "changed"; });
             EXPECT_EQ(t.doc.EditFileInfo(), 1);
         },
         Section(Kind::FileInfo), Section(Kind::FileInfo)},
        {"Edit DeviceInfo",
         [](DocumentHistory& t) {
             t.dialogs.deviceInfo.QueueOk([](DeviceInfoSection& s) { s.VendorNumber = 7; });
             EXPECT_EQ(t.doc.EditDeviceInfo(), 1);
         },
         Section(Kind::DeviceInfo), Section(Kind::DeviceInfo)},
        {"Edit DummyUsage",
         [](DocumentHistory& t) {
             t.dialogs.dummyUsage.QueueOk([](DummyUsageSection& s) { s.dummyCount = 7; });
             EXPECT_EQ(t.doc.EditDummyUsage(), 1);
         },
         Section(Kind::DummyUsage), Section(Kind::DummyUsage)},
        {"Edit Comments",
         [](DocumentHistory& t) {
             t.dialogs.comments.QueueOk([](std::vector<CommentLine>& lines) { lines.clear(); });
             EXPECT_EQ(t.doc.EditComments(), 1);
         },
         Section(Kind::Comments), Section(Kind::Comments)},
        {"Import EDS-File",
         [](DocumentHistory& t) { EXPECT_EQ(t.doc.ImportEds(ExampleEds), EdsImportResult::Success); },
         {},
         {}},
    };
    for (const ChangeCase& change : cases) {
        SCOPED_TRACE(change.label);
        Reopen();
        const std::string before = SavedBytes(doc);
        change.change(*this);
        const std::string after = SavedBytes(doc);
        ASSERT_NE(before, after);
        EXPECT_EQ(doc.UndoLabel(), change.label);
        EXPECT_EQ(doc.RedoLabel(), "");

        for (int round = 0; round < 2; ++round) {
            ASSERT_TRUE(doc.Undo());
            EXPECT_EQ(SavedBytes(doc), before);
            EXPECT_EQ(doc.GetLastStepTarget(), change.undone);
            EXPECT_FALSE(doc.IsModified());
            EXPECT_FALSE(doc.CanUndo());
            EXPECT_EQ(doc.RedoLabel(), change.label);

            ASSERT_TRUE(doc.Redo());
            EXPECT_EQ(SavedBytes(doc), after);
            EXPECT_EQ(doc.GetLastStepTarget(), change.redone);
            EXPECT_TRUE(doc.IsModified());
            EXPECT_FALSE(doc.CanRedo());
        }
    }
}

TEST_F(DocumentHistory, CancelledAndRefusedChangesRecordNoStep) {
    dialogs.QueueCancel();
    EXPECT_EQ(doc.AddIndex(label), DocResult::Cancelled);
    platform.ExpectMessage("The index 0x2000 already exists!", "Add new index", MsgIcon::Error);
    dialogs.QueueOk(VarIndex(0x2000, "Twin"));
    EXPECT_EQ(doc.AddIndex(label), DocResult::IndexExists);
    dialogs.QueueCancel();
    EXPECT_EQ(doc.EditIndex(0x2100), DocResult::Cancelled);
    platform.ExpectMessage("The index 0x2100,subindex 0x02 already exists!", "Edit subindex", MsgIcon::Error);
    dialogs.QueueOk(Subindex(0x02, "Clash"));
    EXPECT_EQ(doc.EditSubindex(0x2100, 0x01), DocResult::EntryExists);
    EXPECT_EQ(doc.DeleteIndex(0x3000), 1);
    EXPECT_EQ(doc.DeleteSubindex(0x2100, 0x09), 0);
    EXPECT_EQ(doc.CopyIndex(0x2100), DocResult::Done);
    dialogs.QueueCancel();
    EXPECT_EQ(doc.PasteIndex(), DocResult::Cancelled);
    dialogs.comments.QueueCancel();
    EXPECT_EQ(doc.EditComments(), 1);
    platform.AllowUnexpectedMessages();
    EXPECT_NE(doc.ImportEds(dir.File("missing.eds")), EdsImportResult::Success);

    EXPECT_FALSE(doc.CanUndo());
    EXPECT_FALSE(doc.Undo());
    EXPECT_FALSE(doc.Redo());
    EXPECT_FALSE(doc.IsModified());
}

TEST_F(DocumentHistory, ModifiedFlagFollowsTheSavedPosition) {
    EXPECT_EQ(doc.DeleteSubindex(0x2100, 0), 1);
    EXPECT_EQ(doc.DeleteSubindex(0x2100, 1), 1);
    ASSERT_TRUE(doc.Undo());
    EXPECT_TRUE(doc.IsModified());
    ASSERT_TRUE(doc.Undo());
    EXPECT_FALSE(doc.IsModified());
    ASSERT_TRUE(doc.Redo());
    EXPECT_TRUE(doc.IsModified());

    // Saving makes the middle position the saved one.
    ASSERT_EQ(doc.SaveProject(0), ProjectFileResult::Done);
    EXPECT_FALSE(doc.IsModified());
    ASSERT_TRUE(doc.Redo());
    EXPECT_TRUE(doc.IsModified());
    ASSERT_TRUE(doc.Undo());
    EXPECT_FALSE(doc.IsModified());
    ASSERT_TRUE(doc.Undo());
    EXPECT_TRUE(doc.IsModified());

    // A new change drops the steps to redo; undoing it comes back to a position that was never saved.
    EXPECT_EQ(doc.DeleteIndex(0x2000), 1);
    EXPECT_FALSE(doc.CanRedo());
    ASSERT_TRUE(doc.Undo());
    EXPECT_TRUE(doc.IsModified());

    doc.OnNewDocument();
    EXPECT_FALSE(doc.CanUndo() || doc.CanRedo());
}

TEST_F(DocumentHistory, UndoingAnImportGivesBackTheProjectAndItsName) {
    RecordingView view;
    doc.AddView(&view);
    ASSERT_EQ(doc.ImportEds(ExampleEds), EdsImportResult::Success);
    view.Clear();
    ASSERT_TRUE(doc.Undo());
    EXPECT_TRUE(doc.LastStepReplacedProject());
    EXPECT_EQ(doc.GetPathName(), project);
    EXPECT_EQ(doc.GetTitle(), project);
    EXPECT_TRUE(doc.IsNamed());
    EXPECT_FALSE(doc.IsModified());
    EXPECT_EQ(doc.GetImportedPath(), "");
    EXPECT_EQ(view.Hints(), std::vector<std::uint32_t>{Hint::Reset});
    EXPECT_EQ(view.stateChanges, 1);

    ASSERT_TRUE(doc.Redo());
    EXPECT_EQ(doc.GetTitle(), "unnamed.prj");
    EXPECT_EQ(doc.GetPathName(), "");
    EXPECT_FALSE(doc.IsNamed());
    EXPECT_TRUE(doc.IsModified());
    EXPECT_EQ(doc.GetImportedPath(), ExampleEds);

    // Other steps leave the name alone, even when a save has renamed the project since.
    EXPECT_EQ(doc.DeleteIndex(0x1000), 1);
    const std::string other = dir.File("other.prj");
    ASSERT_EQ(doc.SaveProjectFile(other), ProjectFileResult::Done);
    ASSERT_TRUE(doc.Undo());
    EXPECT_FALSE(doc.LastStepReplacedProject());
    EXPECT_EQ(doc.GetPathName(), other);
    doc.RemoveView(&view);
}

TEST_F(DocumentHistory, CopyBufferFollowsTheNumbersIntoTheRestoredContent) {
    EXPECT_EQ(doc.CopySubindex(0x2100, 0x01), DocResult::Done);
    EXPECT_EQ(doc.DeleteSubindex(0x2100, 0x02), 1);
    ASSERT_TRUE(doc.Undo());
    ASSERT_TRUE(doc.HasCopiedSubindex());
    dialogs.QueueOk(Subindex(0x08, "Again"));
    EXPECT_EQ(doc.PasteSubindex(0x2100), DocResult::Done);
    EXPECT_EQ(dialogs.Runs().back().filledEntry.name, "Item");

    // The buffer takes the restored object, not the one it referred to before.
    EXPECT_EQ(doc.CopyIndex(0x2000), DocResult::Done);
    dialogs.QueueOk(VarIndex(0x3000, "Other"));
    EXPECT_EQ(doc.AddIndex(label), DocResult::Done);
    ASSERT_TRUE(doc.Undo());
    EXPECT_TRUE(doc.HasCopiedIndex());
    EXPECT_EQ(doc.GetLastPastedSubindex(), nullptr);
    dialogs.QueueOk(VarIndex(0x2001, "Copy"));
    EXPECT_EQ(doc.PasteIndex(), DocResult::Done);
    EXPECT_EQ(doc.FindIndex(0x2001)->Header()->defaultValue, "0x10");

    // A copied object that the restored content lacks empties the buffer.
    EXPECT_EQ(doc.CopyIndex(0x2001), DocResult::Done);
    ASSERT_TRUE(doc.Undo());
    EXPECT_FALSE(doc.HasCopiedIndex());
    EXPECT_EQ(doc.GetLastPastedIndex(), nullptr);
    EXPECT_EQ(doc.PasteIndex(), DocResult::Cancelled);
}

// Snapshots of a 338-index device: exact, at most 100 steps, and a step that changes one index costs far
// less than a copy.
TEST(UndoHistoryMemory, LargeDeviceStaysExactAndSharesUnchangedIndices) {
    ScriptedPlatform platform;
    ScriptedDialogFactory dialogs;
    CQuillmarkDoc doc{platform, &dialogs};
    platform.AllowUnexpectedMessages();
    ASSERT_EQ(doc.ImportEds(LargeEds), EdsImportResult::Success);
    platform.AllowUnexpectedMessages(false);
    ASSERT_EQ(doc.GetIndexCount(), 338);
    const std::string imported = SavedBytes(doc);
    // Undo and redo leave one copy of the imported content in the history.
    ASSERT_TRUE(doc.Undo() && doc.Redo());
    const std::size_t oneCopy = doc.GetHistory().MemoryUsed();

    EXPECT_EQ(doc.DeleteIndex(doc.GetIndexAt(100)->index), 1);
    for (int step = 0; step < 99; ++step) {
        dialogs.QueueOk(Subindex(0x01, "Vendor " + std::to_string(step)));
        EXPECT_EQ(doc.EditSubindex(0x1018, 0x01), DocResult::Done);
    }
    // 101 steps: the oldest, the import, made room for the newest.
    ASSERT_EQ(doc.GetHistory().UndoCount(), UndoHistory::MaxSteps);
    const std::string edited = SavedBytes(doc);
    // A hundred copies would take a hundred times as much.
    EXPECT_LT(doc.GetHistory().MemoryUsed(), oneCopy * 5) << "one copy: " << oneCopy;

    while (doc.Undo()) {
    }
    EXPECT_EQ(SavedBytes(doc), imported);
    EXPECT_EQ(doc.GetHistory().RedoCount(), UndoHistory::MaxSteps);
    while (doc.Redo()) {
    }
    EXPECT_EQ(SavedBytes(doc), edited);
}

TEST(UndoHistoryMemory, DropsTheOldestStepsBeyondTheByteLimitAndGivesEverythingBack) {
    ObjectDictionary dictionary;
    for (std::uint16_t n = 0; n < 20; ++n) {
        auto index = std::make_unique<IndexEntry>();
        index->index = static_cast<std::uint16_t>(0x2000 + n);
        dictionary.InsertIndex(std::move(index));
    }
    const DeviceInfoSection deviceInfo;
    FileInfoSection fileInfo;
    const ProjectName name;
    const LiveContent live{dictionary, deviceInfo, fileInfo, name};

    UndoHistory unbounded;
    unbounded.Record({"first", {}, {}, false}, live);
    const std::size_t oneStep = unbounded.MemoryUsed();
    ASSERT_GT(oneStep, 0u);

    UndoHistory history(UndoHistory::MaxSteps, oneStep * 3);
    for (int step = 0; step < 10; ++step) {
        // A long text makes every step hold a copy of its own.
        fileInfo.Description.assign(oneStep / 2, static_cast<char>('a' + step));
        history.Record({"step " + std::to_string(step), {}, {}, false}, live);
        EXPECT_LE(history.MemoryUsed(), oneStep * 3);
    }
    EXPECT_GE(history.UndoCount(), 1u);
    EXPECT_LT(history.UndoCount(), 10u);
    EXPECT_EQ(history.NextUndo()->label, "step 9");

    history.Clear();
    unbounded.Clear();
    EXPECT_EQ(history.MemoryUsed(), 0u);
    EXPECT_EQ(unbounded.MemoryUsed(), 0u);
}
