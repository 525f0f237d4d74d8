#include "ui/dialogs/QtDialogFactory.h"

#include "ui/dialogs/CCommentsDlg.h"
#include "ui/dialogs/CDeviceInfoDlg.h"
#include "ui/dialogs/CDummyUsageDlg.h"
#include "ui/dialogs/CFileInfoDlg.h"
#include "ui/dialogs/CIndexDlg.h"

std::unique_ptr<IndexDialog> QtDialogFactory::CreateIndexDialog() {
    return std::make_unique<CIndexDlg>(m_platform, m_qtText, m_parent.data());
}

std::unique_ptr<FileInfoDialog> QtDialogFactory::CreateFileInfoDialog() {
    return std::make_unique<CFileInfoDlg>(m_platform, m_qtText, m_parent);
}

std::unique_ptr<DeviceInfoDialog> QtDialogFactory::CreateDeviceInfoDialog() {
    return std::make_unique<CDeviceInfoDlg>(m_platform, m_qtText, m_parent);
}

std::unique_ptr<DummyUsageDialog> QtDialogFactory::CreateDummyUsageDialog() {
    return std::make_unique<CDummyUsageDlg>(m_platform, m_qtText, m_parent);
}

std::unique_ptr<CommentsDialog> QtDialogFactory::CreateCommentsDialog() {
    return std::make_unique<CCommentsDlg>(m_platform, m_qtText, m_parent);
}
