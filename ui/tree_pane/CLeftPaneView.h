#pragma once

#include <QIcon>
#include <QTreeWidget>
#include <array>
#include <functional>
#include <memory>
#include <optional>
#include <string>

#include "document/DocumentView.h"
#include "eds/ImportMode.h"
#include "platform/ResultCodes.h"
#include "ui/app/QtText.h"
#include "ui/tree_pane/CommandEnabling.h"
#include "ui/tree_pane/ContextMenuLayout.h"
#include "ui/tree_pane/TreeCommandController.h"
#include "ui/tree_pane/TreeFilter.h"

class CQuillmarkDoc;
class CRightPaneView;
class CachingItemDelegate;
class CTreeFilterBar;
struct StepTarget;
class Platform;
class QMenu;

// The project tree: the EDS file as root, the four section nodes and the Object Dictionary node with
// one node per index and subindex. It is the window every command reaches first: its command
// controller routes them to the handlers here.
class CLeftPaneView : public QTreeWidget, public DocumentView, private TreeCommandTarget {
    Q_OBJECT
public:
    // Images of the tree's nodes.
    enum Image { ClosedFolder = 0, OpenFolder = 1, SingleEntry = 2 };
    static constexpr int ImageRole = Qt::UserRole + 1;
    static constexpr int SelectedImageRole = Qt::UserRole + 2;
    // While the filter is on: the node matches the filter itself; the filter opened the node; the filter
    // hides the node (kept here because asking the view costs more).
    static constexpr int FilterMatchRole = Qt::UserRole + 3;
    static constexpr int FilterExpandedRole = Qt::UserRole + 4;
    static constexpr int FilterHiddenRole = Qt::UserRole + 5;
    // The numbers a dictionary node stands for: its index, and for a subindex node its subindex.
    static constexpr int IndexRole = Qt::UserRole + 6;
    static constexpr int SubindexRole = Qt::UserRole + 7;

    CLeftPaneView(CQuillmarkDoc& document, Platform& platform, QWidget* parent = nullptr);
    ~CLeftPaneView() override;

    void SetRightPane(CRightPaneView* rightPane) { m_pRightPane = rightPane; }
    // The filter field above the tree; the pane follows what is typed into it.
    void SetFilterBar(CTreeFilterBar* filterBar);
    // Closes the main window once the user agreed; false when the window refused to close.
    void SetCloseMainWindow(std::function<bool()> close) { m_closeMainWindow = std::move(close); }

    // Tree structure.
    void BuildSkeleton(const std::string& rootText);
    void FillDictionary();
    std::uint16_t IndexFromItem(const QTreeWidgetItem* item) const;
    std::uint16_t SubindexFromItem(const QTreeWidgetItem* item) const;
    NodeKind KindOf(const QTreeWidgetItem* item) const;
    QTreeWidgetItem* RootItem() const { return m_hRoot; }
    QTreeWidgetItem* DictionaryItem() const { return m_hDictionary; }
    QTreeWidgetItem* SectionItem(NodeKind kind) const;

    // Commands, as the menus, accelerators and toolbar reach them.
    TreeCommandController& Commands() { return m_commands; }
    const TreeCommandController& Commands() const { return m_commands; }

    // Opens a file given on the command line or dropped on the window: a project file as by Open, any
    // other file as by Import EDS-File, both without their file chooser.
    void OpenFileDirectly(const std::string& path, bool askToSave);
    // Opens a project, or imports an EDS or DCF file, from a recent-file list, after the same save
    // question as Open and Import.
    void OpenRecentFile(const std::string& path, bool project);

    // Selects the node of an index, or of one of its subindices where that has a node (else the
    // index's); false when the index has no node.
    bool SelectObjectNode(std::uint16_t index, std::optional<std::uint16_t> subindex);

    // The filter (LeftPaneFilter.cpp).
    bool IsFiltering() const { return !m_filter.IsEmpty(); }
    // "N of M indices" while the filter is on, else empty.
    std::string FilterStatus() const;

    // The context menu of a node with its enabling, as the right mouse button shows it.
    std::unique_ptr<QMenu> BuildContextMenu(QTreeWidgetItem* item);

    void OnUpdate(std::uint32_t hint, const HintObject& object) override;
    void OnDocumentStateChanged() override;

signals:
    // The enabling or the text of a command may have changed.
    void CommandStateChanged();
    // The filter changed what the tree shows.
    void FilterChanged();
    // An EDS or DCF file was imported into the project.
    void EdsFileImported(const std::string& path);

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    // Selection, expansion and hints (CLeftPaneView.cpp).
    void OnSelectionChanging(QTreeWidgetItem* item);
    void OnItemExpanded(QTreeWidgetItem* item);
    void OnItemCollapsed(QTreeWidgetItem* item);
    void OnItemDoubleClicked(QTreeWidgetItem* item);
    void DeleteAllItems();
    QTreeWidgetItem* NewItem(const std::string& label, Image image);
    void SetImages(QTreeWidgetItem* item, Image image);
    void ExpandNode(QTreeWidgetItem* node, bool expand);
    QTreeWidgetItem* FindVisibleIndexNode(QTreeWidgetItem* start, std::uint16_t indexNumber) const;
    // One node per index and subindex of the document under the Object Dictionary node.
    void AddDictionaryNodes();
    // Makes the node current; when it already is, the right pane is refreshed all the same.
    void SelectNode(QTreeWidgetItem* node);

    // What the command controller asks of the tree.
    bool IsModified() const override;
    bool CanUndo() const override;
    bool CanRedo() const override;
    void RunFileCommand(int commandId) override;  // LeftPaneFileCommands.cpp
    void RunTreeCommand(int commandId) override;
    void RunSectionCommand(int commandId) override { OnEditSection(commandId); }
    void RunEditCommand(int commandId) override { OnEditCommand(commandId); }
    void RunHistoryCommand(int commandId) override { OnUndoRedo(commandId); }
    void CommandsChanged() override { emit CommandStateChanged(); }

    // File, import and create commands (LeftPaneFileCommands.cpp).
    bool AskToSave(const char* question);
    void OnFileNew();
    void OnFileOpen();
    void OnFileSave();
    void OnFileSaveAs();
    void OnAppExit();
    void OnImportEds();
    void OnCreateSources();
    void OnCreateEds();
    void OnCreateDocumentation();  // LeftPaneDocumentationCommand.cpp
    // XDD/XDC import and XDD export: LeftPaneXddCommands.cpp.
    void OnImportXdd();
    void OnCreateXdd();
    void ShowOpenedProject();
    void OpenFile(const std::string& path, bool project, bool askToSave);
    void ImportEdsFile(const std::string& path);
    // One import of the file, shown in the tree and reported; returns the import's result.
    EdsImportResult RunImport(const std::string& path, ImportMode mode);
    void ReportSaveFailure();
    void RepaintMainWindow();

    // Section commands (LeftPaneSectionCommands.cpp).
    void OnEditSection(int commandId);

    // Dictionary edit commands (LeftPaneEditCommands.cpp).
    void OnEditCommand(int commandId);
    void OnNewIndex();
    void OnNewSubindex();
    void OnEditIndex(QTreeWidgetItem* node);
    void OnEditSubindex(QTreeWidgetItem* node);
    void OnDelete(QTreeWidgetItem* node);
    void OnCopy(QTreeWidgetItem* node);
    void OnPaste(QTreeWidgetItem* node);
    void FollowCopyBuffer();
    // Keeps a node that a command created or selected in view: when the filter would hide it, the filter
    // goes and the node is selected.
    void RevealUnderFilter(QTreeWidgetItem* node);
    // Inserts a dictionary node among its siblings in the order of their numbers.
    QTreeWidgetItem* InsertSorted(QTreeWidgetItem* parent, const std::string& label, Image image,
                                  std::uint16_t index, std::uint16_t subindex = 0);
    void AddSubindexNodes(QTreeWidgetItem* indexNode, const IndexEntry& index);
    void RemoveNode(QTreeWidgetItem* node, bool moveSelection);

    // Undo and redo (LeftPaneHistoryCommands.cpp).
    void OnUndoRedo(int commandId);
    StepTarget SelectedTarget() const;
    QTreeWidgetItem* NodeForTarget(const StepTarget& target) const;
    void ShowRestoredContent(const StepTarget& selectedBefore);

    // The filter (LeftPaneFilter.cpp).
    void OpenFilter();
    void SetFilterText(const QString& text);
    void ApplyFilter();
    void UpdateFilterVisibility();
    void ClearFilter();
    void CloseFilter();
    void SelectNextMatch();
    void KeepSelectionVisible();
    bool IsHiddenByFilter(const QTreeWidgetItem* node) const;

    CQuillmarkDoc* m_pDocument;
    Platform& m_platform;
    // The document's texts as the tree and its menus show them.
    QtText m_qtText;
    CRightPaneView* m_pRightPane = nullptr;
    // The image list: closed folder, open folder, single entry.
    std::array<QIcon, 3> m_images;
    std::function<bool()> m_closeMainWindow;

    QTreeWidgetItem* m_hRoot = nullptr;
    QTreeWidgetItem* m_hFileInfo = nullptr;
    QTreeWidgetItem* m_hDeviceInfo = nullptr;
    QTreeWidgetItem* m_hDummyUsage = nullptr;
    QTreeWidgetItem* m_hComments = nullptr;
    QTreeWidgetItem* m_hDictionary = nullptr;

    TreeCommandController m_commands{*this};
    bool m_bRootExpanded = false;
    bool m_bDictionaryExpanded = false;
    CTreeFilterBar* m_pFilterBar = nullptr;
    CachingItemDelegate* m_pDelegate = nullptr;
    TreeFilter m_filter;
    int m_nShownIndices = 0;
};
