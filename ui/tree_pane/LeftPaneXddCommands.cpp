#include "document/CQuillmarkDoc.h"
#include "platform/Platform.h"
#include "platform/ResultMessage.h"
#include "ui/tree_pane/CLeftPaneView.h"

namespace {

constexpr unsigned ChooserOptions = HideReadOnly | OverwritePrompt | PathMustExist;

FileChooserRequest XddChooser(bool open) {
    FileChooserRequest request;
    request.open = open;
    request.filter = open ? "XDD Files (*.xdd)|*.xdd|XDC Files (*.xdc)|*.xdc||" : "XDD Files (*.xdd)|*.xdd||";
    request.defaultExtension = "xdd";
    request.initialFileName = "*.xdd";
    request.options = ChooserOptions;
    return request;
}

}  // namespace

// The document reads the chosen file by its content, so this is the EDS import with another chooser:
// the same save question, tree rebuild and messages.
void CLeftPaneView::OnImportXdd() {
    if (!AskToSave("Save current project?")) {
        return;
    }
    if (const std::optional<std::string> path = m_platform.ChooseFile(XddChooser(true))) {
        ImportEdsFile(*path);
    }
}

void CLeftPaneView::OnCreateXdd() {
    const std::optional<std::string> path = m_platform.ChooseFile(XddChooser(false));
    if (!path) {
        return;
    }
    RepaintMainWindow();
    EdsExportResult result = EdsExportResult::Success;
    {
        const WaitCursor wait(m_platform);
        result = m_pDocument->ExportXdd(*path);
    }
    // The EDS export's texts, under a caption that names what was written.
    if (const std::optional<ResultMessage> message = ResultMessageFor(result, *path)) {
        m_platform.MessageBox(message->text, "Create XDD file", MsgButtons::Ok, message->icon);
    }
}
