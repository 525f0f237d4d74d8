#include <gtest/gtest.h>

#include "RecordingView.h"
#include "ScriptedIndexDialog.h"
#include "ScriptedPlatform.h"
#include "document/CQuillmarkDoc.h"

namespace {

class DocumentSections : public ::testing::Test {
protected:
    DocumentSections() {
        doc.OnNewDocument();
        doc.GetFileInfo().Description = "before";
        doc.GetDeviceInfo().VendorName = "Vendor";
        doc.GetDeviceInfo().DummyUsage.dummyCount = 1;
        doc.GetDeviceInfo().DummyUsage.entries[0] = {2, 1};
        doc.GetComments() = {{"first", 1}, {"second", 2}};
        doc.AddView(&view);
    }

    // Runs all four operations and collects their results.
    std::vector<int> EditAll() {
        return {doc.EditFileInfo(), doc.EditDeviceInfo(), doc.EditDummyUsage(), doc.EditComments()};
    }

    ScriptedPlatform platform;
    ScriptedDialogFactory dialogs;
    CQuillmarkDoc doc{platform, &dialogs};
    RecordingView view;
};

TEST_F(DocumentSections, OkStoresWhatTheDialogEditedAndMarksTheProject) {
    dialogs.fileInfo.QueueOk([](FileInfoSection& s) { s.Description = "after"; });
    dialogs.deviceInfo.QueueOk([](DeviceInfoSection& s) { s.VendorNumber = 929; });
    dialogs.dummyUsage.QueueOk([](DummyUsageSection& s) { s.dummyCount = 7; });
    dialogs.comments.QueueOk([](std::vector<CommentLine>& lines) { lines = {{"only", 0}}; });
    const DeviceInfoSection deviceBefore = doc.GetDeviceInfo();

    EXPECT_EQ(EditAll(), (std::vector<int>{1, 1, 1, 1}));
    // Each dialog was loaded from the record it edits.
    EXPECT_EQ(dialogs.deviceInfo.Loaded().at(0), deviceBefore);
    EXPECT_EQ(dialogs.comments.Loaded().at(0).size(), 2u);

    EXPECT_EQ(doc.GetFileInfo().Description, "after");
    EXPECT_EQ(doc.GetDeviceInfo().VendorNumber, 929u);
    EXPECT_EQ(doc.GetDeviceInfo().VendorName, "Vendor");
    EXPECT_EQ(doc.GetDeviceInfo().DummyUsage.dummyCount, 7);
    EXPECT_EQ(doc.GetComments(), (std::vector<CommentLine>{{"only", 0}}));
    EXPECT_TRUE(doc.IsModified());
    // The data changes and the modified flag is announced; what to show is the caller's request.
    EXPECT_TRUE(view.Hints().empty());
    EXPECT_EQ(view.stateChanges, 1);
}

TEST_F(DocumentSections, CancelLeavesEveryRecordAlone) {
    dialogs.fileInfo.QueueCancel();
    dialogs.deviceInfo.QueueCancel();
    dialogs.dummyUsage.QueueCancel();
    dialogs.comments.QueueCancel();
    const FileInfoSection fileBefore = doc.GetFileInfo();
    const DeviceInfoSection deviceBefore = doc.GetDeviceInfo();
    const std::vector<CommentLine> commentsBefore = doc.GetComments();

    EXPECT_EQ(EditAll(), (std::vector<int>{1, 1, 1, 1}));
    EXPECT_EQ(doc.GetFileInfo(), fileBefore);
    EXPECT_EQ(doc.GetDeviceInfo(), deviceBefore);
    EXPECT_EQ(doc.GetComments(), commentsBefore);
    EXPECT_FALSE(doc.IsModified());
    EXPECT_EQ(view.stateChanges, 0);
}

TEST_F(DocumentSections, ADialogThatCannotBeCreatedGivesZero) {
    dialogs.fileInfo.FailNextCreation();
    dialogs.deviceInfo.FailNextCreation();
    dialogs.dummyUsage.FailNextCreation();
    dialogs.comments.FailNextCreation();
    EXPECT_EQ(EditAll(), (std::vector<int>{0, 0, 0, 0}));
    EXPECT_TRUE(dialogs.fileInfo.Loaded().empty());
    EXPECT_FALSE(doc.IsModified());

    CQuillmarkDoc withoutDialogs{platform};
    EXPECT_EQ(withoutDialogs.EditFileInfo(), 0);
    EXPECT_EQ(withoutDialogs.EditComments(), 0);
}

}  // namespace
