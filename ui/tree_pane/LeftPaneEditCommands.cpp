#include <QSignalBlocker>
#include <cstdio>
#include <utility>

#include "document/CQuillmarkDoc.h"
#include "platform/Platform.h"
#include "ui/app/CommandIds.h"
#include "ui/tree_pane/CLeftPaneView.h"
#include "ui/tree_pane/TreeLabels.h"

// The dictionary edit commands. Each asks the document to change the dictionary (the document runs
// the index dialog and reports its own conflicts) and then changes only the affected nodes of the tree.

void CLeftPaneView::OnEditCommand(int commandId) {
    if (m_hDictionary == nullptr || (commandId != Cmd::NewIndex && currentItem() == nullptr)) {
        return;
    }
    switch (commandId) {
        case Cmd::NewIndex:
            OnNewIndex();
            break;
        case Cmd::NewSubindex:
            OnNewSubindex();
            break;
        case Cmd::Edit:
            if (m_commands.IsIndexSelected()) {
                OnEditIndex(currentItem());
            } else if (m_commands.IsSubindexSelected()) {
                OnEditSubindex(currentItem());
            }
            break;
        case Cmd::Delete:
            OnDelete(currentItem());
            break;
        case Cmd::Copy:
            OnCopy(currentItem());
            break;
        case Cmd::Paste:
            OnPaste(currentItem());
            break;
        default:
            return;
    }
    FollowCopyBuffer();
}

void CLeftPaneView::FollowCopyBuffer() {
    m_commands.FollowCopyBuffer(m_pDocument->HasCopiedIndex(), m_pDocument->HasCopiedSubindex());
}

QTreeWidgetItem* CLeftPaneView::InsertSorted(QTreeWidgetItem* parent, const std::string& label, Image image,
                                             std::uint16_t index, std::uint16_t subindex) {
    QTreeWidgetItem* item = NewItem(label, image);
    item->setData(0, IndexRole, index);
    item->setData(0, SubindexRole, subindex);
    const auto numbers = [this](const QTreeWidgetItem* node) {
        return std::pair(IndexFromItem(node), SubindexFromItem(node));
    };
    const auto key = numbers(item);
    // The siblings are in number order: a binary search finds the place after every smaller or equal one.
    int low = 0;
    int high = parent->childCount();
    while (low < high) {
        const int middle = (low + high) / 2;
        if (numbers(parent->child(middle)) <= key) {
            low = middle + 1;
        } else {
            high = middle;
        }
    }
    parent->insertChild(low, item);
    return item;
}

void CLeftPaneView::AddSubindexNodes(QTreeWidgetItem* indexNode, const IndexEntry& index) {
    for (std::size_t i = 1; i < index.subindices.size(); ++i) {
        const SubindexEntry& entry = *index.subindices[i];
        InsertSorted(indexNode, SubindexLabel(entry.index, entry.subindex, entry.name), SingleEntry,
                     entry.index, entry.subindex);
    }
}

void CLeftPaneView::RemoveNode(QTreeWidgetItem* node, bool moveSelection) {
    QTreeWidgetItem* parent = node->parent();
    if (parent == nullptr) {
        return;
    }
    // A node that is replaced at once is taken out quietly; a deleted one hands the selection on to its
    // neighbour, which the selection handling then shows.
    std::optional<QSignalBlocker> quiet;
    if (!moveSelection) {
        quiet.emplace(this);
    }
    delete parent->takeChild(parent->indexOfChild(node));
}

void CLeftPaneView::OnNewIndex() {
    std::string label;
    // A failed edit has told the user already (the document shows a conflict itself).
    if (m_pDocument->AddIndex(label) != DocResult::Done) {
        return;
    }
    std::uint16_t index = 0;
    std::uint16_t subindex = 0;
    m_pDocument->GetLastAdded(index, subindex);
    QTreeWidgetItem* node = InsertSorted(m_hDictionary, label, ClosedFolder, index);
    if (!m_bDictionaryExpanded) {
        ExpandNode(m_hDictionary, true);
    }
    setCurrentItem(node);
    m_commands.SetProjectLoaded(true);
    RevealUnderFilter(node);
}

void CLeftPaneView::OnNewSubindex() {
    QTreeWidgetItem* target = m_commands.IsIndexSelected() ? currentItem() : currentItem()->parent();
    if (KindOf(target) != NodeKind::Index) {
        return;
    }
    std::string label;
    if (m_pDocument->AddSubindex(IndexFromItem(target), label) != DocResult::Done) {
        return;
    }
    std::uint16_t index = 0;
    std::uint16_t subindex = 0;
    m_pDocument->GetLastAdded(index, subindex);
    QTreeWidgetItem* node = InsertSorted(target, label, SingleEntry, index, subindex);
    ExpandNode(target, true);
    setCurrentItem(node);
    RevealUnderFilter(node);
}

void CLeftPaneView::OnEditIndex(QTreeWidgetItem* node) {
    if (m_pDocument->EditIndex(IndexFromItem(node)) != DocResult::Done) {
        return;
    }
    IndexEntry* edited = m_pDocument->GetLastEditedIndex();
    RemoveNode(node, false);
    if (edited == nullptr || edited->Header() == nullptr) {
        return;
    }
    // The index may have a new number, so its node goes to its new place, collapsed.
    QTreeWidgetItem* indexNode = InsertSorted(
        m_hDictionary, IndexLabel(edited->index, edited->Header()->name), ClosedFolder, edited->index);
    AddSubindexNodes(indexNode, *edited);
    setCurrentItem(indexNode);
    m_pDocument->EntryEdited(edited->Header());
    RevealUnderFilter(indexNode);
}

void CLeftPaneView::OnEditSubindex(QTreeWidgetItem* node) {
    QTreeWidgetItem* parent = node->parent();
    if (m_pDocument->EditSubindex(IndexFromItem(node), SubindexFromItem(node)) != DocResult::Done) {
        return;
    }
    const SubindexEntry* edited = m_pDocument->GetLastEditedSubindex();
    RemoveNode(node, false);
    if (edited != nullptr) {
        QTreeWidgetItem* editedNode =
            InsertSorted(parent, SubindexLabel(edited->index, edited->subindex, edited->name), SingleEntry,
                         edited->index, edited->subindex);
        setCurrentItem(editedNode);
        RevealUnderFilter(editedNode);
    }
}

void CLeftPaneView::OnDelete(QTreeWidgetItem* node) {
    const std::uint16_t index = IndexFromItem(node);
    if (m_commands.IsIndexSelected()) {
        const char* question =
            node->childCount() > 0
                ? "The index controls further subindices!\nAll subindices of this index will "
                  "also\nbe deleted!\nWould you really delete this index?\n"
                : "Index really delete?";
        if (m_platform.MessageBox(question, "Delete index", MsgButtons::YesNo, MsgIcon::Exclamation) !=
            MsgResult::Yes) {
            return;
        }
        if (m_pDocument->DeleteIndex(index) != 0) {
            RemoveNode(node, true);
        }
        if (IsFiltering()) {
            ApplyFilter();
        }
        return;
    }
    if (!m_commands.IsSubindexSelected() ||
        m_platform.MessageBox("Subindex really delete?", "Delete subindex", MsgButtons::YesNo,
                              MsgIcon::Exclamation) != MsgResult::Yes) {
        return;
    }
    const std::uint16_t subindex = SubindexFromItem(node);
    if (m_pDocument->DeleteSubindex(index, subindex) == 0) {
        char text[80];
        std::snprintf(text, sizeof text, "The subindex 0x%04X, 0x%02X couldn't be deleted!", unsigned{index},
                      unsigned{subindex});
        m_platform.MessageBox(text, "Delete subindex", MsgButtons::Ok, MsgIcon::Error);
        return;
    }
    QTreeWidgetItem* indexNode = node->parent();
    RemoveNode(node, true);
    if (indexNode->childCount() == 0) {
        SetImages(indexNode, ClosedFolder);
    }
    if (IsFiltering()) {
        ApplyFilter();
    }
}

void CLeftPaneView::OnCopy(QTreeWidgetItem* node) {
    m_commands.Copied(node->data(0, ImageRole).toInt(), node->data(0, SelectedImageRole).toInt());
    if (m_commands.IsIndexSelected()) {
        m_pDocument->CopyIndex(IndexFromItem(node));
    } else if (m_commands.IsSubindexSelected()) {
        m_pDocument->CopySubindex(IndexFromItem(node), SubindexFromItem(node));
    }
}

void CLeftPaneView::OnPaste(QTreeWidgetItem* node) {
    QTreeWidgetItem* target = node->parent();
    const auto copiedImage = static_cast<Image>(m_commands.CopiedImage());
    if (m_commands.IsIndexSelected()) {
        const DocResult result = m_pDocument->PasteIndex();
        const IndexEntry* pasted = m_pDocument->GetLastPastedIndex();
        if (result != DocResult::Done || pasted == nullptr || pasted->Header() == nullptr) {
            return;
        }
        QTreeWidgetItem* pastedNode = InsertSorted(target, IndexLabel(pasted->index, pasted->Header()->name),
                                                   copiedImage, pasted->index);
        pastedNode->setData(0, SelectedImageRole, m_commands.CopiedSelectedImage());
        AddSubindexNodes(pastedNode, *pasted);
        // A node copied while it was open comes back open; without subindices there is nothing to open.
        if (copiedImage == OpenFolder) {
            if (pastedNode->childCount() > 0) {
                ExpandNode(pastedNode, true);
            } else {
                SetImages(pastedNode, ClosedFolder);
            }
        }
        RevealUnderFilter(pastedNode);
    } else if (m_commands.IsSubindexSelected()) {
        if (m_pDocument->PasteSubindex(IndexFromItem(node)) != DocResult::Done) {
            return;
        }
        const SubindexEntry* pasted = m_pDocument->GetLastPastedSubindex();
        if (pasted != nullptr) {
            QTreeWidgetItem* pastedNode =
                InsertSorted(target, SubindexLabel(pasted->index, pasted->subindex, pasted->name),
                             copiedImage, pasted->index, pasted->subindex);
            pastedNode->setData(0, SelectedImageRole, m_commands.CopiedSelectedImage());
            RevealUnderFilter(pastedNode);
        }
    }
}
