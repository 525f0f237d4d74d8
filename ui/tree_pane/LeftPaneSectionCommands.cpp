#include "document/CQuillmarkDoc.h"
#include "ui/app/CommandIds.h"
#include "ui/tree_pane/CLeftPaneView.h"

namespace {

// A section command: the document's edit operation, the show request that refreshes the section's
// pane, and whether the outcome decides whether a project counts as loaded.
// NOLINTNEXTLINE(clang-analyzer-optin.performance.Padding): four rows; the command id reads best first.
struct SectionCommand {
    int commandId;
    int (CQuillmarkDoc::*edit)();
    void (CQuillmarkDoc::*show)();
    bool tracksProject;
};

constexpr SectionCommand SectionCommands[] = {
    {Cmd::DeviceInfo, &CQuillmarkDoc::EditDeviceInfo, &CQuillmarkDoc::ShowDeviceInfo, true},
    {Cmd::FileInfo, &CQuillmarkDoc::EditFileInfo, &CQuillmarkDoc::ShowFileInfo, true},
    {Cmd::DummyUsage, &CQuillmarkDoc::EditDummyUsage, &CQuillmarkDoc::ShowDummyUsage, true},
    // Comments alone never changes whether a project counts as loaded.
    {Cmd::Comments, &CQuillmarkDoc::EditComments, &CQuillmarkDoc::ShowComments, false},
};

}  // namespace

void CLeftPaneView::OnEditSection(int commandId) {
    for (const SectionCommand& command : SectionCommands) {
        if (command.commandId != commandId) {
            continue;
        }
        // The operation succeeds whether the user confirmed or cancelled; either way the pane shows
        // the section as it now stands.
        const bool shown = (m_pDocument->*command.edit)() != 0;
        if (shown) {
            (m_pDocument->*command.show)();
        }
        if (command.tracksProject) {
            m_commands.SetProjectLoaded(shown);
        }
        return;
    }
}
