#include <QAbstractButton>
#include <QDialog>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QtTest>

#include "GuiFixture.h"
#include "ui/app/QtText.h"
#include "ui/right_pane/CRightPaneView.h"

namespace {

template <class Widget = QWidget>
Widget* Child(QDialog& dialog, const char* objectName) {
    auto* widget = dialog.findChild<Widget*>(QString::fromLatin1(objectName));
    if (widget == nullptr) {
        qWarning("no control %s", objectName);
    }
    return widget;
}

QString Text(QDialog& dialog, const char* objectName) {
    QLineEdit* edit = Child<QLineEdit>(dialog, objectName);
    return edit == nullptr ? QString() : edit->text();
}

// Replaces the text of an edit box as typing or pasting over it does, within the box's limit.
void Retype(QDialog& dialog, const char* objectName, const QString& text) {
    QLineEdit* edit = Child<QLineEdit>(dialog, objectName);
    edit->setFocus();
    edit->selectAll();
    edit->insert(text);
}

void Click(QDialog& dialog, const char* objectName) {
    QTest::mouseClick(Child<QAbstractButton>(dialog, objectName), Qt::LeftButton);
}

// The object names of the controls Tab visits, starting with the one that has the focus.
QStringList TabWalk(QDialog& dialog, int steps) {
    QStringList names;
    for (int i = 0; i < steps && dialog.focusWidget() != nullptr; ++i) {
        names << dialog.focusWidget()->objectName();
        QTest::keyClick(dialog.focusWidget(), Qt::Key_Tab);
    }
    return names;
}

// A factory whose dialogs can never be created.
class NoDialogs : public DialogFactory {
public:
    std::unique_ptr<IndexDialog> CreateIndexDialog() override { return nullptr; }
    std::unique_ptr<FileInfoDialog> CreateFileInfoDialog() override { return nullptr; }
    std::unique_ptr<DeviceInfoDialog> CreateDeviceInfoDialog() override { return nullptr; }
    std::unique_ptr<DummyUsageDialog> CreateDummyUsageDialog() override { return nullptr; }
    std::unique_ptr<CommentsDialog> CreateCommentsDialog() override { return nullptr; }
};

}  // namespace

class SectionDialogsTest : public QObject {
    Q_OBJECT

private:
    std::unique_ptr<GuiFixture> f;

    void Expect(const char* text, const char* caption) {
        f->platform.ExpectMessage(text, caption, MsgIcon::Exclamation);
    }

    void DoubleClick(QTreeWidgetItem* node) {
        const QPoint at = f->Tree().visualItemRect(node).center();
        QTest::mouseClick(f->Tree().viewport(), Qt::LeftButton, {}, at);
        QTest::mouseDClick(f->Tree().viewport(), Qt::LeftButton, {}, at);
    }

private slots:
    void init() { f = std::make_unique<GuiFixture>(); }
    void cleanup() {
        const QStringList problems = f->platform.Problems();
        f.reset();
        QVERIFY2(problems.isEmpty(), qPrintable(problems.join(QLatin1Char('\n'))));
    }

    void fileInfoRefusesAVersionAboveAByteAndFillsTheClockFields() {
        f->Trigger(Cmd::New);
        f->Select(f->Tree().SectionItem(NodeKind::FileInfo));
        QVERIFY(!f->Enabled(Cmd::SaveAs));
        const bool shown = f->DriveDialog(
            [&] { f->Trigger(Cmd::FileInfo); },
            [&](QDialog& dialog) {
                QCOMPARE(dialog.windowTitle(), QStringLiteral("EDS FileInformation"));
                QCOMPARE(Child<QAbstractButton>(dialog, "buttonOk")->text(), QStringLiteral("&Ok"));
                QCOMPARE(TabWalk(dialog, 18).join(QLatin1Char(' ')),
                         QStringLiteral(
                             "editFileName editFileVersion editFileRevision editDescription editEdsVersion "
                             "editCreatedBy editCreationTime buttonCreationTime editCreationDate "
                             "buttonCreationDate editModifiedBy editModificationTime "
                             "buttonModificationTime editModificationDate buttonModificationDate "
                             "buttonOk buttonCancel editFileName"));
                Retype(dialog, "editFileVersion", QStringLiteral("256"));
                Retype(dialog, "editDescription", QStringLiteral("Typed before the clock"));
                Expect("Please enter a number from 0 to 255 for \"File Version\".", "EDS FileInformation");
                Click(dialog, "buttonOk");
                QVERIFY(dialog.isVisible());
                QCOMPARE(dialog.focusWidget(), Child(dialog, "editFileVersion"));
                QVERIFY(f->platform.Messages().back().withOwner);
                Retype(dialog, "editFileVersion", QStringLiteral("255"));
                Click(dialog, "buttonCreationTime");
                Click(dialog, "buttonModificationDate");
                QCOMPARE(Text(dialog, "editCreationTime"), QStringLiteral("09:05AM"));
                QCOMPARE(Text(dialog, "editModificationDate"), QStringLiteral("12-24-2026"));
                QCOMPARE(Text(dialog, "editDescription"), QStringLiteral("Typed before the clock"));
                // The EDS version box takes three characters.
                Retype(dialog, "editEdsVersion", QStringLiteral("4.01"));
                QCOMPARE(Text(dialog, "editEdsVersion"), QStringLiteral("4.0"));
                QTest::keyClick(Child(dialog, "editEdsVersion"), Qt::Key_Return);
                QVERIFY(!dialog.isVisible());
            });
        QVERIFY(shown);
        QCOMPARE(f->frame->RightPane()->CurrentForm(), 3);
        QCOMPARE(f->Field("fieldFileVersion"), QStringLiteral("255"));
        QCOMPARE(f->Field("fieldCreationTime"), QStringLiteral("09:05AM"));
        QCOMPARE(f->Field("fieldModificationDate"), QStringLiteral("12-24-2026"));
        QCOMPARE(f->Field("fieldEdsVersion"), QStringLiteral("4.0"));
        QVERIFY(f->document->IsModified());
        // A section confirmed on a new project makes it one worth saving and exporting.
        QVERIFY(f->Enabled(Cmd::SaveAs));
        QVERIFY(f->Enabled(Cmd::CreateEds));
    }

    void deviceInfoOpensOnADoubleClickAndEscapeKeepsTheRecord() {
        f->ImportExample();
        f->document->SetModifiedFlag(false);
        QTreeWidgetItem* node = f->Tree().SectionItem(NodeKind::DeviceInfo);
        QVERIFY(f->DriveDialog(
            [&] { DoubleClick(node); },
            [&](QDialog& dialog) {
                QCOMPARE(dialog.windowTitle(), QStringLiteral("EDS DeviceInformation"));
                QCOMPARE(Text(dialog, "editVendorName"), QStringLiteral("Example Automation Ltd."));
                QCOMPARE(Text(dialog, "editVendorNumber"), QStringLiteral("929"));
                QVERIFY(Child<QAbstractButton>(dialog, "optionSlave")->isChecked());
                QCOMPARE(Child<QAbstractButton>(dialog, "boxBaudrate10")->text(),
                         QStringLiteral("10 kbit/s"));
                // 244 characters fit; the box takes no 245th.
                Retype(dialog, "editVendorName", QString(244, QLatin1Char('v')));
                QTest::keyClicks(Child(dialog, "editVendorName"), QStringLiteral("w"));
                QCOMPARE(Text(dialog, "editVendorName").size(), 244);
                Click(dialog, "optionMaster");
                Click(dialog, "boxBaudrate800");
                Retype(dialog, "editNrOfRxPdo", QStringLiteral("256"));
                Expect("Please enter a number from 0 to 255 for \"Number of Receive PDO\".",
                       "EDS DeviceInformation");
                Click(dialog, "buttonOk");
                QCOMPARE(dialog.focusWidget(), Child(dialog, "editNrOfRxPdo"));
                Retype(dialog, "editNrOfRxPdo", QStringLiteral("4"));
                Click(dialog, "buttonOk");
            }));
        QCOMPARE(f->frame->RightPane()->CurrentForm(), 2);
        QCOMPARE(f->Field("fieldVendorName"), QString(244, QLatin1Char('v')));
        QCOMPARE(f->Field("fieldNrOfRxPdo"), QStringLiteral("4"));
        QVERIFY(f->Checked("radioMaster"));
        QVERIFY(f->Checked("checkBaudrate800"));
        QVERIFY(f->document->IsModified());

        // Opened again it shows Master; Escape leaves everything as it was.
        f->document->SetModifiedFlag(false);
        QVERIFY(f->DriveDialog([&] { f->Trigger(Cmd::DeviceInfo); },
                               [&](QDialog& dialog) {
                                   QVERIFY(Child<QAbstractButton>(dialog, "optionMaster")->isChecked());
                                   Click(dialog, "optionSlave");
                                   QTest::keyClick(Child(dialog, "editOrderCode"), Qt::Key_Escape);
                                   QVERIFY(!dialog.isVisible());
                               }));
        QVERIFY(f->Checked("radioMaster"));
        QCOMPARE(f->document->GetDeviceInfo().SimpleBootUpMaster, 1u);
        QVERIFY(!f->document->IsModified());
    }

    void dummyUsageOnANewProjectStoresAllSevenSlots() {
        f->Trigger(Cmd::New);
        f->Select(f->Tree().SectionItem(NodeKind::DummyUsage));
        QVERIFY(f->DriveDialog([&] { f->Trigger(Cmd::DummyUsage); },
                               [&](QDialog& dialog) {
                                   QCOMPARE(dialog.windowTitle(), QStringLiteral("DummyEntries"));
                                   for (QAbstractButton* box : dialog.findChildren<QAbstractButton*>(
                                            QRegularExpression(QStringLiteral("^boxDummy")))) {
                                       QVERIFY(!box->isChecked());
                                   }
                                   Click(dialog, "boxDummyBoolean");
                                   Click(dialog, "boxDummyUnsigned16");
                                   QTest::keyClick(&dialog, Qt::Key_Return);
                               }));
        QVERIFY(f->Checked("checkDummyBoolean"));
        QVERIFY(f->Checked("checkDummyUnsigned16"));
        QVERIFY(!f->Checked("checkDummyInteger8"));
        const DummyUsageSection& table = f->document->GetDeviceInfo().DummyUsage;
        QCOMPARE(table.dummyCount, 7);
        QCOMPARE(table.entries[5].dataType, 6);
        QCOMPARE(table.entries[5].used, 1u);
        QVERIFY(f->document->IsModified());
        QVERIFY(f->Enabled(Cmd::SaveAs));
    }

    void commentsOpenWithTheirLinesAndEnterStartsANewOne() {
        f->ImportExample();
        f->Select(f->Tree().SectionItem(NodeKind::Comments));
        QVERIFY(f->DriveDialog(
            [&] { f->Trigger(Cmd::Comments); },
            [&](QDialog& dialog) {
                QCOMPARE(dialog.windowTitle(), QStringLiteral("EDS Comments"));
                auto* text = Child<QPlainTextEdit>(dialog, "editComments");
                QCOMPARE(text->toPlainText().split(QLatin1Char('\n')).size(), 3);
                QVERIFY(text->toPlainText().startsWith(QStringLiteral("Example device description")));
                // The text box has the focus from the start, which enables OK.
                QCOMPARE(dialog.focusWidget(), text);
                QVERIFY(Child<QAbstractButton>(dialog, "buttonOk")->isEnabled());
                text->moveCursor(QTextCursor::End);
                QTest::keyClick(text, Qt::Key_Return);
                QTest::keyClicks(text, QStringLiteral("Added line"));
                QVERIFY(dialog.isVisible());
                Click(dialog, "buttonOk");
            }));
        auto* list = f->frame->findChild<QListWidget*>(QStringLiteral("listComments"));
        QCOMPARE(list->count(), 4);
        QCOMPARE(list->item(3)->text(), QStringLiteral("Added line"));
        const std::vector<CommentLine>& lines = f->document->GetComments();
        QCOMPARE(lines.size(), 4u);
        QCOMPARE(lines[0].lineNumber, 0);
        QCOMPARE(lines[3].lineNumber, 3);
        QCOMPARE(lines[3].text, std::string("Added line"));
    }

    void commentsKeepToTheirLimits() {
        f->Trigger(Cmd::New);
        f->Select(f->Tree().SectionItem(NodeKind::Comments));
        QVERIFY(f->DriveDialog([&] { f->Trigger(Cmd::Comments); },
                               [&](QDialog& dialog) {
                                   auto* text = Child<QPlainTextEdit>(dialog, "editComments");
                                   QVERIFY(text->toPlainText().isEmpty());
                                   text->insertPlainText(QString(300, QLatin1Char('x')));
                                   QCOMPARE(text->toPlainText().size(), 256);
                                   // 256 line ends make 257 lines, more than the EDS can count.
                                   text->selectAll();
                                   text->insertPlainText(QString(256, QLatin1Char('\n')));
                                   Expect(
                                       "The comments hold 257 lines; at most 255 lines can be kept. Please "
                                       "join or remove some lines.",
                                       "EDS Comments");
                                   Click(dialog, "buttonOk");
                                   QVERIFY(dialog.isVisible());
                                   text->setPlainText(QStringLiteral("kept"));
                                   Click(dialog, "buttonOk");
                               }));
        QCOMPARE(f->document->GetComments(), (std::vector<CommentLine>{{"kept", 0}}));
    }

    void aDialogThatCannotBeCreatedUnloadsTheProject() {
        f->ImportExample();
        NoDialogs none;
        f->document->SetDialogFactory(&none);
        f->Select(f->Tree().SectionItem(NodeKind::Comments));
        f->Trigger(Cmd::Comments);
        QVERIFY(f->Enabled(Cmd::CreateEds));
        f->Select(f->Tree().SectionItem(NodeKind::FileInfo));
        f->Trigger(Cmd::FileInfo);
        QVERIFY(!f->Enabled(Cmd::CreateEds));
        f->document->SetDialogFactory(nullptr);
    }

    void everyTypedValueSurvivesAnExportAndAnImport() {
        f->ImportExample();
        f->Select(f->Tree().SectionItem(NodeKind::FileInfo));
        QVERIFY(f->DriveDialog([&] { f->Trigger(Cmd::FileInfo); },
                               [&](QDialog& dialog) {
                                   Retype(dialog, "editFileVersion", QStringLiteral("7"));
                                   Retype(dialog, "editFileRevision", QStringLiteral("0x0C"));
                                   Retype(dialog, "editDescription",
                                          QStringLiteral("Round trip \u00e9dition"));
                                   Retype(dialog, "editEdsVersion", QStringLiteral("4.2"));
                                   Retype(dialog, "editCreatedBy", QStringLiteral("Creator"));
                                   Click(dialog, "buttonCreationTime");
                                   Click(dialog, "buttonCreationDate");
                                   Retype(dialog, "editModifiedBy", QStringLiteral("Modifier"));
                                   Retype(dialog, "editModificationTime", QStringLiteral("11:11PM"));
                                   Retype(dialog, "editModificationDate", QStringLiteral("01-02-2027"));
                                   Click(dialog, "buttonOk");
                               }));
        f->Select(f->Tree().SectionItem(NodeKind::DeviceInfo));
        QVERIFY(f->DriveDialog([&] { f->Trigger(Cmd::DeviceInfo); },
                               [&](QDialog& dialog) {
                                   Retype(dialog, "editVendorName", QStringLiteral("New Vendor"));
                                   Retype(dialog, "editVendorNumber", QStringLiteral("4294967295"));
                                   Retype(dialog, "editProductName", QStringLiteral("New Product"));
                                   Retype(dialog, "editProductNumber", QStringLiteral("12345"));
                                   Retype(dialog, "editRevisionNumber", QStringLiteral("0x00020001"));
                                   Retype(dialog, "editOrderCode", QStringLiteral("ORD-1"));
                                   Retype(dialog, "editGranularity", QStringLiteral("0"));
                                   Retype(dialog, "editDynamicChannels", QStringLiteral("255"));
                                   Click(dialog, "boxLssSupported");
                                   Click(dialog, "boxGroupMessaging");
                                   Click(dialog, "boxBaudrate10");
                                   Click(dialog, "boxBaudrate800");
                                   Click(dialog, "optionMaster");
                                   Click(dialog, "buttonOk");
                               }));
        f->Select(f->Tree().SectionItem(NodeKind::DummyUsage));
        QVERIFY(f->DriveDialog([&] { f->Trigger(Cmd::DummyUsage); },
                               [&](QDialog& dialog) {
                                   Click(dialog, "boxDummyBoolean");
                                   Click(dialog, "boxDummyInteger16");
                                   Click(dialog, "buttonOk");
                               }));
        f->Select(f->Tree().SectionItem(NodeKind::Comments));
        QVERIFY(f->DriveDialog([&] { f->Trigger(Cmd::Comments); },
                               [&](QDialog& dialog) {
                                   auto* text = Child<QPlainTextEdit>(dialog, "editComments");
                                   text->selectAll();
                                   QTest::keyClicks(text, QStringLiteral("One"));
                                   QTest::keyClick(text, Qt::Key_Return);
                                   QTest::keyClicks(text, QStringLiteral("Two"));
                                   Click(dialog, "buttonOk");
                               }));

        const std::string exported = f->TempFile("round_trip.eds");
        f->platform.QueueChosenFile(exported);
        f->platform.ExpectMessage("The file " + exported + " was successfully created!", "Create EDS file",
                                  MsgIcon::Information);
        f->Trigger(Cmd::CreateEds);

        CQuillmarkDoc reread(f->platform);
        reread.OnNewDocument();
        QCOMPARE(reread.ImportEds(exported), 11);
        const FileInfoSection& file = reread.GetFileInfo();
        QCOMPARE(file.FileVersion, 7);
        QCOMPARE(file.FileRevision, 12);
        QCOMPARE(ToQt(file.Description), QStringLiteral("Round trip \u00e9dition"));
        QCOMPARE(file.EDSVersion, std::string("4.2"));
        QCOMPARE(file.CreatedBy, std::string("Creator"));
        QCOMPARE(file.CreationTime, std::string("09:05AM"));
        QCOMPARE(file.CreationDate, std::string("12-24-2026"));
        QCOMPARE(file.ModifiedBy, std::string("Modifier"));
        QCOMPARE(file.ModificationTime, std::string("11:11PM"));
        QCOMPARE(file.ModificationDate, std::string("01-02-2027"));
        const DeviceInfoSection& device = reread.GetDeviceInfo();
        QCOMPARE(device.VendorName, std::string("New Vendor"));
        QCOMPARE(device.VendorNumber, 4294967295u);
        QCOMPARE(device.ProductName, std::string("New Product"));
        QCOMPARE(device.ProductNumber, 12345u);
        QCOMPARE(device.RevisionNumber, 0x00020001u);
        QCOMPARE(device.OrderCode, std::string("ORD-1"));
        QCOMPARE(device.Granularity, 0);
        QCOMPARE(device.DynamicChannelsSupported, 255);
        QCOMPARE(device.LSS_Supported, 0u);
        QCOMPARE(device.GroupMessaging, 1u);
        QCOMPARE(device.Baudrate_10, 0u);
        QCOMPARE(device.Baudrate_800, 1u);
        QCOMPARE(device.Baudrate_1000, 1u);
        QCOMPARE(device.SimpleBootUpMaster, 1u);
        QCOMPARE(device.SimpleBootUpSlave, 0u);
        const DummyUsageSection& dummies = device.DummyUsage;
        QCOMPARE(dummies.dummyCount, 7);
        QCOMPARE(dummies.entries[0].used, 1u);  // BOOLEAN was off in the example
        QCOMPARE(dummies.entries[2].used, 0u);  // INTEGER 16 was on
        QCOMPARE(dummies.entries[6].used, 1u);
        const std::vector<CommentLine>& comments = reread.GetComments();
        QCOMPARE(comments.size(), 2u);
        QCOMPARE(comments[0].text, std::string("One"));
        QCOMPARE(comments[1].text, std::string("Two"));
    }
};

QTEST_MAIN(SectionDialogsTest)
#include "SectionDialogsTest.moc"
