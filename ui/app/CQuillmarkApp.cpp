#include "ui/app/CQuillmarkApp.h"

#include <QApplication>
#include <QCommandLineParser>
#include <QLineEdit>
#include <QSettings>
#include <QTimer>
#include <clocale>
#include <cstdio>

#include "document/CQuillmarkDoc.h"
#include "ui/app/CMainFrame.h"
#include "ui/app/IconFactory.h"
#include "ui/app/QtPlatform.h"
#include "ui/app/QtText.h"
#include "ui/app/RecentFileSettings.h"
#include "ui/app/WindowCaption.h"
#include "ui/tree_pane/CLeftPaneView.h"
#include "ui/tree_pane/CTreeFilterBar.h"

namespace {

// Selects a section node by its label ("FileInfo", "DeviceInfo", ...) or an index node by its
// hexadecimal number, and expands it.
void SelectNode(CLeftPaneView& tree, const QString& what) {
    for (NodeKind kind :
         {NodeKind::FileInfo, NodeKind::DeviceInfo, NodeKind::DummyUsage, NodeKind::Comments}) {
        QTreeWidgetItem* section = tree.SectionItem(kind);
        if (section != nullptr && section->text(0).compare(what, Qt::CaseInsensitive) == 0) {
            tree.setCurrentItem(section);
            return;
        }
    }
    bool ok = false;
    const uint number = what.toUInt(&ok, 16);
    QTreeWidgetItem* dictionary = tree.DictionaryItem();
    if (!ok || dictionary == nullptr) {
        return;
    }
    for (int i = 0; i < dictionary->childCount(); ++i) {
        QTreeWidgetItem* node = dictionary->child(i);
        if (tree.IndexFromItem(node) == number) {
            tree.setCurrentItem(node);
            node->setExpanded(node->childCount() > 0);
            tree.scrollToItem(node);
            return;
        }
    }
}

// Paints the window once, as the screen would, and writes the picture to the path (none: nothing is
// written, which times an open without the PNG encoding).
int Screenshot(CMainFrame& frame, const QString& path) {
    frame.UpdateClock();
    frame.UpdateLockIndicators();
    frame.UpdateCommandUI();
    QApplication::processEvents();
    const QPixmap picture = frame.grab();
    if (!path.isEmpty() && !picture.save(path, "PNG")) {
        std::fprintf(stderr, "Could not write the screenshot %s\n", path.toLocal8Bit().constData());
        return 1;
    }
    return 0;
}

}  // namespace

int RunQuillmark(int argc, char** argv) {
    QApplication application(argc, argv);
    // The logic formats numbers with printf; they must not follow the user's decimal separator.
    std::setlocale(LC_NUMERIC, "C");
    QApplication::setOrganizationName(QStringLiteral("Local AppWizard-Generated Applications"));
    QApplication::setApplicationName(QString::fromLatin1(ApplicationName));
    QApplication::setApplicationVersion(QStringLiteral("1.09"));
    // The desktop matches the window to the installed quillmark.desktop, for its icon and its name.
    QGuiApplication::setDesktopFileName(QStringLiteral("quillmark"));
    QApplication::setWindowIcon(Icons::Application());

    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral("Object dictionary editor for CANopen devices"));
    parser.addHelpOption();
    parser.addVersionOption();
    const QCommandLineOption screenshot(QStringLiteral("screenshot"),
                                        QStringLiteral("Render the main window to a PNG file and exit."),
                                        QStringLiteral("path"));
    const QCommandLineOption select(
        QStringLiteral("select"),
        QStringLiteral("Select a section (FileInfo, DeviceInfo, DummyUsage, Comments) "
                       "or the index with this hexadecimal number."),
        QStringLiteral("node"));
    const QCommandLineOption filter(QStringLiteral("filter"),
                                    QStringLiteral("Open the tree's filter with this text."),
                                    QStringLiteral("text"));
    const QCommandLineOption renderOnly(
        QStringLiteral("render-only"), QStringLiteral("Render the main window once and exit, writing nothing "
                                                      "(times an open)."));
    parser.addOption(screenshot);
    parser.addOption(renderOnly);
    parser.addOption(select);
    parser.addOption(filter);
    parser.addPositionalArgument(QStringLiteral("file"), QStringLiteral("A project (.prj) or EDS/DCF file."));
    parser.process(application);

    QtPlatform platform;
    const bool rendering = parser.isSet(screenshot) || parser.isSet(renderOnly);
    platform.SetUnattended(rendering);

    CQuillmarkDoc document(platform);
    platform.SetQtText(QtText(document));
    CMainFrame frame(document, platform);
    platform.SetMainWindow(&frame);
    if (!rendering) {
        LoadRecentFiles(frame.RecentFiles());
        LoadRecentFiles(frame.RecentEdsFiles(), RecentEdsFilesGroup);
    }
    if (!document.OnNewDocument()) {
        std::fprintf(stderr, "Quillmark could not create its document.\n");
        return 1;
    }
    frame.FinishStartup();
    if (rendering) {
        // A picture for the documentation has the usual size, whatever screen renders it.
        frame.resize(CMainFrame::DefaultWidth, CMainFrame::DefaultHeight);
    }
    frame.show();

    const QStringList files = parser.positionalArguments();
    if (!files.isEmpty()) {
        frame.LeftPane()->OpenFileDirectly(PathFromQt(files.constFirst()), false);
    }
    if (parser.isSet(select)) {
        SelectNode(*frame.LeftPane(), parser.value(select));
    }
    if (parser.isSet(filter)) {
        frame.FilterBar()->Open();
        frame.FilterBar()->Edit()->setText(parser.value(filter));
    }
    if (rendering) {
        return Screenshot(frame, parser.isSet(screenshot) ? parser.value(screenshot) : QString());
    }
    const int exitCode = QApplication::exec();
    SaveRecentFiles(frame.RecentFiles());
    SaveRecentFiles(frame.RecentEdsFiles(), RecentEdsFilesGroup);
    return exitCode;
}
