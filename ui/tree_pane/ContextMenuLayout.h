#pragma once

#include <string>
#include <vector>

#include "ui/tree_pane/NodeKind.h"

// One item of a context menu; id 0 is a separator.
struct ContextMenuItem {
    int id = 0;
    std::string text;
    bool grayed = false;
};

struct ContextMenuLayout {
    std::string name;
    std::vector<ContextMenuItem> items;
};

// What the context menus' enabling depends on.
struct ContextMenuState {
    bool hasChildren = false;
    bool rootExpanded = false;
    bool dictionaryExpanded = false;
    bool canAddSubindex = false;
    bool indexCopied = false;
    bool subindexCopied = false;
};

// The popup for a node kind with its items and their enabling; no items for NodeKind::None.
ContextMenuLayout ContextMenuFor(NodeKind kind, const ContextMenuState& state);
