#include <QSignalBlocker>
#include <set>

#include "document/CQuillmarkDoc.h"
#include "ui/app/CommandIds.h"
#include "ui/app/QtText.h"
#include "ui/tree_pane/CLeftPaneView.h"
#include "ui/tree_pane/TreeLabels.h"

// Undo and redo. The document puts back a whole content, so the tree builds its dictionary nodes anew,
// keeping the open index nodes open, and selects what the step changed.

void CLeftPaneView::OnUndoRedo(int commandId) {
    const StepTarget selected = SelectedTarget();
    const bool done = commandId == Cmd::Undo ? m_pDocument->Undo() : m_pDocument->Redo();
    if (done) {
        ShowRestoredContent(selected);
    }
}

StepTarget CLeftPaneView::SelectedTarget() const {
    using Kind = StepTarget::Kind;
    QTreeWidgetItem* item = currentItem();
    switch (KindOf(item)) {
        case NodeKind::Index:
            return {Kind::Index, IndexFromItem(item), 0};
        case NodeKind::Subindex:
            return {Kind::Subindex, IndexFromItem(item), SubindexFromItem(item)};
        case NodeKind::FileInfo:
            return {Kind::FileInfo, 0, 0};
        case NodeKind::DeviceInfo:
            return {Kind::DeviceInfo, 0, 0};
        case NodeKind::DummyUsage:
            return {Kind::DummyUsage, 0, 0};
        case NodeKind::Comments:
            return {Kind::Comments, 0, 0};
        default:
            return {};
    }
}

QTreeWidgetItem* CLeftPaneView::NodeForTarget(const StepTarget& target) const {
    using Kind = StepTarget::Kind;
    switch (target.kind) {
        case Kind::FileInfo:
            return m_hFileInfo;
        case Kind::DeviceInfo:
            return m_hDeviceInfo;
        case Kind::DummyUsage:
            return m_hDummyUsage;
        case Kind::Comments:
            return m_hComments;
        case Kind::None:
            return m_hDictionary;
        case Kind::Index:
        case Kind::Subindex:
            break;
    }
    // The subindex, else its index, else the Object Dictionary node.
    for (int i = 0; i < m_hDictionary->childCount(); ++i) {
        QTreeWidgetItem* indexNode = m_hDictionary->child(i);
        if (IndexFromItem(indexNode) != target.index) {
            continue;
        }
        for (int s = 0; target.kind == Kind::Subindex && s < indexNode->childCount(); ++s) {
            if (SubindexFromItem(indexNode->child(s)) == target.subindex) {
                return indexNode->child(s);
            }
        }
        return indexNode;
    }
    return m_hDictionary;
}

void CLeftPaneView::ShowRestoredContent(const StepTarget& selectedBefore) {
    if (m_hDictionary == nullptr) {
        return;
    }
    if (m_pDocument->LastStepReplacedProject()) {
        m_hRoot->setText(0, PathToQt(ProjectRootLabel(m_pDocument->IsNamed(), m_pDocument->GetPathName(),
                                                      m_pDocument->GetImportedPath())));
    }
    std::set<std::uint16_t> open;
    for (int i = 0; i < m_hDictionary->childCount(); ++i) {
        if (m_hDictionary->child(i)->isExpanded()) {
            open.insert(IndexFromItem(m_hDictionary->child(i)));
        }
    }
    {
        // The old nodes go without a selection change: the selection is set once the new ones stand.
        const QSignalBlocker blocker(this);
        qDeleteAll(m_hDictionary->takeChildren());
    }
    AddDictionaryNodes();
    for (int i = 0; i < m_hDictionary->childCount(); ++i) {
        QTreeWidgetItem* indexNode = m_hDictionary->child(i);
        if (indexNode->childCount() > 0 && open.count(IndexFromItem(indexNode)) != 0) {
            ExpandNode(indexNode, true);
        }
    }
    UpdateFilterVisibility();

    // What the step changed is shown; a step without a place of its own keeps the selection.
    const StepTarget& changed = m_pDocument->GetLastStepTarget();
    QTreeWidgetItem* node = NodeForTarget(changed.kind != StepTarget::Kind::None ? changed : selectedBefore);
    if (IsHiddenByFilter(node)) {
        ClearFilter();
    }
    SelectNode(node);
    scrollToItem(node);
    emit FilterChanged();
}
