#pragma once

#include <QStringList>
#include <deque>
#include <optional>
#include <string>
#include <vector>

#include "platform/FileSystem.h"
#include "platform/Platform.h"

// The platform of the GUI tests: message boxes are checked against the announced ones and answered
// from the script, file choosers answered from a queue. Nothing modal ever opens. Every deviation is
// collected in Problems(), which the fixture checks after each test.
class GuiTestPlatform : public Platform {
public:
    struct Message {
        std::string text;
        std::string caption;
        MsgButtons buttons;
        MsgIcon icon;
    };

    void ExpectMessage(const std::string& text, const std::string& caption, MsgIcon icon,
                       MsgResult answer = MsgResult::Ok);
    // Boxes nobody announced are recorded and answered with OK, No or Cancel instead of failing.
    void AllowUnexpectedMessages(bool allow = true) { m_allowUnexpected = allow; }
    // The answer for the next file chooser; nothing means Cancel.
    void QueueChosenFile(std::optional<std::string> path);
    void SetTime(const LocalTime& time) { m_time = time; }

    const std::vector<Message>& Messages() const { return m_messages; }
    const std::vector<FileChooserRequest>& ChooserRequests() const { return m_requests; }
    int WaitCursorDepth() const { return m_waitDepth; }
    int WaitCursorUses() const { return m_waitUses; }
    // Unexpected or mismatching boxes and choosers, and expectations never met.
    QStringList Problems() const;

    MsgResult MessageBox(const std::string& text, const std::string& caption, MsgButtons buttons,
                         MsgIcon icon, bool withOwner = false) override;
    std::optional<std::string> ChooseFile(const FileChooserRequest& request) override;
    LocalTime GetLocalTime() override { return m_time; }
    void BeginWaitCursor() override {
        ++m_waitDepth;
        ++m_waitUses;
    }
    void EndWaitCursor() override { --m_waitDepth; }
    void ReportFileError(FileOperation operation, const std::string& path,
                         const std::string& reason) override;
    FileSystem& Files() override { return m_disk; }

private:
    struct Expected {
        std::string text;
        std::string caption;
        MsgIcon icon;
        MsgResult answer;
    };

    std::deque<Expected> m_expected;
    std::deque<std::optional<std::string>> m_chosen;
    std::vector<Message> m_messages;
    std::vector<FileChooserRequest> m_requests;
    QStringList m_problems;
    bool m_allowUnexpected = false;
    int m_waitDepth = 0;
    int m_waitUses = 0;
    LocalTime m_time{24, 12, 2026, 9, 5, 3};
    DiskFileSystem m_disk;
};
