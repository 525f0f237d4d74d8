#pragma once

#include <deque>
#include <memory>
#include <optional>
#include <vector>

#include "ScriptedSectionDialogs.h"
#include "eds/EdsSections.h"
#include "model/CommentLine.h"
#include "model/IndexEntry.h"
#include "platform/IndexDialog.h"

// What one run of the scripted dialog saw: how the document set it up and what it was filled from.
struct DialogRun {
    IndexDialogMode mode = IndexDialogMode::Add;
    IndexDialogLevel level = IndexDialogLevel::Index;
    bool hasDocument = false;
    std::unique_ptr<IndexEntry> filledIndex;  // a copy of the record, without entries
    std::size_t filledIndexEntries = 0;
    SubindexEntry filledEntry;
};

// Hands out dialogs that answer from a queue: each answer is OK with values, or Cancel (nothing).
// A dialog run without a queued answer fails the test and is cancelled.
class ScriptedDialogFactory : public DialogFactory {
public:
    ~ScriptedDialogFactory() override;

    void QueueOk(const IndexDialogValues& values) { m_answers.emplace_back(values); }
    void QueueCancel() { m_answers.emplace_back(std::nullopt); }
    // The next CreateIndexDialog returns null, as if the dialog could not be created.
    void FailNextCreation() { m_failNext = true; }

    const std::vector<DialogRun>& Runs() const { return m_runs; }

    std::unique_ptr<IndexDialog> CreateIndexDialog() override;

    // The section dialogs answer from scripts of their own.
    SectionScript<FileInfoSection> fileInfo;
    SectionScript<DeviceInfoSection> deviceInfo;
    SectionScript<DummyUsageSection> dummyUsage;
    SectionScript<std::vector<CommentLine>> comments;
    std::unique_ptr<FileInfoDialog> CreateFileInfoDialog() override { return fileInfo.Create(); }
    std::unique_ptr<DeviceInfoDialog> CreateDeviceInfoDialog() override { return deviceInfo.Create(); }
    std::unique_ptr<DummyUsageDialog> CreateDummyUsageDialog() override { return dummyUsage.Create(); }
    std::unique_ptr<CommentsDialog> CreateCommentsDialog() override { return comments.Create(); }

private:
    friend class ScriptedIndexDialog;
    std::deque<std::optional<IndexDialogValues>> m_answers;
    std::vector<DialogRun> m_runs;
    bool m_failNext = false;
};
