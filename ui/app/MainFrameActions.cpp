#include <QAction>
#include <QEvent>
#include <QMenu>
#include <QMenuBar>
#include <QStatusBar>
#include <QToolBar>

#include "document/CQuillmarkDoc.h"
#include "ui/app/CAboutDlg.h"
#include "ui/app/CMainFrame.h"
#include "ui/app/CommandIds.h"
#include "ui/app/IconFactory.h"
#include "ui/app/QtText.h"
#include "ui/tree_pane/CLeftPaneView.h"
#include "ui/tree_pane/CommandEnabling.h"

namespace {

// Swallows the tooltip of a toolbar button whose command has no tooltip text.
class NoToolTip : public QObject {
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::ToolTip) {
            return true;
        }
        return QObject::eventFilter(watched, event);
    }
};

}  // namespace

QAction* CMainFrame::AddAction(int commandId, const char* objectName, const char* text, const char* prompt) {
    auto* action = new QAction(m_qtText.ToQt(text), this);
    action->setObjectName(QString::fromLatin1(objectName));
    action->setData(commandId);
    action->setStatusTip(m_qtText.ToQt(prompt));
    action->setShortcutContext(Qt::WindowShortcut);
    connect(action, &QAction::triggered, this, [this, commandId] { OnAction(commandId); });
    m_actions[commandId] = action;
    return action;
}

void CMainFrame::CreateActions() {
    AddAction(Cmd::New, "actionNew", "&New...\tCtrl + N", "Open a new document.")
        ->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_N));
    AddAction(Cmd::Open, "actionOpen", "O&pen...\tCtrl + O", "Open a saved document.")
        ->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_O));
    AddAction(Cmd::ImportEds, "actionImportEds", "EDS-File", "Import an EDS-File");
    AddAction(Cmd::ImportXdd, "actionImportXdd", "XDD/XDC File...",
              "Import a CiA 311 XML device description (XDD or XDC)");
    AddAction(Cmd::CreateSources, "actionCreateSources", "Object Dictionary Files",
              "Create the object dictionary files");
    AddAction(Cmd::CreateEds, "actionCreateEds", "EDS-File  ", "Create the EDS file");
    AddAction(Cmd::CreateXdd, "actionCreateXdd", "XDD File...",
              "Create a CiA 311 XML device description (XDD)");
    AddAction(Cmd::CreateDocumentation, "actionCreateDocumentation", "Documentation...",
              "Create the documentation of the dictionary as a Markdown file or an HTML page");
    AddAction(Cmd::Save, "actionSave", "&Save...\tCtrl + S", "Save the active document.")
        ->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_S));
    AddAction(Cmd::SaveAs, "actionSaveAs", "Save &As", "Save the active document with a name.");
    AddAction(Cmd::Exit, "actionExit", "&Exit", "");

    AddAction(Cmd::Undo, "actionUndo", "Undo\tCtrl+Z", "Undo the last change")
        ->setShortcuts({QKeySequence(Qt::CTRL | Qt::Key_Z), QKeySequence(Qt::ALT | Qt::Key_Backspace)});
    AddAction(Cmd::Redo, "actionRedo", "Redo\tCtrl+Y", "Redo the change undone last")
        ->setShortcuts({QKeySequence(Qt::CTRL | Qt::Key_Y), QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z)});
    AddAction(Cmd::NewIndex, "actionNewIndex", "New index...", "Add a new index to the database.");
    AddAction(Cmd::NewSubindex, "actionNewSubindex", "New subindex...",
              "Add a new subindex to the database.");
    AddAction(Cmd::Edit, "actionEdit", "Edit index....", "Change the index parameter");
    AddAction(Cmd::Copy, "actionCopy", "Copy...\tCtrl+C", "Copy a lselected index in the tree view")
        ->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_C));
    AddAction(Cmd::Paste, "actionPaste", "Paste...\tCtrl+V", "Paste a new index in the tree vier.")
        ->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_V));
    AddAction(Cmd::Delete, "actionDelete", "Delete...\tDel", "Delete an index from the database")
        ->setShortcut(QKeySequence(Qt::Key_Delete));
    // The edit keys act on the tree's selection, so they belong to the tree: Del or Ctrl+C in a field of
    // the details, the filter or the Check panel never reaches the dictionary.
    for (const int id : {Cmd::Copy, Cmd::Paste, Cmd::Delete}) {
        m_actions[id]->setShortcutContext(Qt::WidgetWithChildrenShortcut);
        m_pLeftPane->addAction(m_actions[id]);
    }
    AddAction(Cmd::FileInfo, "actionFileInfo", "\"FileInfo\" parameter...",
              "Edit the parameter of the EDS-file section \"FileInfo\"");
    AddAction(Cmd::DeviceInfo, "actionDeviceInfo", "\"DeviceInfo\" parameter...",
              "Edit the parameter of the EDS-file section \"DeviceInfo\"");
    AddAction(Cmd::DummyUsage, "actionDummyUsage", "\"DummyUsage\" parameter...",
              "Edit the parameter of the EDS-file section \"DummyUsage\"");
    AddAction(Cmd::Comments, "actionComments", "\"Comments\" parameter...",
              "Edit the parameter of the EDS-file section \"Comments\"");

    AddAction(Cmd::CheckDictionary, "actionCheckDictionary", "Check Dictionary\tF7",
              "Check the dictionary for mistakes before it reaches the firmware")
        ->setShortcut(QKeySequence(Qt::Key_F7));

    AddAction(Cmd::StatusBar, "actionStatusBar", "S&tatus Bar", "Show or hide the statusbar.")
        ->setCheckable(true);
    AddAction(Cmd::ToolBar, "actionToolBar", "Toolbar", "Show or hide the toolbar.")->setCheckable(true);
    AddAction(Cmd::Filter, "actionFilter", "&Filter...\tCtrl+F",
              "Show only the indices whose number or name, or a subindex's name, contains a text")
        ->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_F));
    AddAction(Cmd::About, "actionAbout", "About  Quillmark...",
              "Display program information, version number and copyright");

    m_actions[Cmd::New]->setIcon(Icons::NewDocument());
    m_actions[Cmd::Open]->setIcon(Icons::Open());
    m_actions[Cmd::Save]->setIcon(Icons::Save());
    m_actions[Cmd::Copy]->setIcon(Icons::Copy());
    m_actions[Cmd::Paste]->setIcon(Icons::Paste());
    m_actions[Cmd::Undo]->setIcon(Icons::Undo());
    m_actions[Cmd::Redo]->setIcon(Icons::Redo());
    m_actions[Cmd::NewIndex]->setIcon(Icons::NewIndex());
    m_actions[Cmd::NewSubindex]->setIcon(Icons::NewSubindex());
    m_actions[Cmd::CreateEds]->setIcon(Icons::CreateEds());
    m_actions[Cmd::CreateSources]->setIcon(Icons::CreateSources());

    m_actions[Cmd::New]->setToolTip(QStringLiteral("New"));
    m_actions[Cmd::Open]->setToolTip(QStringLiteral("Open"));
    m_actions[Cmd::Save]->setToolTip(QStringLiteral("Save"));
    m_actions[Cmd::Copy]->setToolTip(QStringLiteral("Copy index"));
    m_actions[Cmd::Paste]->setToolTip(QStringLiteral("Paste index"));
    m_actions[Cmd::NewIndex]->setToolTip(QStringLiteral("Add new index"));
    m_actions[Cmd::NewSubindex]->setToolTip(QStringLiteral("Add new subindex"));
}

void CMainFrame::CreateMenus() {
    QMenuBar* bar = menuBar();
    bar->setObjectName(QStringLiteral("menuBar"));

    QMenu* file = bar->addMenu(QStringLiteral("&File"));
    file->setObjectName(QStringLiteral("menuFile"));
    file->addAction(m_actions[Cmd::New]);
    file->addAction(m_actions[Cmd::Open]);
    file->addSeparator();
    QMenu* import = file->addMenu(QStringLiteral("&Import..."));
    import->setObjectName(QStringLiteral("menuImport"));
    import->addAction(m_actions[Cmd::ImportEds]);
    import->addAction(m_actions[Cmd::ImportXdd]);
    QMenu* create = file->addMenu(QStringLiteral("&Create..."));
    create->setObjectName(QStringLiteral("menuCreate"));
    create->addAction(m_actions[Cmd::CreateSources]);
    create->addAction(m_actions[Cmd::CreateEds]);
    create->addAction(m_actions[Cmd::CreateXdd]);
    create->addAction(m_actions[Cmd::CreateDocumentation]);
    file->addSeparator();
    file->addAction(m_actions[Cmd::Save]);
    file->addAction(m_actions[Cmd::SaveAs]);
    file->addSeparator();
    CreateRecentMenus(file);
    file->addSeparator();
    file->addAction(m_actions[Cmd::Exit]);

    QMenu* edit = bar->addMenu(QStringLiteral("&Edit"));
    edit->setObjectName(QStringLiteral("menuEdit"));
    edit->addAction(m_actions[Cmd::Undo]);
    edit->addAction(m_actions[Cmd::Redo]);
    edit->addSeparator();
    edit->addAction(m_actions[Cmd::NewIndex]);
    edit->addAction(m_actions[Cmd::NewSubindex]);
    edit->addSeparator();
    edit->addAction(m_actions[Cmd::Edit]);
    edit->addAction(m_actions[Cmd::Copy]);
    edit->addAction(m_actions[Cmd::Paste]);
    edit->addAction(m_actions[Cmd::Delete]);
    edit->addSeparator();
    QMenu* change = edit->addMenu(QStringLiteral("Change... "));
    change->setObjectName(QStringLiteral("menuChange"));
    change->addAction(m_actions[Cmd::FileInfo]);
    change->addAction(m_actions[Cmd::DeviceInfo]);
    change->addAction(m_actions[Cmd::DummyUsage]);
    change->addAction(m_actions[Cmd::Comments]);
    edit->addSeparator();
    edit->addAction(m_actions[Cmd::CheckDictionary]);

    QMenu* view = bar->addMenu(QStringLiteral("&View"));
    view->setObjectName(QStringLiteral("menuView"));
    view->addAction(m_actions[Cmd::StatusBar]);
    view->addAction(m_actions[Cmd::ToolBar]);
    view->addSeparator();
    view->addAction(m_actions[Cmd::Filter]);

    QMenu* help = bar->addMenu(QStringLiteral("&?"));
    help->setObjectName(QStringLiteral("menuHelp"));
    help->addAction(m_actions[Cmd::About]);

    // Menus bring their enabling up to date as they open.
    for (QMenu* menu : {file, import, create, edit, change, view, help}) {
        connect(menu, &QMenu::aboutToShow, this, &CMainFrame::UpdateCommandUI);
        // A menu closed by its command leaves that command's prompt behind; it goes with the menu.
        connect(menu, &QMenu::aboutToHide, this, &CMainFrame::ShowFilterStatus);
    }
}

void CMainFrame::CreateToolBar() {
    m_wndToolBar = addToolBar(QStringLiteral("Toolbar"));
    m_wndToolBar->setObjectName(QStringLiteral("toolBar"));
    m_wndToolBar->setIconSize(QSize(16, 16));
    m_wndToolBar->setMovable(true);
    m_wndToolBar->addAction(m_actions[Cmd::New]);
    m_wndToolBar->addSeparator();
    m_wndToolBar->addAction(m_actions[Cmd::Open]);
    m_wndToolBar->addAction(m_actions[Cmd::Save]);
    m_wndToolBar->addSeparator();
    m_wndToolBar->addAction(m_actions[Cmd::Copy]);
    m_wndToolBar->addAction(m_actions[Cmd::Paste]);
    m_wndToolBar->addSeparator();
    m_wndToolBar->addAction(m_actions[Cmd::Undo]);
    m_wndToolBar->addAction(m_actions[Cmd::Redo]);
    m_wndToolBar->addSeparator();
    m_wndToolBar->addAction(m_actions[Cmd::NewIndex]);
    m_wndToolBar->addAction(m_actions[Cmd::NewSubindex]);
    m_wndToolBar->addSeparator();
    m_wndToolBar->addAction(m_actions[Cmd::CreateEds]);
    m_wndToolBar->addAction(m_actions[Cmd::CreateSources]);

    auto* silent = new NoToolTip(this);
    for (int id : {Cmd::CreateEds, Cmd::CreateSources}) {
        if (QWidget* button = m_wndToolBar->widgetForAction(m_actions[id])) {
            button->installEventFilter(silent);
        }
    }
}

void CMainFrame::OnAction(int commandId) {
    switch (commandId) {
        case Cmd::About:
            OnAbout();
            break;
        case Cmd::StatusBar:
            statusBar()->setVisible(!statusBar()->isVisible());
            break;
        case Cmd::ToolBar:
            m_wndToolBar->setVisible(!m_wndToolBar->isVisible());
            break;
        case Cmd::CheckDictionary:
            OnCheckDictionary();
            break;
        default:
            m_pLeftPane->Commands().OnCommand(commandId);
            break;
    }
    UpdateCommandUI();
}

void CMainFrame::OnAbout() {
    CAboutDlg dialog(this);
    dialog.exec();
}

void CMainFrame::UpdateCommandUI() {
    for (const auto& [id, action] : m_actions) {
        switch (id) {
            case Cmd::About:
                action->setEnabled(true);
                break;
            case Cmd::StatusBar:
                action->setEnabled(true);
                action->setChecked(!statusBar()->isHidden());
                break;
            case Cmd::ToolBar:
                action->setEnabled(true);
                action->setChecked(!m_wndToolBar->isHidden());
                break;
            case Cmd::CheckDictionary:
                action->setEnabled(m_pLeftPane->Commands().IsProjectLoaded());
                break;
            default:
                action->setEnabled(m_pLeftPane->Commands().IsCommandEnabled(id));
                break;
        }
    }
    m_actions[Cmd::Edit]->setText(m_qtText.ToQt(m_pLeftPane->Commands().EditCommandLabel()));
    UpdateHistoryTexts();
}

void CMainFrame::UpdateHistoryTexts() {
    for (const int id : {Cmd::Undo, Cmd::Redo}) {
        const HistoryCommandText text =
            HistoryCommandTexts(id, id == Cmd::Undo ? m_document.UndoLabel() : m_document.RedoLabel());
        m_actions[id]->setText(m_qtText.ToQt(text.menu));
        m_actions[id]->setToolTip(m_qtText.ToQt(text.toolTip));
    }
}
