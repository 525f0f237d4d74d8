#include "ui/tree_pane/TreeCommandController.h"

#include "ui/app/CommandIds.h"

namespace {

enum class Family { None, File, Tree, Section, Edit, History };

Family FamilyOf(int commandId) {
    switch (commandId) {
        case Cmd::New:
        case Cmd::Open:
        case Cmd::Save:
        case Cmd::SaveAs:
        case Cmd::Exit:
        case Cmd::ImportEds:
        case Cmd::CreateSources:
        case Cmd::CreateEds:
        case Cmd::CreateDocumentation:
        case Cmd::ImportXdd:
        case Cmd::CreateXdd:
            return Family::File;
        case Cmd::ExpandRoot:
        case Cmd::CollapseRoot:
        case Cmd::ExpandDictionary:
        case Cmd::CollapseDictionary:
        case Cmd::Filter:
            return Family::Tree;
        case Cmd::FileInfo:
        case Cmd::DeviceInfo:
        case Cmd::DummyUsage:
        case Cmd::Comments:
            return Family::Section;
        case Cmd::NewIndex:
        case Cmd::NewSubindex:
        case Cmd::Edit:
        case Cmd::Delete:
        case Cmd::Copy:
        case Cmd::Paste:
            return Family::Edit;
        case Cmd::Undo:
        case Cmd::Redo:
            return Family::History;
        default:
            return Family::None;
    }
}

}  // namespace

bool TreeCommandController::HasHandler(int commandId) {
    return FamilyOf(commandId) != Family::None;
}

CommandState TreeCommandController::GetCommandState() const {
    CommandState state;
    state.modified = m_target.IsModified();
    state.projectLoaded = m_bProjectLoaded;
    state.selected = m_selected;
    state.canAddSubindex = m_bCanAddSubindex;
    state.indexCopied = m_bIndexCopied;
    state.subindexCopied = m_bSubindexCopied;
    state.canUndo = m_target.CanUndo();
    state.canRedo = m_target.CanRedo();
    return state;
}

bool TreeCommandController::IsCommandEnabled(int commandId) const {
    return HasHandler(commandId) && CommandAllowed(commandId, GetCommandState());
}

void TreeCommandController::OnCommand(int commandId) {
    if (!IsCommandEnabled(commandId)) {
        return;
    }
    switch (FamilyOf(commandId)) {
        case Family::File:
            m_target.RunFileCommand(commandId);
            break;
        case Family::Tree:
            m_target.RunTreeCommand(commandId);
            break;
        case Family::Section:
            m_target.RunSectionCommand(commandId);
            break;
        case Family::Edit:
            m_target.RunEditCommand(commandId);
            break;
        case Family::History:
            m_target.RunHistoryCommand(commandId);
            break;
        case Family::None:
            return;
    }
    m_target.CommandsChanged();
}

void TreeCommandController::Select(NodeKind kind, bool canAddSubindex) {
    m_selected = kind;
    m_bCanAddSubindex = canAddSubindex;
    if (const auto text = EditCommandText(GetCommandState())) {
        m_strEditText = *text;
    }
}

void TreeCommandController::Copied(int image, int selectedImage) {
    m_nCopiedImage = image;
    m_nCopiedSelectedImage = selectedImage;
    if (IsIndexSelected() || IsSubindexSelected()) {
        m_bIndexCopied = IsIndexSelected();
        m_bSubindexCopied = IsSubindexSelected();
    }
}

void TreeCommandController::FollowCopyBuffer(bool documentHoldsIndex, bool documentHoldsSubindex) {
    // Paste is offered only while the document still holds what the last Copy copied.
    m_bIndexCopied = m_bIndexCopied && documentHoldsIndex;
    m_bSubindexCopied = m_bSubindexCopied && documentHoldsSubindex;
}
