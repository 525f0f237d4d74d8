#include "ui/app/CMainFrame.h"

#include <QApplication>
#include <QCloseEvent>
#include <QDropEvent>
#include <QLabel>
#include <QMimeData>
#include <QScreen>
#include <QShortcut>
#include <QSplitter>
#include <QStatusBar>
#include <QStatusTipEvent>
#include <QTimer>
#include <QToolBar>
#include <QVBoxLayout>
#include <optional>
#include <vector>

#include "document/CQuillmarkDoc.h"
#include "ui/app/CCheckPanel.h"
#include "ui/app/IconFactory.h"
#include "ui/app/LockKeyState.h"
#include "ui/app/QtText.h"
#include "ui/app/WindowCaption.h"
#include "ui/dialogs/QtDialogFactory.h"
#include "ui/right_pane/CRightPaneView.h"
#include "ui/tree_pane/CLeftPaneView.h"
#include "ui/tree_pane/CTreeFilterBar.h"

namespace {

// A damaged object list can make one import warn tens of thousands of times; the editor shows the
// first boxes and says that the rest are not shown.
constexpr int ImportMessageLimit = 20;

QLabel* AddIndicator(QStatusBar* bar, const char* objectName, const char* sizingText) {
    auto* pane = new QLabel;
    pane->setObjectName(QString::fromLatin1(objectName));
    pane->setAlignment(Qt::AlignCenter);
    pane->setMinimumWidth(pane->fontMetrics().horizontalAdvance(QString::fromLatin1(sizingText)) + 8);
    pane->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    bar->addPermanentWidget(pane);
    return pane;
}

}  // namespace

CMainFrame::CMainFrame(CQuillmarkDoc& document, Platform& platform, QWidget* parent)
    : QMainWindow(parent), m_document(document), m_platform(platform), m_qtText(document) {
    setObjectName(QStringLiteral("mainFrame"));
    setWindowTitle(QString::fromLatin1(ApplicationName));
    setWindowIcon(Icons::Application());
    setAcceptDrops(true);
    installEventFilter(this);
    // The usual size, or less where the screen (or its scaling) leaves less room, so the caption and
    // the frame stay on the screen.
    const QSize usual(DefaultWidth, DefaultHeight);
    resize(screen() != nullptr ? usual.boundedTo(screen()->availableGeometry().size() * 0.9) : usual);

    CreateClientArea();
    CreateCheckPanel();
    CreateActions();
    CreateMenus();
    CreateToolBar();
    CreateStatusBar();
    CreatePaneShortcuts();

    connect(m_pLeftPane, &CLeftPaneView::CommandStateChanged, this, &CMainFrame::UpdateCommandUI);
    connect(m_pLeftPane, &CLeftPaneView::FilterChanged, this, &CMainFrame::ShowFilterStatus);
    m_clockTimer = new QTimer(this);
    m_clockTimer->setObjectName(QStringLiteral("clockTimer"));
    connect(m_clockTimer, &QTimer::timeout, this, [this] {
        UpdateClock();
        UpdateLockIndicators();
        UpdateCommandUI();
    });
    m_clockTimer->start(ClockPeriodMs);

    m_dialogFactory = std::make_unique<QtDialogFactory>(m_platform, m_qtText, this);
    m_document.SetDialogFactory(m_dialogFactory.get());
    m_document.SetImportMessageLimit(ImportMessageLimit);
    m_document.AddView(this);
    UpdateCommandUI();
}

CMainFrame::~CMainFrame() {
    m_document.SetDialogFactory(nullptr);
    m_document.RemoveView(this);
}

void CMainFrame::CreateClientArea() {
    m_wndSplitter = new QSplitter(Qt::Horizontal, this);
    m_wndSplitter->setObjectName(QStringLiteral("splitter"));
    m_wndSplitter->setChildrenCollapsible(false);
    m_pLeftPane = new CLeftPaneView(m_document, m_platform);
    m_pRightPane = new CRightPaneView(m_document);
    // The filter field sits above the tree, hidden until it is asked for.
    auto* treeArea = new QWidget;
    treeArea->setObjectName(QStringLiteral("treeArea"));
    auto* treeLayout = new QVBoxLayout(treeArea);
    treeLayout->setContentsMargins(0, 0, 0, 0);
    treeLayout->setSpacing(0);
    m_pFilterBar = new CTreeFilterBar;
    treeLayout->addWidget(m_pFilterBar);
    treeLayout->addWidget(m_pLeftPane);
    m_pLeftPane->SetFilterBar(m_pFilterBar);
    m_wndSplitter->addWidget(treeArea);
    m_wndSplitter->addWidget(m_pRightPane);
    m_wndSplitter->setStretchFactor(0, 0);
    m_wndSplitter->setStretchFactor(1, 1);
    setCentralWidget(m_wndSplitter);

    m_pLeftPane->SetRightPane(m_pRightPane);
    m_pLeftPane->SetCloseMainWindow([this] { return CloseAfterPrompt(); });
    m_pLeftPane->setFocus();
}

void CMainFrame::CreateStatusBar() {
    QStatusBar* bar = statusBar();
    bar->setObjectName(QStringLiteral("statusBar"));
    m_messagePane = new QLabel(QStringLiteral("Ready"));
    m_messagePane->setObjectName(QStringLiteral("messagePane"));
    bar->addWidget(m_messagePane, 1);
    // Each indicator shows its text while its key is on, where the windowing system tells.
    m_capsLockPane = AddIndicator(bar, "indicatorCapsLock", "UF");
    m_numLockPane = AddIndicator(bar, "indicatorNumLock", "NUM");
    m_scrollLockPane = AddIndicator(bar, "indicatorScrollLock", "RF");
    AddIndicator(bar, "separatorPane", "        ");
    m_clockPane = AddIndicator(bar, "clockPane", "00:00:00");
    m_clockPane->setText(QStringLiteral("00:00:00"));
}

void CMainFrame::CreatePaneShortcuts() {
    // F6 and Shift+F6 walk the panes: the tree, the details (their shown form) and, while it is open,
    // the Check panel. From anywhere else (the filter field) they go to the tree.
    auto cycle = [this](int step) {
        enum Pane { Tree, Details, Check };
        std::vector<Pane> panes{Tree, Details};
        if (!m_checkPanel->isHidden()) {
            panes.push_back(Check);
        }
        QWidget* focus = QApplication::focusWidget();
        const auto inside = [focus](QWidget* pane) { return focus != nullptr && pane->isAncestorOf(focus); };
        std::optional<std::size_t> at;
        if (focus == m_pLeftPane) {
            at = 0;
        } else if (inside(m_pRightPane) || focus == m_pRightPane) {
            at = 1;
        } else if (panes.size() > 2 && inside(m_checkPanel)) {
            at = 2;
        }
        const Pane next =
            !at ? Tree : panes[(*at + panes.size() + static_cast<std::size_t>(step)) % panes.size()];
        switch (next) {
            case Tree:
                m_pLeftPane->setFocus(Qt::ShortcutFocusReason);
                break;
            case Details:
                m_pRightPane->FocusCurrentForm(Qt::ShortcutFocusReason);
                break;
            case Check:
                m_checkPanel->List()->setFocus(Qt::ShortcutFocusReason);
                break;
        }
    };
    auto* next = new QShortcut(QKeySequence(Qt::Key_F6), this);
    auto* previous = new QShortcut(QKeySequence(Qt::SHIFT | Qt::Key_F6), this);
    connect(next, &QShortcut::activated, this, [cycle] { cycle(1); });
    connect(previous, &QShortcut::activated, this, [cycle] { cycle(-1); });
}

void CMainFrame::FinishStartup() {
    m_bStarted = true;
    m_bTitleShown = false;
    UpdateCaption();
}

void CMainFrame::UpdateCaption() {
    // The title is "unnamed.prj" or a project path, so it is shown as a path. Qt shows "*" at the
    // placeholder while the project differs from its file; a "[*]" of the path itself is doubled to
    // stay text.
    const QString title =
        PathToQt(m_document.GetTitle()).replace(QStringLiteral("[*]"), QStringLiteral("[*][*]")) +
        QStringLiteral("[*]");
    const QString caption = PathToQt(WindowCaption(PathFromQt(title), m_bTitleShown));
    setWindowTitle(m_bTitleShown ? caption : caption + QStringLiteral("[*]"));
    setWindowModified(m_document.IsModified());
}

void CMainFrame::ShowFilterStatus() {
    const std::string status = m_pLeftPane->FilterStatus();
    m_messagePane->setText(status.empty() ? QStringLiteral("Ready") : m_qtText.ToQt(status));
    // A command's prompt left over from a closed menu would hide the count.
    statusBar()->clearMessage();
}

void CMainFrame::UpdateLockIndicators() {
    const std::optional<LockKeys> keys = QueryLockKeys();
    if (!keys) {
        return;
    }
    m_capsLockPane->setText(keys->capsLock ? QStringLiteral("UF") : QString());
    m_numLockPane->setText(keys->numLock ? QStringLiteral("NUM") : QString());
    m_scrollLockPane->setText(keys->scrollLock ? QStringLiteral("RF") : QString());
}

void CMainFrame::UpdateClock() {
    m_clockPane->setText(m_qtText.ToQt(ClockText(m_platform.GetLocalTime())));
}

QAction* CMainFrame::Action(int commandId) const {
    const auto found = m_actions.find(commandId);
    return found == m_actions.end() ? nullptr : found->second;
}

void CMainFrame::OnUpdate(std::uint32_t hint, const HintObject&) {
    // New, Open and Import replace the whole content.
    if (hint == Hint::Reset) {
        RerunCheckIfOpen();
    }
}

void CMainFrame::OnDocumentStateChanged() {
    if (m_bStarted && !m_document.GetTitle().empty()) {
        m_bTitleShown = true;
    }
    UpdateCaption();
    if (m_document.IsNamed() &&
        (m_recentFiles.Paths().empty() || m_recentFiles.Paths().front() != m_document.GetPathName())) {
        m_recentFiles.Add(m_document.GetPathName());
        UpdateRecentMenus();
    }
    UpdateCommandUI();
}

bool CMainFrame::CloseAfterPrompt() {
    m_bPromptDone = true;
    const bool closed = close();
    m_bPromptDone = false;
    return closed;
}

void CMainFrame::closeEvent(QCloseEvent* event) {
    if (!m_bPromptDone && !m_document.CanCloseFrame()) {
        event->ignore();
        return;
    }
    m_clockTimer->stop();
    event->accept();
}

void CMainFrame::showEvent(QShowEvent* event) {
    QMainWindow::showEvent(event);
    if (!m_bSplitterPlaced) {
        // The tree pane starts one third of the client width wide; the forms take the rest.
        const int width = m_wndSplitter->width();
        m_wndSplitter->setSizes({width / 3, width - width / 3});
        m_bSplitterPlaced = true;
    }
}

bool CMainFrame::eventFilter(QObject* watched, QEvent* event) {
    // A command's prompt stands in for the message pane while the mouse is on the command; when it goes,
    // the pane comes back with what it tells now ("Ready" or the filter's count).
    if (watched == this && event->type() == QEvent::StatusTip) {
        const QString tip = static_cast<QStatusTipEvent*>(event)->tip();
        if (tip.isEmpty()) {
            ShowFilterStatus();
        } else {
            statusBar()->showMessage(tip);
        }
        return true;
    }
    // The main window's own event handling keeps drops for its dock layout, so files dropped on the
    // window are taken here before it sees them.
    if (watched == this && (event->type() == QEvent::DragEnter || event->type() == QEvent::Drop)) {
        auto* drop = static_cast<QDropEvent*>(event);
        const QList<QUrl> urls = drop->mimeData()->urls();
        if (urls.isEmpty() || !urls.constFirst().isLocalFile()) {
            return false;
        }
        drop->acceptProposedAction();
        if (event->type() == QEvent::Drop) {
            activateWindow();
            m_pLeftPane->OpenFileDirectly(PathFromQt(urls.constFirst().toLocalFile()), true);
        }
        return true;
    }
    return QMainWindow::eventFilter(watched, event);
}
