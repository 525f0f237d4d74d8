#include <QApplication>

#include "document/CQuillmarkDoc.h"
#include "platform/Platform.h"
#include "platform/ResultCodes.h"
#include "platform/ResultMessage.h"
#include "ui/app/CommandIds.h"
#include "ui/app/WindowCaption.h"
#include "ui/tree_pane/CLeftPaneView.h"
#include "ui/tree_pane/TreeLabels.h"

namespace {

constexpr unsigned ChooserOptions = HideReadOnly | OverwritePrompt | PathMustExist;

// The import's refusals for a missing FileName, VendorName, Dummy0001 or object list: the lenient
// import fills these in.
bool IsLackingRequiredParts(EdsImportResult importResult) {
    return importResult == EdsImportResult::InvalidFileInfo ||
           importResult == EdsImportResult::InvalidDeviceInfo ||
           importResult == EdsImportResult::InvalidDummyUsage ||
           importResult == EdsImportResult::InvalidObjectList;
}

bool IsProjectFile(const std::string& path) {
    return FileExtension(path) == "prj";
}

}  // namespace

void CLeftPaneView::RunFileCommand(int commandId) {
    switch (commandId) {
        case Cmd::New:
            OnFileNew();
            break;
        case Cmd::Open:
            OnFileOpen();
            break;
        case Cmd::Save:
            OnFileSave();
            break;
        case Cmd::SaveAs:
            OnFileSaveAs();
            break;
        case Cmd::Exit:
            OnAppExit();
            break;
        case Cmd::ImportEds:
            OnImportEds();
            break;
        case Cmd::CreateSources:
            OnCreateSources();
            break;
        case Cmd::CreateEds:
            OnCreateEds();
            break;
        case Cmd::CreateDocumentation:
            OnCreateDocumentation();
            break;
        case Cmd::ImportXdd:
            OnImportXdd();
            break;
        case Cmd::CreateXdd:
            OnCreateXdd();
            break;
        default:
            break;
    }
}

bool CLeftPaneView::AskToSave(const char* question) {
    if (!m_commands.IsProjectLoaded() || !m_pDocument->IsModified()) {
        return true;
    }
    const MsgResult answer =
        m_platform.MessageBox(question, ApplicationName, MsgButtons::YesNoCancel, MsgIcon::Information);
    if (answer == MsgResult::Cancel) {
        return false;
    }
    if (answer == MsgResult::Yes) {
        // The work is still unsaved after a cancelled or failed save, so the command must not go on.
        switch (m_pDocument->TrySaveProject(0)) {
            case SaveOutcome::Saved:
                break;
            case SaveOutcome::Cancelled:
                return false;
            case SaveOutcome::Failed:
                ReportSaveFailure();
                return false;
        }
    }
    // The project counts as loaded until a command really replaces it: a cancelled chooser after this
    // leaves the editor as it was.
    return true;
}

void CLeftPaneView::OnFileNew() {
    if (!AskToSave("Save current project?\n")) {
        return;
    }
    DeleteAllItems();
    m_pDocument->OnNewDocument();
    BuildSkeleton(UnnamedRootLabel);
    // The empty dictionary node counts as expanded, so its context menu offers Collapse once it fills.
    m_bDictionaryExpanded = true;
    m_commands.SetProjectLoaded(false);
}

void CLeftPaneView::OnFileOpen() {
    if (!AskToSave("Save current project?\n")) {
        return;
    }
    // The document keeps its project until a file was read completely, so after a cancelled or failed
    // open the tree still matches it and stays as it is.
    if (m_pDocument->OpenProject() != ProjectFileResult::Done) {
        return;
    }
    ShowOpenedProject();
}

void CLeftPaneView::ShowOpenedProject() {
    DeleteAllItems();
    BuildSkeleton(OpenedProjectRootLabel(m_pDocument->GetPathName()));
    FillDictionary();
    m_commands.SetProjectLoaded(true);
}

void CLeftPaneView::ReportSaveFailure() {
    m_platform.MessageBox(SaveProjectFailureText(m_pDocument->GetPathName()), "Save project", MsgButtons::Ok,
                          MsgIcon::Error);
}

void CLeftPaneView::OnFileSave() {
    if (m_pDocument->SaveProject(0) != ProjectFileResult::Done) {
        ReportSaveFailure();
    }
}

void CLeftPaneView::OnFileSaveAs() {
    if (m_pDocument->SaveProject(1) != ProjectFileResult::Done) {
        ReportSaveFailure();
    }
}

void CLeftPaneView::OnAppExit() {
    if (m_pDocument->SaveModifiedPrompt() == 0) {
        return;
    }
    if (!m_closeMainWindow || !m_closeMainWindow()) {
        m_platform.MessageBox("An error ocurred while closing the application Quillmark!", ApplicationName,
                              MsgButtons::Ok, MsgIcon::Error);
    }
}

void CLeftPaneView::OnImportEds() {
    if (!AskToSave("Save current project?")) {
        return;
    }
    FileChooserRequest request;
    request.open = true;
    request.filter = "EDS Files (*.eds)| *.eds| DCF Files (*.dcf) | *.dcf||";
    request.defaultExtension = "eds";
    request.initialFileName = "*.eds";
    request.options = ChooserOptions;
    const std::optional<std::string> path = m_platform.ChooseFile(request);
    if (!path) {
        return;
    }
    ImportEdsFile(*path);
}

void CLeftPaneView::ImportEdsFile(const std::string& path) {
    RepaintMainWindow();
    m_commands.SetEdsFilePath(path);
    const EdsImportResult result = RunImport(path, ImportMode::Standard);
    // A file refused only for what it lacks can still be read by filling that in, and one whose
    // entries of other data types were left out can be read whole, if the user wants.
    if (!IsLackingRequiredParts(result) && m_pDocument->LastImportLeftOutForType() == 0) {
        return;
    }
    const std::string question = "The file " + path +
                                 " does not meet this editor's requirements. Import it anyway, filling in "
                                 "what is missing?";
    if (m_platform.MessageBox(question, "Import EDS-File", MsgButtons::YesNo, MsgIcon::Question) ==
        MsgResult::Yes) {
        RunImport(path, ImportMode::Lenient);
    }
}

EdsImportResult CLeftPaneView::RunImport(const std::string& path, ImportMode mode) {
    EdsImportResult result = EdsImportResult::Success;
    {
        const WaitCursor wait(m_platform);
        result = m_pDocument->ImportEds(path, mode);
    }
    // A refused file leaves the document's project as it was, and with it this tree and its flags.
    if (m_pDocument->LastImportReplacedProject()) {
        BuildSkeleton(RootLabel(path));
        FillDictionary();
        emit EdsFileImported(path);
    }
    ShowResultMessage(m_platform, result, m_commands.EdsFilePath());
    return result;
}

void CLeftPaneView::OnCreateSources() {
    const std::uint16_t indicesBefore = m_pDocument->GetIndexCount();
    FileChooserRequest request;
    request.open = false;
    request.filter = "Source Files (*.c) |*.c||";
    request.defaultExtension = "c";
    request.initialFileName = "objdict.c";
    request.options = ChooserOptions;
    const std::optional<std::string> path = m_platform.ChooseFile(request);
    if (!path) {
        return;
    }
    RepaintMainWindow();
    m_commands.SetSourceFilePath(*path);
    const GenerationResult result = m_pDocument->GenerateSources(*path);
    if (result == GenOk && m_pDocument->GetIndexCount() > indicesBefore && m_hDictionary != nullptr) {
        {
            const QSignalBlocker blocker(this);
            qDeleteAll(m_hDictionary->takeChildren());
        }
        FillDictionary();
    }
    ShowResultMessage(m_platform, result, m_commands.SourceFilePath(), m_pDocument->LastGenerationNote());
}

void CLeftPaneView::OnCreateEds() {
    FileChooserRequest request;
    request.open = false;
    request.filter = "EDS Files (*.eds)|*.eds||";
    request.defaultExtension = "eds";
    request.initialFileName = "*.eds";
    request.options = ChooserOptions;
    const std::optional<std::string> path = m_platform.ChooseFile(request);
    if (!path) {
        return;
    }
    RepaintMainWindow();
    m_commands.SetEdsFilePath(*path);
    EdsExportResult result = EdsExportResult::Success;
    {
        const WaitCursor wait(m_platform);
        result = m_pDocument->ExportEds(*path);
    }
    ShowResultMessage(m_platform, result, m_commands.EdsFilePath());
}

void CLeftPaneView::OpenFileDirectly(const std::string& path, bool askToSave) {
    OpenFile(path, IsProjectFile(path), askToSave);
}

void CLeftPaneView::OpenRecentFile(const std::string& path, bool project) {
    OpenFile(path, project, true);
}

void CLeftPaneView::OpenFile(const std::string& path, bool project, bool askToSave) {
    if (askToSave && !AskToSave(project ? "Save current project?\n" : "Save current project?")) {
        return;
    }
    if (project) {
        if (m_pDocument->OpenProjectFile(path) == ProjectFileResult::Done) {
            ShowOpenedProject();
        }
    } else {
        ImportEdsFile(path);
    }
    emit CommandStateChanged();
}

void CLeftPaneView::RepaintMainWindow() {
    if (QWidget* main = window(); main != nullptr && main->isVisible()) {
        main->repaint();
    }
}
