#include "ui/tree_pane/CommandEnabling.h"

#include "ui/app/CommandIds.h"

bool CommandAllowed(int commandId, const CommandState& state) {
    const bool entrySelected = state.indexSelected() || state.subindexSelected();
    switch (commandId) {
        case Cmd::Save:
            return state.modified;
        case Cmd::SaveAs:
        case Cmd::CreateSources:
        case Cmd::CreateEds:
        case Cmd::CreateDocumentation:
        case Cmd::CreateXdd:
            return state.projectLoaded;
        case Cmd::NewIndex:
            return state.indexSelected() || state.dictionarySelected();
        case Cmd::NewSubindex:
            return state.subindexSelected() || state.canAddSubindex;
        case Cmd::Edit:
        case Cmd::Copy:
        case Cmd::Delete:
            return entrySelected;
        case Cmd::Paste:
            return (state.indexCopied && state.indexSelected()) ||
                   (state.subindexCopied && state.subindexSelected());
        case Cmd::FileInfo:
            return state.fileInfoSelected();
        case Cmd::DeviceInfo:
            return state.deviceInfoSelected();
        case Cmd::DummyUsage:
            return state.dummyUsageSelected();
        case Cmd::Comments:
            return state.commentsSelected();
        case Cmd::Undo:
            return state.canUndo;
        case Cmd::Redo:
            return state.canRedo;
        default:
            return true;
    }
}

HistoryCommandText HistoryCommandTexts(int commandId, const std::string& stepLabel) {
    const bool undo = commandId == Cmd::Undo;
    HistoryCommandText text;
    text.toolTip = undo ? "Undo" : "Redo";
    if (!stepLabel.empty()) {
        text.toolTip += " " + stepLabel;
    }
    text.menu = text.toolTip + (undo ? "\tCtrl+Z" : "\tCtrl+Y");
    return text;
}

std::optional<std::string> EditCommandText(const CommandState& state) {
    if (state.indexSelected()) {
        return "Edit index...";
    }
    if (state.subindexSelected()) {
        return "Edit subindex...";
    }
    return std::nullopt;
}
