#include "GuiFixture.h"

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QDialog>
#include <QFile>
#include <QLineEdit>
#include <QTimer>
#include <QToolBar>
#include <QToolButton>
#include <QWindow>
#include <QtTest>
#include <algorithm>

#include "ui/app/QtText.h"

GuiFixture::GuiFixture() {
    document = std::make_unique<CQuillmarkDoc>(platform);
    frame = std::make_unique<CMainFrame>(*document, platform);
    document->OnNewDocument();
    frame->FinishStartup();
    // The tests see the window at its usual size, whatever the size of the test screen.
    frame->resize(CMainFrame::DefaultWidth, CMainFrame::DefaultHeight);
    frame->show();
    QApplication::processEvents();
}

GuiFixture::~GuiFixture() {
    frame.reset();
    document.reset();
}

void GuiFixture::Trigger(int commandId) {
    frame->UpdateCommandUI();
    frame->Action(commandId)->trigger();
}

bool GuiFixture::Enabled(int commandId) {
    frame->UpdateCommandUI();
    return frame->Action(commandId)->isEnabled();
}

bool GuiFixture::ToolButtonEnabled(int commandId) {
    frame->UpdateCommandUI();
    auto* toolBar = frame->findChild<QToolBar*>(QStringLiteral("toolBar"));
    QWidget* button = toolBar == nullptr ? nullptr : toolBar->widgetForAction(frame->Action(commandId));
    return button != nullptr && button->isEnabled();
}

std::string GuiFixture::ExamplePath() {
    return std::string(QM_EXAMPLES_DIR) + "/io_device.eds";
}

std::string GuiFixture::TempFile(const char* name) const {
    return PathFromQt(temp.filePath(QString::fromLatin1(name)));
}

void GuiFixture::ImportExample() {
    platform.QueueChosenFile(ExamplePath());
    platform.ExpectMessage("The file " + ExamplePath() + " was successfully readed!", "Read EDS file",
                           MsgIcon::Information);
    Trigger(Cmd::ImportEds);
}

void GuiFixture::ImportUtf8Example() {
    QFile example(PathToQt(ExamplePath()));
    QVERIFY(example.open(QIODevice::ReadOnly));
    QByteArray bytes = example.readAll();
    bytes.replace("ParameterName=Device Type", "ParameterName=" + QByteArray(Utf8DeviceType));
    bytes.replace("VendorName=Example", "VendorName=M\u00fcller");
    bytes.replace("Line1=Example", "Line1=Gr\u00fc\u00dfe, this is an example");
    const std::string path = TempFile("utf8_device.eds");
    QFile utf8(PathToQt(path));
    QVERIFY(utf8.open(QIODevice::WriteOnly) && utf8.write(bytes) == bytes.size());
    utf8.close();
    platform.QueueChosenFile(path);
    platform.ExpectMessage("The file " + path + " was successfully readed!", "Read EDS file",
                           MsgIcon::Information);
    Trigger(Cmd::ImportEds);
}

void GuiFixture::ExpectLenientQuestion(const std::string& path, MsgResult answer) {
    platform.ExpectMessage("The file " + path +
                               " does not meet this editor's requirements. Import it anyway, filling in what "
                               "is missing?",
                           "Import EDS-File", MsgIcon::Question, answer);
}

QStringList GuiFixture::DictionaryLabels() const {
    QStringList labels;
    QTreeWidgetItem* dictionary = Tree().DictionaryItem();
    for (int i = 0; dictionary != nullptr && i < dictionary->childCount(); ++i) {
        labels << dictionary->child(i)->text(0);
    }
    return labels;
}

QTreeWidgetItem* GuiFixture::IndexNode(unsigned index) const {
    QTreeWidgetItem* dictionary = Tree().DictionaryItem();
    for (int i = 0; dictionary != nullptr && i < dictionary->childCount(); ++i) {
        if (Tree().IndexFromItem(dictionary->child(i)) == index) {
            return dictionary->child(i);
        }
    }
    return nullptr;
}

QTreeWidgetItem* GuiFixture::SubindexNode(unsigned index, unsigned subindex) const {
    QTreeWidgetItem* node = IndexNode(index);
    for (int i = 0; node != nullptr && i < node->childCount(); ++i) {
        if (Tree().SubindexFromItem(node->child(i)) == subindex) {
            return node->child(i);
        }
    }
    return nullptr;
}

QString GuiFixture::Label(const QTreeWidgetItem* node) {
    return node != nullptr ? node->text(0) : QStringLiteral("<no node>");
}

QAction* GuiFixture::MenuAction(const QMenu& menu, int commandId) {
    const QList<QAction*> actions = menu.actions();
    const auto found = std::find_if(actions.begin(), actions.end(), [commandId](const QAction* action) {
        return !action->isSeparator() && action->data().toInt() == commandId;
    });
    return found != actions.end() ? *found : nullptr;
}

void GuiFixture::Select(QTreeWidgetItem* item) {
    // A node a test means to select must exist; the test fails here rather than somewhere after.
    if (item == nullptr) {
        QTest::qFail("Select: the node does not exist", __FILE__, __LINE__);
        return;
    }
    Tree().setCurrentItem(item);
}

QString GuiFixture::Field(const char* objectName) const {
    auto* label = frame->findChild<QLabel*>(QString::fromLatin1(objectName));
    return label == nullptr ? QStringLiteral("<missing %1>").arg(QString::fromLatin1(objectName))
                            : label->text();
}

QString GuiFixture::Caption() const {
    return frame->windowHandle() != nullptr ? frame->windowHandle()->title() : QStringLiteral("<no window>");
}

bool GuiFixture::Checked(const char* objectName) const {
    auto* box = frame->findChild<QAbstractButton*>(QString::fromLatin1(objectName));
    return box != nullptr && box->isChecked();
}

bool GuiFixture::DriveDialog(const std::function<void()>& open, const std::function<void(QDialog&)>& drive) {
    bool shown = false;
    // The timer dies with this call, so it never fires into a later test.
    QTimer timer;
    timer.setSingleShot(true);
    QObject::connect(&timer, &QTimer::timeout, [&] {
        auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget());
        if (dialog == nullptr) {
            platform.AddProblem(QStringLiteral("no dialog is the modal window"));
            return;
        }
        shown = true;
        // Focus changes, and with them the reactions to leaving an edit, need the active window. A
        // dialog counts as active while its main window is, so wait for the application's own answer.
        dialog->activateWindow();
        if (!QTest::qWaitFor([dialog] { return QApplication::activeWindow() == dialog; })) {
            platform.AddProblem(
                QStringLiteral("the dialog %1 did not become the active window").arg(dialog->objectName()));
        }
        drive(*dialog);
        if (dialog->isVisible()) {
            dialog->reject();
        }
    });
    timer.start(0);
    open();
    return shown;
}

QString GuiFixture::EditorState() {
    const auto text = [](const QTreeWidgetItem* item) { return item == nullptr ? QString() : item->text(0); };
    const CommandState flags = Tree().Commands().GetCommandState();
    QString state = QStringLiteral("%1|%2|modified=%3 named=%4 visible=%5|%6|%7|%8|%9|")
                        .arg(PathToQt(document->GetTitle()), PathToQt(document->GetPathName()))
                        .arg(document->IsModified())
                        .arg(document->IsNamed())
                        .arg(frame->isVisible())
                        .arg(Caption(), text(Tree().RootItem()), text(Tree().currentItem()),
                             DictionaryLabels().join(QLatin1Char(',')));
    for (bool flag : {flags.projectLoaded, flags.indexSelected(), flags.subindexSelected(),
                      flags.dictionarySelected(), flags.fileInfoSelected(), flags.deviceInfoSelected(),
                      flags.dummyUsageSelected(), flags.commentsSelected(), flags.canAddSubindex}) {
        state += flag ? QLatin1Char('1') : QLatin1Char('0');
    }
    frame->UpdateCommandUI();
    for (QAction* action : frame->findChildren<QAction*>()) {
        if (action->isEnabled()) {
            state += QLatin1Char(' ') + action->objectName();
        }
    }
    return state;
}

bool GuiFixture::WithIndexDialog(const std::function<void()>& open,
                                 const std::function<void(CIndexDlg&)>& act) {
    const bool ran = DriveDialog(open, [&](QDialog& shown) {
        auto* dialog = qobject_cast<CIndexDlg*>(&shown);
        if (dialog == nullptr) {
            platform.AddProblem(QStringLiteral("the modal window is not the index dialog"));
            return;
        }
        act(*dialog);
        if (dialog->isVisible()) {
            platform.AddProblem(QStringLiteral("the index dialog was left open"));
        }
    });
    if (!ran) {
        platform.AddProblem(QStringLiteral("no index dialog ran"));
    }
    return ran;
}

bool GuiFixture::TriggerWithIndexDialog(int commandId, const std::function<void(CIndexDlg&)>& act) {
    return WithIndexDialog([this, commandId] { Trigger(commandId); }, act);
}

void GuiFixture::Type(CIndexDlg& dialog, const char* edit, const QString& text) {
    auto* line = dialog.findChild<QLineEdit*>(QString::fromLatin1(edit));
    QVERIFY2(line != nullptr && line->isEnabled(), edit);
    line->setFocus();
    line->selectAll();
    QTest::keyClick(line, Qt::Key_Backspace);
    for (const QChar c : text) {
        // Key clicks know only ASCII; other characters come as the text of a key, as a keyboard
        // layout or input method sends them.
        if (c.unicode() < 0x80) {
            QTest::keyClick(line, c.toLatin1());
        } else {
            QTest::sendKeyEvent(QTest::Click, line, Qt::Key_unknown, QString(c), Qt::NoModifier);
        }
    }
    QTest::keyClick(line, Qt::Key_Tab);
}

void GuiFixture::Choose(CIndexDlg& dialog, const char* combo, const QString& item) {
    auto* list = dialog.findChild<QComboBox*>(QString::fromLatin1(combo));
    QVERIFY2(list != nullptr && list->isEnabled(), combo);
    const int position = list->findText(item);
    QVERIFY2(position >= 0, qPrintable(item));
    list->setCurrentIndex(position);
    emit list->activated(position);
}

void GuiFixture::Click(CIndexDlg& dialog, const char* button) {
    auto* widget = dialog.findChild<QAbstractButton*>(QString::fromLatin1(button));
    QVERIFY2(widget != nullptr && widget->isEnabled(), button);
    widget->click();
}
