#include "GuiTestPlatform.h"

namespace {

QString Describe(const std::string& caption, const std::string& text) {
    return QString::fromStdString(caption + ": " + text);
}

}  // namespace

void GuiTestPlatform::ExpectMessage(const std::string& text, const std::string& caption, MsgIcon icon,
                                    MsgResult answer) {
    m_expected.push_back({text, caption, icon, answer});
}

void GuiTestPlatform::QueueChosenFile(std::optional<std::string> path) {
    m_chosen.push_back(std::move(path));
}

QStringList GuiTestPlatform::Problems() const {
    QStringList problems = m_problems;
    for (const Expected& e : m_expected) {
        problems << QStringLiteral("expected box never shown: ") + Describe(e.caption, e.text);
    }
    for (const auto& path : m_chosen) {
        problems << QStringLiteral("queued chooser answer never used: ") +
                        QString::fromStdString(path.value_or("(cancel)"));
    }
    return problems;
}

MsgResult GuiTestPlatform::MessageBox(const std::string& text, const std::string& caption, MsgButtons buttons,
                                      MsgIcon icon, bool) {
    m_messages.push_back({text, caption, buttons, icon});
    const MsgResult fallback = buttons == MsgButtons::Ok      ? MsgResult::Ok
                               : buttons == MsgButtons::YesNo ? MsgResult::No
                                                              : MsgResult::Cancel;
    if (m_expected.empty()) {
        if (!m_allowUnexpected) {
            m_problems << QStringLiteral("unexpected box: ") + Describe(caption, text);
        }
        return fallback;
    }
    const Expected e = m_expected.front();
    m_expected.pop_front();
    if (e.text != text || e.caption != caption || e.icon != icon) {
        m_problems << QStringLiteral("box differs: expected ") + Describe(e.caption, e.text) +
                          QStringLiteral(" icon %1, got ").arg(static_cast<int>(e.icon)) +
                          Describe(caption, text) + QStringLiteral(" icon %1").arg(static_cast<int>(icon));
    }
    return e.answer;
}

std::optional<std::string> GuiTestPlatform::ChooseFile(const FileChooserRequest& request) {
    m_requests.push_back(request);
    if (m_chosen.empty()) {
        m_problems << QStringLiteral("unexpected file chooser, filter ") +
                          QString::fromStdString(request.filter);
        return std::nullopt;
    }
    auto answer = m_chosen.front();
    m_chosen.pop_front();
    return answer;
}

void GuiTestPlatform::ReportFileError(FileOperation operation, const std::string& path,
                                      const std::string& reason) {
    MessageBox(FileErrorText(operation, path, reason), "Quillmark", MsgButtons::Ok, MsgIcon::Exclamation);
}
