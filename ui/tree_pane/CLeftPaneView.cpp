#include "ui/tree_pane/CLeftPaneView.h"

#include <QContextMenuEvent>
#include <QHeaderView>
#include <QKeyEvent>
#include <QMenu>
#include <QMouseEvent>
#include <QResizeEvent>
#include <QTimer>

#include "document/CQuillmarkDoc.h"
#include "ui/app/CommandIds.h"
#include "ui/app/FocusFrame.h"
#include "ui/app/IconFactory.h"
#include "ui/app/QtText.h"
#include "ui/right_pane/CRightPaneView.h"
#include "ui/tree_pane/CTreeFilterBar.h"
#include "ui/tree_pane/CachingItemDelegate.h"
#include "ui/tree_pane/TreeLabels.h"

CLeftPaneView::CLeftPaneView(CQuillmarkDoc& document, Platform& platform, QWidget* parent)
    : QTreeWidget(parent), m_pDocument(&document), m_platform(platform), m_qtText(document) {
    setObjectName(QStringLiteral("treePane"));
    setHeaderHidden(true);
    setColumnCount(1);
    setRootIsDecorated(true);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setDragDropMode(QAbstractItemView::NoDragDrop);
    setUniformRowHeights(true);
    setIconSize(QSize(16, 16));
    header()->setSectionResizeMode(QHeaderView::ResizeToContents);
    header()->setStretchLastSection(false);
    setContextMenuPolicy(Qt::DefaultContextMenu);
    // A sunken border as wide as the focus frame, which covers it while the tree has the focus.
    setFrameStyle(QFrame::Panel | QFrame::Sunken);
    setLineWidth(FocusFrameWidth);
    ShowFocusFrame(this);
    m_pDelegate = new CachingItemDelegate(this);
    setItemDelegate(m_pDelegate);
    // Drawn once: a large dictionary has tens of thousands of nodes.
    m_images = {Icons::ClosedFolder(), Icons::OpenFolder(), Icons::SingleEntry()};

    connect(this, &QTreeWidget::currentItemChanged, this,
            [this](QTreeWidgetItem* current, QTreeWidgetItem*) { OnSelectionChanging(current); });
    connect(this, &QTreeWidget::itemExpanded, this, &CLeftPaneView::OnItemExpanded);
    connect(this, &QTreeWidget::itemCollapsed, this, &CLeftPaneView::OnItemCollapsed);
    connect(this, &QTreeWidget::itemDoubleClicked, this,
            [this](QTreeWidgetItem* item, int) { OnItemDoubleClicked(item); });
    m_pDocument->AddView(this);
}

CLeftPaneView::~CLeftPaneView() {
    // The base class deletes the nodes after this object's members are gone; the selection handling
    // must not run then.
    blockSignals(true);
    m_pDocument->RemoveView(this);
}

QTreeWidgetItem* CLeftPaneView::NewItem(const std::string& label, Image image) {
    auto* item = new QTreeWidgetItem(QStringList{m_qtText.ToQt(label)});
    SetImages(item, image);
    return item;
}

void CLeftPaneView::SetImages(QTreeWidgetItem* item, Image image) {
    item->setData(0, ImageRole, static_cast<int>(image));
    item->setData(0, SelectedImageRole, static_cast<int>(image));
    item->setIcon(0, m_images[static_cast<std::size_t>(image)]);
}

void CLeftPaneView::DeleteAllItems() {
    // Deleting the nodes is not a selection by the user: the selection handling stays out of it.
    const QSignalBlocker blocker(this);
    clear();
    m_hRoot = m_hFileInfo = m_hDeviceInfo = m_hDummyUsage = m_hComments = m_hDictionary = nullptr;
    m_pDelegate->Forget();
    m_bRootExpanded = false;
    m_bDictionaryExpanded = false;
    // A new tree starts whole.
    if (IsFiltering()) {
        m_filter = TreeFilter();
        m_nShownIndices = 0;
        if (m_pFilterBar != nullptr) {
            m_pFilterBar->ClearQuietly();
        }
        emit FilterChanged();
    }
}

void CLeftPaneView::BuildSkeleton(const std::string& rootText) {
    DeleteAllItems();
    m_hRoot = NewItem(RootLabel(rootText), ClosedFolder);
    // The root names a file, so its label keeps the file system's form of the name.
    m_hRoot->setText(0, PathToQt(RootLabel(rootText)));
    addTopLevelItem(m_hRoot);
    m_hFileInfo = NewItem("FileInfo", ClosedFolder);
    m_hDeviceInfo = NewItem("DeviceInfo", ClosedFolder);
    m_hDummyUsage = NewItem("DummyUsage", ClosedFolder);
    m_hComments = NewItem("Comments", ClosedFolder);
    m_hDictionary = NewItem("ObjectDictionary", ClosedFolder);
    m_hRoot->addChildren({m_hFileInfo, m_hDeviceInfo, m_hDummyUsage, m_hComments, m_hDictionary});
    expandItem(m_hRoot);
    setCurrentItem(m_hDictionary);
}

void CLeftPaneView::FillDictionary() {
    if (m_hDictionary == nullptr) {
        return;
    }
    AddDictionaryNodes();
    if (m_hDictionary->childCount() > 0) {
        setCurrentItem(m_hDictionary->child(0));
    }
    expandItem(m_hDictionary);
    m_bDictionaryExpanded = true;
    m_commands.SetProjectLoaded(true);
    if (IsFiltering()) {
        ApplyFilter();
    }
    emit CommandStateChanged();
}

namespace {

// A node of the dictionary as the tree is filled: it keeps its numbers in two fields and answers their
// roles from there. Setting them as data would copy, for each of tens of thousands of nodes, the
// images it shares with its prototype.
class DictionaryNode : public QTreeWidgetItem {
public:
    DictionaryNode(const QTreeWidgetItem& prototype, std::uint16_t index, std::uint16_t subindex)
        : QTreeWidgetItem(prototype), m_index(index), m_subindex(subindex) {}

    QVariant data(int column, int role) const override {
        if (column == 0 && role == CLeftPaneView::IndexRole) {
            return QVariant::fromValue(m_index);
        }
        if (column == 0 && role == CLeftPaneView::SubindexRole) {
            return QVariant::fromValue(m_subindex);
        }
        return QTreeWidgetItem::data(column, role);
    }

    void setData(int column, int role, const QVariant& value) override {
        if (column == 0 && role == CLeftPaneView::IndexRole) {
            m_index = static_cast<std::uint16_t>(value.toUInt());
        } else if (column == 0 && role == CLeftPaneView::SubindexRole) {
            m_subindex = static_cast<std::uint16_t>(value.toUInt());
        } else {
            QTreeWidgetItem::setData(column, role, value);
        }
    }

    QTreeWidgetItem* clone() const override {
        auto* copy = new DictionaryNode(*this, m_index, m_subindex);
        for (int i = 0; i < childCount(); ++i) {
            copy->addChild(child(i)->clone());
        }
        return copy;
    }

private:
    std::uint16_t m_index;
    std::uint16_t m_subindex;
};

}  // namespace

void CLeftPaneView::AddDictionaryNodes() {
    // Nodes are copies of one prototype per kind: the copies share its images, which each node would
    // otherwise set anew, three roles at a time, tens of thousands of times.
    QTreeWidgetItem indexPrototype;
    SetImages(&indexPrototype, ClosedFolder);
    QTreeWidgetItem subindexPrototype;
    SetImages(&subindexPrototype, SingleEntry);
    const auto newNode = [this](const QTreeWidgetItem& prototype, const std::string& label,
                                std::uint16_t index, std::uint16_t subindex) {
        auto* node = new DictionaryNode(prototype, index, subindex);
        node->setText(0, m_qtText.ToQt(label));
        return node;
    };
    QList<QTreeWidgetItem*> indexNodes;
    const std::uint16_t indexCount = m_pDocument->GetIndexCount();
    indexNodes.reserve(indexCount);
    for (std::uint16_t position = 0; position < indexCount; ++position) {
        QTreeWidgetItem* indexNode = nullptr;
        const std::uint16_t entryCount = m_pDocument->GetEntryCount(position);
        for (std::uint16_t entry = 0; entry < entryCount; ++entry) {
            const std::string label = m_pDocument->GetTreeLabel(position, entry);
            const SubindexEntry* read = m_pDocument->GetEntryAt(position, entry);
            const std::uint16_t index = read != nullptr ? read->index : 0;
            if (entry == 0) {
                indexNode = newNode(indexPrototype, label, index, 0);
                indexNodes.push_back(indexNode);
            } else {
                indexNode->addChild(
                    newNode(subindexPrototype, label, index, read != nullptr ? read->subindex : 0));
            }
        }
    }
    m_hDictionary->addChildren(indexNodes);
}

void CLeftPaneView::SelectNode(QTreeWidgetItem* node) {
    if (node == currentItem()) {
        OnSelectionChanging(node);
    } else {
        setCurrentItem(node);
    }
}

// Nodes outside the dictionary carry no numbers and read as 0.
std::uint16_t CLeftPaneView::IndexFromItem(const QTreeWidgetItem* item) const {
    return item == nullptr ? 0 : static_cast<std::uint16_t>(item->data(0, IndexRole).toUInt());
}

std::uint16_t CLeftPaneView::SubindexFromItem(const QTreeWidgetItem* item) const {
    return item == nullptr ? 0 : static_cast<std::uint16_t>(item->data(0, SubindexRole).toUInt());
}

NodeKind CLeftPaneView::KindOf(const QTreeWidgetItem* item) const {
    if (item == nullptr) {
        return NodeKind::None;
    }
    if (item == m_hRoot) {
        return NodeKind::Root;
    }
    if (item == m_hFileInfo) {
        return NodeKind::FileInfo;
    }
    if (item == m_hDeviceInfo) {
        return NodeKind::DeviceInfo;
    }
    if (item == m_hDummyUsage) {
        return NodeKind::DummyUsage;
    }
    if (item == m_hComments) {
        return NodeKind::Comments;
    }
    if (item == m_hDictionary) {
        return NodeKind::Dictionary;
    }
    if (item->parent() != nullptr && item->parent() == m_hDictionary) {
        return NodeKind::Index;
    }
    return NodeKind::Subindex;
}

QTreeWidgetItem* CLeftPaneView::SectionItem(NodeKind kind) const {
    switch (kind) {
        case NodeKind::FileInfo:
            return m_hFileInfo;
        case NodeKind::DeviceInfo:
            return m_hDeviceInfo;
        case NodeKind::DummyUsage:
            return m_hDummyUsage;
        case NodeKind::Comments:
            return m_hComments;
        default:
            return nullptr;
    }
}

void CLeftPaneView::OnSelectionChanging(QTreeWidgetItem* item) {
    const NodeKind kind = KindOf(item);
    // The state first, as the views that the show requests reach may ask for it.
    m_commands.Select(
        kind, kind == NodeKind::Subindex ||
                  (kind == NodeKind::Index && m_pDocument->MayHoldSubindices(IndexFromItem(item)) != 0));
    int form = CRightPaneView::IndexParam;
    switch (kind) {
        case NodeKind::DeviceInfo:
            m_pDocument->ShowDeviceInfo();
            form = CRightPaneView::DeviceInfo;
            break;
        case NodeKind::FileInfo:
            m_pDocument->ShowFileInfo();
            form = CRightPaneView::FileInfo;
            break;
        case NodeKind::DummyUsage:
            m_pDocument->ShowDummyUsage();
            form = CRightPaneView::DummyUsage;
            break;
        case NodeKind::Comments:
            m_pDocument->ShowComments();
            form = CRightPaneView::Comments;
            break;
        case NodeKind::Index: {
            const std::uint16_t index = IndexFromItem(item);
            m_pDocument->ShowIndex(index);
            m_pDocument->ShowEntry(index, item->childCount() > 0 ? HeaderStructured : FirstEntry);
            break;
        }
        case NodeKind::Dictionary:
            // The node stands for no index, so the fields of the one shown last go.
            m_pDocument->ShowIndex(0);
            break;
        case NodeKind::Subindex:
            // The index first: a subindex shows its own index's category, wherever the selection came from.
            m_pDocument->ShowIndex(IndexFromItem(item));
            m_pDocument->ShowEntry(IndexFromItem(item), SubindexFromItem(item));
            break;
        case NodeKind::Root:
        case NodeKind::None:
            break;
    }
    if (m_pRightPane != nullptr) {
        m_pRightPane->ShowForm(form);
    }
    emit CommandStateChanged();
}

bool CLeftPaneView::IsModified() const {
    return m_pDocument->IsModified();
}

bool CLeftPaneView::CanUndo() const {
    return m_pDocument->CanUndo();
}

bool CLeftPaneView::CanRedo() const {
    return m_pDocument->CanRedo();
}

void CLeftPaneView::RunTreeCommand(int commandId) {
    switch (commandId) {
        case Cmd::ExpandRoot:
        case Cmd::CollapseRoot:
            ExpandNode(m_hRoot, commandId == Cmd::ExpandRoot);
            break;
        case Cmd::ExpandDictionary:
        case Cmd::CollapseDictionary:
            ExpandNode(m_hDictionary, commandId == Cmd::ExpandDictionary);
            break;
        case Cmd::Filter:
            OpenFilter();
            break;
        default:
            break;
    }
}

void CLeftPaneView::OnItemExpanded(QTreeWidgetItem* item) {
    // Only a node with children opens; an empty one keeps its image.
    if (item->childCount() > 0) {
        SetImages(item, OpenFolder);
    }
    if (item == m_hRoot) {
        m_bRootExpanded = true;
    } else if (item == m_hDictionary) {
        m_bDictionaryExpanded = true;
    }
}

void CLeftPaneView::OnItemCollapsed(QTreeWidgetItem* item) {
    SetImages(item, ClosedFolder);
    if (item == m_hRoot) {
        m_bRootExpanded = false;
    } else if (item == m_hDictionary) {
        m_bDictionaryExpanded = false;
    }
}

void CLeftPaneView::ExpandNode(QTreeWidgetItem* node, bool expand) {
    if (node == nullptr) {
        return;
    }
    node->setExpanded(expand);
    // The signals do not come when the node already was in that state; the images and flags follow
    // the command all the same.
    if (expand) {
        OnItemExpanded(node);
    } else {
        OnItemCollapsed(node);
    }
}

void CLeftPaneView::OnItemDoubleClicked(QTreeWidgetItem* item) {
    if (item == nullptr) {
        return;
    }
    int command = 0;
    switch (KindOf(item)) {
        case NodeKind::FileInfo:
            command = Cmd::FileInfo;
            break;
        case NodeKind::DeviceInfo:
            command = Cmd::DeviceInfo;
            break;
        case NodeKind::DummyUsage:
            command = Cmd::DummyUsage;
            break;
        case NodeKind::Comments:
            command = Cmd::Comments;
            break;
        case NodeKind::Index:
        case NodeKind::Subindex:
            command = Cmd::Edit;
            break;
        default:
            break;
    }
    if (command != 0 && TreeCommandController::HasHandler(command)) {
        m_commands.OnCommand(command);
    }
}

void CLeftPaneView::mousePressEvent(QMouseEvent* event) {
    if (event->button() != Qt::RightButton) {
        QTreeWidget::mousePressEvent(event);
        return;
    }
    // A right click selects the node under the mouse, or nothing when there is none.
    QTreeWidgetItem* item = itemAt(event->position().toPoint());
    if (item != nullptr) {
        setCurrentItem(item);
    } else {
        clearSelection();
        setCurrentItem(nullptr);
    }
    event->accept();
}

void CLeftPaneView::keyPressEvent(QKeyEvent* event) {
    QTreeWidgetItem* current = currentItem();
    const bool enter = event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter;
    if (enter && event->modifiers() == Qt::NoModifier && current != nullptr) {
        // Enter does what a double click does: it opens the node for editing, or else opens or closes it.
        if (KindOf(current) == NodeKind::Root || KindOf(current) == NodeKind::Dictionary) {
            current->setExpanded(!current->isExpanded());
        } else {
            OnItemDoubleClicked(current);
        }
        event->accept();
        return;
    }
    if (event->key() == Qt::Key_F10 && event->modifiers() == Qt::ShiftModifier) {
        // The keyboard's way to the context menu, shown at the selected node.
        const QPoint at = current != nullptr ? visualItemRect(current).center() : QPoint();
        QContextMenuEvent menuEvent(QContextMenuEvent::Keyboard, at, viewport()->mapToGlobal(at));
        contextMenuEvent(&menuEvent);
        event->accept();
        return;
    }
    QTreeWidget::keyPressEvent(event);
}

void CLeftPaneView::resizeEvent(QResizeEvent* event) {
    QTreeWidgetItem* current = currentItem();
    const int lost = event->oldSize().height() - event->size().height();
    const QRect shownAt = current != nullptr ? visualItemRect(current) : QRect();
    QTreeWidget::resizeEvent(event);
    // A pane opening below (the Check panel) takes height from the tree: a selected node that was in
    // view stays in view.
    if (lost > 0 && shownAt.isValid() && shownAt.top() >= 0 &&
        shownAt.bottom() <= viewport()->height() + lost) {
        // Once the view has laid out its new height; the node may be gone by then.
        QTimer::singleShot(0, this, [this, current] {
            if (currentItem() == current) {
                scrollToItem(current);
            }
        });
    }
}

void CLeftPaneView::contextMenuEvent(QContextMenuEvent* event) {
    QPoint at = event->pos();
    if (event->reason() == QContextMenuEvent::Keyboard && currentItem() != nullptr) {
        at = visualItemRect(currentItem()).center();
    }
    QTreeWidgetItem* item = itemAt(at);
    if (item == nullptr) {
        return;
    }
    std::unique_ptr<QMenu> menu = BuildContextMenu(item);
    if (menu->actions().isEmpty()) {
        return;
    }
    menu->exec(viewport()->mapToGlobal(at));
    window()->update();
}

std::unique_ptr<QMenu> CLeftPaneView::BuildContextMenu(QTreeWidgetItem* item) {
    ContextMenuState state;
    state.hasChildren = item != nullptr && item->childCount() > 0;
    state.rootExpanded = m_bRootExpanded;
    state.dictionaryExpanded = m_bDictionaryExpanded;
    state.canAddSubindex = m_commands.CanAddSubindex();
    state.indexCopied = m_commands.IsIndexCopied();
    state.subindexCopied = m_commands.IsSubindexCopied();
    const ContextMenuLayout layout = ContextMenuFor(KindOf(item), state);

    auto menu = std::make_unique<QMenu>(m_qtText.ToQt(layout.name), this);
    menu->setObjectName(QStringLiteral("contextMenu") + m_qtText.ToQt(layout.name).remove(QLatin1Char(' ')));
    for (const ContextMenuItem& entry : layout.items) {
        if (entry.id == 0) {
            menu->addSeparator();
            continue;
        }
        QAction* action = menu->addAction(m_qtText.ToQt(entry.text));
        action->setData(entry.id);
        action->setEnabled(!entry.grayed && TreeCommandController::HasHandler(entry.id));
        const int id = entry.id;
        connect(action, &QAction::triggered, this, [this, id] { m_commands.OnCommand(id); });
    }
    return menu;
}

QTreeWidgetItem* CLeftPaneView::FindVisibleIndexNode(QTreeWidgetItem* start,
                                                     std::uint16_t indexNumber) const {
    for (QTreeWidgetItem* node = start; node != nullptr; node = itemBelow(node)) {
        if (IndexFromItem(node) == indexNumber) {
            return node;
        }
    }
    return nullptr;
}

bool CLeftPaneView::SelectObjectNode(std::uint16_t index, std::optional<std::uint16_t> subindex) {
    QTreeWidgetItem* node = nullptr;
    for (int i = 0; m_hDictionary != nullptr && i < m_hDictionary->childCount() && node == nullptr; ++i) {
        if (IndexFromItem(m_hDictionary->child(i)) == index) {
            node = m_hDictionary->child(i);
        }
    }
    if (node == nullptr) {
        return false;
    }
    for (int i = 0; subindex && i < node->childCount(); ++i) {
        if (SubindexFromItem(node->child(i)) == *subindex) {
            expandItem(node);
            node = node->child(i);
            break;
        }
    }
    // A finding may name an object the filter hides; the whole tree comes back so it can be shown.
    if (IsFiltering() && IsHiddenByFilter(node)) {
        ClearFilter();
    }
    setCurrentItem(node);
    scrollToItem(node);
    return true;
}

void CLeftPaneView::OnUpdate(std::uint32_t hint, const HintObject& object) {
    if (hint == Hint::Reset) {
        // New, Open and Import empty the document's copy buffer.
        FollowCopyBuffer();
    }
    if (m_hDictionary == nullptr) {
        return;
    }
    switch (Hint::High(hint)) {
        case Hint::High(Hint::HeaderEdited): {
            if (object.entry == nullptr) {
                return;
            }
            if (QTreeWidgetItem* node = FindVisibleIndexNode(itemBelow(m_hDictionary), object.entry->index)) {
                node->setText(0, m_qtText.ToQt(IndexLabel(object.entry->index, object.entry->name)));
            }
            break;
        }
        case Hint::High(Hint::SubindexEdited): {
            if (object.entry == nullptr || m_hDictionary->childCount() == 0) {
                return;
            }
            QTreeWidgetItem* indexNode = FindVisibleIndexNode(m_hDictionary->child(0), object.entry->index);
            if (indexNode == nullptr) {
                return;
            }
            // Only the index's own subindex nodes are candidates, so another index's node with the
            // same subindex number is never renamed.
            for (int i = 0; i < indexNode->childCount(); ++i) {
                QTreeWidgetItem* node = indexNode->child(i);
                if (SubindexFromItem(node) == object.entry->subindex) {
                    node->setText(0, m_qtText.ToQt(SubindexLabel(object.entry->index, object.entry->subindex,
                                                                 object.entry->name)));
                    break;
                }
            }
            break;
        }
        case Hint::High(Hint::SubindicesDropped): {
            if (object.index == nullptr) {
                return;
            }
            if (QTreeWidgetItem* node = FindVisibleIndexNode(itemBelow(m_hDictionary), object.index->index)) {
                qDeleteAll(node->takeChildren());
                SetImages(node, ClosedFolder);
            }
            break;
        }
        default:
            break;
    }
}

void CLeftPaneView::changeEvent(QEvent* event) {
    if (event->type() == QEvent::FontChange || event->type() == QEvent::StyleChange) {
        m_pDelegate->Forget();
    }
    QTreeWidget::changeEvent(event);
}

void CLeftPaneView::OnDocumentStateChanged() {
    emit CommandStateChanged();
}
