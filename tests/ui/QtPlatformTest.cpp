#include <QAbstractButton>
#include <QApplication>
#include <QComboBox>
#include <QFileDialog>
#include <QMessageBox>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTimer>
#include <QtTest>
#include <functional>

#include "ui/app/QtPlatform.h"
#include "ui/app/QtText.h"

namespace {

// Runs `inspect` on the modal dialog once it is open; it must close the dialog.
void WhenModalOpens(const std::function<void(QWidget*)>& inspect) {
    auto* timer = new QTimer;
    timer->setInterval(10);
    QObject::connect(timer, &QTimer::timeout, timer, [timer, inspect] {
        if (QWidget* modal = QApplication::activeModalWidget()) {
            timer->stop();
            timer->deleteLater();
            inspect(modal);
        }
    });
    timer->start();
}

}  // namespace

class QtPlatformTest : public QObject {
    Q_OBJECT

private slots:
    void messageBoxShowsTextCaptionIconAndButtonsAsGiven() {
        QtPlatform platform;
        QString text;
        QString caption;
        QMessageBox::Icon icon = QMessageBox::NoIcon;
        QMessageBox::StandardButtons buttons;
        WhenModalOpens([&](QWidget* modal) {
            auto* box = qobject_cast<QMessageBox*>(modal);
            QVERIFY(box != nullptr);
            text = box->text();
            caption = box->windowTitle();
            icon = box->icon();
            buttons = box->standardButtons();
            box->button(QMessageBox::No)->click();
        });
        // Windows-1252 bytes: a-umlaut, the euro sign and markup that must stay plain text.
        const MsgResult answer = platform.MessageBox("Save <b>Ger\xE4t</b> \x80?\n", "Quillmark",
                                                     MsgButtons::YesNoCancel, MsgIcon::Question);
        QCOMPARE(answer, MsgResult::No);
        QCOMPARE(text, QStringLiteral("Save <b>Ger\u00E4t</b> \u20AC?\n"));
        QCOMPARE(caption, QStringLiteral("Quillmark"));
        QCOMPARE(icon, QMessageBox::Question);
        QCOMPARE(buttons, QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel);
    }

    void errorBoxHasOnlyOk() {
        QtPlatform platform;
        QMessageBox::Icon icon = QMessageBox::NoIcon;
        QMessageBox::StandardButtons buttons;
        WhenModalOpens([&](QWidget* modal) {
            auto* box = qobject_cast<QMessageBox*>(modal);
            icon = box->icon();
            buttons = box->standardButtons();
            box->button(QMessageBox::Ok)->click();
        });
        QCOMPARE(platform.MessageBox("No memory available!", "Create file", MsgButtons::Ok, MsgIcon::Error),
                 MsgResult::Ok);
        QCOMPARE(icon, QMessageBox::Critical);
        QCOMPARE(buttons, QMessageBox::StandardButtons(QMessageBox::Ok));
    }

    void fileChooserUsesTheConvertedFilterAndExtension() {
        QtPlatform platform;
        QTemporaryDir folder;
        QStringList filters;
        QString suffix;
        bool saving = false;
        WhenModalOpens([&](QWidget* modal) {
            auto* dialog = qobject_cast<QFileDialog*>(modal);
            QVERIFY(dialog != nullptr);
            filters = dialog->nameFilters();
            suffix = dialog->defaultSuffix();
            saving = dialog->acceptMode() == QFileDialog::AcceptSave;
            dialog->setDirectory(folder.path());
            dialog->selectFile(QStringLiteral("node"));
            QMetaObject::invokeMethod(dialog, "accept", Qt::DirectConnection);
        });
        FileChooserRequest request;
        request.open = false;
        request.filter = "Source Files (*.c) |*.c||";
        request.defaultExtension = "c";
        request.initialFileName = "objdict.c";
        request.options = HideReadOnly | OverwritePrompt | PathMustExist;
        const std::optional<std::string> chosen = platform.ChooseFile(request);
        QVERIFY(saving);
        QCOMPARE(filters, QStringList{QStringLiteral("Source Files (*.c)")});
        QCOMPARE(suffix, QStringLiteral("c"));
        QVERIFY(chosen.has_value());
        QCOMPARE(PathToQt(*chosen), folder.filePath(QStringLiteral("node.c")));
    }

    // In a save chooser the type the user picks gives its extension to a name typed without one.
    void chosenTypeGivesItsExtension() {
        QtPlatform platform;
        QTemporaryDir folder;
        WhenModalOpens([&](QWidget* modal) {
            auto* dialog = qobject_cast<QFileDialog*>(modal);
            auto* types = dialog->findChild<QComboBox*>(QStringLiteral("fileTypeCombo"));
            QVERIFY(types != nullptr);
            types->setCurrentIndex(1);
            emit types->activated(1);
            emit types->textActivated(types->itemText(1));
            dialog->setDirectory(folder.path());
            dialog->selectFile(QStringLiteral("device"));
            QMetaObject::invokeMethod(dialog, "accept", Qt::DirectConnection);
        });
        FileChooserRequest request;
        request.open = false;
        request.filter = "HTML Files (*.html)|*.html|Markdown Files (*.md)|*.md||";
        request.defaultExtension = "html";
        const std::optional<std::string> chosen = platform.ChooseFile(request);
        QVERIFY(chosen.has_value());
        QCOMPARE(PathToQt(*chosen), folder.filePath(QStringLiteral("device.md")));
    }

    void cancelledChooserReturnsNothing() {
        QtPlatform platform;
        WhenModalOpens([](QWidget* modal) { qobject_cast<QDialog*>(modal)->reject(); });
        FileChooserRequest request;
        request.filter = "EDS Files (*.eds)| *.eds| DCF Files (*.dcf) | *.dcf||";
        QVERIFY(!platform.ChooseFile(request).has_value());
    }

    void waitCursorNests() {
        QtPlatform platform;
        {
            const WaitCursor outer(platform);
            const WaitCursor inner(platform);
            QCOMPARE(QApplication::overrideCursor()->shape(), Qt::WaitCursor);
        }
        QVERIFY(QApplication::overrideCursor() == nullptr);
    }

    void textConversionKeepsEveryByte() {
        std::string all;
        for (int byte = 1; byte < 256; ++byte) {
            all.push_back(static_cast<char>(byte));
        }
        // Without a document the converter reads Windows-1252.
        const QtText text;
        QCOMPARE(text.FromQt(text.ToQt(all)), all);
        QCOMPARE(text.ToQt("\x80\x9F\xE4"), QStringLiteral("\u20AC\u0178\u00E4"));
        QCOMPARE(text.FromQt(QStringLiteral("\u4E2D\u20AC")), std::string("?\x80"));
    }
};

QTEST_MAIN(QtPlatformTest)
#include "QtPlatformTest.moc"
