#pragma once

#include <optional>
#include <string>

// What the enabling of the commands depends on: the document's modified flag and the tree pane's
// flags.
struct CommandState {
    bool modified = false;
    bool projectLoaded = false;
    bool indexSelected = false;
    bool subindexSelected = false;
    bool dictionarySelected = false;
    bool fileInfoSelected = false;
    bool deviceInfoSelected = false;
    bool dummyUsageSelected = false;
    bool commentsSelected = false;
    bool canAddSubindex = false;
    bool indexCopied = false;
    bool subindexCopied = false;
    bool canUndo = false;
    bool canRedo = false;
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
