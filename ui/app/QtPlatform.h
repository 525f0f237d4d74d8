#pragma once

#include <QPointer>
#include <QWidget>

#include "platform/FileSystem.h"
#include "platform/Platform.h"
#include "ui/app/QtText.h"

// The platform services of the desktop editor: Qt message boxes and file choosers, the local clock,
// the wait cursor and the disk.
class QtPlatform : public Platform {
public:
    // The window that owns message boxes asked for with an owner, and the file choosers.
    void SetMainWindow(QWidget* window) { m_mainWindow = window; }
    // Without a user (rendering a screenshot): message boxes are written to the error output and
    // answered with OK, No or Cancel; file choosers are cancelled.
    void SetUnattended(bool unattended) { m_unattended = unattended; }
    // Message boxes show their texts as the project's widgets do (the converter of its document).
    void SetQtText(const QtText& qtText) { m_qtText = qtText; }

    MsgResult MessageBox(const std::string& text, const std::string& caption, MsgButtons buttons,
                         MsgIcon icon, bool withOwner = false) override;
    std::optional<std::string> ChooseFile(const FileChooserRequest& request) override;
    LocalTime GetLocalTime() override;
    void BeginWaitCursor() override;
    void EndWaitCursor() override;
    void ReportFileError(FileOperation operation, const std::string& path,
                         const std::string& reason) override;
    FileSystem& Files() override { return m_disk; }

private:
    QPointer<QWidget> m_mainWindow;
    DiskFileSystem m_disk;
    QtText m_qtText;
    bool m_unattended = false;
    // The choosers start where the user last chose a file.
    QString m_lastDirectory;
};
