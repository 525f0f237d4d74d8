#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QDialog>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QScreen>
#include <QSettings>
#include <QSplitter>
#include <QStandardPaths>
#include <QStatusBar>
#include <QStatusTipEvent>
#include <QTimer>
#include <QToolBar>
#include <QtTest>

#include "GuiFixture.h"
#include "ui/app/RecentFileSettings.h"
#include "ui/right_pane/CRightPaneView.h"
#include "ui/tree_pane/CTreeFilterBar.h"

class MainWindowTest : public QObject {
    Q_OBJECT

private:
    std::unique_ptr<GuiFixture> f;

private slots:
    void initTestCase() {
        QStandardPaths::setTestModeEnabled(true);
        QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, m_settingsDir.path());
        QSettings::setPath(QSettings::IniFormat, QSettings::UserScope, m_settingsDir.path());
    }
    void init() { f = std::make_unique<GuiFixture>(); }
    void cleanup() {
        const QStringList problems = f->platform.Problems();
        f.reset();
        QVERIFY2(problems.isEmpty(), qPrintable(problems.join(QLatin1Char('\n'))));
    }

    void startsWithEmptyTreeAndOnlyTheAlwaysEnabledCommands() {
        QCOMPARE(f->Caption(), QStringLiteral("Quillmark"));
        QCOMPARE(f->Tree().topLevelItemCount(), 0);
        for (int id :
             {Cmd::New, Cmd::Open, Cmd::ImportEds, Cmd::Exit, Cmd::About, Cmd::StatusBar, Cmd::ToolBar}) {
            QVERIFY2(f->Enabled(id), qPrintable(QString::number(id)));
        }
        for (int id : {Cmd::Save, Cmd::SaveAs, Cmd::CreateSources, Cmd::CreateEds, Cmd::NewIndex,
                       Cmd::NewSubindex, Cmd::Edit, Cmd::Copy, Cmd::Paste, Cmd::Delete, Cmd::FileInfo,
                       Cmd::DeviceInfo, Cmd::DummyUsage, Cmd::Comments}) {
            QVERIFY2(!f->Enabled(id), qPrintable(QString::number(id)));
        }
        QVERIFY(f->ToolButtonEnabled(Cmd::New));
        QVERIFY(!f->ToolButtonEnabled(Cmd::Save));
        QVERIFY(!f->ToolButtonEnabled(Cmd::CreateEds));
        QCOMPARE(f->frame->Action(Cmd::Edit)->text(), QStringLiteral("Edit index...."));
        QCOMPARE(f->frame->RightPane()->CurrentForm(), 1);
        QCOMPARE(f->Field("fieldIndexNumber"), QString());
        QCOMPARE(f->Field("fieldParameterName"), QString());
    }

    void statusBarShowsReadyAndTheClock() {
        auto* message = f->frame->findChild<QLabel*>(QStringLiteral("messagePane"));
        QVERIFY(message != nullptr);
        QCOMPARE(message->text(), QStringLiteral("Ready"));
        QCOMPARE(f->frame->ClockPane()->text(), QStringLiteral("00:00:00"));
        f->platform.SetTime(LocalTime{1, 1, 2026, 9, 5, 3});
        QTRY_COMPARE_WITH_TIMEOUT(f->frame->ClockPane()->text(), QStringLiteral("09:05:03"), 1000);
        f->platform.SetTime(LocalTime{1, 1, 2026, 23, 59, 58});
        QTRY_COMPARE_WITH_TIMEOUT(f->frame->ClockPane()->text(), QStringLiteral("23:59:58"), 1000);
        for (const char* name :
             {"indicatorCapsLock", "indicatorNumLock", "indicatorScrollLock", "clockPane"}) {
            QVERIFY2(f->frame->findChild<QLabel*>(QString::fromLatin1(name)) != nullptr, name);
        }
    }

    // The window opens at its usual size where the screen has room, smaller where it has not.
    void windowOpensWithinTheScreen() {
        CMainFrame frame(*f->document, f->platform);
        const QSize room = frame.screen()->availableGeometry().size();
        QCOMPARE(frame.size(),
                 QSize(CMainFrame::DefaultWidth, CMainFrame::DefaultHeight).boundedTo(room * 0.9));
        QVERIFY(frame.width() <= room.width() && frame.height() <= room.height());
    }

    void treePaneTakesOneThirdOfTheWidth() {
        const QList<int> sizes = f->frame->Splitter()->sizes();
        QCOMPARE(sizes.size(), 2);
        const int total = f->frame->Splitter()->width();
        QVERIFY2(qAbs(sizes[0] - total / 3) <= f->frame->Splitter()->handleWidth() + 1,
                 qPrintable(QStringLiteral("%1 of %2").arg(sizes[0]).arg(total)));
        QVERIFY(sizes[1] > sizes[0]);
    }

    void menusCarryTheirTextsAndShortcuts() {
        QStringList titles;
        for (QAction* menu : f->frame->menuBar()->actions()) {
            titles << menu->text();
        }
        QCOMPARE(titles, (QStringList{"&File", "&Edit", "&View", "&?"}));
        QCOMPARE(f->frame->Action(Cmd::New)->text(), QStringLiteral("&New...\tCtrl + N"));
        QCOMPARE(f->frame->Action(Cmd::New)->shortcut(), QKeySequence(QStringLiteral("Ctrl+N")));
        QCOMPARE(f->frame->Action(Cmd::Open)->shortcut(), QKeySequence(QStringLiteral("Ctrl+O")));
        QCOMPARE(f->frame->Action(Cmd::Save)->shortcut(), QKeySequence(QStringLiteral("Ctrl+S")));
        QCOMPARE(f->frame->Action(Cmd::Delete)->shortcut(), QKeySequence(QStringLiteral("Del")));
        QCOMPARE(f->frame->Action(Cmd::CreateEds)->text(), QStringLiteral("EDS-File  "));
        QCOMPARE(f->frame->Action(Cmd::About)->text(), QStringLiteral("About  Quillmark..."));
        QCOMPARE(f->frame->Action(Cmd::Copy)->statusTip(),
                 QStringLiteral("Copy a lselected index in the tree view"));
        QCOMPARE(f->frame->Action(Cmd::NewIndex)->toolTip(), QStringLiteral("Add new index"));
        QCOMPARE(f->frame->Action(Cmd::Undo)->shortcuts(),
                 (QList<QKeySequence>{QKeySequence(QStringLiteral("Ctrl+Z")),
                                      QKeySequence(QStringLiteral("Alt+Backspace"))}));
        QCOMPARE(f->frame->Action(Cmd::Redo)->shortcuts(),
                 (QList<QKeySequence>{QKeySequence(QStringLiteral("Ctrl+Y")),
                                      QKeySequence(QStringLiteral("Ctrl+Shift+Z"))}));
        QCOMPARE(f->frame->Action(Cmd::Filter)->shortcut(), QKeySequence(QStringLiteral("Ctrl+F")));

        auto* toolBar = f->frame->findChild<QToolBar*>(QStringLiteral("toolBar"));
        QVERIFY(toolBar != nullptr);
        QStringList order;
        for (QAction* action : toolBar->actions()) {
            order << (action->isSeparator() ? QStringLiteral("|") : action->objectName());
        }
        QCOMPARE(order, (QStringList{"actionNew", "|", "actionOpen", "actionSave", "|", "actionCopy",
                                     "actionPaste", "|", "actionUndo", "actionRedo", "|", "actionNewIndex",
                                     "actionNewSubindex", "|", "actionCreateEds", "actionCreateSources"}));
    }

    void newProjectShowsTheSkeletonAndTheTitle() {
        f->Trigger(Cmd::New);
        QCOMPARE(f->Caption(), QStringLiteral("unnamed.prj - Quillmark"));
        QTreeWidgetItem* root = f->Tree().RootItem();
        QVERIFY(root != nullptr);
        QCOMPARE(root->text(0), QStringLiteral("unnamed.eds"));
        QVERIFY(root->isExpanded());
        QStringList children;
        for (int i = 0; i < root->childCount(); ++i) {
            children << root->child(i)->text(0);
        }
        QCOMPARE(children,
                 (QStringList{"FileInfo", "DeviceInfo", "DummyUsage", "Comments", "ObjectDictionary"}));
        QCOMPARE(f->Tree().currentItem(), f->Tree().DictionaryItem());
        QCOMPARE(f->frame->RightPane()->CurrentForm(), 1);
        // A new project is no loaded project yet: nothing to save or create.
        QVERIFY(!f->Enabled(Cmd::SaveAs));
        QVERIFY(!f->Enabled(Cmd::CreateSources));
        QVERIFY(!f->Enabled(Cmd::CreateEds));
        QVERIFY(!f->Enabled(Cmd::Save));
    }

    void acceleratorsReachTheirCommands() {
        f->frame->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(f->frame.get()));
        f->Tree().setFocus();
        QTest::keyClick(f->frame.get(), Qt::Key_N, Qt::ControlModifier);
        QVERIFY(f->Tree().RootItem() != nullptr);
        QCOMPARE(f->Label(f->Tree().RootItem()), QStringLiteral("unnamed.eds"));

        // Keys of commands nobody handles, and Undo with nothing to undo, do nothing.
        QTest::keyClick(f->frame.get(), Qt::Key_P, Qt::ControlModifier);
        QTest::keyClick(f->frame.get(), Qt::Key_Z, Qt::ControlModifier);
        QTest::keyClick(f->frame.get(), Qt::Key_Delete);

        f->platform.QueueChosenFile(std::nullopt);
        QTest::keyClick(f->frame.get(), Qt::Key_O, Qt::ControlModifier);
        QCOMPARE(f->platform.ChooserRequests().size(), std::size_t{1});
        QCOMPARE(f->platform.ChooserRequests().front().filter, std::string("Project Files (*.prj)| *.prj||"));
        QCOMPARE(f->Label(f->Tree().RootItem()), QStringLiteral("unnamed.eds"));
    }

    void detailsAreReachedWithTheKeyboardAndCopied() {
        f->ImportExample();
        f->Select(f->IndexNode(0x1000));
        f->frame->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(f->frame.get()));
        f->Tree().setFocus();
        const auto focused = [] {
            QWidget* widget = QApplication::focusWidget();
            return widget == nullptr ? QString() : widget->objectName();
        };

        // Tab walks the fields row by row; each one reached by the keyboard has its text selected.
        for (const char* name : {"fieldParameterName", "fieldIndexNumber", "fieldCurrentSubindex",
                                 "fieldStorageArea", "fieldNumberOfSubindices", "fieldCallbackFunction",
                                 "fieldIndexCategory", "fieldObjectType", "fieldDefaultValue"}) {
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
            QCOMPARE(focused(), QString::fromLatin1(name));
        }
        auto* field = qobject_cast<QLabel*>(QApplication::focusWidget());
        QCOMPARE(field->selectedText(), f->Field("fieldDefaultValue"));

        // Ctrl+C copies the field's text, not the tree's index: the window's Copy command stays out.
        QAction* copy = f->frame->Action(Cmd::Copy);
        QSignalSpy copyCommand(copy, &QAction::triggered);
        QGuiApplication::clipboard()->clear();
        copy->setEnabled(true);
        QTest::keyClick(field, Qt::Key_C, Qt::ControlModifier);
        QCOMPARE(QGuiApplication::clipboard()->text(), QStringLiteral("0x000F0191"));
        QCOMPARE(copyCommand.count(), 0);

        // F6 and Shift+F6 go between the panes; the right pane starts at the form's first field.
        QTest::keyClick(field, Qt::Key_F6);
        QCOMPARE(QApplication::focusWidget(), &f->Tree());
        copy->setEnabled(true);
        QTest::keyClick(&f->Tree(), Qt::Key_C, Qt::ControlModifier);
        QCOMPARE(copyCommand.count(), 1);
        QTest::keyClick(&f->Tree(), Qt::Key_F6, Qt::ShiftModifier);
        QCOMPARE(focused(), QStringLiteral("fieldParameterName"));

        // A form without a field to focus takes the focus on the pane itself.
        f->Select(f->Tree().SectionItem(NodeKind::DummyUsage));
        f->Tree().setFocus();
        QTest::keyClick(&f->Tree(), Qt::Key_F6);
        QCOMPARE(QApplication::focusWidget(), f->frame->RightPane());
        f->Select(f->Tree().SectionItem(NodeKind::Comments));
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_F6);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_F6);
        QCOMPARE(focused(), QStringLiteral("listComments"));
        copy->setEnabled(true);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_C, Qt::ControlModifier);
        QCOMPARE(QGuiApplication::clipboard()->text(),
                 QStringLiteral("Example device description for the Quillmark editor."));
        QCOMPARE(copyCommand.count(), 1);
    }

    void viewCommandsToggleTheBars() {
        auto* toolBar = f->frame->findChild<QToolBar*>(QStringLiteral("toolBar"));
        QVERIFY(f->frame->Action(Cmd::ToolBar)->isChecked());
        f->Trigger(Cmd::ToolBar);
        QVERIFY(toolBar->isHidden());
        QVERIFY(!f->frame->Action(Cmd::ToolBar)->isChecked());
        f->Trigger(Cmd::StatusBar);
        QVERIFY(f->frame->statusBar()->isHidden());
        QVERIFY(!f->frame->Action(Cmd::StatusBar)->isChecked());
        f->Trigger(Cmd::StatusBar);
        QVERIFY(!f->frame->statusBar()->isHidden());
    }

    void aboutBoxShowsTheVersion() {
        QString title;
        QString text;
        QTimer::singleShot(0, this, [&] {
            QWidget* modal = QApplication::activeModalWidget();
            if (modal == nullptr) {
                return;
            }
            title = modal->windowTitle();
            if (auto* label = modal->findChild<QLabel*>(QStringLiteral("aboutText"))) {
                text = label->text();
            }
            qobject_cast<QDialog*>(modal)->accept();
        });
        f->Trigger(Cmd::About);
        QCOMPARE(title, QStringLiteral("About Quillmark"));
        QCOMPARE(text, QStringLiteral("Quillmark Version 1.09"));
    }

    // Each dialog is wide enough for its whole caption beside the title bar's icon and three buttons,
    // and fits a 1280x800 screen with room for its frame, also at 200% (640x400 in Qt's pixels).
    void dialogsShowTheirWholeCaption_data() {
        QTest::addColumn<int>("command");
        QTest::addColumn<int>("section");
        QTest::newRow("About") << int{Cmd::About} << static_cast<int>(NodeKind::None);
        QTest::newRow("FileInfo") << int{Cmd::FileInfo} << static_cast<int>(NodeKind::FileInfo);
        QTest::newRow("DeviceInfo") << int{Cmd::DeviceInfo} << static_cast<int>(NodeKind::DeviceInfo);
        QTest::newRow("DummyUsage") << int{Cmd::DummyUsage} << static_cast<int>(NodeKind::DummyUsage);
        QTest::newRow("Comments") << int{Cmd::Comments} << static_cast<int>(NodeKind::Comments);
        QTest::newRow("index") << int{Cmd::Edit} << static_cast<int>(NodeKind::Index);
    }
    void dialogsShowTheirWholeCaption() {
        QFETCH(int, command);
        QFETCH(int, section);
        f->ImportExample();
        const auto kind = static_cast<NodeKind>(section);
        // About needs no node.
        if (kind != NodeKind::None) {
            f->Select(kind == NodeKind::Index ? f->IndexNode(0x1018) : f->Tree().SectionItem(kind));
        }
        QSize size;
        QSize smallest;
        QString title;
        QFont font;
        QVERIFY(f->DriveDialog([&] { f->Trigger(command); },
                               [&](QDialog& d) {
                                   size = d.sizeHint().expandedTo(d.minimumSize());
                                   smallest = d.minimumSizeHint().expandedTo(d.minimumSize());
                                   title = d.windowTitle();
                                   font = d.font();
                               }));
        font.setBold(true);
        // A title bar's icon, three buttons and margins take about 130 pixels besides the text.
        QVERIFY2(smallest.width() >= QFontMetrics(font).horizontalAdvance(title) + 130, qPrintable(title));
        QVERIFY2(size.width() <= 1260 && size.height() <= 770, qPrintable(title));
        QVERIFY2(smallest.width() <= 620 && smallest.height() <= 370, qPrintable(title));
    }

    // A command's prompt stands in for the message pane only while it is pointed at.
    void statusTipsGiveTheFilterCountBack() {
        f->ImportExample();
        f->Trigger(Cmd::Filter);
        f->frame->FilterBar()->Edit()->setText(QStringLiteral("1018"));
        QLabel* pane = f->frame->MessagePane();
        QCOMPARE(pane->text(), QStringLiteral("1 of 30 indices"));
        QStatusBar* bar = f->frame->statusBar();
        const auto tip = [this](const QString& text) {
            QStatusTipEvent event(text);
            QApplication::sendEvent(f->frame.get(), &event);
        };
        tip(QStringLiteral("Copy a lselected index in the tree view"));
        QCOMPARE(bar->currentMessage(), QStringLiteral("Copy a lselected index in the tree view"));
        QVERIFY(pane->isHidden());
        tip(QString());
        QVERIFY(bar->currentMessage().isEmpty() && !pane->isHidden());
        QCOMPARE(pane->text(), QStringLiteral("1 of 30 indices"));
        // A menu closed by its command takes the prompt with it, and a new count is shown at once.
        auto* edit = f->frame->findChild<QMenu*>(QStringLiteral("menuEdit"));
        tip(QStringLiteral("Delete an index from the database"));
        emit edit->aboutToHide();
        QVERIFY(bar->currentMessage().isEmpty() && !pane->isHidden());
        tip(QStringLiteral("Delete an index from the database"));
        f->frame->FilterBar()->Edit()->setText(QStringLiteral("10"));
        QVERIFY(bar->currentMessage().isEmpty() && !pane->isHidden());
        QVERIFY(pane->text().endsWith(QStringLiteral(" of 30 indices")));
    }

    // The icon comes from the SVG compiled into the program; a missing resource would leave it blank.
    void windowShowsTheApplicationIconInEverySize() {
        const QIcon icon = f->frame->windowIcon();
        for (int size : {16, 32, 48, 256}) {
            QVERIFY2(icon.availableSizes().contains(QSize(size, size)), qPrintable(QString::number(size)));
            const QImage image = icon.pixmap(size, size).toImage();
            QCOMPARE(image.pixelColor(0, 0).alpha(), 0);
            QCOMPARE(image.pixelColor(size / 2, size / 2).alpha(), 255);
        }
    }

    void exitAsksForModifiedProjectAndCancelKeepsTheWindow() {
        f->ImportExample();
        f->platform.ExpectMessage("Save current project?", "Quillmark", MsgIcon::Question, MsgResult::Cancel);
        f->Trigger(Cmd::Exit);
        QVERIFY(f->frame->isVisible());
        f->platform.ExpectMessage("Save current project?", "Quillmark", MsgIcon::Question, MsgResult::No);
        f->Trigger(Cmd::Exit);
        QVERIFY(!f->frame->isVisible());
    }

    void closeBoxRunsTheSamePrompt() {
        f->ImportExample();
        f->platform.ExpectMessage("Save current project?", "Quillmark", MsgIcon::Question, MsgResult::Cancel);
        QVERIFY(!f->frame->close());
        QVERIFY(f->frame->isVisible());
        f->platform.ExpectMessage("Save current project?", "Quillmark", MsgIcon::Question, MsgResult::No);
        QVERIFY(f->frame->close());
    }

    void exitWithoutChangesClosesAtOnce() {
        f->Trigger(Cmd::Exit);
        QVERIFY(!f->frame->isVisible());
    }

    void recentFilesFollowSavesAndPersist() {
        f->ImportExample();
        const std::string project = f->TempFile("recent.prj");
        f->platform.QueueChosenFile(project);
        f->Trigger(Cmd::SaveAs);
        QCOMPARE(f->frame->RecentFiles().Paths(), std::vector<std::string>{project});
        SaveRecentFiles(f->frame->RecentFiles());
        RecentFileList loaded;
        LoadRecentFiles(loaded);
        QCOMPARE(loaded.Paths(), std::vector<std::string>{project});
        QSettings settings(QStringLiteral("Local AppWizard-Generated Applications"),
                           QStringLiteral("Quillmark"));
        QVERIFY2(settings.fileName().startsWith(m_settingsDir.path()), qPrintable(settings.fileName()));
    }

private:
    QTemporaryDir m_settingsDir;
};

QTEST_MAIN(MainWindowTest)
#include "MainWindowTest.moc"
