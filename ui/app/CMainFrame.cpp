#include "ui/app/CMainFrame.h"

#include <QCloseEvent>
#include <QDropEvent>
#include <QLabel>
#include <QMimeData>
#include <QShortcut>
#include <QSplitter>
#include <QStatusBar>
#include <QTimer>
#include <QToolBar>
#include <QVBoxLayout>

#include "document/CQuillmarkDoc.h"
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
    : QMainWindow(parent), m_document(document), m_platform(platform) {
    // Every widget shows and takes the project's texts in the project's encoding.
    UseTextEncodingOf(&m_document);
    setObjectName(QStringLiteral("mainFrame"));
    setWindowTitle(QString::fromLatin1(ApplicationName));
    setWindowIcon(Icons::Application());
    setAcceptDrops(true);
    installEventFilter(this);
    resize(1100, 720);

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

    m_dialogFactory = std::make_unique<QtDialogFactory>(m_platform, this);
    m_document.SetDialogFactory(m_dialogFactory.get());
    m_document.SetImportMessageLimit(ImportMessageLimit);
    m_document.AddView(this);
    UpdateCommandUI();
}

CMainFrame::~CMainFrame() {
    UseTextEncodingOf(nullptr);
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
    // F6 and Shift+F6 move the focus to the other pane; in the right pane it goes to the shown form.
    auto toggle = [this] {
        if (m_pLeftPane->hasFocus()) {
            m_pRightPane->FocusCurrentForm(Qt::ShortcutFocusReason);
        } else {
            m_pLeftPane->setFocus(Qt::ShortcutFocusReason);
        }
    };
    auto* next = new QShortcut(QKeySequence(Qt::Key_F6), this);
    auto* previous = new QShortcut(QKeySequence(Qt::SHIFT | Qt::Key_F6), this);
    connect(next, &QShortcut::activated, this, toggle);
    connect(previous, &QShortcut::activated, this, toggle);
}

void CMainFrame::FinishStartup() {
    m_bStarted = true;
    m_bTitleShown = false;
    UpdateCaption();
}

void CMainFrame::UpdateCaption() {
    // The title is "unnamed.prj" or a project path, so it is shown as a path.
    setWindowTitle(PathToQt(WindowCaption(m_document.GetTitle(), m_bTitleShown)));
}

void CMainFrame::ShowFilterStatus() {
    const std::string status = m_pLeftPane->FilterStatus();
    m_messagePane->setText(status.empty() ? QStringLiteral("Ready") : ToQt(status));
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
    m_clockPane->setText(ToQt(ClockText(m_platform.GetLocalTime())));
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
        UpdateCaption();
    }
    if (m_document.IsNamed()) {
        m_recentFiles.Add(m_document.GetPathName());
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
