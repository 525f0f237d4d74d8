#include <QAction>
#include <QFile>
#include <QImage>
#include <QRegularExpression>
#include <QTreeWidget>
#include <QtTest>

#include "GuiFixture.h"
#include "ui/app/CCheckPanel.h"
#include "ui/app/QtText.h"
#include "ui/right_pane/CRightPaneView.h"

namespace {

// The panel's rows, each as "severity|location|line|text".
QStringList Rows(const QTreeWidget& findings) {
    QStringList rows;
    for (int i = 0; i < findings.topLevelItemCount(); ++i) {
        const QTreeWidgetItem* row = findings.topLevelItem(i);
        rows << QStringList{row->text(0), row->text(1), row->text(2), row->text(3)}.join(QLatin1Char('|'));
    }
    return rows;
}

}  // namespace

// Check Dictionary on a project with a known fault: the panel lists it, a double click leads to its
// node, the panel follows every edit and closes with Escape.
class CheckDictionaryTest : public QObject {
    Q_OBJECT

private slots:
    void panelJoinsTheKeyboardCycleAndKeepsTheSelectionInView();
    // An imported file's findings name their lines; one about an entry the import left out leads to its
    // index.
    void importedFindingsShowTheirLinesAndLeadToTheIndex() {
        auto f = std::make_unique<GuiFixture>();
        const std::string path = f->TempFile("flags.eds");
        QFile file(PathToQt(path));
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(
            "[FileInfo]\r\nFileName=flags.eds\r\n[DeviceInfo]\r\nVendorName=V\r\n[DummyUsage]\r\n"
            "Dummy0001=0\r\n[MandatoryObjects]\r\nSupportedObjects=1\r\n1=0x1000\r\n[1000]\r\n"
            "ParameterName=Device Type\r\nDataType=0x0007\r\n[ManufacturerObjects]\r\nSupportedObjects=1\r\n"
            "1=0x2000\r\n[2000]\r\nSubNumber=2\r\nParameterName=R\r\nObjectType=0x9\r\n[2000sub0]\r\n"
            "ParameterName=N\r\nDataType=0x0005\r\nDefaultValue=1\r\n[2000sub1]\r\nParameterName=Flag\r\n"
            "DataType=0x0001\r\n[OptionalObjects]\r\nSupportedObjects=0\r\n");
        file.close();
        f->platform.AllowUnexpectedMessages();
        f->platform.QueueChosenFile(path);
        f->Trigger(Cmd::ImportEds);
        f->Trigger(Cmd::CheckDictionary);
        QTreeWidget& findings = *f->frame->CheckPanel()->List();
        const QStringList rows = Rows(findings);
        QVERIFY2(rows.contains(QStringLiteral(
                     "Warning|0x2000sub1|24|the import leaves this entry out: BOOLEAN not supported "
                     "[unsupported-data-type]")),
                 qPrintable(rows.join(QLatin1Char('\n'))));
        const int row =
            static_cast<int>(rows.indexOf(QRegularExpression(QStringLiteral(".*unsupported-data-type.*"))));
        emit findings.itemActivated(findings.topLevelItem(row), 0);
        QCOMPARE(f->Tree().currentItem(), f->IndexNode(0x2000));
    }
    void findingLeadsToItsNodeAndFollowsEdits() {
        auto f = std::make_unique<GuiFixture>();
        QTreeWidget& findings = *f->frame->CheckPanel()->List();
        // A project whose first transmit PDO maps the 8-bit input with 16 bits.
        f->ImportExample();
        f->document->FindEntry(0x1A00, 1)->defaultValue = "0x60000110";
        const std::string project = f->TempFile("faulty.prj");
        QCOMPARE(f->document->SaveProjectFile(project), ProjectFileResult::Done);
        f->Trigger(Cmd::New);
        QVERIFY(!f->Enabled(Cmd::CheckDictionary));
        f->platform.QueueChosenFile(project);
        f->Trigger(Cmd::Open);

        QCOMPARE(f->frame->Action(Cmd::CheckDictionary)->shortcut(), QKeySequence(Qt::Key_F7));
        QVERIFY(f->frame->CheckPanel()->isHidden());
        f->Trigger(Cmd::CheckDictionary);
        QVERIFY(!f->frame->CheckPanel()->isHidden());
        // A project has no lines of a file.
        const QStringList found{
            "Warning|0x1802||the transmit PDO has no mapping index 0x1A02; the generator adds one that maps "
            "nothing [pdo-pairing]",
            "Error|0x1A00sub1||maps 0x6000sub1 with 16 bits, but UINT8 has 8 [pdo-mapping-target]"};
        QCOMPARE(Rows(findings), found);
        QCOMPARE(f->frame->CheckPanel()->windowTitle(),
                 QStringLiteral("Check Dictionary: 1 error, 1 warning"));
        if (const QString folder = qEnvironmentVariable("QM_SCREENSHOT_DIR"); !folder.isEmpty()) {
            QVERIFY(f->frame->grab().save(folder + QStringLiteral("/check-panel.png")));
        }

        QTreeWidgetItem* error = findings.topLevelItem(1);
        // A real double click starts with a click.
        const QPoint at = findings.visualItemRect(error).center();
        QTest::mouseClick(findings.viewport(), Qt::LeftButton, {}, at);
        QTest::mouseDClick(findings.viewport(), Qt::LeftButton, {}, at);
        QCOMPARE(f->Tree().currentItem(), f->SubindexNode(0x1A00, 1));
        QCOMPARE(f->Field("fieldIndexNumber"), QStringLiteral("0x1A00"));

        // Deleting the faulty entry runs the check again: now subindex 0 announces one entry too many.
        f->platform.ExpectMessage("Subindex really delete?", "Delete subindex", MsgIcon::Exclamation,
                                  MsgResult::Yes);
        f->Trigger(Cmd::Delete);
        QCOMPARE(Rows(findings).last(),
                 QStringLiteral("Error|0x1A00sub0||announces 1 mapped object, but subindex 1 does "
                                "not exist [pdo-mapping-count]"));

        f->frame->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(f->frame.get()));
        findings.setFocus();
        QTest::keyClick(&findings, Qt::Key_Escape);
        QVERIFY(f->frame->CheckPanel()->isHidden());

        f->frame->CheckPanel()->ShowFindings({});
        QCOMPARE(Rows(findings), QStringList{"No problems found.|||"});
        QCOMPARE(f->frame->CheckPanel()->windowTitle(),
                 QStringLiteral("Check Dictionary: 0 errors, 0 warnings"));
        QVERIFY2(f->platform.Problems().isEmpty(),
                 qPrintable(f->platform.Problems().join(QLatin1Char('\n'))));
    }
};

// F6 and Shift+F6 walk the tree, the details and the open panel, each showing the focus; the panel
// opening below keeps the selected node in view.
void CheckDictionaryTest::panelJoinsTheKeyboardCycleAndKeepsTheSelectionInView() {
    auto f = std::make_unique<GuiFixture>();
    f->ImportExample();
    f->frame->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(f->frame.get()));
    QTreeWidgetItem* dictionary = f->Tree().DictionaryItem();
    QVERIFY(dictionary != nullptr);
    QTreeWidgetItem* last = dictionary->child(dictionary->childCount() - 1);
    QVERIFY(last != nullptr);
    f->Select(last);
    f->Tree().scrollToItem(last);
    f->Trigger(Cmd::CheckDictionary);
    QTreeWidget* findings = f->frame->CheckPanel()->List();
    const auto inView = [&] {
        const QRect row = f->Tree().visualItemRect(last);
        return row.top() >= 0 && row.bottom() < f->Tree().viewport()->height();
    };
    QTRY_VERIFY(inView());
    QCOMPARE(QApplication::focusWidget(), findings);

    const auto pane = [&] {
        QWidget* focus = QApplication::focusWidget();
        return focus == &f->Tree()                          ? QStringLiteral("tree")
               : focus == findings                          ? QStringLiteral("check")
               : f->frame->RightPane()->isAncestorOf(focus) ? QStringLiteral("details")
                                                            : QStringLiteral("elsewhere");
    };
    QStringList walk;
    for (const Qt::KeyboardModifier modifier :
         {Qt::NoModifier, Qt::NoModifier, Qt::NoModifier, Qt::ShiftModifier, Qt::ShiftModifier}) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_F6, modifier);
        walk << pane();
    }
    QCOMPARE(walk, (QStringList{"tree", "details", "check", "details", "tree"}));

    // The panel shows where the keyboard is with the same frame as the tree.
    findings->setFocus();
    const QImage shown = findings->grab().toImage();
    QCOMPARE(shown.pixelColor(1, findings->height() / 2), findings->palette().color(QPalette::Highlight));
    QVERIFY2(f->platform.Problems().isEmpty(), qPrintable(f->platform.Problems().join(QLatin1Char('\n'))));
}

QTEST_MAIN(CheckDictionaryTest)
#include "CheckDictionaryTest.moc"
