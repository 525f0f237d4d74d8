#pragma once

#include <string>

#include "platform/Platform.h"

// Passes every service on to another platform. The platforms that change how one operation's message
// boxes are handled derive from it and override only MessageBox.
class ForwardingPlatform : public Platform {
public:
    explicit ForwardingPlatform(Platform& inner) : m_inner(inner) {}

    MsgResult MessageBox(const std::string& text, const std::string& caption, MsgButtons buttons,
                         MsgIcon icon, bool withOwner = false) override {
        return m_inner.MessageBox(text, caption, buttons, icon, withOwner);
    }
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

protected:
    Platform& Inner() { return m_inner; }

private:
    Platform& m_inner;
};
