#include "ui/dialogs/QtDialogFactory.h"

#include "ui/dialogs/CIndexDlg.h"

std::unique_ptr<IndexDialog> QtDialogFactory::CreateIndexDialog() {
    return std::make_unique<CIndexDlg>(m_platform, m_parent.data());
}
