#include "ui/app/RecentFileSettings.h"

#include <QSettings>

#include "ui/app/QtText.h"
#include "ui/app/RecentFileList.h"
#include "ui/app/WindowCaption.h"

void LoadRecentFiles(RecentFileList& list, const char* group) {
    QSettings settings(QStringLiteral("Local AppWizard-Generated Applications"),
                       QString::fromLatin1(ApplicationName));
    settings.beginGroup(QString::fromLatin1(group));
    std::vector<std::string> paths;
    for (std::size_t i = 1; i <= RecentFileList::DefaultSize; ++i) {
        const QString path = settings.value(QStringLiteral("File%1").arg(i)).toString();
        if (!path.isEmpty()) {
            paths.push_back(PathFromQt(path));
        }
    }
    list.Assign(paths);
}

void SaveRecentFiles(const RecentFileList& list, const char* group) {
    QSettings settings(QStringLiteral("Local AppWizard-Generated Applications"),
                       QString::fromLatin1(ApplicationName));
    settings.beginGroup(QString::fromLatin1(group));
    settings.remove(QString());
    for (std::size_t i = 0; i < list.Paths().size(); ++i) {
        settings.setValue(QStringLiteral("File%1").arg(i + 1), PathToQt(list.Paths()[i]));
    }
}
