#include <gtest/gtest.h>

#include "DialogValues.h"
#include "RecordingView.h"
#include "ScriptedIndexDialog.h"
#include "ScriptedPlatform.h"
#include "document/CQuillmarkDoc.h"
#include "model/NameTables.h"

namespace {

class DocumentEditing : public ::testing::Test {
protected:
    DocumentEditing() {
        doc.AddView(&view);
        doc.OnNewDocument();
        AddSampleIndices(doc, dialogs);
        doc.SetModifiedFlag(false);
        view.Clear();
        runsBefore = dialogs.Runs().size();
    }

    std::size_t NewRuns() const { return dialogs.Runs().size() - runsBefore; }

    ScriptedPlatform platform;
    ScriptedDialogFactory dialogs;
    CQuillmarkDoc doc{platform, &dialogs};
    RecordingView view;
    std::string label;
    std::size_t runsBefore = 0;
};

std::vector<std::uint16_t> Subindices(const IndexEntry& index) {
    std::vector<std::uint16_t> numbers;
    for (const auto& entry : index.subindices) {
        numbers.push_back(entry->subindex);
    }
    return numbers;
}

}  // namespace

TEST_F(DocumentEditing, AddIndexMakesTheHeaderFromTheObjectType) {
    const IndexEntry& var = *doc.FindIndex(0x2000);
    EXPECT_EQ(var.entryCount, 1);
    EXPECT_EQ(var.headerSubindex, HeaderSingle);
    EXPECT_EQ(var.storage, "RAM");
    EXPECT_EQ(var.category, "manufacturer");
    ASSERT_EQ(var.subindices.size(), 1u);
    const SubindexEntry& single = *var.Header();
    EXPECT_EQ(single.subindex, HeaderSingle);
    EXPECT_EQ(single.index, 0x2000);
    EXPECT_EQ(single.dataType, DataTypeCode::Uint32);
    EXPECT_EQ(single.defaultValue, "0x10");
    EXPECT_EQ(single.nonVolatile, 1u);

    const IndexEntry& record = *doc.FindIndex(0x2100);
    EXPECT_EQ(record.headerSubindex, HeaderStructured);
    EXPECT_EQ(record.Header()->subindex, HeaderStructured);
    EXPECT_EQ(record.Header()->dataType, 0);
    EXPECT_EQ(record.entryCount, 4);

    const DialogRun& run = dialogs.Runs()[0];
    EXPECT_EQ(run.mode, IndexDialogMode::Add);
    EXPECT_EQ(run.level, IndexDialogLevel::Index);
    EXPECT_TRUE(run.hasDocument);

    dialogs.QueueOk(VarIndex(0x1FFF, "Before"));
    EXPECT_EQ(doc.AddIndex(label), DocResult::Done);
    EXPECT_EQ(label, "1FFF Before");
    std::uint16_t added[2] = {};
    doc.GetLastAdded(added[0], added[1]);
    EXPECT_EQ(added[0], 0x1FFF);
    EXPECT_EQ(added[1], HeaderSingle);
    EXPECT_EQ(doc.GetIndexAt(0)->index, 0x1FFF);
    EXPECT_TRUE(doc.IsModified());
}

TEST_F(DocumentEditing, AddIndexConflictAndCancelChangeNothing) {
    platform.ExpectMessage("The index 0x2000 already exists!", "Add new index", MsgIcon::Error);
    dialogs.QueueOk(VarIndex(0x2000, "Again"));
    EXPECT_EQ(doc.AddIndex(label), DocResult::IndexExists);
    dialogs.QueueCancel();
    EXPECT_EQ(doc.AddIndex(label), DocResult::Cancelled);
    dialogs.FailNextCreation();
    EXPECT_EQ(doc.AddIndex(label), DocResult::Cancelled);
    EXPECT_EQ(doc.GetIndexCount(), 2);
    EXPECT_EQ(doc.FindIndex(0x2000)->Header()->name, "Speed");
    EXPECT_FALSE(doc.IsModified());
    EXPECT_EQ(platform.Messages().back().buttons, MsgButtons::Ok);
}

TEST_F(DocumentEditing, EditIndexMovesAndRenumbersTheIndex) {
    IndexEntry* old = doc.FindIndex(0x2100);
    IndexDialogValues values = RecordIndex(0x2001, "Moved");
    values.callback = "AppCb";
    dialogs.QueueOk(values);
    EXPECT_EQ(doc.EditIndex(0x2100), DocResult::Done);

    const DialogRun& run = dialogs.Runs().back();
    EXPECT_EQ(run.mode, IndexDialogMode::Edit);
    EXPECT_EQ(run.level, IndexDialogLevel::Index);
    EXPECT_EQ(run.filledIndex->index, 0x2100);
    EXPECT_EQ(run.filledEntry.subindex, HeaderStructured);

    EXPECT_EQ(doc.FindIndex(0x2100), nullptr);
    IndexEntry* moved = doc.FindIndex(0x2001);
    ASSERT_NE(moved, nullptr);
    EXPECT_NE(moved, old);
    EXPECT_EQ(doc.GetIndexAt(1), moved);
    EXPECT_EQ(doc.GetLastEditedIndex(), moved);
    EXPECT_EQ(moved->callbackName, "AppCb");
    EXPECT_EQ(moved->kindMarker, KindStructured);
    EXPECT_EQ(moved->Header()->name, "Moved");
    EXPECT_EQ(Subindices(*moved), (std::vector<std::uint16_t>{HeaderStructured, 0, 1, 2}));
    for (const auto& entry : moved->subindices) {
        EXPECT_EQ(entry->index, 0x2001);
    }
    EXPECT_TRUE(doc.IsModified());
    EXPECT_TRUE(view.updates.empty());
}

TEST_F(DocumentEditing, EditIndexConflictAndCancelKeepTheOldIndex) {
    IndexEntry* old = doc.FindIndex(0x2100);
    platform.ExpectMessage("The index 0x2000 already exists!", "Edit index", MsgIcon::Error);
    dialogs.QueueOk(RecordIndex(0x2000, "Clash"));
    EXPECT_EQ(doc.EditIndex(0x2100), DocResult::IndexExists);
    EXPECT_EQ(doc.GetLastEditedIndex(), old);
    EXPECT_EQ(doc.FindIndex(0x2100), old);
    EXPECT_EQ(old->Header()->name, "Table");

    dialogs.QueueCancel();
    EXPECT_EQ(doc.EditIndex(0x2100), DocResult::Cancelled);
    EXPECT_EQ(doc.GetLastEditedIndex(), old);
    EXPECT_FALSE(doc.IsModified());
}

TEST_F(DocumentEditing, EditIndexToVarDropsTheSubindicesOnce) {
    const IndexEntry* old = doc.FindIndex(0x2100);
    IndexDialogValues values = VarIndex(0x2100, "Now single");
    values.deleteConfirmed = true;
    dialogs.QueueOk(values);
    EXPECT_EQ(doc.EditIndex(0x2100), DocResult::Done);

    const IndexEntry& edited = *doc.FindIndex(0x2100);
    EXPECT_EQ(Subindices(edited), std::vector<std::uint16_t>{HeaderSingle});
    EXPECT_EQ(edited.entryCount, 1);
    EXPECT_EQ(edited.headerSubindex, HeaderSingle);
    EXPECT_EQ(edited.kindMarker, KindSingle);
    EXPECT_EQ(edited.Header()->dataType, DataTypeCode::Uint32);
    ASSERT_EQ(view.Hints(), std::vector<std::uint32_t>{Hint::SubindicesDropped});
    EXPECT_EQ(view.updates[0].object.index, old);
}

TEST_F(DocumentEditing, DeleteIndexAlwaysReportsSuccess) {
    EXPECT_EQ(doc.DeleteIndex(0x3000), 1);
    EXPECT_FALSE(doc.IsModified());
    EXPECT_EQ(doc.DeleteIndex(0x2100), 1);
    EXPECT_EQ(doc.FindIndex(0x2100), nullptr);
    EXPECT_TRUE(doc.IsModified());
}

TEST_F(DocumentEditing, AddSubindexInsertsInOrder) {
    dialogs.QueueOk(Subindex(0x10, "Late"));
    EXPECT_EQ(doc.AddSubindex(0x2100, label), DocResult::Done);
    EXPECT_EQ(label, "2100, 10 Late");
    std::uint16_t added[2] = {};
    doc.GetLastAdded(added[0], added[1]);
    EXPECT_EQ(added[0], 0x2100);
    EXPECT_EQ(added[1], 0x10);
    const DialogRun& run = dialogs.Runs().back();
    EXPECT_EQ(run.mode, IndexDialogMode::Add);
    EXPECT_EQ(run.level, IndexDialogLevel::Subindex);
    EXPECT_EQ(run.filledIndex->index, 0x2100);
    EXPECT_EQ(run.filledIndex->category, "manufacturer");

    dialogs.QueueOk(Subindex(0x05, "Middle"));
    EXPECT_EQ(doc.AddSubindex(0x2100, label), DocResult::Done);
    const IndexEntry& record = *doc.FindIndex(0x2100);
    EXPECT_EQ(Subindices(record), (std::vector<std::uint16_t>{HeaderStructured, 0, 1, 2, 5, 0x10}));
    EXPECT_EQ(record.entryCount, 6);
    EXPECT_EQ(record.subindices[4]->nonVolatile, 1u);
}

TEST_F(DocumentEditing, AddSubindexConflictAndCancel) {
    platform.ExpectMessage("The index 0x2100, subindex 0x01 already exists!", "Add new subindex",
                           MsgIcon::Error);
    dialogs.QueueOk(Subindex(0x01, "Twin"));
    EXPECT_EQ(doc.AddSubindex(0x2100, label), DocResult::EntryExists);
    dialogs.QueueCancel();
    EXPECT_EQ(doc.AddSubindex(0x2100, label), DocResult::Cancelled);
    EXPECT_EQ(doc.FindIndex(0x2100)->entryCount, 4);
    EXPECT_FALSE(doc.IsModified());
}

TEST_F(DocumentEditing, EditSubindexReplacesTheEntry) {
    SubindexEntry* old = doc.FindEntry(0x2100, 0x01);
    dialogs.QueueOk(Subindex(0x07, "Renamed"));
    EXPECT_EQ(doc.EditSubindex(0x2100, 0x01), DocResult::Done);
    EXPECT_EQ(dialogs.Runs().back().filledEntry.subindex, 0x01);
    EXPECT_EQ(dialogs.Runs().back().level, IndexDialogLevel::Subindex);
    EXPECT_EQ(doc.FindEntry(0x2100, 0x01), nullptr);
    SubindexEntry* edited = doc.FindEntry(0x2100, 0x07);
    ASSERT_NE(edited, nullptr);
    EXPECT_NE(edited, old);
    EXPECT_EQ(doc.GetLastEditedSubindex(), edited);
    EXPECT_EQ(edited->name, "Renamed");
    EXPECT_EQ(Subindices(*doc.FindIndex(0x2100)), (std::vector<std::uint16_t>{HeaderStructured, 0, 2, 7}));
    EXPECT_EQ(doc.FindIndex(0x2100)->entryCount, 4);
}

TEST_F(DocumentEditing, EditSubindexConflictAndCancel) {
    SubindexEntry* old = doc.FindEntry(0x2100, 0x01);
    platform.ExpectMessage("The index 0x2100,subindex 0x02 already exists!", "Edit subindex", MsgIcon::Error);
    dialogs.QueueOk(Subindex(0x02, "Clash"));
    EXPECT_EQ(doc.EditSubindex(0x2100, 0x01), DocResult::EntryExists);
    dialogs.QueueCancel();
    EXPECT_EQ(doc.EditSubindex(0x2100, 0x01), DocResult::Cancelled);
    EXPECT_EQ(doc.GetLastEditedSubindex(), old);
    EXPECT_EQ(doc.FindEntry(0x2100, 0x01), old);
    EXPECT_EQ(old->name, "Item");

    // Keeping the number is no conflict.
    dialogs.QueueOk(Subindex(0x01, "Same"));
    EXPECT_EQ(doc.EditSubindex(0x2100, 0x01), DocResult::Done);
    EXPECT_EQ(doc.FindEntry(0x2100, 0x01)->name, "Same");
}

TEST_F(DocumentEditing, DeleteSubindex) {
    EXPECT_EQ(doc.DeleteSubindex(0x2100, 0x09), 0);
    EXPECT_FALSE(doc.IsModified());
    EXPECT_EQ(doc.DeleteSubindex(0x2100, 0x01), 1);
    EXPECT_EQ(Subindices(*doc.FindIndex(0x2100)), (std::vector<std::uint16_t>{HeaderStructured, 0, 2}));
    EXPECT_EQ(doc.FindIndex(0x2100)->entryCount, 3);
    EXPECT_TRUE(doc.IsModified());
}

TEST_F(DocumentEditing, CopyOfAMissingObjectIsReported) {
    platform.ExpectMessage("The index 0x3000 could not be copied!", "Copy index", MsgIcon::Error);
    EXPECT_EQ(doc.CopyIndex(0x3000), DocResult::CopyIndexFailed);
    platform.ExpectMessage("The subindex 0x2100,0x9 could not be copied!", "Copy subindex", MsgIcon::Error);
    EXPECT_EQ(doc.CopySubindex(0x2100, 0x09), DocResult::CopySubindexFailed);
    EXPECT_FALSE(doc.HasCopiedIndex());
    EXPECT_FALSE(doc.HasCopiedSubindex());
}

TEST_F(DocumentEditing, RepeatedPastesOfASubindexProposeConsecutiveNumbers) {
    EXPECT_EQ(doc.CopySubindex(0x2100, 0x02), DocResult::Done);
    for (std::uint16_t expected : {0x03, 0x04}) {
        dialogs.QueueOk(Subindex(expected, "Pasted"));
        EXPECT_EQ(doc.PasteSubindex(0x2100), DocResult::Done);
        const DialogRun& run = dialogs.Runs().back();
        EXPECT_EQ(run.mode, IndexDialogMode::Edit);
        EXPECT_EQ(run.level, IndexDialogLevel::Subindex);
        EXPECT_EQ(run.filledEntry.subindex, expected);
        EXPECT_EQ(run.filledEntry.index, 0x2100);
        EXPECT_EQ(doc.GetLastPastedSubindex(), doc.FindEntry(0x2100, expected));
    }
    EXPECT_EQ(doc.FindIndex(0x2100)->entryCount, 6);
    EXPECT_EQ(doc.FindEntry(0x2100, 0x02)->name, "Item");

    // Pasting into another index starts from its number, keeping the proposed subindex.
    dialogs.QueueCancel();
    EXPECT_EQ(doc.PasteSubindex(0x2000), DocResult::SubindexCancelled);
    EXPECT_EQ(doc.GetNextPasteIndex(), 0x2000);
    EXPECT_EQ(dialogs.Runs().back().filledEntry.index, 0x2000);
}

TEST_F(DocumentEditing, PastedSubindexTakesItsPlaceInSubindexOrder) {
    EXPECT_EQ(doc.CopySubindex(0x2100, 0x02), DocResult::Done);
    EXPECT_EQ(doc.DeleteSubindex(0x2100, 0x01), 1);
    dialogs.QueueOk(Subindex(0x01, "Between"));
    EXPECT_EQ(doc.PasteSubindex(0x2100), DocResult::Done);
    const IndexEntry& index = *doc.FindIndex(0x2100);
    EXPECT_EQ(Subindices(index), (std::vector<std::uint16_t>{HeaderStructured, 0, 1, 2}));
    EXPECT_EQ(index.subindices[2]->name, "Between");
    EXPECT_EQ(doc.GetLastPastedSubindex(), index.subindices[2].get());
}

TEST_F(DocumentEditing, PastedSubindexWithATakenNumberIsRefused) {
    EXPECT_EQ(doc.CopySubindex(0x2100, 0x00), DocResult::Done);
    platform.ExpectMessage("The index 0x2100, subindex 0x01 already exists!", "Paste subindex",
                           MsgIcon::Error);
    dialogs.QueueOk(Subindex(0x01, "Taken"));
    EXPECT_EQ(doc.PasteSubindex(0x2100), DocResult::EntryExists);
    EXPECT_EQ(doc.FindIndex(0x2100)->entryCount, 4);
    EXPECT_EQ(doc.GetLastPastedSubindex(), nullptr);
}

TEST_F(DocumentEditing, PasteIndexClonesUnderTheNextNumber) {
    EXPECT_EQ(doc.CopyIndex(0x2100), DocResult::Done);
    dialogs.QueueOk(RecordIndex(0x2101, "Copy"));
    EXPECT_EQ(doc.PasteIndex(), DocResult::Done);
    const DialogRun& run = dialogs.Runs().back();
    EXPECT_EQ(run.mode, IndexDialogMode::Edit);
    EXPECT_EQ(run.filledIndex->index, 0x2101);
    EXPECT_EQ(run.filledIndexEntries, 4u);

    IndexEntry* pasted = doc.FindIndex(0x2101);
    ASSERT_NE(pasted, nullptr);
    EXPECT_EQ(doc.GetLastPastedIndex(), pasted);
    EXPECT_EQ(Subindices(*pasted), (std::vector<std::uint16_t>{HeaderStructured, 0, 1, 2}));
    for (const auto& entry : pasted->subindices) {
        EXPECT_EQ(entry->index, 0x2101);
    }
    EXPECT_EQ(doc.FindIndex(0x2100)->Header()->name, "Table");
    EXPECT_EQ(doc.GetNextPasteIndex(), 0x2102);
    EXPECT_TRUE(doc.IsModified());
}

TEST_F(DocumentEditing, PasteIndexTakesTheDefaultCallbackOfTheNewNumber) {
    dialogs.QueueOk(RecordIndex(0x13FF, "Comm"));
    EXPECT_EQ(doc.AddIndex(label), DocResult::Done);
    EXPECT_EQ(doc.CopyIndex(0x13FF), DocResult::Done);
    dialogs.QueueCancel();
    EXPECT_EQ(doc.PasteIndex(), DocResult::Cancelled);
    EXPECT_EQ(dialogs.Runs().back().filledIndex->callbackName, "PdoCbConfigCommu");
    EXPECT_EQ(doc.FindIndex(0x1400), nullptr);
}

TEST_F(DocumentEditing, PasteIndexConflict) {
    EXPECT_EQ(doc.CopyIndex(0x2000), DocResult::Done);
    platform.ExpectMessage("The index 0x2100 already exists!", "Paste index", MsgIcon::Error);
    dialogs.QueueOk(VarIndex(0x2100, "Clash"));
    EXPECT_EQ(doc.PasteIndex(), DocResult::IndexExists);
    EXPECT_EQ(doc.GetIndexCount(), 2);
    EXPECT_EQ(doc.GetNextPasteIndex(), 0x2001);
}

TEST_F(DocumentEditing, PasteWithAnEmptyBufferDoesNothing) {
    EXPECT_EQ(doc.PasteIndex(), DocResult::Cancelled);
    EXPECT_EQ(doc.PasteSubindex(0x2100), DocResult::SubindexCancelled);
    EXPECT_EQ(NewRuns(), 0u);
}

TEST_F(DocumentEditing, ReferencesToDestroyedEntriesAreCleared) {
    EXPECT_EQ(doc.CopySubindex(0x2100, 0x01), DocResult::Done);
    dialogs.QueueOk(RecordIndex(0x2100, "Same number"));
    EXPECT_EQ(doc.EditIndex(0x2100), DocResult::Done);  // replaces the index by its clone
    EXPECT_FALSE(doc.HasCopiedSubindex());

    EXPECT_EQ(doc.CopySubindex(0x2100, 0x01), DocResult::Done);
    dialogs.QueueOk(Subindex(0x01, "Edited"));
    EXPECT_EQ(doc.EditSubindex(0x2100, 0x01), DocResult::Done);
    EXPECT_FALSE(doc.HasCopiedSubindex());
    EXPECT_NE(doc.GetLastEditedSubindex(), nullptr);
    EXPECT_EQ(doc.DeleteSubindex(0x2100, 0x01), 1);
    EXPECT_EQ(doc.GetLastEditedSubindex(), nullptr);

    EXPECT_EQ(doc.CopyIndex(0x2100), DocResult::Done);
    EXPECT_NE(doc.GetLastEditedIndex(), nullptr);
    EXPECT_EQ(doc.DeleteIndex(0x2100), 1);
    EXPECT_FALSE(doc.HasCopiedIndex());
    EXPECT_EQ(doc.GetLastEditedIndex(), nullptr);

    EXPECT_EQ(doc.CopyIndex(0x2000), DocResult::Done);
    EXPECT_EQ(doc.CopySubindex(0x2000, HeaderSingle), DocResult::Done);
    doc.OnNewDocument();
    EXPECT_FALSE(doc.HasCopiedIndex());
    EXPECT_FALSE(doc.HasCopiedSubindex());
    EXPECT_EQ(doc.PasteIndex(), DocResult::Cancelled);
}
