#include "ui/dialogs/QtDialogFactory.h"

#include "ui/dialogs/CCommentsDlg.h"
#include "ui/dialogs/CDeviceInfoDlg.h"
#include "ui/dialogs/CDummyUsageDlg.h"
#include "ui/dialogs/CFileInfoDlg.h"

std::unique_ptr<IndexDialog> QtDialogFactory::CreateIndexDialog() {
    // The index dialog is not built yet; the document treats a missing dialog as cancelled.
    return nullptr;
}

std::unique_ptr<FileInfoDialog> QtDialogFactory::CreateFileInfoDialog() {
    return std::make_unique<CFileInfoDlg>(m_platform, m_parent);
}

std::unique_ptr<DeviceInfoDialog> QtDialogFactory::CreateDeviceInfoDialog() {
    return std::make_unique<CDeviceInfoDlg>(m_platform, m_parent);
}

std::unique_ptr<DummyUsageDialog> QtDialogFactory::CreateDummyUsageDialog() {
    return std::make_unique<CDummyUsageDlg>(m_platform, m_parent);
}

std::unique_ptr<CommentsDialog> QtDialogFactory::CreateCommentsDialog() {
    return std::make_unique<CCommentsDlg>(m_platform, m_parent);
}
