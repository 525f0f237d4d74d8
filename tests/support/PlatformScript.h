#pragma once

#include <deque>
#include <optional>
#include <string>
#include <vector>

#include "platform/FileSystem.h"
#include "platform/Platform.h"

struct RecordedMessage {
    std::string text;
    std::string caption;
    MsgButtons buttons = MsgButtons::Ok;
    MsgIcon icon = MsgIcon::Information;
    bool withOwner = false;
};

struct RecordedFileError {
    FileOperation operation;
    std::string path;
    std::string reason;
};

// The scripted platform shared by the logic and the GUI tests, free of any test framework. Every
// message box and chooser request is recorded. A test announces the boxes it expects, in order, each
// with its answer, and queues the chooser answers. Every deviation (a box nobody announced, a box that
// differs from the announced one, a chooser without an answer) is handed to OnProblem; Leftovers()
// lists what was announced or queued but never used.
class PlatformScript : public Platform {
public:
    void ExpectMessage(const std::string& text, const std::string& caption, MsgIcon icon,
                       MsgResult answer = MsgResult::Ok);
    // Unexpected boxes are recorded and answered (Ok, No or Cancel) without a problem.
    void AllowUnexpectedMessages(bool allow = true) { m_allowUnexpected = allow; }
    // The answer for the next file chooser; nothing means Cancel.
    void QueueChosenFile(std::optional<std::string> path);

    void SetTime(const LocalTime& time) { m_time = time; }
    // Replaces the disk for the readers and writers (for fault injection); null restores the disk.
    void SetFiles(FileSystem* files) { m_files = files; }

    const std::vector<RecordedMessage>& Messages() const { return m_messages; }
    const std::vector<FileChooserRequest>& ChooserRequests() const { return m_chooserRequests; }
    const std::vector<RecordedFileError>& FileErrors() const { return m_fileErrors; }
    int WaitCursorDepth() const { return m_waitDepth; }
    int WaitCursorUses() const { return m_waitUses; }
    int PendingExpectations() const { return static_cast<int>(m_expected.size()); }
    std::vector<std::string> Leftovers() const;

    MsgResult MessageBox(const std::string& text, const std::string& caption, MsgButtons buttons,
                         MsgIcon icon, bool withOwner = false) override;
    std::optional<std::string> ChooseFile(const FileChooserRequest& request) override;
    LocalTime GetLocalTime() override { return m_time; }
    void BeginWaitCursor() override {
        ++m_waitDepth;
        ++m_waitUses;
    }
    void EndWaitCursor() override { --m_waitDepth; }
    // Recorded; it shows no box.
    void ReportFileError(FileOperation operation, const std::string& path,
                         const std::string& reason) override;
    FileSystem& Files() override { return m_files != nullptr ? *m_files : m_disk; }

protected:
    virtual void OnProblem(const std::string& problem) = 0;

private:
    struct Expected {
        std::string text;
        std::string caption;
        MsgIcon icon;
        MsgResult answer;
    };

    std::deque<Expected> m_expected;
    std::deque<std::optional<std::string>> m_chosenFiles;
    std::vector<RecordedMessage> m_messages;
    std::vector<FileChooserRequest> m_chooserRequests;
    std::vector<RecordedFileError> m_fileErrors;
    bool m_allowUnexpected = false;
    int m_waitDepth = 0;
    int m_waitUses = 0;
    LocalTime m_time{24, 12, 2026, 13, 5, 9};
    DiskFileSystem m_disk;
    FileSystem* m_files = nullptr;
};
