#include <QSignalBlocker>
#include <set>
#include <utility>

#include "document/CQuillmarkDoc.h"
#include "ui/app/CommandIds.h"
#include "ui/app/QtText.h"
#include "ui/tree_pane/CLeftPaneView.h"
#include "ui/tree_pane/TreeLabels.h"

// Undo and redo. The document puts back a whole content, so the tree builds its dictionary nodes anew,
// keeping the open index nodes open, and selects what the step changed.

namespace {

// The section nodes and what a step calls them.
constexpr std::pair<NodeKind, StepTarget::Kind> SectionKinds[] = {
    {NodeKind::FileInfo, StepTarget::Kind::FileInfo},
    {NodeKind::DeviceInfo, StepTarget::Kind::DeviceInfo},
    {NodeKind::DummyUsage, StepTarget::Kind::DummyUsage},
    {NodeKind::Comments, StepTarget::Kind::Comments},
};

}  // namespace

void CLeftPaneView::OnUndoRedo(int commandId) {
    const StepTarget selected = SelectedTarget();
    const bool done = commandId == Cmd::Undo ? m_pDocument->Undo() : m_pDocument->Redo();
    if (done) {
        ShowRestoredContent(selected);
    }
}

StepTarget CLeftPaneView::SelectedTarget() const {
    QTreeWidgetItem* item = currentItem();
    const NodeKind kind = KindOf(item);
    if (kind == NodeKind::Index) {
        return {StepTarget::Kind::Index, IndexFromItem(item), 0};
    }
    if (kind == NodeKind::Subindex) {
        return {StepTarget::Kind::Subindex, IndexFromItem(item), SubindexFromItem(item)};
    }
    for (const auto& [node, target] : SectionKinds) {
        if (node == kind) {
            return {target, 0, 0};
        }
    }
    return {};
}

QTreeWidgetItem* CLeftPaneView::NodeForTarget(const StepTarget& target) const {
    for (const auto& [node, section] : SectionKinds) {
        if (section == target.kind) {
            return SectionItem(node);
        }
    }
    if (target.kind == StepTarget::Kind::None) {
        return m_hDictionary;
    }
    // The subindex, else its index, else the Object Dictionary node.
    for (int i = 0; i < m_hDictionary->childCount(); ++i) {
        QTreeWidgetItem* indexNode = m_hDictionary->child(i);
        if (IndexFromItem(indexNode) != target.index) {
            continue;
        }
        for (int s = 0; target.kind == StepTarget::Kind::Subindex && s < indexNode->childCount(); ++s) {
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
