#include "document/CQuillmarkDoc.h"
#include "ui/app/QtText.h"
#include "ui/tree_pane/CLeftPaneView.h"
#include "ui/tree_pane/CTreeFilterBar.h"

// The filter of the object tree: index and subindex nodes that do not match are hidden, the file and
// section nodes always stay. The selection never stays on a hidden node, so the edit commands act only
// on what is shown.

namespace {

void SetFlag(QTreeWidgetItem* node, int role, bool on) {
    if (node->data(0, role).toBool() != on) {
        node->setData(0, role, on ? QVariant(true) : QVariant());
    }
}

}  // namespace

void CLeftPaneView::SetFilterBar(CTreeFilterBar* filterBar) {
    m_pFilterBar = filterBar;
    connect(filterBar, &CTreeFilterBar::TextChanged, this, &CLeftPaneView::SetFilterText);
    connect(filterBar, &CTreeFilterBar::NextMatchRequested, this, &CLeftPaneView::SelectNextMatch);
    connect(filterBar, &CTreeFilterBar::CloseRequested, this, &CLeftPaneView::CloseFilter);
}

std::string CLeftPaneView::FilterStatus() const {
    if (!IsFiltering()) {
        return {};
    }
    return FilterStatusText(m_nShownIndices, m_hDictionary != nullptr ? m_hDictionary->childCount() : 0);
}

void CLeftPaneView::OpenFilter() {
    if (m_pFilterBar != nullptr) {
        m_pFilterBar->Open();
    }
}

void CLeftPaneView::SetFilterText(const QString& text) {
    // The typed text is compared in the document's own form of text.
    m_filter = TreeFilter(m_qtText.FromQt(text), m_qtText.Encoding());
    ApplyFilter();
}

void CLeftPaneView::ClearFilter() {
    if (m_pFilterBar != nullptr) {
        m_pFilterBar->ClearQuietly();
    }
    m_filter = TreeFilter();
    ApplyFilter();
}

void CLeftPaneView::CloseFilter() {
    ClearFilter();
    if (m_pFilterBar != nullptr) {
        m_pFilterBar->hide();
    }
    setFocus(Qt::ShortcutFocusReason);
}

void CLeftPaneView::UpdateFilterVisibility() {
    m_nShownIndices = 0;
    if (m_hDictionary == nullptr) {
        return;
    }
    const bool filtering = IsFiltering();
    const QTreeWidgetItem* current = currentItem();
    setUpdatesEnabled(false);
    // Most nodes keep their state from one keystroke to the next, and the view is left alone then. Before
    // the first change a layout of the whole tree is put off until the pass is done, so the view only
    // notes each node shown, hidden, opened or closed rather than laying out its rows for every one.
    bool layoutPending = false;
    const auto change = [this, &layoutPending] {
        if (!layoutPending) {
            scheduleDelayedItemsLayout();
            layoutPending = true;
        }
    };
    const auto setShown = [&change](QTreeWidgetItem* node, bool shown) {
        if (node->data(0, FilterHiddenRole).toBool() == shown) {
            change();
            node->setHidden(!shown);
            SetFlag(node, FilterHiddenRole, !shown);
        }
    };
    for (int i = 0; i < m_hDictionary->childCount(); ++i) {
        QTreeWidgetItem* node = m_hDictionary->child(i);
        IndexFilterMatch match;
        if (!filtering) {
            match.visible = match.itself = true;
        } else if (const IndexEntry* index = m_pDocument->FindIndex(IndexFromItem(node))) {
            match = m_filter.Match(*index);
        }
        setShown(node, match.visible);
        SetFlag(node, FilterMatchRole, filtering && match.itself);
        // An index shown for its subindices is opened to show them; the filter closes what it opened
        // once it is no longer needed, unless the selection is inside.
        const bool openForMatch = match.visible && !match.itself;
        if (openForMatch && !node->isExpanded()) {
            change();
            SetFlag(node, FilterExpandedRole, true);
            // The view's signal brings the open folder image.
            node->setExpanded(true);
        } else if (!openForMatch && node->data(0, FilterExpandedRole).toBool()) {
            SetFlag(node, FilterExpandedRole, false);
            if (current == nullptr || current->parent() != node) {
                change();
                node->setExpanded(false);
            }
        }
        if (!match.visible) {
            continue;
        }
        ++m_nShownIndices;
        for (int s = 0; s < node->childCount(); ++s) {
            QTreeWidgetItem* child = node->child(s);
            const bool shown = match.itself || match.ShowsSubindex(SubindexFromItem(child));
            setShown(child, shown);
            SetFlag(child, FilterMatchRole, filtering && !match.itself && shown);
        }
    }
    if (filtering && !m_hDictionary->isExpanded()) {
        ExpandNode(m_hDictionary, true);
    }
    setUpdatesEnabled(true);
}

void CLeftPaneView::ApplyFilter() {
    UpdateFilterVisibility();
    KeepSelectionVisible();
    emit FilterChanged();
}

bool CLeftPaneView::IsHiddenByFilter(const QTreeWidgetItem* node) const {
    for (; node != nullptr; node = node->parent()) {
        if (node->isHidden()) {
            return true;
        }
    }
    return false;
}

void CLeftPaneView::KeepSelectionVisible() {
    QTreeWidgetItem* current = currentItem();
    if (current == nullptr || !IsHiddenByFilter(current)) {
        if (current != nullptr) {
            scrollToItem(current);
        }
        return;
    }
    // Only index and subindex nodes are ever hidden. A hidden subindex hands the selection to its index;
    // a hidden index to the nearest shown one after it, else before it.
    QTreeWidgetItem* indexNode = KindOf(current) == NodeKind::Subindex ? current->parent() : current;
    QTreeWidgetItem* nearest = indexNode->isHidden() ? nullptr : indexNode;
    const int at = m_hDictionary->indexOfChild(indexNode);
    for (int i = at + 1; nearest == nullptr && i < m_hDictionary->childCount(); ++i) {
        nearest = m_hDictionary->child(i)->isHidden() ? nullptr : m_hDictionary->child(i);
    }
    for (int i = at - 1; nearest == nullptr && i >= 0; --i) {
        nearest = m_hDictionary->child(i)->isHidden() ? nullptr : m_hDictionary->child(i);
    }
    SelectNode(nearest != nullptr ? nearest : m_hDictionary);
    scrollToItem(currentItem());
}

void CLeftPaneView::SelectNextMatch() {
    if (!IsFiltering() || m_hDictionary == nullptr) {
        return;
    }
    QTreeWidgetItem* start = currentItem();
    // The nodes after the selection, then from the top of the dictionary round to it.
    QTreeWidgetItem* next = start != nullptr ? itemBelow(start) : nullptr;
    for (int pass = 0; pass < 2; ++pass) {
        for (; next != nullptr; next = itemBelow(next)) {
            if (next->data(0, FilterMatchRole).toBool()) {
                SelectNode(next);
                scrollToItem(next);
                return;
            }
            if (next == start) {
                return;
            }
        }
        next = itemBelow(m_hDictionary);
    }
}

void CLeftPaneView::RevealUnderFilter(QTreeWidgetItem* node) {
    if (!IsFiltering() || node == nullptr) {
        return;
    }
    UpdateFilterVisibility();
    if (IsHiddenByFilter(node)) {
        ClearFilter();
        SelectNode(node);
        scrollToItem(node);
        return;
    }
    KeepSelectionVisible();
    emit FilterChanged();
}
