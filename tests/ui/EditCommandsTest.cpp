#include <QAction>
#include <QComboBox>
#include <QFile>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QtTest>

#include "GuiFixture.h"
#include "ui/app/QtText.h"
#include "ui/right_pane/CRightPaneView.h"

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

bool IsSorted(const QStringList& labels) {
    return std::is_sorted(labels.begin(), labels.end());
}

QString Text(CIndexDlg& dialog, const char* edit) {
    return dialog.findChild<QLineEdit*>(QString::fromLatin1(edit))->text();
}

// The lines of one section of an EDS file, without the section's own line.
QStringList Section(const QByteArray& eds, const QByteArray& name) {
    const QList<QByteArray> lines = eds.split('\n');
    QStringList section;
    bool inside = false;
    for (QByteArray line : lines) {
        line = line.trimmed();
        if (line.startsWith('[')) {
            inside = line == "[" + name + "]";
        } else if (inside && !line.isEmpty()) {
            section << QString::fromLatin1(line);
        }
    }
    return section;
}

const char* const DropQuestion =
    "The index 0x2100 has several subindices! When you change\nthe object type to \"VAR\",\"DEFTYPE\" or "
    "\"DOMAIN\" all\nsubindices will be deleted! Delete all subindices?";

}  // namespace

class EditCommandsTest : public QObject {
    Q_OBJECT

private:
    std::unique_ptr<GuiFixture> f;

    // Adds index 0x2200 "Gain Table" as a RECORD with the subindices 0 and 1.
    void AddGainTable() {
        f->Select(f->Tree().DictionaryItem());
        f->TriggerWithIndexDialog(Cmd::NewIndex, [](CIndexDlg& d) {
            G::Type(d, "editIndex", QStringLiteral("0x2200"));
            G::Type(d, "editDesignator", QStringLiteral("Gain Table"));
            G::Choose(d, "comboObjectType", QStringLiteral("RECORD"));
            G::Click(d, "buttonOk");
        });
        AddSubindex("0", "Count", "UINT8", "ReadOnly", "2", "", "");
        AddSubindex("1", "Gain", "UINT16", "ReadWrite", "0x10", "0x1", "0xFF");
    }

    void AddSubindex(const char* number, const char* name, const char* dataType, const char* access,
                     const char* defaultValue, const char* low, const char* high) {
        f->TriggerWithIndexDialog(Cmd::NewSubindex, [=](CIndexDlg& d) {
            QCOMPARE(d.windowTitle(), QStringLiteral("Add new subindex"));
            QCOMPARE(Text(d, "editIndex"), QStringLiteral("0x2200"));
            G::Type(d, "editSubindex", QString::fromLatin1(number));
            G::Type(d, "editDesignator", QString::fromLatin1(name));
            G::Choose(d, "comboObjectType", QStringLiteral("VAR"));
            G::Choose(d, "comboDataType", QString::fromLatin1(dataType));
            G::Choose(d, "comboAccessType", QString::fromLatin1(access));
            G::Type(d, "editDefaultValue", QString::fromLatin1(defaultValue));
            G::Type(d, "editLowLimit", QString::fromLatin1(low));
            G::Type(d, "editHighLimit", QString::fromLatin1(high));
            G::Click(d, "buttonOk");
        });
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

    void addIndexThenSubindex() {
        f->Select(f->Tree().DictionaryItem());
        QVERIFY(f->Enabled(Cmd::NewIndex) && f->ToolButtonEnabled(Cmd::NewIndex));
        f->TriggerWithIndexDialog(Cmd::NewIndex, [](CIndexDlg& d) {
            QCOMPARE(d.windowTitle(), QStringLiteral("Add new Index"));
            QCOMPARE(Text(d, "editCallback"), QStringLiteral("NULL"));
            G::Type(d, "editIndex", QStringLiteral("0x2200"));
            QVERIFY(d.findChild<QWidget*>(QStringLiteral("radioManufacturer"))->property("checked").toBool());
            G::Type(d, "editDesignator", QStringLiteral("Gain Table"));
            G::Choose(d, "comboObjectType", QStringLiteral("RECORD"));
            G::Click(d, "buttonOk");
        });
        QTreeWidgetItem* index = f->IndexNode(0x2200);
        QVERIFY(index != nullptr);
        QCOMPARE(index->text(0), QStringLiteral("2200 Gain Table"));
        QCOMPARE(Image(index), 0);
        QCOMPARE(f->Tree().currentItem(), index);
        QVERIFY(IsSorted(f->DictionaryLabels()));
        QCOMPARE(f->DictionaryLabels().size(), 31);
        QCOMPARE(f->Field("fieldIndexNumber"), QStringLiteral("0x2200"));
        QCOMPARE(f->Field("fieldObjectType"), QStringLiteral("RECORD"));
        QVERIFY(f->Enabled(Cmd::NewSubindex));

        AddSubindex("1", "Gain", "UINT16", "ReadWrite", "0x10", "0x1", "0xFF");
        QTreeWidgetItem* gain = f->SubindexNode(0x2200, 1);
        QVERIFY(gain != nullptr);
        QCOMPARE(gain->text(0), QStringLiteral("2200, 01 Gain"));
        QCOMPARE(Image(gain), 2);
        QCOMPARE(f->Tree().currentItem(), gain);
        QVERIFY(index->isExpanded());
        QCOMPARE(Image(index), 1);
        QCOMPARE(f->Field("fieldCurrentSubindex"), QStringLiteral("0x01"));
        QCOMPARE(f->Field("fieldDataType"), QStringLiteral("UINT16"));
        QCOMPARE(f->Field("fieldDefaultValue"), QStringLiteral("0x10"));
        QCOMPARE(f->frame->Action(Cmd::Edit)->text(), QStringLiteral("Edit subindex..."));

        // A lower number goes before, whatever the order of adding.
        AddSubindex("0", "Count", "UINT8", "ReadOnly", "1", "", "");
        QCOMPARE(ChildLabels(index), (QStringList{"2200, 00 Count", "2200, 01 Gain"}));
    }

    void editShowsTheEntry() {
        f->Select(f->IndexNode(0x2001));
        f->TriggerWithIndexDialog(Cmd::Edit, [](CIndexDlg& d) {
            QCOMPARE(Text(d, "editIndex"), QStringLiteral("0x2001"));
            QCOMPARE(Text(d, "editDesignator"), QStringLiteral("Temperature Offset"));
            QCOMPARE(Text(d, "editDefaultValue") + Text(d, "editLowLimit") + Text(d, "editHighLimit"),
                     QStringLiteral("-40-10001000"));
            QCOMPARE(d.findChild<QComboBox*>(QStringLiteral("comboDataType"))->currentText(),
                     QStringLiteral("INT32"));
            QCOMPARE(d.findChild<QComboBox*>(QStringLiteral("comboAccessType"))->currentText(),
                     QStringLiteral("ReadWrite"));
            // QM_SCREENSHOT_DIR=docs renders the dialog for the documentation.
            if (const QString folder = qEnvironmentVariable("QM_SCREENSHOT_DIR"); !folder.isEmpty()) {
                QVERIFY(d.grab().save(folder + QStringLiteral("/index-dialog.png")));
            }
            G::Click(d, "buttonCancel");
        });
        QCOMPARE(f->IndexNode(0x2001)->text(0), QStringLiteral("2001 Temperature Offset"));
    }

    void editIndexToAnotherNumber() {
        QTreeWidgetItem* old = f->IndexNode(0x2100);
        f->Tree().expandItem(old);
        f->Select(old);
        const int children = old->childCount();
        f->TriggerWithIndexDialog(Cmd::Edit, [](CIndexDlg& d) {
            QCOMPARE(d.windowTitle(), QStringLiteral("Edit index parameter"));
            QVERIFY(!d.findChild<QWidget*>(QStringLiteral("editSubindex"))->isEnabled());
            G::Type(d, "editIndex", QStringLiteral("0x2300"));
            G::Click(d, "buttonOk");
        });
        QVERIFY(f->IndexNode(0x2100) == nullptr);
        QTreeWidgetItem* moved = f->IndexNode(0x2300);
        QVERIFY(moved != nullptr);
        QCOMPARE(moved->text(0), QStringLiteral("2300 Input Filter Configuration"));
        QCOMPARE(moved->childCount(), children);
        QCOMPARE(moved->child(1)->text(0), QStringLiteral("2300, 01 Filter Mode"));
        QVERIFY(!moved->isExpanded());
        QCOMPARE(Image(moved), 0);
        QCOMPARE(f->Tree().currentItem(), moved);
        QVERIFY(IsSorted(f->DictionaryLabels()));
        QCOMPARE(f->Field("fieldIndexNumber"), QStringLiteral("0x2300"));
        QVERIFY(f->document->FindIndex(0x2300) != nullptr);
    }

    void editRecordIntoVarAsksFirst() {
        QTreeWidgetItem* record = f->IndexNode(0x2100);
        f->Select(record);
        const int children = record->childCount();
        f->platform.ExpectMessage(DropQuestion, "Select ObjectType", MsgIcon::Exclamation, MsgResult::No);
        f->TriggerWithIndexDialog(Cmd::Edit, [](CIndexDlg& d) {
            G::Choose(d, "comboObjectType", QStringLiteral("VAR"));
            QCOMPARE(d.findChild<QComboBox*>(QStringLiteral("comboObjectType"))->currentText(),
                     QStringLiteral("RECORD"));
            QVERIFY(!d.findChild<QWidget*>(QStringLiteral("buttonOk"))->isEnabled());
            G::Click(d, "buttonCancel");
        });
        QCOMPARE(f->IndexNode(0x2100)->childCount(), children);

        f->platform.ExpectMessage(DropQuestion, "Select ObjectType", MsgIcon::Exclamation, MsgResult::Yes);
        f->TriggerWithIndexDialog(Cmd::Edit, [](CIndexDlg& d) {
            G::Choose(d, "comboObjectType", QStringLiteral("VAR"));
            G::Choose(d, "comboDataType", QStringLiteral("UINT8"));
            G::Choose(d, "comboAccessType", QStringLiteral("ReadOnly"));
            G::Click(d, "buttonOk");
        });
        QTreeWidgetItem* single = f->IndexNode(0x2100);
        QCOMPARE(single->childCount(), 0);
        QCOMPARE(Image(single), 0);
        QCOMPARE(f->Tree().currentItem(), single);
        QCOMPARE(f->document->FindIndex(0x2100)->subindices.size(), std::size_t{1});
        QCOMPARE(f->Field("fieldObjectType"), QStringLiteral("VAR"));
        QCOMPARE(f->Field("fieldDataType"), QStringLiteral("UINT8"));
        QVERIFY(!f->Enabled(Cmd::NewSubindex));
    }

    void deleteAsksAndRemovesTheNode() {
        f->Select(f->SubindexNode(0x1018, 4));
        f->platform.ExpectMessage("Subindex really delete?", "Delete subindex", MsgIcon::Exclamation,
                                  MsgResult::No);
        f->Trigger(Cmd::Delete);
        QVERIFY(f->SubindexNode(0x1018, 4) != nullptr);
        f->platform.ExpectMessage("Subindex really delete?", "Delete subindex", MsgIcon::Exclamation,
                                  MsgResult::Yes);
        f->Trigger(Cmd::Delete);
        QVERIFY(f->SubindexNode(0x1018, 4) == nullptr);
        QVERIFY(f->document->FindEntry(0x1018, 4) == nullptr);
        QVERIFY(f->Tree().currentItem() != nullptr);

        const char* indexQuestion =
            "The index controls further subindices!\nAll subindices of this index will also\nbe deleted!\n"
            "Would you really delete this index?\n";
        f->Select(f->IndexNode(0x1018));
        f->platform.ExpectMessage(indexQuestion, "Delete index", MsgIcon::Exclamation, MsgResult::No);
        f->Trigger(Cmd::Delete);
        QVERIFY(f->IndexNode(0x1018) != nullptr);
        f->platform.ExpectMessage(indexQuestion, "Delete index", MsgIcon::Exclamation, MsgResult::Yes);
        f->Trigger(Cmd::Delete);
        QVERIFY(f->IndexNode(0x1018) == nullptr);
        QCOMPARE(f->DictionaryLabels().size(), 29);
        // The selection moved on, and the right pane shows the node it moved to.
        QCOMPARE(f->Field("fieldIndexNumber"),
                 QString::asprintf("0x%04X", unsigned{f->Tree().IndexFromItem(f->Tree().currentItem())}));

        f->Select(f->IndexNode(0x1000));
        f->platform.ExpectMessage("Index really delete?", "Delete index", MsgIcon::Exclamation,
                                  MsgResult::Yes);
        f->Trigger(Cmd::Delete);
        QVERIFY(f->IndexNode(0x1000) == nullptr);

        // The last subindex takes the open folder with it.
        QTreeWidgetItem* mapping = f->IndexNode(0x1600);
        f->Tree().expandItem(mapping);
        for (unsigned subindex : {1u, 0u}) {
            f->Select(f->SubindexNode(0x1600, subindex));
            f->platform.ExpectMessage("Subindex really delete?", "Delete subindex", MsgIcon::Exclamation,
                                      MsgResult::Yes);
            f->Trigger(Cmd::Delete);
        }
        QCOMPARE(mapping->childCount(), 0);
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
        f->Tree().expandItem(identity);
        f->Select(identity);
        QVERIFY(!f->Enabled(Cmd::Paste));
        f->Trigger(Cmd::Copy);
        QVERIFY(f->Enabled(Cmd::Paste) && f->ToolButtonEnabled(Cmd::Paste));
        f->TriggerWithIndexDialog(Cmd::Paste, [](CIndexDlg& d) {
            QCOMPARE(d.windowTitle(), QStringLiteral("Edit index parameter"));
            QCOMPARE(Text(d, "editIndex"), QStringLiteral("0x1019"));
            G::Click(d, "buttonOk");
        });
        QTreeWidgetItem* pasted = f->IndexNode(0x1019);
        QVERIFY(pasted != nullptr);
        QCOMPARE(pasted->text(0), QStringLiteral("1019 Identity Object"));
        QCOMPARE(pasted->childCount(), 5);
        QCOMPARE(pasted->child(2)->text(0), QStringLiteral("1019, 02 Product Code"));
        QVERIFY(pasted->isExpanded());
        QCOMPARE(Image(pasted), 1);
        QCOMPARE(f->Tree().currentItem(), identity);
        QCOMPARE(f->Field("fieldIndexNumber"), QStringLiteral("0x1018"));

        // A subindex lands under the index of the selected subindex, where it was copied from or not.
        f->Select(f->SubindexNode(0x1018, 2));
        f->Trigger(Cmd::Copy);
        QVERIFY(f->Tree().BuildContextMenu(identity)->actions().at(6)->isEnabled() == false);
        QTreeWidgetItem* target = f->SubindexNode(0x1003, 1);
        f->Select(target);
        QVERIFY(f->Tree().BuildContextMenu(target)->actions().at(4)->isEnabled());
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
        QCOMPARE(copy->parent()->indexOfChild(copy), copy->parent()->childCount() - 1);
        QCOMPARE(f->Tree().currentItem(), target);

        // Deleting the copied entry's index leaves nothing to paste.
        f->Select(identity);
        f->platform.ExpectMessage(
            "The index controls further subindices!\nAll subindices of this index will also\nbe deleted!\n"
            "Would you really delete this index?\n",
            "Delete index", MsgIcon::Exclamation, MsgResult::Yes);
        f->Trigger(Cmd::Delete);
        f->Select(target);
        QVERIFY(!f->Enabled(Cmd::Paste));
        QVERIFY(!f->Tree().BuildContextMenu(target)->actions().at(4)->isEnabled());

        // So does a new import.
        f->Select(f->IndexNode(0x1000));
        f->Trigger(Cmd::Copy);
        f->platform.ExpectMessage("Save current project?", "Quillmark", MsgIcon::Information, MsgResult::No);
        f->ImportExample();
        f->Select(f->IndexNode(0x1001));
        QVERIFY(!f->Enabled(Cmd::Paste));
    }

    void keyboardDrivesTheDialog() {
        f->Tree().setFocus();
        f->Select(f->IndexNode(0x1018));
        // Ctrl+C copies; Del asks.
        f->frame->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(f->frame.get()));
        QTest::keyClick(f->frame.get(), Qt::Key_C, Qt::ControlModifier);
        QVERIFY(f->Enabled(Cmd::Paste));
        f->platform.ExpectMessage(
            "The index controls further subindices!\nAll subindices of this index will also\nbe deleted!\n"
            "Would you really delete this index?\n",
            "Delete index", MsgIcon::Exclamation, MsgResult::No);
        QTest::keyClick(f->frame.get(), Qt::Key_Delete);
        QVERIFY(f->WithIndexDialog([&] { QTest::keyClick(f->frame.get(), Qt::Key_V, Qt::ControlModifier); },
                                   [](CIndexDlg& d) { G::Click(d, "buttonCancel"); }));

        f->TriggerWithIndexDialog(Cmd::NewIndex, [this](CIndexDlg& d) {
            // The tab order follows the reading order of the dialog.
            QStringList order;
            QWidget* widget = d.findChild<QWidget*>(QStringLiteral("editIndex"));
            for (int i = 0; i < 60; ++i, widget = widget->nextInFocusChain()) {
                if ((widget->focusPolicy() & Qt::TabFocus) != 0 && !widget->objectName().isEmpty()) {
                    order << widget->objectName();
                }
            }
            QCOMPARE(order.mid(0, 12), (QStringList{"editIndex", "editSubindex", "editDesignator",
                                                    "editCallback", "checkNonVolatile", "radioRom",
                                                    "radioRam", "radioOptional", "radioManufacturer",
                                                    "radioMandatory", "comboObjectType", "comboDataType"}));
            QCOMPARE(QApplication::focusWidget(), d.findChild<QWidget*>(QStringLiteral("editIndex")));
            // Enter is OK: with nothing entered, OK refuses.
            f->platform.ExpectMessage("Please enter an index!", "Index", MsgIcon::Error);
            QTest::keyClick(&d, Qt::Key_Return);
            QVERIFY(d.isVisible());
            QVERIFY(!d.findChild<QWidget*>(QStringLiteral("buttonOk"))->isEnabled());
            // Escape is Cancel.
            QTest::keyClick(&d, Qt::Key_Escape);
        });
        QCOMPARE(f->DictionaryLabels().size(), 30);

        f->TriggerWithIndexDialog(Cmd::NewIndex, [](CIndexDlg& d) {
            G::Type(d, "editIndex", QStringLiteral("0x2200"));
            G::Type(d, "editDesignator", QStringLiteral("Keyed"));
            G::Choose(d, "comboObjectType", QStringLiteral("ARRAY"));
            QTest::keyClick(d.findChild<QLineEdit*>(QStringLiteral("editDesignator")), Qt::Key_Return);
        });
        QVERIFY(f->IndexNode(0x2200) != nullptr);
    }

    void addedIndexSurvivesProjectAndExport() {
        AddGainTable();
        const std::string project = f->TempFile("gain.prj");
        f->platform.QueueChosenFile(project);
        f->Trigger(Cmd::SaveAs);
        f->platform.QueueChosenFile(project);
        f->Trigger(Cmd::Open);
        QCOMPARE(ChildLabels(f->IndexNode(0x2200)), (QStringList{"2200, 00 Count", "2200, 01 Gain"}));

        const std::string eds = f->TempFile("gain.eds");
        f->platform.QueueChosenFile(eds);
        f->platform.ExpectMessage("The file " + eds + " was successfully created!", "Create EDS file",
                                  MsgIcon::Information);
        f->Trigger(Cmd::CreateEds);
        QFile file(PathToQt(eds));
        QVERIFY(file.open(QIODevice::ReadOnly));
        const QByteArray bytes = file.readAll();
        const QStringList index = Section(bytes, "2200");
        QVERIFY2(index.contains(QStringLiteral("ParameterName=Gain Table")), qPrintable(index.join('|')));
        QVERIFY(index.contains(QStringLiteral("ObjectType=0x9")));
        const QStringList gain = Section(bytes, "2200sub1");
        for (const char* line : {"ParameterName=Gain", "ObjectType=0x7", "DataType=0x0006", "AccessType=rw",
                                 "DefaultValue=0x10", "LowLimit=0x1", "HighLimit=0xFF"}) {
            QVERIFY2(gain.contains(QString::fromLatin1(line)), qPrintable(gain.join('|') + " lacks " + line));
        }
        const QStringList count = Section(bytes, "2200sub0");
        QVERIFY(count.contains(QStringLiteral("ParameterName=Count")) &&
                count.contains(QStringLiteral("AccessType=ro")));
        QVERIFY(Section(bytes, "ManufacturerObjects").contains(QStringLiteral("7=0x2200")));
    }
};

QTEST_MAIN(EditCommandsTest)
#include "EditCommandsTest.moc"
