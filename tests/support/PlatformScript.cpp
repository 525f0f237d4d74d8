#include "PlatformScript.h"

namespace {

std::string Describe(const std::string& caption, const std::string& text, MsgIcon icon) {
    return caption + ": " + text + " (icon " + std::to_string(static_cast<int>(icon)) + ")";
}

}  // namespace

void PlatformScript::ExpectMessage(const std::string& text, const std::string& caption, MsgIcon icon,
                                   MsgResult answer) {
    m_expected.push_back({text, caption, icon, answer});
}

void PlatformScript::QueueChosenFile(std::optional<std::string> path) {
    m_chosenFiles.push_back(std::move(path));
}

std::vector<std::string> PlatformScript::Leftovers() const {
    std::vector<std::string> leftovers;
    for (const Expected& e : m_expected) {
        leftovers.push_back("expected message box never shown: " + Describe(e.caption, e.text, e.icon));
    }
    for (const auto& path : m_chosenFiles) {
        leftovers.push_back("queued file chooser answer never used: " + path.value_or("(cancel)"));
    }
    return leftovers;
}

MsgResult PlatformScript::MessageBox(const std::string& text, const std::string& caption, MsgButtons buttons,
                                     MsgIcon icon, bool withOwner) {
    m_messages.push_back({text, caption, buttons, icon, withOwner});
    const MsgResult fallback = SafeAnswer(buttons);
    if (m_expected.empty()) {
        if (!m_allowUnexpected) {
            OnProblem("unexpected message box: " + Describe(caption, text, icon));
        }
        return fallback;
    }
    const Expected e = m_expected.front();
    m_expected.pop_front();
    if (e.text != text || e.caption != caption || e.icon != icon) {
        OnProblem("message box differs: expected " + Describe(e.caption, e.text, e.icon) + ", got " +
                  Describe(caption, text, icon));
    }
    return e.answer;
}

std::optional<std::string> PlatformScript::ChooseFile(const FileChooserRequest& request) {
    m_chooserRequests.push_back(request);
    if (m_chosenFiles.empty()) {
        OnProblem("unexpected file chooser, filter " + request.filter);
        return std::nullopt;
    }
    auto answer = m_chosenFiles.front();
    m_chosenFiles.pop_front();
    return answer;
}

void PlatformScript::ReportFileError(FileOperation operation, const std::string& path,
                                     const std::string& reason) {
    m_fileErrors.push_back({operation, path, reason});
}
