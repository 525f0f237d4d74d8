#include "ui/app/QtPlatform.h"

#include <QApplication>
#include <QDateTime>
#include <QFileDialog>
#include <QMessageBox>
#include <QRegularExpression>
#include <cstdio>

#include "ui/app/FileFilter.h"
#include "ui/app/QtText.h"
#include "ui/app/WindowCaption.h"

namespace {

QMessageBox::Icon ToQtIcon(MsgIcon icon) {
    switch (icon) {
        case MsgIcon::Information:
            return QMessageBox::Information;
        case MsgIcon::Exclamation:
            return QMessageBox::Warning;
        case MsgIcon::Error:
            return QMessageBox::Critical;
        case MsgIcon::Question:
            return QMessageBox::Question;
    }
    return QMessageBox::NoIcon;
}

QMessageBox::StandardButtons ToQtButtons(MsgButtons buttons) {
    switch (buttons) {
        case MsgButtons::Ok:
            return QMessageBox::Ok;
        case MsgButtons::YesNo:
            return QMessageBox::Yes | QMessageBox::No;
        case MsgButtons::YesNoCancel:
            return QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel;
    }
    return QMessageBox::Ok;
}

// A wildcard name such as "*.eds" only repeats the filter; the chooser then starts without a name.
bool IsWildcard(const std::string& name) {
    return name.find_first_of("*?") != std::string::npos;
}

}  // namespace

MsgResult QtPlatform::MessageBox(const std::string& text, const std::string& caption, MsgButtons buttons,
                                 MsgIcon icon, bool withOwner) {
    if (m_unattended) {
        std::fprintf(stderr, "%s: %s\n", caption.c_str(), text.c_str());
        return buttons == MsgButtons::Ok      ? MsgResult::Ok
               : buttons == MsgButtons::YesNo ? MsgResult::No
                                              : MsgResult::Cancel;
    }
    // An owned box belongs to the modal dialog that asked for it, or else to the main window.
    QWidget* owner = nullptr;
    if (withOwner) {
        owner = QApplication::activeModalWidget() != nullptr ? QApplication::activeModalWidget()
                                                             : m_mainWindow.data();
    }
    QMessageBox box(ToQtIcon(icon), m_qtText.ToQt(caption), m_qtText.ToQt(text), ToQtButtons(buttons), owner);
    // The text is shown exactly as given, never read as markup.
    box.setTextFormat(Qt::PlainText);
    // Escape answers No in a Yes/No box, which has no Cancel of its own.
    if (buttons == MsgButtons::YesNo) {
        box.setEscapeButton(QMessageBox::No);
    }
    switch (box.exec()) {
        case QMessageBox::Yes:
            return MsgResult::Yes;
        case QMessageBox::No:
            return MsgResult::No;
        case QMessageBox::Cancel:
            return MsgResult::Cancel;
        default:
            return buttons == MsgButtons::YesNoCancel ? MsgResult::Cancel : MsgResult::Ok;
    }
}

std::optional<std::string> QtPlatform::ChooseFile(const FileChooserRequest& request) {
    if (m_unattended) {
        return std::nullopt;
    }
    QFileDialog dialog(m_mainWindow.data());
    dialog.setAcceptMode(request.open ? QFileDialog::AcceptOpen : QFileDialog::AcceptSave);
    if (request.open) {
        dialog.setFileMode((request.options & FileMustExist) != 0 ? QFileDialog::ExistingFile
                                                                  : QFileDialog::AnyFile);
    } else {
        dialog.setFileMode(QFileDialog::AnyFile);
        dialog.setOption(QFileDialog::DontConfirmOverwrite, (request.options & OverwritePrompt) == 0);
    }
    dialog.setOption(QFileDialog::ReadOnly, false);
    dialog.setNameFilter(m_qtText.ToQt(ToQtFilter(request.filter)));
    dialog.setDefaultSuffix(m_qtText.ToQt(request.defaultExtension));
    if (!request.open) {
        // A name typed without extension gets the one of the chosen type, so the type decides the file.
        QObject::connect(&dialog, &QFileDialog::filterSelected, &dialog, [&dialog](const QString& filter) {
            const QRegularExpressionMatch pattern =
                QRegularExpression(QStringLiteral("\\*\\.(\\w+)")).match(filter);
            if (pattern.hasMatch()) {
                dialog.setDefaultSuffix(pattern.captured(1));
            }
        });
    }
    if (!request.initialFileName.empty() && !IsWildcard(request.initialFileName)) {
        dialog.selectFile(PathToQt(request.initialFileName));
    }
    if (!m_lastDirectory.isEmpty()) {
        dialog.setDirectory(m_lastDirectory);
    }
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) {
        return std::nullopt;
    }
    m_lastDirectory = dialog.directory().absolutePath();
    return PathFromQt(dialog.selectedFiles().constFirst());
}

LocalTime QtPlatform::GetLocalTime() {
    const QDateTime now = QDateTime::currentDateTime();
    const QDate date = now.date();
    const QTime time = now.time();
    return LocalTime{date.day(), date.month(), date.year(), time.hour(), time.minute(), time.second()};
}

void QtPlatform::BeginWaitCursor() {
    QApplication::setOverrideCursor(Qt::WaitCursor);
}

void QtPlatform::EndWaitCursor() {
    QApplication::restoreOverrideCursor();
}

void QtPlatform::ReportFileError(FileOperation operation, const std::string& path,
                                 const std::string& reason) {
    MessageBox(FileErrorText(operation, path, reason), ApplicationName, MsgButtons::Ok, MsgIcon::Exclamation,
               true);
}
