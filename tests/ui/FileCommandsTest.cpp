#include <QAction>
#include <QFile>
#include <QMenu>
#include <QMimeData>
#include <QUrl>
#include <QtTest>

#include "GuiFixture.h"
#include "ui/app/QtText.h"

namespace {

bool FileExists(const std::string& path) {
    return QFile::exists(PathToQt(path));
}

void WriteFile(const std::string& path, const QByteArray& bytes) {
    QFile file(PathToQt(path));
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(bytes);
}

}  // namespace

class FileCommandsTest : public QObject {
    Q_OBJECT

private:
    // Ways into the save question besides the menu commands.
    static constexpr int CloseBox = -1;
    static constexpr int DroppedFile = -2;

    std::unique_ptr<GuiFixture> f;

    void SaveAs(const std::string& path) {
        f->platform.QueueChosenFile(path);
        f->Trigger(Cmd::SaveAs);
    }

    // Import of a file without FileName over a modified project whose saving is declined: the refusal,
    // the question with its answer, and on Yes the repair.
    void ExpectNamelessImport(const std::string& path, bool yes) {
        f->platform.ExpectMessage("Save current project?", "Quillmark", MsgIcon::Information, MsgResult::No);
        f->platform.QueueChosenFile(path);
        f->platform.ExpectMessage("The selected file " + path + " is invalid!\nInvalid FileInfo section!",
                                  "Read EDS file", MsgIcon::Error);
        f->ExpectLenientQuestion(path, yes ? MsgResult::Yes : MsgResult::No);
        if (yes) {
            f->platform.ExpectMessage(
                "Lenient import of " + path + ":\nFileName missing: taken from the file name", "Warning",
                MsgIcon::Exclamation);
        }
    }

private slots:
    void init() { f = std::make_unique<GuiFixture>(); }
    void cleanup() {
        const QStringList problems = f->platform.Problems();
        f.reset();
        QVERIFY2(problems.isEmpty(), qPrintable(problems.join(QLatin1Char('\n'))));
    }

    void importAsksForAnEdsFileAndEnablesTheProjectCommands() {
        QVERIFY(!f->Enabled(Cmd::SaveAs));
        f->ImportExample();
        const FileChooserRequest& request = f->platform.ChooserRequests().at(0);
        QVERIFY(request.open);
        QCOMPARE(request.filter, std::string("EDS Files (*.eds)| *.eds| DCF Files (*.dcf) | *.dcf||"));
        QCOMPARE(request.defaultExtension, std::string("eds"));
        QCOMPARE(request.initialFileName, std::string("*.eds"));
        QCOMPARE(f->platform.WaitCursorUses(), 1);
        QCOMPARE(f->platform.WaitCursorDepth(), 0);
        QCOMPARE(f->Caption(), QStringLiteral("unnamed.prj* - Quillmark"));
        for (int id : {Cmd::Save, Cmd::SaveAs, Cmd::CreateSources, Cmd::CreateEds}) {
            QVERIFY2(f->Enabled(id), qPrintable(QString::number(id)));
            QVERIFY2(f->ToolButtonEnabled(id) || id == Cmd::SaveAs, qPrintable(QString::number(id)));
        }
        // Every node carries the numbers its label shows; the sections carry none.
        const CLeftPaneView& tree = f->Tree();
        QTreeWidgetItem* dictionary = tree.DictionaryItem();
        QVERIFY(dictionary != nullptr);
        QCOMPARE(tree.IndexFromItem(tree.SectionItem(NodeKind::FileInfo)), 0);
        for (int i = 0; i < dictionary->childCount(); ++i) {
            const QTreeWidgetItem* index = dictionary->child(i);
            QCOMPARE(index->text(0).left(5), QString::asprintf("%04X ", unsigned{tree.IndexFromItem(index)}));
            for (int s = 0; s < index->childCount(); ++s) {
                const QTreeWidgetItem* sub = index->child(s);
                QCOMPARE(sub->text(0).left(9),
                         QString::asprintf("%04X, %02X ", unsigned{tree.IndexFromItem(sub)},
                                           unsigned{tree.SubindexFromItem(sub)}));
            }
        }
    }

    // Create > XDD File writes the project as an XDD; Import > XDD/XDC File reads it back to the same tree.
    void xddIsCreatedAndImportedThroughTheMenus() {
        QVERIFY(!f->Enabled(Cmd::CreateXdd) && f->Enabled(Cmd::ImportXdd));
        f->ImportExample();
        const QStringList imported = f->DictionaryLabels();
        const std::string xdd = f->TempFile("device.xdd");
        f->platform.QueueChosenFile(xdd);
        f->platform.ExpectMessage("The file " + xdd + " was successfully created!", "Create XDD file",
                                  MsgIcon::Information);
        QVERIFY(f->Enabled(Cmd::CreateXdd));
        f->Trigger(Cmd::CreateXdd);
        QCOMPARE(f->platform.ChooserRequests().back().filter, std::string("XDD Files (*.xdd)|*.xdd||"));

        f->platform.ExpectMessage("Save current project?", "Quillmark", MsgIcon::Information, MsgResult::No);
        f->platform.QueueChosenFile(xdd);
        f->platform.ExpectMessage("The file " + xdd + " was successfully readed!", "Read EDS file",
                                  MsgIcon::Information);
        f->Trigger(Cmd::ImportXdd);
        QCOMPARE(f->platform.ChooserRequests().back().filter,
                 std::string("XDD Files (*.xdd)|*.xdd|XDC Files (*.xdc)|*.xdc||"));
        QCOMPARE(f->Label(f->Tree().RootItem()), QStringLiteral("device.xdd"));
        QCOMPARE(f->DictionaryLabels(), imported);
        if (const QString folder = qEnvironmentVariable("QM_SCREENSHOT_DIR"); !folder.isEmpty()) {
            for (const char* name : {"menuImport", "menuCreate"}) {
                auto* menu = f->frame->findChild<QMenu*>(QString::fromLatin1(name));
                QVERIFY(menu != nullptr);
                menu->adjustSize();
                QVERIFY(menu->grab().save(folder + QLatin1Char('/') + QString::fromLatin1(name) + ".png"));
            }
        }
    }

    void cancelledImportChangesNothing() {
        f->platform.QueueChosenFile(std::nullopt);
        f->Trigger(Cmd::ImportEds);
        QCOMPARE(f->Tree().topLevelItemCount(), 0);
        QVERIFY(!f->Enabled(Cmd::SaveAs));
    }

    void invalidFileIsRefused() {
        const std::string bad = f->TempFile("broken.eds");
        WriteFile(bad, "[FileInfo]\r\nFileName=broken.eds\r\n");
        f->platform.QueueChosenFile(bad);
        f->platform.ExpectMessage("The selected file " + bad + " is invalid!", "Read EDS file",
                                  MsgIcon::Error);
        f->ExpectLenientQuestion(bad, MsgResult::Yes);
        // Without any object list even the lenient import finds no dictionary.
        f->platform.ExpectMessage("The selected file " + bad + " is invalid!", "Read EDS file",
                                  MsgIcon::Error);
        f->Trigger(Cmd::ImportEds);
        QCOMPARE(f->platform.Messages().at(1).buttons, MsgButtons::YesNo);
        QCOMPARE(f->Tree().topLevelItemCount(), 0);
        for (int id : {Cmd::SaveAs, Cmd::CreateSources, Cmd::CreateEds}) {
            QVERIFY2(!f->Enabled(id), qPrintable(QString::number(id)));
        }
    }

    // A file refused for what it lacks can be imported anyway: Yes reads it leniently and shows it,
    // No leaves the open project exactly as it was.
    void refusedFileIsImportedLenientlyOnYes_data() {
        QTest::addColumn<bool>("yes");
        QTest::newRow("yes") << true;
        QTest::newRow("no") << false;
    }

    void refusedFileIsImportedLenientlyOnYes() {
        QFETCH(bool, yes);
        f->ImportExample();
        const QStringList example = f->DictionaryLabels();
        const QString before = f->EditorState();
        QFile source(PathToQt(GuiFixture::ExamplePath()));
        QVERIFY(source.open(QIODevice::ReadOnly));
        const std::string nameless = f->TempFile("nameless.eds");
        WriteFile(nameless, source.readAll().replace("FileName=io_device.eds", ""));

        ExpectNamelessImport(nameless, yes);
        if (yes) {
            f->platform.ExpectMessage("The file " + nameless + " was successfully readed!", "Read EDS file",
                                      MsgIcon::Information);
        }
        f->Trigger(Cmd::ImportEds);
        if (!yes) {
            QCOMPARE(f->EditorState(), before);
            return;
        }
        QCOMPARE(f->Label(f->Tree().RootItem()), QStringLiteral("nameless.eds"));
        QCOMPARE(f->DictionaryLabels(), example);
        QCOMPARE(f->Tree().currentItem(), f->IndexNode(0x1000));
        QCOMPARE(f->document->GetFileInfo().FileName, std::string("nameless.eds"));
        QVERIFY(f->document->IsModified());
        QVERIFY(f->Enabled(Cmd::SaveAs) && f->Enabled(Cmd::CreateSources) && f->Enabled(Cmd::CreateEds));
    }

    void missingFileIsReportedAsNotOpened() {
        const std::string missing = f->TempFile("missing.eds");
        f->platform.QueueChosenFile(missing);
        f->platform.ExpectMessage("The file " + missing + " could not be opened!", "Read EDS file",
                                  MsgIcon::Error);
        f->Trigger(Cmd::ImportEds);
        QCOMPARE(f->Tree().topLevelItemCount(), 0);
    }

    // One import shows at most 20 boxes and a last one that says so; the import itself is unchanged.
    void importFloodStopsAfterTwentyBoxes() {
        QByteArray eds =
            "[FileInfo]\r\nFileName=flood.eds\r\n[DeviceInfo]\r\nVendorName=V\r\n[DummyUsage]\r\n"
            "Dummy0001=0\r\n[MandatoryObjects]\r\nSupportedObjects=1\r\n1=0x1000\r\n[1000]\r\n"
            "ParameterName=Device Type\r\nDataType=0x0007\r\n[ManufacturerObjects]\r\nSupportedObjects=0\r\n"
            "[OptionalObjects]\r\nSupportedObjects=31\r\n";
        for (int n = 1; n <= 31; ++n) {
            eds += QString::asprintf("%d=0x%04X\r\n", n, 0x2000 + n).toLatin1();
        }
        // Thirty objects without a data type, each refused with a warning, then one the import takes.
        for (int n = 1; n <= 31; ++n) {
            eds += QString::asprintf("[%04X]\r\nParameterName=Flag\r\nDataType=%d\r\n", 0x2000 + n,
                                     n == 31 ? 7 : 0)
                       .toLatin1();
        }
        const std::string path = f->TempFile("flood.eds");
        WriteFile(path, eds);
        f->platform.QueueChosenFile(path);
        // The boxes of one import's warnings: as many as the limit leaves, then the notice and the result.
        const auto expectWarnings = [this](int shown, const std::string& file) {
            for (int n = 1; n <= shown; ++n) {
                f->platform.ExpectMessage(
                    QString::asprintf("Data Type of index 0x%04X not supported", 0x2000 + n).toStdString(),
                    "Warning", MsgIcon::Exclamation);
            }
            f->platform.ExpectMessage("Further messages of this import are not shown.", "Read EDS file",
                                      MsgIcon::Information);
            f->platform.ExpectMessage("The file " + file + " was successfully readed!", "Read EDS file",
                                      MsgIcon::Information);
        };
        expectWarnings(20, path);
        f->Trigger(Cmd::ImportEds);
        QCOMPARE(f->platform.Messages().size(), std::size_t{22});
        QCOMPARE(f->DictionaryLabels(),
                 QStringList({QStringLiteral("1000 Device Type"), QStringLiteral("201F Flag")}));

        // The lenient import that follows a refusal has a limit of its own, and its repair comes first,
        // so the user always learns what was filled in.
        const std::string nameless = f->TempFile("nameless.eds");
        WriteFile(nameless, eds.replace("FileName=flood.eds", ""));
        ExpectNamelessImport(nameless, true);
        expectWarnings(19, nameless);
        f->Trigger(Cmd::ImportEds);
        QCOMPARE(f->DictionaryLabels().size(), 2);
    }

    // Entries of a basic type the standard import leaves out are kept by the lenient one, so the editor
    // offers it after their warnings; No keeps what the standard import read.
    void leftOutDataTypesOfferTheLenientImport() {
        const QByteArray eds =
            "[FileInfo]\r\nFileName=flags.eds\r\n[DeviceInfo]\r\nVendorName=V\r\n[DummyUsage]\r\n"
            "Dummy0001=0\r\n[MandatoryObjects]\r\nSupportedObjects=1\r\n1=0x1000\r\n[1000]\r\n"
            "ParameterName=Device Type\r\nDataType=0x0007\r\n[ManufacturerObjects]\r\nSupportedObjects=2\r\n"
            "1=0x2000\r\n2=0x2001\r\n[2000]\r\nParameterName=Flag\r\nDataType=0x0001\r\nAccessType=rw\r\n"
            "[2001]\r\nParameterName=Byte\r\nDataType=0x0005\r\nAccessType=rw\r\n"
            "[OptionalObjects]\r\nSupportedObjects=0\r\n";
        const std::string path = f->TempFile("flags.eds");
        WriteFile(path, eds);
        for (const MsgResult answer : {MsgResult::No, MsgResult::Yes}) {
            if (answer == MsgResult::Yes) {
                f->platform.ExpectMessage("Save current project?", "Quillmark", MsgIcon::Information,
                                          MsgResult::No);
            }
            f->platform.QueueChosenFile(path);
            f->platform.ExpectMessage("Data Type of index 0x2000 not supported", "Warning",
                                      MsgIcon::Exclamation);
            f->platform.ExpectMessage("The file " + path + " was successfully readed!", "Read EDS file",
                                      MsgIcon::Information);
            f->ExpectLenientQuestion(path, answer);
            if (answer == MsgResult::Yes) {
                f->platform.ExpectMessage("The file " + path + " was successfully readed!", "Read EDS file",
                                          MsgIcon::Information);
            }
            f->Trigger(Cmd::ImportEds);
            QCOMPARE(f->IndexNode(0x2000) != nullptr, answer == MsgResult::Yes);
        }
    }

    void saveAsThenOpenShowsTheSameTree() {
        f->ImportExample();
        const QStringList imported = f->DictionaryLabels();
        const std::string project = f->TempFile("myprj.prj");
        SaveAs(project);
        QVERIFY(FileExists(project));
        QCOMPARE(f->Caption(), PathToQt(project) + QStringLiteral(" - Quillmark"));
        QVERIFY(!f->Enabled(Cmd::Save));
        // The tree keeps the name it had.
        QCOMPARE(f->Label(f->Tree().RootItem()), QStringLiteral("io_device.eds"));

        f->Trigger(Cmd::New);
        QCOMPARE(f->DictionaryLabels(), QStringList());

        f->platform.QueueChosenFile(project);
        f->Trigger(Cmd::Open);
        const FileChooserRequest& open = f->platform.ChooserRequests().back();
        QCOMPARE(open.filter, std::string("Project Files (*.prj)| *.prj||"));
        QCOMPARE(f->Label(f->Tree().RootItem()), QStringLiteral("myeds.eds"));
        QCOMPARE(f->DictionaryLabels(), imported);
        QCOMPARE(f->Tree().currentItem(), f->IndexNode(0x1000));
        QVERIFY(f->Enabled(Cmd::SaveAs));
        QVERIFY(!f->Enabled(Cmd::Save));
        QCOMPARE(f->Caption(), PathToQt(project) + QStringLiteral(" - Quillmark"));
    }

    void utf8FileShowsItsTextsAsWritten() {
        f->ImportUtf8Example();
        const QString deviceType = QString::fromUtf8(GuiFixture::Utf8DeviceType);
        QCOMPARE(f->Label(f->IndexNode(0x1000)), QStringLiteral("1000 ") + deviceType);
        f->Select(f->IndexNode(0x1000));
        QCOMPARE(f->Field("fieldParameterName"), deviceType);
        f->Select(f->Tree().SectionItem(NodeKind::DeviceInfo));
        QCOMPARE(f->Field("fieldVendorName"), QStringLiteral("M\u00fcller Automation Ltd."));
    }

    void cancelledOpenKeepsTheTree() {
        f->ImportExample();
        const QStringList before = f->DictionaryLabels();
        f->platform.ExpectMessage("Save current project?\n", "Quillmark", MsgIcon::Information,
                                  MsgResult::No);
        f->platform.QueueChosenFile(std::nullopt);
        f->Trigger(Cmd::Open);
        QCOMPARE(f->DictionaryLabels(), before);
        QCOMPARE(f->document->GetIndexCount(), before.size());
    }

    void damagedProjectIsRefusedAndTheTreeStays() {
        f->ImportExample();
        const QStringList before = f->DictionaryLabels();
        const std::string damaged = f->TempFile("damaged.prj");
        WriteFile(damaged, "not a project");
        f->platform.ExpectMessage("Save current project?\n", "Quillmark", MsgIcon::Information,
                                  MsgResult::No);
        f->platform.QueueChosenFile(damaged);
        f->platform.AllowUnexpectedMessages();
        f->Trigger(Cmd::Open);
        QCOMPARE(f->platform.Messages().size(), std::size_t{3});
        QCOMPARE(f->DictionaryLabels(), before);
        QCOMPARE(f->Label(f->Tree().RootItem()), QStringLiteral("io_device.eds"));
    }

    void saveWritesANamedProjectWithoutAsking() {
        f->ImportExample();
        const std::string project = f->TempFile("named.prj");
        SaveAs(project);
        QFile::remove(PathToQt(project));
        f->document->SetModifiedFlag(true);
        QVERIFY(f->Enabled(Cmd::Save));
        QVERIFY(f->ToolButtonEnabled(Cmd::Save));
        f->Trigger(Cmd::Save);
        QVERIFY(FileExists(project));
        QCOMPARE(f->platform.ChooserRequests().size(), std::size_t{2});
        QVERIFY(!f->Enabled(Cmd::Save));
    }

    void saveFailureIsReported() {
        f->ImportExample();
        const std::string unwritable = f->TempFile("no/such/folder/p.prj");
        f->platform.QueueChosenFile(unwritable);
        f->platform.AllowUnexpectedMessages();
        f->Trigger(Cmd::SaveAs);
        const auto& messages = f->platform.Messages();
        QVERIFY(!messages.empty());
        QCOMPARE(messages.back().text, std::string("An error ocurred while saving the project !"));
        QCOMPARE(messages.back().caption, std::string("Save project"));
        QVERIFY(f->Enabled(Cmd::Save));
    }

    void captionMarksAProjectThatDiffersFromItsFile() {
        f->ImportExample();
        QCOMPARE(f->Caption(), QStringLiteral("unnamed.prj* - Quillmark"));
        const std::string project = f->TempFile("marked.prj");
        SaveAs(project);
        QCOMPARE(f->Caption(), PathToQt(project) + QStringLiteral(" - Quillmark"));
        f->platform.ExpectMessage("Index really delete?", "Delete index", MsgIcon::Exclamation,
                                  MsgResult::Yes);
        f->Select(f->IndexNode(0x1000));
        f->Trigger(Cmd::Delete);
        QCOMPARE(f->Caption(), PathToQt(project) + QStringLiteral("* - Quillmark"));
        f->Trigger(Cmd::Undo);
        QCOMPARE(f->Caption(), PathToQt(project) + QStringLiteral(" - Quillmark"));
    }

    void recentFilesOpenAgainAfterTheSaveQuestion() {
        auto* projects = f->frame->findChild<QMenu*>(QStringLiteral("menuRecentProjects"));
        auto* edsFiles = f->frame->findChild<QMenu*>(QStringLiteral("menuRecentEdsFiles"));
        QVERIFY(projects != nullptr && edsFiles != nullptr);
        QVERIFY(!projects->isEnabled() && !edsFiles->isEnabled());
        f->ImportExample();
        const std::string project = f->TempFile("recent.prj");
        SaveAs(project);
        QCOMPARE(projects->actions().size(), 1);
        QCOMPARE(projects->actions().at(0)->text(), QStringLiteral("&1 ") + PathToQt(project));
        QCOMPARE(edsFiles->actions().at(0)->text(),
                 QStringLiteral("&1 ") + PathToQt(GuiFixture::ExamplePath()));

        // Each asks the question of its command, Import or Open, first.
        f->document->SetModifiedFlag(true);
        f->platform.ExpectMessage("Save current project?", "Quillmark", MsgIcon::Information, MsgResult::No);
        f->platform.ExpectMessage("The file " + GuiFixture::ExamplePath() + " was successfully readed!",
                                  "Read EDS file", MsgIcon::Information);
        edsFiles->actions().at(0)->trigger();
        QCOMPARE(f->Caption(), QStringLiteral("unnamed.prj* - Quillmark"));
        QCOMPARE(f->DictionaryLabels().size(), 30);
        f->platform.ExpectMessage("Save current project?\n", "Quillmark", MsgIcon::Information,
                                  MsgResult::No);
        projects->actions().at(0)->trigger();
        QCOMPARE(f->Caption(), PathToQt(project) + QStringLiteral(" - Quillmark"));

        // Eight of each are kept, the newest first.
        for (int i = 0; i < 9; ++i) {
            SaveAs(f->TempFile(qPrintable(QStringLiteral("recent%1.prj").arg(i))));
        }
        QCOMPARE(projects->actions().size(), 8);
        QCOMPARE(projects->actions().at(0)->text(),
                 QStringLiteral("&1 ") + PathToQt(f->TempFile("recent8.prj")));

        // A file that is gone leaves the list with a message.
        QVERIFY(QFile::remove(PathToQt(f->TempFile("recent7.prj"))));
        f->platform.ExpectMessage("The file " + f->TempFile("recent7.prj") +
                                      " no longer exists. It is removed from the list of recent files.",
                                  "Quillmark", MsgIcon::Exclamation);
        projects->actions().at(1)->trigger();
        QCOMPARE(projects->actions().size(), 7);
        QCOMPARE(f->Caption(), PathToQt(f->TempFile("recent8.prj")) + QStringLiteral(" - Quillmark"));
    }

    void saveQuestionCancelKeepsEverything() {
        f->ImportExample();
        f->platform.ExpectMessage("Save current project?\n", "Quillmark", MsgIcon::Information,
                                  MsgResult::Cancel);
        f->Trigger(Cmd::New);
        QCOMPARE(f->Label(f->Tree().RootItem()), QStringLiteral("io_device.eds"));
        QVERIFY(f->document->IsModified());
        QVERIFY(f->Enabled(Cmd::SaveAs));
    }

    void saveQuestionNoDiscards() {
        f->ImportExample();
        f->platform.ExpectMessage("Save current project?\n", "Quillmark", MsgIcon::Information,
                                  MsgResult::No);
        f->Trigger(Cmd::New);
        QCOMPARE(f->Label(f->Tree().RootItem()), QStringLiteral("unnamed.eds"));
        QCOMPARE(f->document->GetIndexCount(), 0);
        QVERIFY(!f->Enabled(Cmd::SaveAs));
    }

    void saveQuestionYesSavesFirst() {
        f->ImportExample();
        const std::string project = f->TempFile("kept.prj");
        f->platform.ExpectMessage("Save current project?", "Quillmark", MsgIcon::Information, MsgResult::Yes);
        f->platform.QueueChosenFile(project);
        f->platform.QueueChosenFile(std::nullopt);
        f->Trigger(Cmd::ImportEds);
        QVERIFY(FileExists(project));
        QVERIFY(!f->document->IsModified());
        // The import chooser was cancelled: the saved project is still shown.
        QCOMPARE(f->Label(f->Tree().RootItem()), QStringLiteral("io_device.eds"));
    }

    // Every answer to a save question that leaves the work unsaved, and every chooser cancelled or file
    // refused after it, ends the command with the editor exactly as it was.
    void unsavedWorkStopsTheCommand_data() {
        QTest::addColumn<int>("command");
        QTest::addColumn<int>("answer");
        QTest::addColumn<QString>("chooser");
        const int yes = static_cast<int>(MsgResult::Yes);
        const int no = static_cast<int>(MsgResult::No);
        const int cancel = static_cast<int>(MsgResult::Cancel);
        QTest::newRow("exit, yes, chooser cancelled") << int{Cmd::Exit} << yes << "cancel";
        QTest::newRow("exit, yes, save fails") << int{Cmd::Exit} << yes << "unwritable";
        QTest::newRow("close box, yes, chooser cancelled") << CloseBox << yes << "cancel";
        QTest::newRow("new, yes, save fails") << int{Cmd::New} << yes << "unwritable";
        QTest::newRow("open, yes, chooser cancelled") << int{Cmd::Open} << yes << "cancel";
        QTest::newRow("open, no, chooser cancelled") << int{Cmd::Open} << no << "cancel";
        QTest::newRow("import, yes, chooser cancelled") << int{Cmd::ImportEds} << yes << "cancel";
        QTest::newRow("import, cancel") << int{Cmd::ImportEds} << cancel << "";
        QTest::newRow("import, no, file refused") << int{Cmd::ImportEds} << no << "refused";
        QTest::newRow("dropped file, yes, save fails") << DroppedFile << yes << "unwritable";
    }

    void unsavedWorkStopsTheCommand() {
        QFETCH(int, command);
        QFETCH(int, answer);
        QFETCH(QString, chooser);
        f->ImportExample();
        f->Select(f->IndexNode(0x1018));
        const QString before = f->EditorState();

        // Exit and the close box ask through the document, the other commands through the tree pane.
        const bool closing = command == Cmd::Exit || command == CloseBox;
        const bool withLineFeed = command == Cmd::New || command == Cmd::Open;
        f->platform.ExpectMessage(withLineFeed ? "Save current project?\n" : "Save current project?",
                                  "Quillmark", closing ? MsgIcon::Question : MsgIcon::Information,
                                  static_cast<MsgResult>(answer));
        if (chooser == QStringLiteral("cancel")) {
            f->platform.QueueChosenFile(std::nullopt);
        } else if (chooser == QStringLiteral("unwritable")) {
            // The write's own report names the system's reason, so only the last box is checked.
            f->platform.QueueChosenFile(f->TempFile("no/such/folder/p.prj"));
            f->platform.AllowUnexpectedMessages();
        } else if (chooser == QStringLiteral("refused")) {
            const std::string refused = f->TempFile("refused.eds");
            WriteFile(refused, "[FileInfo]\r\nFileName=refused.eds\r\n");
            f->platform.QueueChosenFile(refused);
            f->platform.ExpectMessage("The selected file " + refused + " is invalid!", "Read EDS file",
                                      MsgIcon::Error);
            f->ExpectLenientQuestion(refused, MsgResult::No);
        }

        if (command == CloseBox) {
            QVERIFY(!f->frame->close());
        } else if (command == DroppedFile) {
            f->Tree().OpenFileDirectly(GuiFixture::ExamplePath(), true);
        } else {
            f->Trigger(command);
        }

        if (chooser == QStringLiteral("unwritable")) {
            const RecordedMessage& last = f->platform.Messages().back();
            QCOMPARE(last.text, std::string(closing ? "An error ocurred while saving the project unnamed.prj!"
                                                    : "An error ocurred while saving the project !"));
            QCOMPARE(last.caption, std::string(closing ? "Quillmark" : "Save project"));
            QCOMPARE(f->platform.Messages().size(), std::size_t{4});
        }
        QCOMPARE(f->EditorState(), before);
        QVERIFY(f->Enabled(Cmd::SaveAs) && f->Enabled(Cmd::CreateSources) && f->Enabled(Cmd::CreateEds));
    }

    void partialImportIsShownWhereItStopped() {
        // The last mandatory index names a section the file lacks.
        QFile example(PathToQt(GuiFixture::ExamplePath()));
        QVERIFY(example.open(QIODevice::ReadOnly));
        const std::string partial = f->TempFile("partial.eds");
        WriteFile(partial, example.readAll().replace("3=0x1018", "3=0x1019"));
        f->platform.QueueChosenFile(partial);
        f->platform.AllowUnexpectedMessages();
        f->Trigger(Cmd::ImportEds);
        QCOMPARE(f->Label(f->Tree().RootItem()), QStringLiteral("partial.eds"));
        QCOMPARE(f->Tree().currentItem(), f->IndexNode(0x1000));
        QVERIFY(f->IndexNode(0x1018) == nullptr);
        // What the tree shows can be kept.
        QVERIFY(f->Enabled(Cmd::SaveAs));
    }

    void createSourcesAddsTheMissingMappingIndex() {
        f->ImportExample();
        QVERIFY(f->IndexNode(0x1A02) == nullptr);
        const std::string source = f->TempFile("node.c");
        const std::string folder = source.substr(0, source.size() - 6);
        f->platform.QueueChosenFile(source);
        f->platform.ExpectMessage(
            "To the index 0x1802 of the PDO communication parameter\nis no index 0x1A02 of the PDO mapping "
            "parameter available!\nThe index 0x1A02 will be created with default parameter\nand applayed in "
            "the "
            "object dictionary file!\n",
            "Quillmark", MsgIcon::Information);
        f->platform.ExpectMessage("The files " + source + "\n              " + folder +
                                      "objdict.h\n              " + folder +
                                      "obdcfg.h\nare successfully created!",
                                  "Create file", MsgIcon::Information);
        f->Trigger(Cmd::CreateSources);
        const FileChooserRequest& request = f->platform.ChooserRequests().back();
        QVERIFY(!request.open);
        QCOMPARE(request.filter, std::string("Source Files (*.c) |*.c||"));
        QCOMPARE(request.initialFileName, std::string("objdict.c"));
        QVERIFY(FileExists(source));
        QVERIFY(FileExists(folder + "objdict.h"));
        QVERIFY(FileExists(folder + "obdcfg.h"));
        QVERIFY(f->IndexNode(0x1A02) != nullptr);
        QCOMPARE(f->DictionaryLabels().size(), 31);
        QCOMPARE(f->Tree().currentItem(), f->IndexNode(0x1000));

        // A second run adds nothing, so the tree stays as it is.
        f->Select(f->IndexNode(0x1018));
        f->platform.QueueChosenFile(source);
        f->platform.ExpectMessage("The files " + source + "\n              " + folder +
                                      "objdict.h\n              " + folder +
                                      "obdcfg.h\nare successfully created!",
                                  "Create file", MsgIcon::Information);
        f->Trigger(Cmd::CreateSources);
        QCOMPARE(f->Tree().currentItem(), f->IndexNode(0x1018));
    }

    void createEdsWritesTheFileWithTheWaitCursor() {
        f->ImportExample();
        const std::string eds = f->TempFile("out.eds");
        f->platform.QueueChosenFile(eds);
        f->platform.ExpectMessage("The file " + eds + " was successfully created!", "Create EDS file",
                                  MsgIcon::Information);
        f->Trigger(Cmd::CreateEds);
        const FileChooserRequest& request = f->platform.ChooserRequests().back();
        QCOMPARE(request.filter, std::string("EDS Files (*.eds)|*.eds||"));
        QCOMPARE(request.defaultExtension, std::string("eds"));
        QVERIFY(FileExists(eds));
        QCOMPARE(f->platform.WaitCursorUses(), 2);
        QCOMPARE(f->platform.WaitCursorDepth(), 0);

        // The written file imports again with the same dictionary.
        const QStringList before = f->DictionaryLabels();
        f->platform.ExpectMessage("Save current project?", "Quillmark", MsgIcon::Information, MsgResult::No);
        f->platform.QueueChosenFile(eds);
        f->platform.ExpectMessage("The file " + eds + " was successfully readed!", "Read EDS file",
                                  MsgIcon::Information);
        f->Trigger(Cmd::ImportEds);
        QCOMPARE(f->DictionaryLabels(), before);
        QCOMPARE(f->Label(f->Tree().RootItem()), QStringLiteral("out.eds"));
    }

    // The chooser's type decides the format; a name with another extension gets the page.
    void createDocumentationWritesTheChosenFormat_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QByteArray>("start");
        QTest::newRow("html") << "io.html" << QByteArray("<!DOCTYPE html>\n");
        QTest::newRow("markdown") << "io.md" << QByteArray("# IOM-8822 I/O Module\n");
        QTest::newRow("other") << "io.txt" << QByteArray("<!DOCTYPE html>\n");
    }

    void createDocumentationWritesTheChosenFormat() {
        QFETCH(QString, name);
        QFETCH(QByteArray, start);
        QVERIFY(!f->Enabled(Cmd::CreateDocumentation));
        f->ImportExample();
        QVERIFY(f->Enabled(Cmd::CreateDocumentation));
        QVERIFY(f->frame->findChild<QMenu*>(QStringLiteral("menuCreate"))
                    ->actions()
                    .contains(f->frame->Action(Cmd::CreateDocumentation)));
        const std::string path = f->TempFile(name.toStdString().c_str());
        f->platform.QueueChosenFile(path);
        f->platform.ExpectMessage("The file " + path + " was successfully created!", "Create documentation",
                                  MsgIcon::Information);
        f->Trigger(Cmd::CreateDocumentation);
        const FileChooserRequest& request = f->platform.ChooserRequests().back();
        QCOMPARE(request.filter, std::string("HTML Files (*.html)|*.html|Markdown Files (*.md)|*.md||"));
        QCOMPARE(request.initialFileName, std::string("io_device.html"));
        QFile written(PathToQt(path));
        QVERIFY(written.open(QIODevice::ReadOnly));
        const QByteArray bytes = written.readAll();
        QVERIFY(bytes.startsWith(start));
        QVERIFY(bytes.contains(
            "io_device.eds:493: warning: 0x1802: the transmit PDO has no mapping index 0x1A02"));
        QCOMPARE(f->platform.WaitCursorDepth(), 0);
    }

    void fileGivenOnTheCommandLineOpensWithoutAChooser() {
        f->platform.ExpectMessage("The file " + GuiFixture::ExamplePath() + " was successfully readed!",
                                  "Read EDS file", MsgIcon::Information);
        f->Tree().OpenFileDirectly(GuiFixture::ExamplePath(), false);
        QCOMPARE(f->Label(f->Tree().RootItem()), QStringLiteral("io_device.eds"));
        QVERIFY(f->platform.ChooserRequests().empty());

        const std::string project = f->TempFile("cmdprj.prj");
        SaveAs(project);
        f->Trigger(Cmd::New);
        f->Tree().OpenFileDirectly(project, false);
        QCOMPARE(f->Label(f->Tree().RootItem()), QStringLiteral("cmdeds.eds"));
        QCOMPARE(f->DictionaryLabels().size(), 30);
    }

    void droppedFileAsksToSaveFirst() {
        f->ImportExample();
        f->platform.ExpectMessage("Save current project?\n", "Quillmark", MsgIcon::Information,
                                  MsgResult::Cancel);
        const std::string project = f->TempFile("dropped.prj");
        QMimeData data;
        data.setUrls({QUrl::fromLocalFile(PathToQt(project))});
        // Qt delivers a drop only to the widget that accepted the drag entering it.
        QDragEnterEvent enter(QPoint(10, 10), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(f->frame.get(), &enter);
        QVERIFY(enter.isAccepted());
        QDropEvent drop(QPointF(10, 10), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(f->frame.get(), &drop);
        QCOMPARE(f->Label(f->Tree().RootItem()), QStringLiteral("io_device.eds"));

        const std::string copy = f->TempFile("copy.eds");
        QVERIFY(QFile::copy(PathToQt(GuiFixture::ExamplePath()), PathToQt(copy)));
        f->platform.ExpectMessage("Save current project?", "Quillmark", MsgIcon::Information, MsgResult::No);
        f->platform.ExpectMessage("The file " + copy + " was successfully readed!", "Read EDS file",
                                  MsgIcon::Information);
        data.setUrls({QUrl::fromLocalFile(PathToQt(copy))});
        QDragEnterEvent again(QPoint(10, 10), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(f->frame.get(), &again);
        QDropEvent dropEds(QPointF(10, 10), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(f->frame.get(), &dropEds);
        QCOMPARE(f->Label(f->Tree().RootItem()), QStringLiteral("copy.eds"));
        QVERIFY(f->platform.ChooserRequests().size() == 1);

        // A dropped XDD is read by its content, as one chosen with Import > XDD/XDC File.
        std::string xdd = GuiFixture::ExamplePath();
        xdd.replace(xdd.size() - 3, 3, "xdd");
        f->platform.ExpectMessage("Save current project?", "Quillmark", MsgIcon::Information, MsgResult::No);
        f->platform.ExpectMessage("The file " + xdd + " was successfully readed!", "Read EDS file",
                                  MsgIcon::Information);
        const QStringList fromEds = f->DictionaryLabels();
        data.setUrls({QUrl::fromLocalFile(PathToQt(xdd))});
        QDragEnterEvent third(QPoint(10, 10), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(f->frame.get(), &third);
        QDropEvent dropXdd(QPointF(10, 10), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(f->frame.get(), &dropXdd);
        QCOMPARE(f->Label(f->Tree().RootItem()), QStringLiteral("io_device.xdd"));
        QCOMPARE(f->DictionaryLabels(), fromEds);
    }
};

QTEST_MAIN(FileCommandsTest)
#include "FileCommandsTest.moc"
