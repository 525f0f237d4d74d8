#include "document/CQuillmarkDoc.h"

// The dialog edits its own copy of the record; the record changes only when the user confirms.
template <class Record>
int CQuillmarkDoc::EditSection(std::unique_ptr<SectionDialog<Record>> dialog, Record& record,
                               StepTarget::Kind section, const char* label) {
    if (!dialog) {
        return 0;
    }
    dialog->Load(record);
    if (dialog->Run()) {
        const StepTarget target{section, 0, 0};
        RecordStep(label, target, target);
        dialog->Store(record);
        SetModifiedFlag(true);
    }
    return 1;
}

int CQuillmarkDoc::EditDeviceInfo() {
    return EditSection(m_pDialogs ? m_pDialogs->CreateDeviceInfoDialog() : nullptr, *m_pDeviceInfo,
                       StepTarget::Kind::DeviceInfo, "Edit DeviceInfo");
}

int CQuillmarkDoc::EditFileInfo() {
    return EditSection(m_pDialogs ? m_pDialogs->CreateFileInfoDialog() : nullptr, *m_pFileInfo,
                       StepTarget::Kind::FileInfo, "Edit FileInfo");
}

int CQuillmarkDoc::EditDummyUsage() {
    return EditSection(m_pDialogs ? m_pDialogs->CreateDummyUsageDialog() : nullptr, m_pDeviceInfo->DummyUsage,
                       StepTarget::Kind::DummyUsage, "Edit DummyUsage");
}

int CQuillmarkDoc::EditComments() {
    return EditSection(m_pDialogs ? m_pDialogs->CreateCommentsDialog() : nullptr,
                       m_pDictionary->CommentLines(), StepTarget::Kind::Comments, "Edit Comments");
}
