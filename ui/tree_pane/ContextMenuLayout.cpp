#include "ui/tree_pane/ContextMenuLayout.h"

#include "ui/app/CommandIds.h"

namespace {

const ContextMenuItem Separator{};

// Expand and Collapse of a node: both grayed without children, otherwise the one that does nothing.
void AddExpandCollapse(ContextMenuLayout& menu, int expandId, int collapseId, bool hasChildren,
                       bool expanded) {
    menu.items.push_back({expandId, "Expand", !hasChildren || expanded});
    menu.items.push_back({collapseId, "Collapse", !hasChildren || !expanded});
}

}  // namespace

ContextMenuLayout ContextMenuFor(NodeKind kind, const ContextMenuState& state) {
    ContextMenuLayout menu;
    switch (kind) {
        case NodeKind::Root:
            menu.name = "Root";
            AddExpandCollapse(menu, Cmd::ExpandRoot, Cmd::CollapseRoot, state.hasChildren,
                              state.rootExpanded);
            break;
        case NodeKind::Dictionary:
            menu.name = "Object Dictionary";
            AddExpandCollapse(menu, Cmd::ExpandDictionary, Cmd::CollapseDictionary, state.hasChildren,
                              state.dictionaryExpanded);
            menu.items.push_back(Separator);
            menu.items.push_back({Cmd::NewIndex, "New index...", false});
            break;
        case NodeKind::Index:
            menu.name = "Index";
            menu.items = {{Cmd::NewIndex, "New index...", false},
                          {Cmd::Edit, "Edit index...", false},
                          Separator,
                          {Cmd::NewSubindex, "New subindex...", !state.canAddSubindex},
                          Separator,
                          {Cmd::Copy, "Copy...\tCtrl+C", false},
                          {Cmd::Paste, "Paste..\tCtrl+V", !state.indexCopied},
                          {Cmd::Delete, "Delete...\tDel", false}};
            break;
        case NodeKind::Subindex:
            menu.name = "Subindex";
            menu.items = {{Cmd::NewSubindex, "New subindex...", false},
                          {Cmd::Edit, "Edit subindex...", false},
                          Separator,
                          {Cmd::Copy, "Copy...\tCtrl+C", false},
                          {Cmd::Paste, "Paste...\tCtrl+V", !state.subindexCopied},
                          {Cmd::Delete, "Delete...\tDel", false}};
            break;
        case NodeKind::DeviceInfo:
            menu.name = "DevicInfo";
            menu.items = {{Cmd::DeviceInfo, "Edit section \"DeviceInfo\"...", false}};
            break;
        case NodeKind::FileInfo:
            menu.name = "FileInfo";
            menu.items = {{Cmd::FileInfo, "Edit section \"FileInfo\"...", false}};
            break;
        case NodeKind::DummyUsage:
            menu.name = "DummyUsage";
            menu.items = {{Cmd::DummyUsage, "Edit section \"DummyUsage\"...", false}};
            break;
        case NodeKind::Comments:
            menu.name = "Comments";
            menu.items = {{Cmd::Comments, "Edit section \"Comments...\"", false}};
            break;
        case NodeKind::None:
            break;
    }
    return menu;
}
