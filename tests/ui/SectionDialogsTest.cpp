#include <QAbstractButton>
#include <QDialog>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QtTest>

#include "GuiFixture.h"
#include "ui/app/QtText.h"
#include "ui/dialogs/DeviceInfoFields.h"
#include "ui/dialogs/FileInfoFields.h"
#include "ui/right_pane/CRightPaneView.h"

namespace {

template <class Widget = QWidget>
Widget* Child(QDialog& dialog, const char* objectName) {
    return dialog.findChild<Widget*>(QString::fromLatin1(objectName));
}

QString Text(QDialog& dialog, const char* objectName) {
    return Child<QLineEdit>(dialog, objectName)->text();
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
QString TabWalk(QDialog& dialog, int steps) {
    QStringList names;
    for (int i = 0; i < steps && dialog.focusWidget() != nullptr; ++i) {
        names << dialog.focusWidget()->objectName();
        QTest::keyClick(dialog.focusWidget(), Qt::Key_Tab);
    }
    return names.join(QLatin1Char(' '));
}

}  // namespace

class SectionDialogsTest : public QObject {
    Q_OBJECT

private:
    std::unique_ptr<GuiFixture> f;

    // Selects the section's node and runs its command with the dialog driven by drive.
    void Edit(NodeKind kind, int command, const std::function<void(QDialog&)>& drive) {
        f->Select(f->Tree().SectionItem(kind));
        QVERIFY(f->DriveDialog([&] { f->Trigger(command); }, drive));
    }

    void ExpectPrompt(const char* text, const char* caption) {
        f->platform.ExpectMessage(text, caption, MsgIcon::Exclamation);
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
        QVERIFY(!f->Enabled(Cmd::SaveAs));
        Edit(NodeKind::FileInfo, Cmd::FileInfo, [&](QDialog& dialog) {
            QCOMPARE(dialog.windowTitle(), QStringLiteral("EDS FileInformation"));
            QCOMPARE(
                TabWalk(dialog, 18),
                QStringLiteral("editFileName editFileVersion editFileRevision editDescription editEdsVersion "
                               "editCreatedBy editCreationTime buttonCreationTime editCreationDate "
                               "buttonCreationDate editModifiedBy editModificationTime "
                               "buttonModificationTime editModificationDate buttonModificationDate "
                               "buttonOk buttonCancel editFileName"));
            Retype(dialog, "editFileVersion", QStringLiteral("256"));
            Retype(dialog, "editDescription", QStringLiteral("Typed before the clock"));
            ExpectPrompt("Please enter a number from 0 to 255 for \"File Version\".", "EDS FileInformation");
            Click(dialog, "buttonOk");
            QVERIFY(dialog.isVisible());
            QCOMPARE(dialog.focusWidget(), Child(dialog, "editFileVersion"));
            QVERIFY(f->platform.Messages().back().withOwner);
            Retype(dialog, "editFileVersion", QStringLiteral("255"));
            Click(dialog, "buttonCreationTime");
            Click(dialog, "buttonModificationDate");
            QCOMPARE(Text(dialog, "editDescription"), QStringLiteral("Typed before the clock"));
            Retype(dialog, "editEdsVersion", QStringLiteral("4.01"));  // the box takes three characters
            QTest::keyClick(Child(dialog, "editEdsVersion"), Qt::Key_Return);
        });
        QCOMPARE(f->frame->RightPane()->CurrentForm(), 3);
        QCOMPARE(f->Field("fieldFileVersion"), QStringLiteral("255"));
        QCOMPARE(f->Field("fieldCreationTime"), QStringLiteral("09:05AM"));
        QCOMPARE(f->Field("fieldModificationDate"), QStringLiteral("12-24-2026"));
        QCOMPARE(f->Field("fieldEdsVersion"), QStringLiteral("4.0"));
        QVERIFY(f->document->IsModified());
        // A section confirmed on a new project makes it one worth saving and exporting.
        QVERIFY(f->Enabled(Cmd::SaveAs));
    }

    void deviceInfoOpensOnADoubleClickAndEscapeKeepsTheRecord() {
        f->ImportExample();
        f->document->SetModifiedFlag(false);
        QTreeWidgetItem* node = f->Tree().SectionItem(NodeKind::DeviceInfo);
        QVERIFY(node != nullptr);
        const QPoint at = f->Tree().visualItemRect(node).center();
        const auto doubleClick = [&] {
            QTest::mouseClick(f->Tree().viewport(), Qt::LeftButton, {}, at);
            QTest::mouseDClick(f->Tree().viewport(), Qt::LeftButton, {}, at);
        };
        QVERIFY(f->DriveDialog(doubleClick, [&](QDialog& dialog) {
            QCOMPARE(dialog.windowTitle(), QStringLiteral("EDS DeviceInformation"));
            QCOMPARE(Text(dialog, "editVendorNumber"), QStringLiteral("929"));
            QVERIFY(Child<QAbstractButton>(dialog, "optionSlave")->isChecked());
            // 244 characters fit; the box takes no 245th.
            Retype(dialog, "editVendorName", QString(244, QLatin1Char('v')));
            QTest::keyClicks(Child(dialog, "editVendorName"), QStringLiteral("w"));
            Click(dialog, "optionMaster");
            Click(dialog, "boxBaudrate800");
            Retype(dialog, "editNrOfRxPdo", QStringLiteral("256"));
            ExpectPrompt("Please enter a number from 0 to 255 for \"Number of Receive PDO\".",
                         "EDS DeviceInformation");
            Click(dialog, "buttonOk");
            QCOMPARE(dialog.focusWidget(), Child(dialog, "editNrOfRxPdo"));
            Retype(dialog, "editNrOfRxPdo", QStringLiteral("4"));
            Click(dialog, "buttonOk");
        }));
        QCOMPARE(f->frame->RightPane()->CurrentForm(), 2);
        QCOMPARE(f->Field("fieldVendorName"), QString(244, QLatin1Char('v')));
        QCOMPARE(f->Field("fieldNrOfRxPdo"), QStringLiteral("4"));
        QVERIFY(f->Checked("radioMaster") && f->Checked("checkBaudrate800"));
        QVERIFY(f->document->IsModified());

        // Opened again it shows Master; Escape leaves everything as it was.
        f->document->SetModifiedFlag(false);
        Edit(NodeKind::DeviceInfo, Cmd::DeviceInfo, [&](QDialog& dialog) {
            QVERIFY(Child<QAbstractButton>(dialog, "optionMaster")->isChecked());
            Click(dialog, "optionSlave");
            QTest::keyClick(Child(dialog, "editOrderCode"), Qt::Key_Escape);
            QVERIFY(!dialog.isVisible());
        });
        QCOMPARE(f->document->GetDeviceInfo().SimpleBootUpMaster, 1u);
        QVERIFY(!f->document->IsModified());
    }

    void dummyUsageOnANewProjectStoresAllSevenSlots() {
        f->Trigger(Cmd::New);
        Edit(NodeKind::DummyUsage, Cmd::DummyUsage, [&](QDialog& dialog) {
            QCOMPARE(dialog.windowTitle(), QStringLiteral("DummyEntries"));
            QVERIFY(!Child<QAbstractButton>(dialog, "boxDummyInteger8")->isChecked());
            Click(dialog, "boxDummyUnsigned16");
            QTest::keyClick(&dialog, Qt::Key_Return);
        });
        QVERIFY(f->Checked("checkDummyUnsigned16") && !f->Checked("checkDummyBoolean"));
        const DummyUsageSection& table = f->document->GetDeviceInfo().DummyUsage;
        QCOMPARE(table.dummyCount, 7);
        QCOMPARE(table.entries[5].dataType, 6);
        QCOMPARE(table.entries[5].used, 1u);
        QVERIFY(f->Enabled(Cmd::SaveAs));
    }

    void commentsOpenWithTheirLinesAndKeepToTheirLimits() {
        f->ImportExample();
        Edit(NodeKind::Comments, Cmd::Comments, [&](QDialog& dialog) {
            auto* text = Child<QPlainTextEdit>(dialog, "editComments");
            QCOMPARE(text->toPlainText().count(QLatin1Char('\n')), 2);
            // The text box has the focus from the start, which enables OK; Enter starts a new line.
            QCOMPARE(dialog.focusWidget(), text);
            text->moveCursor(QTextCursor::End);
            QTest::keyClick(text, Qt::Key_Return);
            QTest::keyClicks(text, QStringLiteral("Added line"));
            Click(dialog, "buttonOk");
        });
        auto* list = f->frame->findChild<QListWidget*>(QStringLiteral("listComments"));
        QCOMPARE(list->count(), 4);
        QCOMPARE(list->item(3)->text(), QStringLiteral("Added line"));
        QCOMPARE(f->document->GetComments().back(), (CommentLine{"Added line", 3}));

        Edit(NodeKind::Comments, Cmd::Comments, [&](QDialog& dialog) {
            auto* text = Child<QPlainTextEdit>(dialog, "editComments");
            text->clear();
            text->insertPlainText(QString(300, QLatin1Char('x')));
            QCOMPARE(text->toPlainText().size(), 256);
            // 256 line ends make 257 lines, more than the EDS can count.
            text->selectAll();
            text->insertPlainText(QString(256, QLatin1Char('\n')));
            ExpectPrompt(
                "The comments hold 257 lines; at most 255 lines can be kept. Please join or remove "
                "some lines.",
                "EDS Comments");
            Click(dialog, "buttonOk");
            QVERIFY(dialog.isVisible());
        });
        QCOMPARE(f->document->GetComments().size(), 4u);
    }

    // In a UTF-8 project the limits count characters, not bytes, and a text left alone keeps its bytes
    // even where it ends inside a character (the importer cuts long values by bytes).
    void utf8ProjectCountsCharactersAndKeepsUntouchedBytes() {
        f->ImportUtf8Example();
        std::string umlauts;
        std::string euros;
        for (int i = 0; i < 244; ++i) {
            umlauts += "\xC3\xBC";
            euros += i < 200 ? "\xE2\x82\xAC" : "";
        }
        const std::string cut = "cut \xE2\x82";
        f->document->GetDeviceInfo().VendorName = umlauts;
        f->document->GetFileInfo().Description = cut;
        f->document->GetComments() = {{euros, 1}, {cut, 2}};
        Edit(NodeKind::DeviceInfo, Cmd::DeviceInfo, [&](QDialog& dialog) {
            QCOMPARE(Text(dialog, "editVendorName"), QString(244, QChar(0xFC)));
            Child<QLineEdit>(dialog, "editVendorName")->end(false);
            QTest::keyClicks(Child(dialog, "editVendorName"), QStringLiteral("w"));
            QCOMPARE(Text(dialog, "editVendorName").size(), 244);
            Click(dialog, "buttonOk");
        });
        QCOMPARE(f->document->GetDeviceInfo().VendorName, umlauts);
        Edit(NodeKind::FileInfo, Cmd::FileInfo, [&](QDialog& dialog) {
            QCOMPARE(Text(dialog, "editDescription"), QStringLiteral("cut \uFFFD"));
            Click(dialog, "buttonOk");
        });
        QCOMPARE(f->document->GetFileInfo().Description, cut);
        Edit(NodeKind::Comments, Cmd::Comments, [&](QDialog& dialog) {
            QCOMPARE(Child<QPlainTextEdit>(dialog, "editComments")->toPlainText().size(), 200 + 1 + 5);
            Click(dialog, "buttonOk");
        });
        // Left alone, the lines stay exactly as they were, numbers included: OK changed nothing.
        QCOMPARE(f->document->GetComments(), (std::vector<CommentLine>{{euros, 1}, {cut, 2}}));
        Edit(NodeKind::Comments, Cmd::Comments, [&](QDialog& dialog) {
            auto* text = Child<QPlainTextEdit>(dialog, "editComments");
            text->selectAll();
            text->insertPlainText(QString(300, QChar(0x20AC)));
            QCOMPARE(text->toPlainText().size(), 256);
        });
    }

    void aDialogThatCannotBeCreatedUnloadsTheProject() {
        f->ImportExample();
        // Without a factory no dialog can be created.
        f->document->SetDialogFactory(nullptr);
        f->Select(f->Tree().SectionItem(NodeKind::Comments));
        f->Trigger(Cmd::Comments);
        QVERIFY(f->Enabled(Cmd::CreateEds));
        f->Select(f->Tree().SectionItem(NodeKind::FileInfo));
        f->Trigger(Cmd::FileInfo);
        QVERIFY(!f->Enabled(Cmd::CreateEds));
    }

    void everyTypedValueSurvivesAnExportAndAnImport() {
        using Typed = std::pair<const char*, QString>;
        const Typed fileTexts[] = {
            {"editFileVersion", "7"},
            {"editFileRevision", "12"},
            {"editDescription", "Round trip \u00e9dition"},
            {"editEdsVersion", "4.2"},
            {"editCreatedBy", "Creator"},
            {"editModifiedBy", "Modifier"},
            {"editModificationTime", "11:11PM"},
            {"editModificationDate", "01-02-2027"},
        };
        const Typed deviceTexts[] = {
            {"editVendorName", "New Vendor"},   {"editVendorNumber", "4294967295"},
            {"editProductName", "New Product"}, {"editProductNumber", "12345"},
            {"editRevisionNumber", "131073"},   {"editOrderCode", "ORD-1"},
            {"editGranularity", "0"},           {"editDynamicChannels", "255"},
        };
        // The example has LSS and 10 kBit/s on, 800 kBit/s and group messaging off.
        const char* const toggled[] = {"boxLssSupported", "boxGroupMessaging", "boxBaudrate10",
                                       "boxBaudrate800"};
        f->ImportExample();
        Edit(NodeKind::FileInfo, Cmd::FileInfo, [&](QDialog& dialog) {
            for (const auto& [name, text] : fileTexts) {
                Retype(dialog, name, text);
            }
            Click(dialog, "buttonCreationTime");
            Click(dialog, "buttonCreationDate");
            Click(dialog, "buttonOk");
        });
        Edit(NodeKind::DeviceInfo, Cmd::DeviceInfo, [&](QDialog& dialog) {
            for (const auto& [name, text] : deviceTexts) {
                Retype(dialog, name, text);
            }
            for (const char* name : toggled) {
                Click(dialog, name);
            }
            Click(dialog, "optionMaster");
            Click(dialog, "buttonOk");
        });
        Edit(NodeKind::DummyUsage, Cmd::DummyUsage, [&](QDialog& dialog) {
            Click(dialog, "boxDummyBoolean");
            Click(dialog, "boxDummyInteger16");
            Click(dialog, "buttonOk");
        });
        Edit(NodeKind::Comments, Cmd::Comments, [&](QDialog& dialog) {
            Child<QPlainTextEdit>(dialog, "editComments")->setPlainText(QStringLiteral("One\nTwo"));
            Click(dialog, "buttonOk");
        });
        const std::string exported = f->TempFile("round_trip.eds");
        f->platform.QueueChosenFile(exported);
        f->platform.ExpectMessage("The file " + exported + " was successfully created!", "Create EDS file",
                                  MsgIcon::Information);
        f->Trigger(Cmd::CreateEds);

        CQuillmarkDoc reread(f->platform);
        reread.OnNewDocument();
        QCOMPARE(reread.ImportEds(exported), EdsImportResult::Success);
        const QtText qtText(reread);
        const FileInfoSection& file = reread.GetFileInfo();
        for (const auto& [name, text] : fileTexts) {
            const QString read = qtText.ToQt(LoadField(file, *FindField(FileInfoFields(), name)).text);
            QVERIFY2(read == text, qPrintable(QString::fromLatin1(name) + QStringLiteral(" reads ") + read));
        }
        QCOMPARE(file.CreationTime + " " + file.CreationDate, std::string("09:05AM 12-24-2026"));
        const DeviceInfoSection& device = reread.GetDeviceInfo();
        for (const auto& [name, text] : deviceTexts) {
            const QString read = qtText.ToQt(LoadField(device, *FindField(DeviceInfoFields(), name)).text);
            QVERIFY2(read == text, qPrintable(QString::fromLatin1(name) + QStringLiteral(" reads ") + read));
        }
        QCOMPARE((std::vector<std::uint32_t>{device.LSS_Supported, device.GroupMessaging, device.Baudrate_10,
                                             device.Baudrate_800, device.SimpleBootUpMaster}),
                 (std::vector<std::uint32_t>{0, 1, 0, 1, 1}));
        QCOMPARE(device.DummyUsage.dummyCount, 7);
        QCOMPARE(device.DummyUsage.entries[0].used, 1u);  // BOOLEAN was off in the example
        QCOMPARE(device.DummyUsage.entries[2].used, 0u);  // INTEGER 16 was on
        QCOMPARE(reread.GetComments(), (std::vector<CommentLine>{{"One", 1}, {"Two", 2}}));
    }
};

QTEST_MAIN(SectionDialogsTest)
#include "SectionDialogsTest.moc"
