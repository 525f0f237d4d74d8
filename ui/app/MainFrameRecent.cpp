#include <QAction>
#include <QFileInfo>
#include <QMenu>

#include "platform/Platform.h"
#include "ui/app/CMainFrame.h"
#include "ui/app/QtText.h"
#include "ui/app/WindowCaption.h"
#include "ui/tree_pane/CLeftPaneView.h"

namespace {

// "&1 /path/file.prj": the number is the menu's access key; an ampersand of the path stays text.
QString RecentItemText(std::size_t position, const std::string& path) {
    QString shown = PathToQt(path);
    shown.replace(QLatin1Char('&'), QStringLiteral("&&"));
    return QStringLiteral("&%1 %2").arg(position + 1).arg(shown);
}

}  // namespace

void CMainFrame::CreateRecentMenus(QMenu* file) {
    m_recentProjectsMenu = file->addMenu(QStringLiteral("Recent &Projects"));
    m_recentProjectsMenu->setObjectName(QStringLiteral("menuRecentProjects"));
    m_recentEdsFilesMenu = file->addMenu(QStringLiteral("Recent &EDS Files"));
    m_recentEdsFilesMenu->setObjectName(QStringLiteral("menuRecentEdsFiles"));
    connect(m_pLeftPane, &CLeftPaneView::EdsFileImported, this, [this](const std::string& path) {
        m_recentEdsFiles.Add(path);
        UpdateRecentMenus();
    });
    // The lists may have been read from the settings since the menus were last filled.
    connect(file, &QMenu::aboutToShow, this, &CMainFrame::UpdateRecentMenus);
    UpdateRecentMenus();
}

void CMainFrame::UpdateRecentMenus() {
    const auto fill = [this](QMenu* menu, const RecentFileList& list, bool projects) {
        menu->clear();
        for (std::size_t i = 0; i < list.Paths().size(); ++i) {
            const std::string path = list.Paths()[i];
            QAction* action = menu->addAction(RecentItemText(i, path));
            action->setObjectName(
                QStringLiteral("%1%2")
                    .arg(projects ? QStringLiteral("actionRecentProject") : QStringLiteral("actionRecentEds"))
                    .arg(i + 1));
            action->setStatusTip(projects ? QStringLiteral("Open this project.")
                                          : QStringLiteral("Import this EDS-File."));
            connect(action, &QAction::triggered, this,
                    [this, path, projects] { OnRecentFile(path, projects); });
        }
        menu->setEnabled(!list.Paths().empty());
    };
    fill(m_recentProjectsMenu, m_recentFiles, true);
    fill(m_recentEdsFilesMenu, m_recentEdsFiles, false);
}

void CMainFrame::OnRecentFile(const std::string& path, bool project) {
    RecentFileList& list = project ? m_recentFiles : m_recentEdsFiles;
    if (!QFileInfo::exists(PathToQt(path))) {
        m_platform.MessageBox(
            "The file " + path + " no longer exists. It is removed from the list of recent files.",
            ApplicationName, MsgButtons::Ok, MsgIcon::Exclamation);
        list.Remove(path);
        UpdateRecentMenus();
        return;
    }
    m_pLeftPane->OpenRecentFile(path, project);
    UpdateCommandUI();
}
