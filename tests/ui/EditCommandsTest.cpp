#include <QAction>
#include <QComboBox>
#include <QFile>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QtTest>
#include <map>

#include "GuiFixture.h"
#include "ui/app/QtText.h"

namespace {

using G = GuiFixture;

int Image(const QTreeWidgetItem* node) {
    return node->data(0, CLeftPaneView::ImageRole).toInt();
}

QStringList ChildLabels(const QTreeWidgetItem* node) {
    QStringList labels;
    for (int i = 0; i < node->childCount(); ++i) {
        labels << node->child(i)->text(0);
    }
    return labels;
}

QString Text(CIndexDlg& dialog, const char* name) {
    if (auto* combo = dialog.findChild<QComboBox*>(QString::fromLatin1(name))) {
        return combo->currentText();
    }
    return dialog.findChild<QLineEdit*>(QString::fromLatin1(name))->text();
}

// The lines of one section of an EDS file.
QStringList Section(const QByteArray& eds, const QByteArray& name) {
    QStringList section;
    bool inside = false;
    for (const QByteArray& line : eds.split('\n')) {
        const QByteArray text = line.trimmed();
        inside = text.startsWith('[') ? text == "[" + name + "]" : inside;
        if (inside && !text.isEmpty() && !text.startsWith('[')) {
            section << QString::fromLatin1(text);
        }
    }
    return section;
}

const char* const IndexQuestion =
    "The index controls further subindices!\nAll subindices of this index will also\nbe deleted!\n"
    "Would you really delete this index?\n";

}  // namespace

class EditCommandsTest : public QObject {
    Q_OBJECT

private:
    std::unique_ptr<GuiFixture> f;

    void AddIndex(const char* number, const char* name, const char* objectType) {
        f->TriggerWithIndexDialog(Cmd::NewIndex, [=](CIndexDlg& d) {
            QCOMPARE(d.windowTitle(), QStringLiteral("Add new Index"));
            G::Type(d, "editIndex", QString::fromLatin1(number));
            G::Type(d, "editDesignator", QString::fromLatin1(name));
            G::Choose(d, "comboObjectType", QString::fromLatin1(objectType));
            G::Click(d, "buttonOk");
        });
    }

    void AddSubindex(const char* number, const char* name, const char* dataType, const char* defaultValue) {
        f->TriggerWithIndexDialog(Cmd::NewSubindex, [=](CIndexDlg& d) {
            QCOMPARE(d.windowTitle(), QStringLiteral("Add new subindex"));
            G::Type(d, "editSubindex", QString::fromLatin1(number));
            G::Type(d, "editDesignator", QString::fromLatin1(name));
            G::Choose(d, "comboObjectType", QStringLiteral("VAR"));
            G::Choose(d, "comboDataType", QString::fromLatin1(dataType));
            G::Choose(d, "comboAccessType", QStringLiteral("ReadWrite"));
            G::Type(d, "editDefaultValue", QString::fromLatin1(defaultValue));
            G::Click(d, "buttonOk");
        });
    }

    // Whether the node's context menu offers Paste enabled; a menu without Paste fails the test.
    bool PasteEnabledIn(QTreeWidgetItem* node) {
        const auto menu = f->Tree().BuildContextMenu(node);
        const QAction* paste = GuiFixture::MenuAction(*menu, Cmd::Paste);
        if (paste == nullptr) {
            QTest::qFail("the context menu has no Paste", __FILE__, __LINE__);
            return false;
        }
        return paste->isEnabled();
    }

    // Runs Create EDS-File into a temporary file and returns what it wrote.
    QByteArray ExportEds(const char* name) {
        const std::string eds = f->TempFile(name);
        f->platform.QueueChosenFile(eds);
        f->platform.ExpectMessage("The file " + eds + " was successfully created!", "Create EDS file",
                                  MsgIcon::Information);
        f->Trigger(Cmd::CreateEds);
        QFile file(PathToQt(eds));
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }

private slots:
    void init() {
        f = std::make_unique<GuiFixture>();
        f->ImportExample();
    }
    void cleanup() {
        const QStringList problems = f->platform.Problems();
        f.reset();
        QVERIFY2(problems.isEmpty(), qPrintable(problems.join(QLatin1Char('\n'))));
    }

    void addIndexThenSubindices() {
        f->Select(f->Tree().DictionaryItem());
        QVERIFY(f->ToolButtonEnabled(Cmd::NewIndex));
        AddIndex("0x2200", "Gain Table", "RECORD");
        QTreeWidgetItem* index = f->IndexNode(0x2200);
        QVERIFY(index != nullptr);
        QCOMPARE(index->text(0), QStringLiteral("2200 Gain Table"));
        QCOMPARE(Image(index), 0);
        QCOMPARE(f->Tree().currentItem(), index);
        QCOMPARE(f->DictionaryLabels().indexOf(index->text(0)), 25);  // after 2100, before 6000
        QCOMPARE(f->Field("fieldObjectType"), QStringLiteral("RECORD"));

        AddSubindex("1", "Gain", "UINT16", "0x10");
        QTreeWidgetItem* gain = f->SubindexNode(0x2200, 1);
        QVERIFY(gain != nullptr);
        QCOMPARE(gain->text(0), QStringLiteral("2200, 01 Gain"));
        QCOMPARE(Image(gain), 2);
        QCOMPARE(f->Tree().currentItem(), gain);
        QVERIFY(index->isExpanded());
        QCOMPARE(Image(index), 1);
        QCOMPARE(f->Field("fieldCurrentSubindex") + f->Field("fieldDataType") + f->Field("fieldDefaultValue"),
                 QStringLiteral("0x01UINT160x10"));
        QCOMPARE(f->frame->Action(Cmd::Edit)->text(), QStringLiteral("Edit subindex..."));
        // A lower number goes before, whatever the order of adding.
        AddSubindex("0", "Count", "UINT8", "1");
        QCOMPARE(ChildLabels(index), (QStringList{"2200, 00 Count", "2200, 01 Gain"}));
    }

    void editIndexToAnotherNumber() {
        f->Select(f->IndexNode(0x2001));
        f->TriggerWithIndexDialog(Cmd::Edit, [](CIndexDlg& d) {
            QCOMPARE(d.windowTitle(), QStringLiteral("Edit index parameter"));
            QCOMPARE(Text(d, "editDesignator") + Text(d, "comboDataType") + Text(d, "editDefaultValue"),
                     QStringLiteral("Temperature OffsetINT32-40"));
            // QM_SCREENSHOT_DIR=<folder> renders the dialog for the documentation.
            if (const QString folder = qEnvironmentVariable("QM_SCREENSHOT_DIR"); !folder.isEmpty()) {
                QVERIFY(d.grab().save(folder + QStringLiteral("/index-dialog.png")));
            }
            G::Click(d, "buttonCancel");
        });

        QTreeWidgetItem* old = f->IndexNode(0x2100);
        QVERIFY(old != nullptr);
        f->Tree().expandItem(old);
        f->Select(old);
        f->TriggerWithIndexDialog(Cmd::Edit, [](CIndexDlg& d) {
            G::Type(d, "editIndex", QStringLiteral("0x2300"));
            G::Click(d, "buttonOk");
        });
        QVERIFY(f->IndexNode(0x2100) == nullptr);
        QTreeWidgetItem* moved = f->IndexNode(0x2300);
        QVERIFY(moved != nullptr);
        QCOMPARE(moved->text(0), QStringLiteral("2300 Input Filter Configuration"));
        QCOMPARE(moved->child(1)->text(0), QStringLiteral("2300, 01 Filter Mode"));
        QCOMPARE(moved->childCount(), 4);
        QVERIFY(!moved->isExpanded());
        QCOMPARE(Image(moved), 0);
        QCOMPARE(f->Tree().currentItem(), moved);
        QCOMPARE(f->DictionaryLabels().indexOf(moved->text(0)), 24);
        QCOMPARE(f->Field("fieldIndexNumber"), QStringLiteral("0x2300"));
    }

    void editRecordIntoVarAsksFirst() {
        const std::string question =
            "The index 0x2100 has several subindices! When you change\nthe object type to "
            "\"VAR\",\"DEFTYPE\" or "
            "\"DOMAIN\" all\nsubindices will be deleted! Delete all subindices?";
        f->Select(f->IndexNode(0x2100));
        f->platform.ExpectMessage(question, "Select ObjectType", MsgIcon::Exclamation, MsgResult::No);
        f->TriggerWithIndexDialog(Cmd::Edit, [](CIndexDlg& d) {
            G::Choose(d, "comboObjectType", QStringLiteral("VAR"));
            QCOMPARE(Text(d, "comboObjectType"), QStringLiteral("RECORD"));
            QVERIFY(!d.findChild<QWidget*>(QStringLiteral("buttonOk"))->isEnabled());
            G::Click(d, "buttonCancel");
        });
        QTreeWidgetItem* record = f->IndexNode(0x2100);
        QVERIFY(record != nullptr);
        QCOMPARE(record->childCount(), 4);

        f->platform.ExpectMessage(question, "Select ObjectType", MsgIcon::Exclamation, MsgResult::Yes);
        f->TriggerWithIndexDialog(Cmd::Edit, [](CIndexDlg& d) {
            G::Choose(d, "comboObjectType", QStringLiteral("VAR"));
            G::Choose(d, "comboDataType", QStringLiteral("UINT8"));
            G::Choose(d, "comboAccessType", QStringLiteral("ReadOnly"));
            G::Click(d, "buttonOk");
        });
        QTreeWidgetItem* single = f->IndexNode(0x2100);
        QVERIFY(single != nullptr);
        QCOMPARE(single->childCount(), 0);
        QCOMPARE(Image(single), 0);
        QCOMPARE(f->Tree().currentItem(), single);
        QCOMPARE(f->Field("fieldObjectType") + f->Field("fieldDataType"), QStringLiteral("VARUINT8"));
        QVERIFY(!f->Enabled(Cmd::NewSubindex));
    }

    void deleteAsksAndRemovesTheNode() {
        f->Select(f->SubindexNode(0x1018, 4));
        for (MsgResult answer : {MsgResult::No, MsgResult::Yes}) {
            f->platform.ExpectMessage("Subindex really delete?", "Delete subindex", MsgIcon::Exclamation,
                                      answer);
            f->Trigger(Cmd::Delete);
        }
        QVERIFY(f->SubindexNode(0x1018, 4) == nullptr);
        QVERIFY(f->SubindexNode(0x1018, 3) != nullptr);

        f->Select(f->IndexNode(0x1018));
        for (MsgResult answer : {MsgResult::No, MsgResult::Yes}) {
            QVERIFY(f->IndexNode(0x1018) != nullptr);
            f->platform.ExpectMessage(IndexQuestion, "Delete index", MsgIcon::Exclamation, answer);
            f->Trigger(Cmd::Delete);
        }
        QVERIFY(f->IndexNode(0x1018) == nullptr);
        QCOMPARE(f->DictionaryLabels().size(), 29);
        // The selection moved on, and the right pane shows where it went.
        QCOMPARE(f->Field("fieldIndexNumber"),
                 QString::asprintf("0x%04X", unsigned{f->Tree().IndexFromItem(f->Tree().currentItem())}));
        f->Select(f->IndexNode(0x1000));
        f->platform.ExpectMessage("Index really delete?", "Delete index", MsgIcon::Exclamation,
                                  MsgResult::Yes);
        f->Trigger(Cmd::Delete);
        QVERIFY(f->IndexNode(0x1000) == nullptr);

        // The last subindex takes the open folder with it.
        QTreeWidgetItem* mapping = f->IndexNode(0x1600);
        QVERIFY(mapping != nullptr);
        f->Tree().expandItem(mapping);
        for (unsigned subindex : {1u, 0u}) {
            f->Select(f->SubindexNode(0x1600, subindex));
            f->platform.ExpectMessage("Subindex really delete?", "Delete subindex", MsgIcon::Exclamation,
                                      MsgResult::Yes);
            f->Trigger(Cmd::Delete);
        }
        QCOMPARE(Image(mapping), 0);

        // A subindex the document no longer has cannot be deleted.
        f->document->DeleteSubindex(0x1A00, 1);
        f->Select(f->SubindexNode(0x1A00, 1));
        f->platform.ExpectMessage("Subindex really delete?", "Delete subindex", MsgIcon::Exclamation,
                                  MsgResult::Yes);
        f->platform.ExpectMessage("The subindex 0x1A00, 0x01 couldn't be deleted!", "Delete subindex",
                                  MsgIcon::Error);
        f->Trigger(Cmd::Delete);
        QVERIFY(f->SubindexNode(0x1A00, 1) != nullptr);
    }

    void copyAndPasteIndexAndSubindex() {
        QTreeWidgetItem* identity = f->IndexNode(0x1018);
        QVERIFY(identity != nullptr);
        f->Tree().expandItem(identity);
        f->Select(identity);
        QVERIFY(!f->Enabled(Cmd::Paste));
        f->Trigger(Cmd::Copy);
        QVERIFY(f->ToolButtonEnabled(Cmd::Paste));
        f->TriggerWithIndexDialog(Cmd::Paste, [](CIndexDlg& d) {
            QCOMPARE(Text(d, "editIndex"), QStringLiteral("0x1019"));
            G::Click(d, "buttonOk");
        });
        QTreeWidgetItem* pasted = f->IndexNode(0x1019);
        QVERIFY(pasted != nullptr);
        QCOMPARE(pasted->text(0), QStringLiteral("1019 Identity Object"));
        QCOMPARE(pasted->child(2)->text(0), QStringLiteral("1019, 02 Product Code"));
        QCOMPARE(pasted->childCount(), 5);
        QVERIFY(pasted->isExpanded());
        QCOMPARE(Image(pasted), 1);
        QCOMPARE(f->Tree().currentItem(), identity);

        // A subindex lands under the index of the selected subindex, wherever it was copied from.
        f->Select(f->SubindexNode(0x1018, 2));
        f->Trigger(Cmd::Copy);
        QVERIFY(!PasteEnabledIn(identity));
        QTreeWidgetItem* target = f->SubindexNode(0x1003, 1);
        QVERIFY(target != nullptr);
        f->Select(target);
        QVERIFY(PasteEnabledIn(target));
        f->TriggerWithIndexDialog(Cmd::Paste, [](CIndexDlg& d) {
            QCOMPARE(d.windowTitle(), QStringLiteral("Edit subindex parameter"));
            QCOMPARE(Text(d, "editSubindex"), QStringLiteral("0x03"));
            G::Type(d, "editSubindex", QStringLiteral("7"));
            G::Click(d, "buttonOk");
        });
        QTreeWidgetItem* copy = f->SubindexNode(0x1003, 7);
        QVERIFY(copy != nullptr);
        QCOMPARE(copy->text(0), QStringLiteral("1003, 07 Product Code"));
        QCOMPARE(Image(copy), 2);
        QCOMPARE(target->parent()->indexOfChild(copy), target->parent()->childCount() - 1);
        QCOMPARE(f->Tree().currentItem(), target);

        // Deleting the copied entry, or a new import, leaves nothing to paste.
        f->Select(identity);
        f->platform.ExpectMessage(IndexQuestion, "Delete index", MsgIcon::Exclamation, MsgResult::Yes);
        f->Trigger(Cmd::Delete);
        f->Select(target);
        QVERIFY(!f->Enabled(Cmd::Paste));
        QVERIFY(!PasteEnabledIn(target));
        f->Select(f->IndexNode(0x1000));
        f->Trigger(Cmd::Copy);
        f->platform.ExpectMessage("Save current project?", "Quillmark", MsgIcon::Information, MsgResult::No);
        f->ImportExample();
        f->Select(f->IndexNode(0x1001));
        QVERIFY(!f->Enabled(Cmd::Paste));
    }

    void undoAndRedoBringBackWhatTheStepChanged() {
        QTreeWidgetItem* identity = f->IndexNode(0x1018);
        QVERIFY(identity != nullptr);
        f->Tree().expandItem(f->IndexNode(0x1003));
        f->Select(identity);
        QCOMPARE(f->frame->Action(Cmd::Undo)->text(), QStringLiteral("Undo Import EDS-File\tCtrl+Z"));
        QVERIFY(!f->ToolButtonEnabled(Cmd::Redo));
        QCOMPARE(f->frame->Action(Cmd::Redo)->text(), QStringLiteral("Redo\tCtrl+Y"));
        f->platform.ExpectMessage(IndexQuestion, "Delete index", MsgIcon::Exclamation, MsgResult::Yes);
        f->Trigger(Cmd::Delete);
        QVERIFY(f->IndexNode(0x1018) == nullptr);
        QVERIFY(f->ToolButtonEnabled(Cmd::Undo));
        QCOMPARE(f->frame->Action(Cmd::Undo)->text(), QStringLiteral("Undo Delete index 0x1018\tCtrl+Z"));
        QCOMPARE(f->frame->Action(Cmd::Undo)->toolTip(), QStringLiteral("Undo Delete index 0x1018"));

        // The node comes back with its subindices and is selected; open nodes stay open.
        f->Trigger(Cmd::Undo);
        QTreeWidgetItem* back = f->IndexNode(0x1018);
        QVERIFY(back != nullptr);
        QCOMPARE(back->childCount(), 5);
        QCOMPARE(back->child(2)->text(0), QStringLiteral("1018, 02 Product Code"));
        QCOMPARE(f->Tree().currentItem(), back);
        QCOMPARE(f->Field("fieldIndexNumber"), QStringLiteral("0x1018"));
        QTreeWidgetItem* errors = f->IndexNode(0x1003);
        QVERIFY(errors != nullptr);
        QVERIFY(errors->isExpanded());
        QCOMPARE(f->DictionaryLabels().size(), 30);
        QCOMPARE(f->frame->Action(Cmd::Redo)->toolTip(), QStringLiteral("Redo Delete index 0x1018"));

        // Redo, here by its key, removes it again; with nothing left of it the dictionary node is selected.
        f->frame->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(f->frame.get()));
        QTest::keyClick(f->frame.get(), Qt::Key_Y, Qt::ControlModifier);
        QVERIFY(f->IndexNode(0x1018) == nullptr);
        QCOMPARE(f->Tree().currentItem(), f->Tree().DictionaryItem());
        QTest::keyClick(f->frame.get(), Qt::Key_Z, Qt::ControlModifier);
        QVERIFY(f->IndexNode(0x1018) != nullptr);

        // An undone subindex edit selects the subindex under its old number; the copy buffer follows the
        // copied subindex into the restored content.
        f->Select(f->SubindexNode(0x1018, 1));
        f->Trigger(Cmd::Copy);
        f->Select(f->SubindexNode(0x1018, 2));
        f->TriggerWithIndexDialog(Cmd::Edit, [](CIndexDlg& d) {
            G::Type(d, "editSubindex", QStringLiteral("9"));
            G::Click(d, "buttonOk");
        });
        QVERIFY(f->SubindexNode(0x1018, 9) != nullptr);
        f->Trigger(Cmd::Undo);
        QCOMPARE(f->Tree().currentItem(), f->SubindexNode(0x1018, 2));
        QCOMPARE(f->Field("fieldCurrentSubindex"), QStringLiteral("0x02"));
        QVERIFY(f->Enabled(Cmd::Paste));

        // Undoing everything gives back the new project the import replaced.
        while (f->Enabled(Cmd::Undo)) {
            f->Trigger(Cmd::Undo);
        }
        QCOMPARE(f->DictionaryLabels().size(), 0);
        QCOMPARE(f->Label(f->Tree().RootItem()), QStringLiteral("unnamed.eds"));
        QVERIFY(!f->document->IsModified());
    }

    void keysReachTheCommandsAndTheDialog() {
        f->Select(f->IndexNode(0x1018));
        f->frame->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(f->frame.get()));
        QTest::keyClick(f->frame.get(), Qt::Key_C, Qt::ControlModifier);
        QVERIFY(f->Enabled(Cmd::Paste));
        f->platform.ExpectMessage(IndexQuestion, "Delete index", MsgIcon::Exclamation, MsgResult::No);
        QTest::keyClick(f->frame.get(), Qt::Key_Delete);
        // Ctrl+V opens the dialog, Escape cancels it.
        QVERIFY(f->WithIndexDialog([&] { QTest::keyClick(f->frame.get(), Qt::Key_V, Qt::ControlModifier); },
                                   [](CIndexDlg& d) { QTest::keyClick(&d, Qt::Key_Escape); }));
        QVERIFY(f->IndexNode(0x1019) == nullptr);

        f->TriggerWithIndexDialog(Cmd::NewIndex, [this](CIndexDlg& d) {
            auto* index = d.findChild<QWidget*>(QStringLiteral("editIndex"));
            QCOMPARE(QApplication::focusWidget(), index);
            QTest::keyClick(index, Qt::Key_Tab);  // past the disabled subindex
            QCOMPARE(QApplication::focusWidget()->objectName(), QStringLiteral("editDesignator"));
            // Enter is OK, which refuses a dialog with nothing entered; the dialog stays open.
            f->platform.ExpectMessage("Please enter an index!", "Index", MsgIcon::Error);
            QTest::keyClick(&d, Qt::Key_Return);
            QVERIFY(d.isVisible());
            G::Type(d, "editIndex", QStringLiteral("0x2200"));
            G::Type(d, "editDesignator", QStringLiteral("Keyed"));
            G::Choose(d, "comboObjectType", QStringLiteral("ARRAY"));
            QTest::keyClick(d.findChild<QLineEdit*>(QStringLiteral("editDesignator")), Qt::Key_Return);
        });
        QVERIFY(f->IndexNode(0x2200) != nullptr);
    }

    void enterInTheIndexEditKeepsTheChoicesAndPressesOk() {
        f->Select(f->Tree().DictionaryItem());
        f->TriggerWithIndexDialog(Cmd::NewIndex, [](CIndexDlg& d) {
            G::Type(d, "editIndex", QStringLiteral("0x2200"));
            G::Type(d, "editDesignator", QStringLiteral("Keyed Var"));
            G::Choose(d, "comboObjectType", QStringLiteral("VAR"));
            G::Choose(d, "comboDataType", QStringLiteral("UINT8"));
            G::Choose(d, "comboAccessType", QStringLiteral("ReadWrite"));
            // Back to the untouched number: Enter leaves it, and OK takes every choice.
            auto* index = d.findChild<QLineEdit*>(QStringLiteral("editIndex"));
            index->setFocus();
            QTest::keyClick(index, Qt::Key_Return);
        });
        QVERIFY(f->IndexNode(0x2200) != nullptr);
        QCOMPARE(f->Field("fieldDataType") + f->Field("fieldAccessType"), QStringLiteral("UINT8ReadWrite"));
    }

    void longDefaultValueIsNeitherCutNorLost() {
        f->document->FindIndex(0x2001)->Header()->defaultValue = std::string(258, '7');
        f->Select(f->IndexNode(0x2001));
        f->TriggerWithIndexDialog(Cmd::Edit, [](CIndexDlg& d) {
            auto* edit = d.findChild<QLineEdit*>(QStringLiteral("editDefaultValue"));
            QCOMPARE(edit->text(), QString(258, QLatin1Char('7')));
            edit->setFocus();
            QTest::keyClick(edit, Qt::Key_Home);
            QTest::keyClick(edit, Qt::Key_Delete);
            G::Click(d, "buttonOk");
        });
        QCOMPARE(f->document->FindIndex(0x2001)->Header()->defaultValue, std::string(257, '7'));
    }

    void editKeysActOnTheTreeOnlyWhileItHasTheFocus() {
        f->Select(f->IndexNode(0x1018));
        f->frame->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(f->frame.get()));
        f->Tree().setFocus();
        QTest::keyClick(&f->Tree(), Qt::Key_F6);
        QWidget* field = QApplication::focusWidget();
        QCOMPARE(field->objectName(), QStringLiteral("fieldParameterName"));
        // No question, no copy: the scripted platform objects to any box nobody announced.
        QTest::keyClick(field, Qt::Key_Delete);
        QTest::keyClick(field, Qt::Key_C, Qt::ControlModifier);
        QVERIFY(!f->Enabled(Cmd::Paste));
        QVERIFY(f->IndexNode(0x1018) != nullptr);
        QTest::keyClick(field, Qt::Key_F6);
        f->platform.ExpectMessage(IndexQuestion, "Delete index", MsgIcon::Exclamation, MsgResult::No);
        QTest::keyClick(&f->Tree(), Qt::Key_Delete);
        QCOMPARE(f->platform.PendingExpectations(), 0);
    }

    void existingNumberKeepsTheDialogOpenWithItsValues() {
        f->Select(f->Tree().DictionaryItem());
        f->platform.ExpectMessage("The index 0x2100 already exists!", "Add new index", MsgIcon::Error);
        f->TriggerWithIndexDialog(Cmd::NewIndex, [this](CIndexDlg& d) {
            G::Type(d, "editIndex", QStringLiteral("0x2100"));
            G::Type(d, "editDesignator", QStringLiteral("Twin"));
            G::Choose(d, "comboObjectType", QStringLiteral("VAR"));
            G::Choose(d, "comboDataType", QStringLiteral("UINT8"));
            G::Choose(d, "comboAccessType", QStringLiteral("ReadWrite"));
            G::Click(d, "buttonOk");
            QVERIFY(d.isVisible());
            QVERIFY(f->platform.Messages().back().withOwner);
            QCOMPARE(QApplication::focusWidget()->objectName(), QStringLiteral("editIndex"));
            QCOMPARE(Text(d, "editDesignator") + Text(d, "comboDataType") + Text(d, "comboAccessType"),
                     QStringLiteral("TwinUINT8ReadWrite"));
            // Another number offers the object types anew, as it always does.
            G::Type(d, "editIndex", QStringLiteral("0x2101"));
            G::Choose(d, "comboObjectType", QStringLiteral("VAR"));
            G::Choose(d, "comboDataType", QStringLiteral("UINT8"));
            G::Choose(d, "comboAccessType", QStringLiteral("ReadWrite"));
            G::Click(d, "buttonOk");
        });
        QVERIFY(f->IndexNode(0x2101) != nullptr);
        QCOMPARE(f->Label(f->IndexNode(0x2101)), QStringLiteral("2101 Twin"));

        // A pasted index and an edited subindex alike.
        f->Select(f->IndexNode(0x1018));
        f->Trigger(Cmd::Copy);
        f->platform.ExpectMessage("The index 0x1000 already exists!", "Paste index", MsgIcon::Error);
        f->TriggerWithIndexDialog(Cmd::Paste, [](CIndexDlg& d) {
            G::Type(d, "editIndex", QStringLiteral("0x1000"));
            G::Click(d, "buttonOk");
            QVERIFY(d.isVisible());
            G::Type(d, "editIndex", QStringLiteral("0x1019"));
            G::Click(d, "buttonOk");
        });
        QVERIFY(f->IndexNode(0x1019) != nullptr);
        f->Tree().expandItem(f->IndexNode(0x1018));
        f->Select(f->SubindexNode(0x1018, 2));
        f->platform.ExpectMessage("The index 0x1018,subindex 0x01 already exists!", "Edit subindex",
                                  MsgIcon::Error);
        f->TriggerWithIndexDialog(Cmd::Edit, [](CIndexDlg& d) {
            G::Type(d, "editSubindex", QStringLiteral("1"));
            G::Click(d, "buttonOk");
            QVERIFY(d.isVisible());
            QCOMPARE(QApplication::focusWidget()->objectName(), QStringLiteral("editSubindex"));
            G::Click(d, "buttonCancel");
        });
        QCOMPARE(f->Label(f->SubindexNode(0x1018, 2)), QStringLiteral("1018, 02 Product Code"));
    }

    void okWithoutChangeRecordsNoStep_data() {
        QTest::addColumn<QString>("node");
        QTest::addColumn<int>("command");
        QTest::addColumn<bool>("modified");
        for (const bool modified : {false, true}) {
            const char* mark = modified ? ", modified" : ", saved";
            QTest::addRow("index%s", mark) << QStringLiteral("2001") << int{Cmd::Edit} << modified;
            QTest::addRow("record%s", mark) << QStringLiteral("1018") << int{Cmd::Edit} << modified;
            QTest::addRow("subindex%s", mark) << QStringLiteral("1018,2") << int{Cmd::Edit} << modified;
            QTest::addRow("FileInfo%s", mark) << QStringLiteral("FileInfo") << int{Cmd::FileInfo} << modified;
            QTest::addRow("DeviceInfo%s", mark)
                << QStringLiteral("DeviceInfo") << int{Cmd::DeviceInfo} << modified;
            QTest::addRow("DummyUsage%s", mark)
                << QStringLiteral("DummyUsage") << int{Cmd::DummyUsage} << modified;
            QTest::addRow("Comments%s", mark) << QStringLiteral("Comments") << int{Cmd::Comments} << modified;
        }
    }

    void okWithoutChangeRecordsNoStep() {
        QFETCH(QString, node);
        QFETCH(int, command);
        QFETCH(bool, modified);
        const std::map<QString, QTreeWidgetItem*> sections = {
            {QStringLiteral("FileInfo"), f->Tree().SectionItem(NodeKind::FileInfo)},
            {QStringLiteral("DeviceInfo"), f->Tree().SectionItem(NodeKind::DeviceInfo)},
            {QStringLiteral("DummyUsage"), f->Tree().SectionItem(NodeKind::DummyUsage)},
            {QStringLiteral("Comments"), f->Tree().SectionItem(NodeKind::Comments)}};
        if (const auto section = sections.find(node); section != sections.end()) {
            f->Select(section->second);
        } else if (node.contains(QLatin1Char(','))) {
            f->Tree().expandItem(f->IndexNode(node.section(QLatin1Char(','), 0, 0).toUInt(nullptr, 16)));
            f->Select(f->SubindexNode(node.section(QLatin1Char(','), 0, 0).toUInt(nullptr, 16),
                                      node.section(QLatin1Char(','), 1).toUInt()));
        } else {
            f->Select(f->IndexNode(node.toUInt(nullptr, 16)));
        }
        f->document->SetModifiedFlag(modified);
        const QString before = f->EditorState();
        QVERIFY(f->DriveDialog(
            [&] { f->Trigger(command); },
            [](QDialog& d) { d.findChild<QPushButton*>(QStringLiteral("buttonOk"))->click(); }));
        QCOMPARE(f->document->UndoLabel(), std::string("Import EDS-File"));
        QCOMPARE(f->EditorState(), before);
        QCOMPARE(f->Caption().contains(QLatin1Char('*')), modified);
    }

    // A UTF-8 project stores typed text as UTF-8; a Windows-1252 project as Windows-1252, with '?' for
    // what it cannot hold. Either way the export writes the bytes held.
    void typedNameIsExportedInTheProjectsEncoding_data() {
        QTest::addColumn<bool>("utf8");
        QTest::addColumn<QByteArray>("expected");
        QTest::newRow("UTF-8 project") << true
                                       << QByteArray(
                                              "ParameterName=Offset \xC2\xB0"
                                              "C \xE4\xB8\xAD\r\n");
        QTest::newRow("Windows-1252 project") << false
                                              << QByteArray(
                                                     "ParameterName=Offset \xB0"
                                                     "C ?\r\n");
    }
    void typedNameIsExportedInTheProjectsEncoding() {
        QFETCH(bool, utf8);
        QFETCH(QByteArray, expected);
        const QString typed = QStringLiteral("Offset \u00b0C \u4e2d");
        f->document->SetModifiedFlag(false);
        if (utf8) {
            f->ImportUtf8Example();
            f->Select(f->IndexNode(0x1000));
            f->TriggerWithIndexDialog(Cmd::Edit, [](CIndexDlg& d) {
                QCOMPARE(Text(d, "editDesignator"), QString::fromUtf8(GuiFixture::Utf8DeviceType));
                G::Click(d, "buttonCancel");
            });
        } else {
            f->ImportExample();
        }
        f->Select(f->IndexNode(0x2001));
        f->TriggerWithIndexDialog(Cmd::Edit, [&](CIndexDlg& d) {
            G::Type(d, "editDesignator", typed);
            G::Click(d, "buttonOk");
        });
        QCOMPARE(f->Label(f->IndexNode(0x2001)),
                 QStringLiteral("2001 ") + (utf8 ? typed : QStringLiteral("Offset \u00b0C ?")));
        const QByteArray bytes = ExportEds("typed.eds");
        QVERIFY2(bytes.contains(expected), expected.constData());
        QVERIFY(
            bytes.contains("ParameterName=" + QByteArray(utf8 ? GuiFixture::Utf8DeviceType : "Device Type")));
    }

    void addedIndexSurvivesProjectAndExport() {
        f->Select(f->Tree().DictionaryItem());
        AddIndex("0x2200", "Gain Table", "RECORD");
        AddSubindex("0", "Count", "UINT8", "2");
        AddSubindex("1", "Gain", "UINT16", "0x10");
        const std::string project = f->TempFile("gain.prj");
        f->platform.QueueChosenFile(project);
        f->Trigger(Cmd::SaveAs);
        f->platform.QueueChosenFile(project);
        f->Trigger(Cmd::Open);
        QCOMPARE(ChildLabels(f->IndexNode(0x2200)), (QStringList{"2200, 00 Count", "2200, 01 Gain"}));

        const QByteArray bytes = ExportEds("gain.eds");
        QVERIFY(Section(bytes, "ManufacturerObjects").contains(QStringLiteral("7=0x2200")));
        QVERIFY(Section(bytes, "2200").contains(QStringLiteral("ParameterName=Gain Table")));
        QVERIFY(Section(bytes, "2200sub0").contains(QStringLiteral("ParameterName=Count")));
        const QStringList gain = Section(bytes, "2200sub1");
        for (const char* line :
             {"ParameterName=Gain", "DataType=0x0006", "AccessType=rw", "DefaultValue=0x10"}) {
            QVERIFY2(gain.contains(QString::fromLatin1(line)), line);
        }
    }
};

QTEST_MAIN(EditCommandsTest)
#include "EditCommandsTest.moc"
