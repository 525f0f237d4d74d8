#pragma once

#include <QCheckBox>
#include <QLabel>
#include <QMenu>
#include <QStringList>
#include <QTemporaryDir>
#include <QTreeWidgetItem>
#include <functional>
#include <memory>
#include <string>

#include "GuiTestPlatform.h"
#include "document/CQuillmarkDoc.h"
#include "ui/app/CMainFrame.h"
#include "ui/app/CommandIds.h"
#include "ui/dialogs/CIndexDlg.h"
#include "ui/tree_pane/CLeftPaneView.h"

// A started editor for one test: the scripted platform, the document and the shown main window,
// started the way the application starts them.
class QDialog;

class GuiFixture {
public:
    GuiFixture();
    ~GuiFixture();

    GuiTestPlatform platform;
    std::unique_ptr<CQuillmarkDoc> document;
    std::unique_ptr<CMainFrame> frame;
    QTemporaryDir temp;

    CLeftPaneView& Tree() const { return *frame->LeftPane(); }
    // Triggers the command's action as a menu click does (nothing happens while it is disabled).
    void Trigger(int commandId);
    bool Enabled(int commandId);
    bool ToolButtonEnabled(int commandId);

    static std::string ExamplePath();
    std::string TempFile(const char* name) const;
    // Imports the example EDS through the menu command, answering its chooser and success message.
    void ImportExample();
    // The example written in UTF-8, with non-ASCII texts in the name of 0x1000 (Utf8DeviceType), the
    // vendor name and the first comment line; imported the same way.
    static constexpr const char* Utf8DeviceType = "Ger\u00e4tetyp \u20ac";
    void ImportUtf8Example();
    // Announces the question that follows an import refused for what the file lacks, with its answer.
    void ExpectLenientQuestion(const std::string& path, MsgResult answer);

    QStringList DictionaryLabels() const;
    QTreeWidgetItem* IndexNode(unsigned index) const;
    QTreeWidgetItem* SubindexNode(unsigned index, unsigned subindex) const;
    // A node's label; a missing node reads "<no node>", so a comparison fails on it instead of crashing.
    static QString Label(const QTreeWidgetItem* node);
    // The item of a context menu that runs the command; null when the menu has none.
    static QAction* MenuAction(const QMenu& menu, int commandId);
    // Makes the node current; a missing node fails the test.
    void Select(QTreeWidgetItem* item);
    QString Field(const char* objectName) const;
    // The caption as the window shows it, with the modified mark where Qt puts it.
    QString Caption() const;
    // Everything a command may change, as one text: the document's title, path and flags, the
    // caption, the tree with its selection, the tree pane's flags and the enabling of every command.
    QString EditorState();
    bool Checked(const char* objectName) const;

    // Runs open, which shows a modal dialog, and hands the dialog to drive once it is up; drive closes
    // it. False when no dialog showed. A dialog that drive leaves open is cancelled, so a failing
    // test never hangs.
    bool DriveDialog(const std::function<void()>& open, const std::function<void(QDialog&)>& drive);

    // Runs `open`, which is to show the index dialog modally, and acts on the dialog from a timer once
    // it runs. `act` ends with OK or Cancel; a dialog that did not open, or is still open after `act`,
    // is a problem (and is cancelled). Returns whether the dialog ran.
    bool WithIndexDialog(const std::function<void()>& open, const std::function<void(CIndexDlg&)>& act);
    bool TriggerWithIndexDialog(int commandId, const std::function<void(CIndexDlg&)>& act);
    // The dialog's controls, driven as the user does: typing leaves the edit with Tab afterwards, a
    // choice is made as from the open list, a click presses the button.
    static void Type(CIndexDlg& dialog, const char* edit, const QString& text);
    static void Choose(CIndexDlg& dialog, const char* combo, const QString& item);
    static void Click(CIndexDlg& dialog, const char* button);
};
