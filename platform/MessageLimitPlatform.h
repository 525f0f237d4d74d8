#pragma once

#include <string>

#include "platform/Platform.h"

// Passes everything on to another platform, but shows at most `limit` message boxes: the box after
// them is replaced by one information box with the given notice, and every later box is not shown
// and gets its safe answer (Ok, No or Cancel). A limit of 0 shows every box. Keeps one operation that
// meets damaged input from burying the user under thousands of boxes.
class MessageLimitPlatform : public Platform {
public:
    MessageLimitPlatform(Platform& inner, int limit, std::string notice, std::string caption);

    MsgResult MessageBox(const std::string& text, const std::string& caption, MsgButtons buttons,
                         MsgIcon icon, bool withOwner = false) override;
    std::optional<std::string> ChooseFile(const FileChooserRequest& request) override {
        return m_inner.ChooseFile(request);
    }
    LocalTime GetLocalTime() override { return m_inner.GetLocalTime(); }
    void BeginWaitCursor() override { m_inner.BeginWaitCursor(); }
    void EndWaitCursor() override { m_inner.EndWaitCursor(); }
    void ReportFileError(FileOperation operation, const std::string& path,
                         const std::string& reason) override {
        m_inner.ReportFileError(operation, path, reason);
    }
    FileSystem& Files() override { return m_inner.Files(); }

private:
    Platform& m_inner;
    int m_limit;
    int m_shown = 0;
    std::string m_notice;
    std::string m_caption;
};
