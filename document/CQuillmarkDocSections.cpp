#include "document/CQuillmarkDoc.h"

// The dialog edits its own copy of the record; the record changes only when the user confirms.
template <class Record>
int CQuillmarkDoc::EditSection(std::unique_ptr<SectionDialog<Record>> dialog, Record& record) {
    if (!dialog) {
        return 0;
    }
    dialog->Load(record);
    if (dialog->Run()) {
        dialog->Store(record);
        SetModifiedFlag(true);
    }
    return 1;
}

int CQuillmarkDoc::EditDeviceInfo() {
    return EditSection(m_pDialogs ? m_pDialogs->CreateDeviceInfoDialog() : nullptr, *m_pDeviceInfo);
}

int CQuillmarkDoc::EditFileInfo() {
    return EditSection(m_pDialogs ? m_pDialogs->CreateFileInfoDialog() : nullptr, *m_pFileInfo);
}

int CQuillmarkDoc::EditDummyUsage() {
    return EditSection(m_pDialogs ? m_pDialogs->CreateDummyUsageDialog() : nullptr,
                       m_pDeviceInfo->DummyUsage);
}

int CQuillmarkDoc::EditComments() {
    return EditSection(m_pDialogs ? m_pDialogs->CreateCommentsDialog() : nullptr,
                       m_pDictionary->CommentLines());
}
