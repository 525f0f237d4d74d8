#pragma once

#include <QPointer>
#include <QWidget>
#include <memory>

#include "platform/IndexDialog.h"
#include "ui/app/QtText.h"

class Platform;

// Creates the editor's modal dialogs for the document. The dialogs belong to the main window and
// show their own messages through the platform, so tests see every box they raise.
class QtDialogFactory : public DialogFactory {
public:
    QtDialogFactory(Platform& platform, const QtText& qtText, QWidget* parent)
        : m_platform(platform), m_qtText(qtText), m_parent(parent) {}

    std::unique_ptr<IndexDialog> CreateIndexDialog() override;
    std::unique_ptr<FileInfoDialog> CreateFileInfoDialog() override;
    std::unique_ptr<DeviceInfoDialog> CreateDeviceInfoDialog() override;
    std::unique_ptr<DummyUsageDialog> CreateDummyUsageDialog() override;
    std::unique_ptr<CommentsDialog> CreateCommentsDialog() override;

private:
    Platform& m_platform;
    QtText m_qtText;
    QPointer<QWidget> m_parent;
};
