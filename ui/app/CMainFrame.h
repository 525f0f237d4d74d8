#pragma once

#include <QMainWindow>
#include <map>
#include <memory>

#include "document/DocumentView.h"
#include "ui/app/QtText.h"
#include "ui/app/RecentFileList.h"

class CCheckPanel;
class CLeftPaneView;
class CQuillmarkDoc;
class CRightPaneView;
class CTreeFilterBar;
class Platform;
class QAction;
class QLabel;
class QMenu;
class QSplitter;
class QTimer;
class QToolBar;
class QtDialogFactory;

// The main window: menus, toolbar, status bar with its clock, and the splitter with the project
// tree on the left (one third of the width) and the forms on the right. Every command goes to the
// tree pane first; the frame itself handles only About and the two bar toggles.
class CMainFrame : public QMainWindow, public DocumentView {
    Q_OBJECT
public:
    static constexpr int ClockPeriodMs = 100;
    static constexpr int DefaultWidth = 1100;
    static constexpr int DefaultHeight = 720;

    CMainFrame(CQuillmarkDoc& document, Platform& platform, QWidget* parent = nullptr);
    ~CMainFrame() override;

    // Ends the start-up: the caption reads "Quillmark" until a project title is set.
    void FinishStartup();

    CLeftPaneView* LeftPane() const { return m_pLeftPane; }
    CRightPaneView* RightPane() const { return m_pRightPane; }
    CTreeFilterBar* FilterBar() const { return m_pFilterBar; }
    QLabel* MessagePane() const { return m_messagePane; }
    QAction* Action(int commandId) const;
    QLabel* ClockPane() const { return m_clockPane; }
    QSplitter* Splitter() const { return m_wndSplitter; }
    CCheckPanel* CheckPanel() const { return m_checkPanel; }
    RecentFileList& RecentFiles() { return m_recentFiles; }
    RecentFileList& RecentEdsFiles() { return m_recentEdsFiles; }
    // Fills File > Recent Projects and Recent EDS Files from the lists (MainFrameRecent.cpp).
    void UpdateRecentMenus();

    // Brings the enabling, checks and texts of the commands up to date.
    void UpdateCommandUI();
    // Writes the local time into the clock pane (the timer does this every 100 ms).
    void UpdateClock();
    // Shows the texts of the lock-key panes whose keys are on.
    void UpdateLockIndicators();

    void OnUpdate(std::uint32_t hint, const HintObject& object) override;
    void OnDocumentStateChanged() override;
    void OnContentChanged() override;

protected:
    void closeEvent(QCloseEvent* event) override;
    void showEvent(QShowEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // Menus, toolbar and accelerators (MainFrameActions.cpp).
    void CreateActions();
    void CreateMenus();
    void CreateToolBar();
    QAction* AddAction(int commandId, const char* objectName, const char* text, const char* prompt);
    void OnAction(int commandId);
    void OnAbout();
    void UpdateHistoryTexts();
    void ShowFilterStatus();

    // The recent-file menus (MainFrameRecent.cpp).
    void CreateRecentMenus(QMenu* file);
    void OnRecentFile(const std::string& path, bool project);

    // Check Dictionary and its panel (MainFrameCheck.cpp).
    void CreateCheckPanel();
    void OnCheckDictionary();
    void RerunCheckIfOpen();

    void CreateStatusBar();
    void CreateClientArea();
    void CreatePaneShortcuts();
    bool CloseAfterPrompt();
    void UpdateCaption();

    CQuillmarkDoc& m_document;
    Platform& m_platform;
    // The project's texts as the widgets show them, handed to the check panel and the dialogs.
    QtText m_qtText;
    CLeftPaneView* m_pLeftPane = nullptr;
    CRightPaneView* m_pRightPane = nullptr;
    CTreeFilterBar* m_pFilterBar = nullptr;
    QSplitter* m_wndSplitter = nullptr;
    QToolBar* m_wndToolBar = nullptr;
    QLabel* m_messagePane = nullptr;
    QLabel* m_clockPane = nullptr;
    QLabel* m_capsLockPane = nullptr;
    QLabel* m_numLockPane = nullptr;
    QLabel* m_scrollLockPane = nullptr;
    QTimer* m_clockTimer = nullptr;
    CCheckPanel* m_checkPanel = nullptr;
    std::map<int, QAction*> m_actions;
    // The dialogs the document runs while this window exists.
    std::unique_ptr<QtDialogFactory> m_dialogFactory;
    RecentFileList m_recentFiles;
    RecentFileList m_recentEdsFiles;
    QMenu* m_recentProjectsMenu = nullptr;
    QMenu* m_recentEdsFilesMenu = nullptr;
    bool m_bStarted = false;
    bool m_bTitleShown = false;
    bool m_bPromptDone = false;
    bool m_bSplitterPlaced = false;
};
