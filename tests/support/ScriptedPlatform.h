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

// The platform the tests run on. Every message box and chooser request is recorded. A test announces
// the boxes it expects, in order, each with its answer; a box that was not announced fails the test
// (unless AllowUnexpectedMessages was called), and so does an announced box that never appeared.
class ScriptedPlatform : public Platform {
public:
    ScriptedPlatform();
    ~ScriptedPlatform() override;

    void ExpectMessage(const std::string& text, const std::string& caption, MsgIcon icon,
                       MsgResult answer = MsgResult::Ok);
    // Unexpected boxes are recorded and answered (Ok, No or Cancel) without failing the test.
    void AllowUnexpectedMessages(bool allow = true) { m_allowUnexpected = allow; }

    // Answers for the next file choosers, in order; nothing means Cancel. A chooser without a queued
    // answer fails the test and is cancelled.
    void QueueChosenFile(std::optional<std::string> path);

    void SetTime(const LocalTime& time) { m_time = time; }
    // Replaces the disk for the readers and writers (for fault injection); null restores the disk.
    void SetFiles(FileSystem* files) { m_files = files; }

    const std::vector<RecordedMessage>& Messages() const { return m_messages; }
    const std::vector<FileChooserRequest>& ChooserRequests() const { return m_chooserRequests; }
    const std::vector<RecordedFileError>& FileErrors() const { return m_fileErrors; }
    int WaitCursorDepth() const { return m_waitDepth; }
    int PendingExpectations() const { return static_cast<int>(m_expected.size()); }

    MsgResult MessageBox(const std::string& text, const std::string& caption, MsgButtons buttons,
                         MsgIcon icon, bool withOwner = false) override;
    std::optional<std::string> ChooseFile(const FileChooserRequest& request) override;
    LocalTime GetLocalTime() override { return m_time; }
    void BeginWaitCursor() override { ++m_waitDepth; }
    void EndWaitCursor() override { --m_waitDepth; }
    void ReportFileError(FileOperation operation, const std::string& path,
                         const std::string& reason) override;
    FileSystem& Files() override { return m_files != nullptr ? *m_files : m_disk; }

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
    LocalTime m_time{24, 12, 2026, 13, 5, 9};
    DiskFileSystem m_disk;
    FileSystem* m_files = nullptr;
};

// The disk with faults: creating a file whose path contains a given text fails, and writing fails
// once a given number of bytes has been written in total (the bytes before the limit are written).
class FaultyFileSystem : public FileSystem {
public:
    void FailCreateOf(const std::string& pathPart) { m_failCreate = pathPart; }
    void FailWritesAfter(std::size_t bytes) { m_writeBudget = bytes; }
    void FailRemove(bool fail = true) { m_failRemove = fail; }
    void FailRename(bool fail = true) { m_failRename = fail; }

    std::unique_ptr<WritableFile> Create(const std::string& path, std::string& error) override;
    std::optional<std::string> ReadAll(const std::string& path, std::string& error) override {
        return m_disk.ReadAll(path, error);
    }
    std::optional<std::size_t> Size(const std::string& path) override { return m_disk.Size(path); }
    bool Remove(const std::string& path, std::string& error) override;
    bool Rename(const std::string& from, const std::string& to, std::string& error) override;
    bool Exists(const std::string& path) override { return m_disk.Exists(path); }

private:
    friend class FaultyFile;
    DiskFileSystem m_disk;
    std::optional<std::string> m_failCreate;
    std::optional<std::size_t> m_writeBudget;
    bool m_failRemove = false;
    bool m_failRename = false;
};

// A fresh empty folder under the system's temporary folder, removed with its content at the end.
class TempDir {
public:
    TempDir();
    ~TempDir();
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;

    const std::string& Path() const { return m_path; }
    std::string File(const std::string& name) const { return m_path + "/" + name; }

private:
    std::string m_path;
};

// Whole-file helpers for tests.
std::string ReadFileBytes(const std::string& path);
void WriteFileBytes(const std::string& path, const std::string& bytes);
