#include <QAction>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QStyledItemDelegate>
#include <QTimer>
#include <QtTest>

#include "GuiFixture.h"
#include "ui/right_pane/CIndexParamWnd.h"
#include "ui/right_pane/CRightPaneView.h"
#include "ui/tree_pane/CTreeFilterBar.h"

namespace {

// Item texts of a context menu with their enabling, "-" for separators.
QStringList Describe(const QMenu& menu) {
    QStringList items;
    for (QAction* action : menu.actions()) {
        items << (action->isSeparator()
                      ? QStringLiteral("-")
                      : action->text() + (action->isEnabled() ? QString() : QStringLiteral(" [off]")));
    }
    return items;
}

}  // namespace

class TreePaneTest : public QObject {
    Q_OBJECT

private:
    std::unique_ptr<GuiFixture> f;

    // The labels of the index nodes the filter leaves, and of a node's shown subindex nodes.
    QStringList Shown() const {
        QStringList labels;
        const QTreeWidgetItem* dictionary = f->Tree().DictionaryItem();
        for (int i = 0; dictionary != nullptr && i < dictionary->childCount(); ++i) {
            if (!dictionary->child(i)->isHidden()) {
                labels << dictionary->child(i)->text(0);
            }
        }
        return labels;
    }
    static QStringList ShownChildren(const QTreeWidgetItem* node) {
        QStringList labels;
        for (int i = 0; i < node->childCount(); ++i) {
            if (!node->child(i)->isHidden()) {
                labels << node->child(i)->text(0);
            }
        }
        return labels;
    }
    void AddVarIndex(const char* number, const char* name) {
        f->TriggerWithIndexDialog(Cmd::NewIndex, [=](CIndexDlg& d) {
            GuiFixture::Type(d, "editIndex", QString::fromLatin1(number));
            GuiFixture::Type(d, "editDesignator", QString::fromLatin1(name));
            GuiFixture::Choose(d, "comboObjectType", QStringLiteral("VAR"));
            GuiFixture::Choose(d, "comboDataType", QStringLiteral("UINT8"));
            GuiFixture::Choose(d, "comboAccessType", QStringLiteral("ReadWrite"));
            GuiFixture::Click(d, "buttonOk");
        });
    }

private slots:
    void init() { f = std::make_unique<GuiFixture>(); }
    void cleanup() {
        const QStringList problems = f->platform.Problems();
        f.reset();
        QVERIFY2(problems.isEmpty(), qPrintable(problems.join(QLatin1Char('\n'))));
    }

    void importShowsEveryIndexAndSelectsTheFirst() {
        f->ImportExample();
        QCOMPARE(f->Label(f->Tree().RootItem()), QStringLiteral("io_device.eds"));
        const QStringList labels = f->DictionaryLabels();
        QCOMPARE(labels.size(), 30);
        QCOMPARE(labels.first(), QStringLiteral("1000 Device Type"));
        QVERIFY(labels.contains(QStringLiteral("1018 Identity Object")));
        QVERIFY(labels.contains(QStringLiteral("2100 Input Filter Configuration")));
        QCOMPARE(f->Tree().currentItem(), f->IndexNode(0x1000));
        QVERIFY(f->Tree().DictionaryItem() != nullptr);
        QVERIFY(f->Tree().DictionaryItem()->isExpanded());

        QTreeWidgetItem* identity = f->IndexNode(0x1018);
        QVERIFY(identity != nullptr);
        QCOMPARE(identity->childCount(), 5);
        QCOMPARE(identity->child(0)->text(0), QStringLiteral("1018, 00 Number of entries"));
        QCOMPARE(identity->child(2)->text(0), QStringLiteral("1018, 02 Product Code"));
        QCOMPARE(identity->data(0, CLeftPaneView::ImageRole).toInt(), 0);
        QCOMPARE(identity->child(2)->data(0, CLeftPaneView::ImageRole).toInt(), 2);
        QCOMPARE(f->Tree().IndexFromItem(identity->child(2)), 0x1018);
        QCOMPARE(f->Tree().SubindexFromItem(identity->child(2)), 0x02);
    }

    // The tree's delegate remembers the size of each label; it must give what the plain delegate gives,
    // also after a node is relabelled or the font changes.
    void labelSizesAreThoseOfThePlainDelegate() {
        f->ImportExample();
        CLeftPaneView& tree = f->Tree();
        QAbstractItemDelegate* delegate = tree.itemDelegate();
        const QStyledItemDelegate plain;
        QStyleOptionViewItem option;
        option.font = tree.font();
        option.decorationSize = tree.iconSize();
        const QModelIndex dictionary = tree.model()->index(4, 0, tree.model()->index(0, 0));
        const auto compareAll = [&] {
            for (int row = 0; row < tree.model()->rowCount(dictionary); ++row) {
                const QModelIndex node = tree.model()->index(row, 0, dictionary);
                QCOMPARE(delegate->sizeHint(option, node), plain.sizeHint(option, node));
                for (int sub = 0; sub < tree.model()->rowCount(node); ++sub) {
                    const QModelIndex child = tree.model()->index(sub, 0, node);
                    QCOMPARE(delegate->sizeHint(option, child), plain.sizeHint(option, child));
                }
            }
        };
        compareAll();
        QTreeWidgetItem* identity = f->IndexNode(0x1018);
        QVERIFY(identity != nullptr);
        identity->setText(0, QStringLiteral("1018 A much longer name than the identity object had"));
        compareAll();
        option.font.setPointSizeF(QFontInfo(option.font).pointSizeF() * 2);
        compareAll();
        QVERIFY(delegate->sizeHint(option, tree.model()->index(0, 0, dictionary)).width() >
                plain.sizeHint(QStyleOptionViewItem(), tree.model()->index(0, 0, dictionary)).width());
    }

    void varIndexShowsItsSingleEntry() {
        f->ImportExample();
        f->Select(f->IndexNode(0x1001));
        QCOMPARE(f->frame->RightPane()->CurrentForm(), 1);
        QCOMPARE(f->Field("fieldParameterName"), QStringLiteral("Error Register"));
        QCOMPARE(f->Field("fieldIndexNumber"), QStringLiteral("0x1001"));
        QCOMPARE(f->Field("fieldObjectType"), QStringLiteral("VAR"));
        QCOMPARE(f->Field("fieldDataType"), QStringLiteral("UINT8"));
        QCOMPARE(f->Field("fieldAccessType"), QStringLiteral("ReadOnly"));
        QCOMPARE(f->Field("fieldPdoMapping"), QStringLiteral("PDO Mappable"));
        QCOMPARE(f->Field("fieldStoreToNvData"), QStringLiteral("NO"));
        QCOMPARE(f->Field("fieldNumberOfSubindices"), QString());
        QCOMPARE(f->Field("fieldCurrentSubindex"), QString());
        QCOMPARE(f->Field("fieldIndexCategory"), QStringLiteral("mandatory"));
        QVERIFY(!f->Tree().Commands().GetCommandState().canAddSubindex);
        QVERIFY(!f->Enabled(Cmd::NewSubindex));
    }

    void recordIndexShowsItsHeaderAndSubindexKeepsTheCategory() {
        f->ImportExample();
        f->Select(f->IndexNode(0x1018));
        QCOMPARE(f->Field("fieldIndexNumber"), QStringLiteral("0x1018"));
        QCOMPARE(f->Field("fieldNumberOfSubindices"), QStringLiteral("0x05"));
        QCOMPARE(f->Field("fieldParameterName"), QStringLiteral("Identity Object"));
        QCOMPARE(f->Field("fieldObjectType"), QStringLiteral("RECORD"));
        QCOMPARE(f->Field("fieldIndexCategory"), QStringLiteral("mandatory"));
        QCOMPARE(f->Field("fieldDataType"), QString());
        QCOMPARE(f->Field("fieldDefaultValue"), QString());
        QVERIFY(f->Tree().Commands().GetCommandState().canAddSubindex);

        f->Select(f->SubindexNode(0x1018, 0x02));
        QCOMPARE(f->Field("fieldCurrentSubindex"), QStringLiteral("0x02"));
        QCOMPARE(f->Field("fieldParameterName"), QStringLiteral("Product Code"));
        QCOMPARE(f->Field("fieldDefaultValue"), QStringLiteral("0x00008822"));
        QCOMPARE(f->Field("fieldCallbackFunction"), QString());
        QCOMPARE(f->Field("fieldStorageArea"), QString());
        QCOMPARE(f->Field("fieldNumberOfSubindices"), QString());
        QCOMPARE(f->Field("fieldIndexCategory"), QStringLiteral("mandatory"));
        QVERIFY(f->Tree().Commands().GetCommandState().subindexSelected());
        QCOMPARE(f->frame->Action(Cmd::Edit)->text(), QStringLiteral("Edit subindex..."));
    }

    // Wherever the selection comes from, a subindex shows its own index's category, and the
    // ObjectDictionary node shows no index at all.
    void rightPaneShowsOnlyWhatTheSelectedNodeStandsFor() {
        f->ImportExample();
        f->Select(f->IndexNode(0x2001));
        QCOMPARE(f->Field("fieldIndexCategory"), QStringLiteral("manufacturer"));
        f->Tree().expandItem(f->IndexNode(0x1018));
        f->Select(f->SubindexNode(0x1018, 0x02));
        QCOMPARE(f->Field("fieldIndexCategory"), QStringLiteral("mandatory"));
        QCOMPARE(f->Field("fieldIndexNumber") + f->Field("fieldCurrentSubindex"),
                 QStringLiteral("0x10180x02"));
        QCOMPARE(f->Field("fieldStorageArea") + f->Field("fieldCallbackFunction"), QString());
        f->Select(f->Tree().DictionaryItem());
        for (const char* field : {"fieldIndexNumber", "fieldParameterName", "fieldIndexCategory",
                                  "fieldDataType", "fieldDefaultValue"}) {
            QVERIFY2(f->Field(field).isEmpty(), field);
        }
    }

    // Enter does what a double click does; Shift+F10 opens the node's context menu.
    void keyboardOpensNodesAndTheirMenus() {
        f->ImportExample();
        f->frame->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(f->frame.get()));
        f->Tree().setFocus();
        f->Select(f->IndexNode(0x2001));
        QVERIFY(f->WithIndexDialog([&] { QTest::keyClick(&f->Tree(), Qt::Key_Return); },
                                   [](CIndexDlg& d) {
                                       QCOMPARE(d.windowTitle(), QStringLiteral("Edit index parameter"));
                                       GuiFixture::Click(d, "buttonCancel");
                                   }));
        f->Select(f->Tree().SectionItem(NodeKind::DeviceInfo));
        QString opened;
        QVERIFY(f->DriveDialog([&] { QTest::keyClick(&f->Tree(), Qt::Key_Enter); },
                               [&](QDialog& d) { opened = d.objectName(); }));
        QCOMPARE(opened, QStringLiteral("deviceInfoDialog"));
        QTreeWidgetItem* dictionary = f->Tree().DictionaryItem();
        QVERIFY(dictionary != nullptr);
        f->Select(dictionary);
        QTest::keyClick(&f->Tree(), Qt::Key_Return);
        QVERIFY(!dictionary->isExpanded());
        QTest::keyClick(&f->Tree(), Qt::Key_Return);
        QVERIFY(dictionary->isExpanded());

        QStringList menus;
        for (QTreeWidgetItem* node : {f->IndexNode(0x1018), f->Tree().SectionItem(NodeKind::Comments)}) {
            f->Select(node);
            QTimer::singleShot(0, this, [&menus] {
                if (QWidget* menu = QApplication::activePopupWidget()) {
                    menus << menu->objectName();
                    menu->close();
                }
            });
            QTest::keyClick(&f->Tree(), Qt::Key_F10, Qt::ShiftModifier);
        }
        QCOMPARE(menus, (QStringList{"contextMenuIndex", "contextMenuComments"}));
    }

    void sectionNodesShowTheirForms() {
        f->ImportExample();
        f->Select(f->Tree().SectionItem(NodeKind::FileInfo));
        QCOMPARE(f->frame->RightPane()->CurrentForm(), 3);
        QCOMPARE(f->Field("fieldFileName"), QStringLiteral("io_device.eds"));
        QCOMPARE(f->Field("fieldFileRevision"), QStringLiteral("3"));
        QCOMPARE(f->Field("fieldCreatedBy"), QStringLiteral("Quillmark example"));
        QVERIFY(f->frame->findChild<QWidget*>(QStringLiteral("fileInfoForm"))->isVisible());
        QVERIFY(!f->frame->findChild<QWidget*>(QStringLiteral("indexParamForm"))->isVisible());

        f->Select(f->Tree().SectionItem(NodeKind::DeviceInfo));
        QCOMPARE(f->frame->RightPane()->CurrentForm(), 2);
        QCOMPARE(f->Field("fieldVendorName"), QStringLiteral("Example Automation Ltd."));
        QCOMPARE(f->Field("fieldVendorNumber"), QStringLiteral("929"));
        QCOMPARE(f->Field("fieldNrOfTxPdo"), QStringLiteral("3"));
        QVERIFY(f->Checked("checkBaudrate10"));
        QVERIFY(!f->Checked("checkBaudrate800"));
        QVERIFY(f->Checked("checkLssSupported"));
        QVERIFY(f->Checked("radioSlave"));
        QVERIFY(!f->Checked("radioMaster"));

        f->Select(f->Tree().SectionItem(NodeKind::DummyUsage));
        QCOMPARE(f->frame->RightPane()->CurrentForm(), 4);
        QVERIFY(!f->Checked("checkDummyBoolean"));
        QVERIFY(f->Checked("checkDummyInteger8"));
        QVERIFY(f->Checked("checkDummyUnsigned32"));

        f->Select(f->Tree().SectionItem(NodeKind::Comments));
        QCOMPARE(f->frame->RightPane()->CurrentForm(), 5);
        auto* list = f->frame->findChild<QListWidget*>(QStringLiteral("listComments"));
        QCOMPARE(list->count(), 3);
        QCOMPARE(list->item(0)->text(),
                 QStringLiteral("Example device description for the Quillmark editor."));
        QVERIFY(f->Enabled(Cmd::Comments));
        QVERIFY(!f->Enabled(Cmd::FileInfo));

        f->Select(f->Tree().RootItem());
        QCOMPARE(f->frame->RightPane()->CurrentForm(), 1);
    }

    void newProjectClearsTheFormsButNotTheComments() {
        f->ImportExample();
        f->Select(f->Tree().SectionItem(NodeKind::Comments));
        f->Select(f->IndexNode(0x1000));
        f->platform.ExpectMessage("Save current project?\n", "Quillmark", MsgIcon::Information,
                                  MsgResult::No);
        f->Trigger(Cmd::New);
        QCOMPARE(f->Field("fieldParameterName"), QString());
        QCOMPARE(f->Field("fieldIndexNumber"), QString());
        QCOMPARE(f->Field("fieldFileName"), QString());
        QVERIFY(!f->Checked("checkDummyInteger8"));
        QCOMPARE(f->frame->findChild<QListWidget*>(QStringLiteral("listComments"))->count(), 3);
    }

    void contextMenusFollowTheNodeKind() {
        f->ImportExample();
        auto root = f->Tree().BuildContextMenu(f->Tree().RootItem());
        QCOMPARE(Describe(*root), (QStringList{"Expand [off]", "Collapse"}));

        auto dictionary = f->Tree().BuildContextMenu(f->Tree().DictionaryItem());
        QCOMPARE(Describe(*dictionary), (QStringList{"Expand [off]", "Collapse", "-", "New index..."}));

        f->Select(f->IndexNode(0x1000));
        auto index = f->Tree().BuildContextMenu(f->IndexNode(0x1000));
        QCOMPARE(Describe(*index),
                 (QStringList{"New index...", "Edit index...", "-", "New subindex... [off]", "-",
                              "Copy...\tCtrl+C", "Paste..\tCtrl+V [off]", "Delete...\tDel"}));
        f->Select(f->SubindexNode(0x1018, 1));
        auto subindex = f->Tree().BuildContextMenu(f->SubindexNode(0x1018, 1));
        QCOMPARE(Describe(*subindex),
                 (QStringList{"New subindex...", "Edit subindex...", "-", "Copy...\tCtrl+C",
                              "Paste...\tCtrl+V [off]", "Delete...\tDel"}));

        auto device = f->Tree().BuildContextMenu(f->Tree().SectionItem(NodeKind::DeviceInfo));
        QCOMPARE(device->title(), QStringLiteral("DevicInfo"));
    }

    void contextMenuCommandsCollapseAndExpand() {
        f->ImportExample();
        QTreeWidgetItem* dictionary = f->Tree().DictionaryItem();
        QVERIFY(dictionary != nullptr);
        auto menu = f->Tree().BuildContextMenu(dictionary);
        QAction* collapse = GuiFixture::MenuAction(*menu, Cmd::CollapseDictionary);
        QVERIFY(collapse != nullptr);
        collapse->trigger();
        QVERIFY(!dictionary->isExpanded());
        QCOMPARE(dictionary->data(0, CLeftPaneView::ImageRole).toInt(), 0);
        auto again = f->Tree().BuildContextMenu(dictionary);
        QCOMPARE(Describe(*again).mid(0, 2), (QStringList{"Expand", "Collapse [off]"}));
        QAction* expand = GuiFixture::MenuAction(*again, Cmd::ExpandDictionary);
        QVERIFY(expand != nullptr);
        expand->trigger();
        QVERIFY(dictionary->isExpanded());
        QCOMPARE(dictionary->data(0, CLeftPaneView::ImageRole).toInt(), 1);
    }

    void expandingAnIndexShowsTheOpenFolder() {
        f->ImportExample();
        QTreeWidgetItem* identity = f->IndexNode(0x1018);
        QVERIFY(identity != nullptr);
        f->Tree().expandItem(identity);
        QCOMPARE(identity->data(0, CLeftPaneView::ImageRole).toInt(), 1);
        f->Tree().collapseItem(identity);
        QCOMPARE(identity->data(0, CLeftPaneView::ImageRole).toInt(), 0);
    }

    void rightClickSelectsTheNodeOrNothing() {
        f->ImportExample();
        QTreeWidgetItem* node = f->IndexNode(0x1018);
        QVERIFY(node != nullptr);
        f->Tree().scrollToItem(node);
        const QPoint onNode = f->Tree().visualItemRect(node).center();
        QTest::mousePress(f->Tree().viewport(), Qt::RightButton, {}, onNode);
        QCOMPARE(f->Tree().currentItem(), node);
        QVERIFY(f->Tree().Commands().GetCommandState().indexSelected());

        f->Tree().Commands().OnCommand(Cmd::CollapseDictionary);
        const QPoint below(5, f->Tree().viewport()->height() - 3);
        QVERIFY(f->Tree().itemAt(below) == nullptr);
        QTest::mousePress(f->Tree().viewport(), Qt::RightButton, {}, below);
        QVERIFY(f->Tree().currentItem() == nullptr);
        const CommandState state = f->Tree().Commands().GetCommandState();
        QCOMPARE(state.selected, NodeKind::None);
    }

    void doubleClickTogglesAnIndexNode() {
        f->ImportExample();
        QTreeWidgetItem* node = f->IndexNode(0x1018);
        QVERIFY(node != nullptr);
        f->Tree().scrollToItem(node);
        const QPoint at = f->Tree().visualItemRect(node).center();
        // A real double click starts with a click. It edits the node, then toggles it.
        auto doubleClick = [&] {
            QTest::mouseClick(f->Tree().viewport(), Qt::LeftButton, {}, at);
            QTest::mouseDClick(f->Tree().viewport(), Qt::LeftButton, {}, at);
        };
        auto cancel = [](CIndexDlg& dialog) {
            QCOMPARE(dialog.windowTitle(), QStringLiteral("Edit index parameter"));
            QTest::keyClick(&dialog, Qt::Key_Escape);
        };
        QVERIFY(f->WithIndexDialog(doubleClick, cancel));
        QVERIFY(node->isExpanded());
        QCOMPARE(f->Tree().currentItem(), node);
        QCOMPARE(node->data(0, CLeftPaneView::ImageRole).toInt(), 1);
        QVERIFY(f->WithIndexDialog(doubleClick, cancel));
        QVERIFY(!node->isExpanded());
    }

    void nameHintsRelabelVisibleNodesOnly() {
        f->ImportExample();
        SubindexEntry* header = f->document->FindEntry(0x1018, HeaderStructured);
        QVERIFY(header != nullptr);
        header->name = "Identity";
        f->document->EntryEdited(header);
        QCOMPARE(f->Label(f->IndexNode(0x1018)), QStringLiteral("1018 Identity"));

        f->Tree().expandItem(f->IndexNode(0x1018));
        SubindexEntry* vendor = f->document->FindEntry(0x1018, 0x01);
        vendor->name = "Vendor";
        f->document->EntryEdited(vendor);
        QCOMPARE(f->Label(f->SubindexNode(0x1018, 0x01)), QStringLiteral("1018, 01 Vendor"));

        f->Tree().collapseItem(f->Tree().DictionaryItem());
        header->name = "Hidden";
        f->document->EntryEdited(header);
        QCOMPARE(f->Label(f->IndexNode(0x1018)), QStringLiteral("1018 Identity"));
    }

    void droppedSubindicesHintEmptiesTheIndexNode() {
        f->ImportExample();
        IndexEntry* identity = f->document->FindIndex(0x1018);
        HintObject object;
        object.index = identity;
        f->document->UpdateAllViews(Hint::SubindicesDropped, object);
        QTreeWidgetItem* node = f->IndexNode(0x1018);
        QVERIFY(node != nullptr);
        QCOMPARE(node->childCount(), 0);
        QCOMPARE(node->data(0, CLeftPaneView::ImageRole).toInt(), 0);
    }

    void filterNarrowsTheTreeAndEscapeRestoresIt() {
        f->ImportExample();
        f->Select(f->IndexNode(0x1018));
        f->frame->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(f->frame.get()));
        f->Trigger(Cmd::Filter);
        QLineEdit* edit = f->frame->FilterBar()->Edit();
        QVERIFY(edit->isVisible());
        QCOMPARE(QApplication::focusWidget(), edit);

        // A subindex name opens its index and shows only the matching subindices.
        QTest::keyClicks(edit, QStringLiteral("SERIAL"));
        QCOMPARE(Shown(), QStringList{"1018 Identity Object"});
        QTreeWidgetItem* identity = f->IndexNode(0x1018);
        QVERIFY(identity->isExpanded());
        QCOMPARE(ShownChildren(identity), QStringList{"1018, 04 Serial Number"});
        QCOMPARE(f->frame->MessagePane()->text(), QStringLiteral("1 of 30 indices"));
        // Delete edits the field, never the dictionary.
        QTest::keyClick(edit, Qt::Key_Home);
        QTest::keyClick(edit, Qt::Key_Delete);
        QCOMPARE(edit->text(), QStringLiteral("ERIAL"));

        // Index names and numbers; the node the filter opened closes when no longer needed, and the
        // selection moves off a hidden node to the nearest shown one.
        edit->setText(QStringLiteral("heartbeat"));
        QCOMPARE(Shown(), (QStringList{"1016 Consumer Heartbeat Time", "1017 Producer Heartbeat Time"}));
        QVERIFY(!identity->isExpanded());
        QCOMPARE(f->Tree().currentItem(), f->IndexNode(0x1017));
        QTest::keyClick(edit, Qt::Key_Return);
        QCOMPARE(f->Tree().currentItem(), f->IndexNode(0x1016));
        QCOMPARE(f->Field("fieldIndexNumber"), QStringLiteral("0x1016"));
        edit->setText(QStringLiteral("0x1a0"));
        QCOMPARE(Shown(), (QStringList{"1A00 Transmit PDO 1 Mapping", "1A01 Transmit PDO 2 Mapping"}));

        // Escape brings the whole tree back and keeps the selection.
        QTest::keyClick(edit, Qt::Key_Escape);
        QVERIFY(!f->frame->FilterBar()->isVisible());
        QCOMPARE(Shown().size(), 30);
        QCOMPARE(ShownChildren(identity).size(), 5);
        QCOMPARE(f->Tree().currentItem(), f->IndexNode(0x1A00));
        QCOMPARE(f->frame->MessagePane()->text(), QStringLiteral("Ready"));
        QCOMPARE(QApplication::focusWidget(), &f->Tree());
    }

    void indexAddedWhileFilteringIsShownAndSelected() {
        f->ImportExample();
        f->Trigger(Cmd::Filter);
        QLineEdit* edit = f->frame->FilterBar()->Edit();
        edit->setText(QStringLiteral("gain"));
        QCOMPARE(Shown(), QStringList{});
        QCOMPARE(f->Tree().currentItem(), f->Tree().DictionaryItem());
        AddVarIndex("0x2200", "Gain");
        // A matching index keeps the filter.
        QCOMPARE(Shown(), QStringList{"2200 Gain"});
        QCOMPARE(f->frame->MessagePane()->text(), QStringLiteral("1 of 31 indices"));

        // One that does not match clears it, so the new node can be seen.
        AddVarIndex("0x2201", "Offset");
        QCOMPARE(edit->text(), QString());
        QCOMPARE(Shown().size(), 32);
        QCOMPARE(f->Tree().currentItem(), f->IndexNode(0x2201));
        QCOMPARE(f->Field("fieldIndexNumber"), QStringLiteral("0x2201"));
        QCOMPARE(f->frame->MessagePane()->text(), QStringLiteral("Ready"));
    }

    void rightPaneIgnoresUnknownForms() {
        CRightPaneView* pane = f->frame->RightPane();
        pane->ShowForm(3);
        QCOMPARE(pane->CurrentForm(), 3);
        pane->ShowForm(0);
        pane->ShowForm(6);
        QCOMPARE(pane->CurrentForm(), 3);
        QCOMPARE(pane->currentIndex(), 2);
    }
};

QTEST_MAIN(TreePaneTest)
#include "TreePaneTest.moc"
