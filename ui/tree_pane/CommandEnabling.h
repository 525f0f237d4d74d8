#pragma once

#include <optional>
#include <string>

#include "ui/tree_pane/NodeKind.h"

// What the enabling of the commands depends on: the document's modified flag, the kind of the
// selected node and the tree pane's flags.
struct CommandState {
    bool modified = false;
    bool projectLoaded = false;
    NodeKind selected = NodeKind::None;
    bool canAddSubindex = false;
    bool indexCopied = false;
    bool subindexCopied = false;
    bool canUndo = false;
    bool canRedo = false;

    bool indexSelected() const { return selected == NodeKind::Index; }
    bool subindexSelected() const { return selected == NodeKind::Subindex; }
    bool dictionarySelected() const { return selected == NodeKind::Dictionary; }
    bool fileInfoSelected() const { return selected == NodeKind::FileInfo; }
    bool deviceInfoSelected() const { return selected == NodeKind::DeviceInfo; }
    bool dummyUsageSelected() const { return selected == NodeKind::DummyUsage; }
    bool commentsSelected() const { return selected == NodeKind::Comments; }
};

// Whether the rule of a command allows it now. Commands without a rule are always allowed; the
// caller also disables a command nobody handles.
bool CommandAllowed(int commandId, const CommandState& state);

// The text the Edit command takes for the selected node; nothing when it keeps its current text.
std::optional<std::string> EditCommandText(const CommandState& state);

// The menu text and the tooltip of Undo or Redo for the step it would take: "Undo Add index 0x2000",
// or "Undo" alone when there is none.
struct HistoryCommandText {
    std::string menu;
    std::string toolTip;
};
HistoryCommandText HistoryCommandTexts(int commandId, const std::string& stepLabel);

// The Edit menu's own text, shown until an index or subindex node is first selected.
inline constexpr const char* InitialEditCommandText = "Edit index....";
