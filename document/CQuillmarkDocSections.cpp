#include <algorithm>

#include "document/CQuillmarkDoc.h"

namespace {

template <class Record>
bool SameSection(const Record& edited, const Record& stored) {
    return edited == stored;
}

// The dialog numbers the lines from 0, the import by their keys; only the texts are the content.
bool SameSection(const std::vector<CommentLine>& edited, const std::vector<CommentLine>& stored) {
    return std::equal(edited.begin(), edited.end(), stored.begin(), stored.end(),
                      [](const CommentLine& a, const CommentLine& b) { return a.text == b.text; });
}

}  // namespace

// The dialog edits its own copy of the record; the record changes only when the user confirms.
template <class Record>
int CQuillmarkDoc::EditSection(std::unique_ptr<SectionDialog<Record>> dialog, Record& record,
                               StepTarget::Kind section, const char* label) {
    if (!dialog) {
        return 0;
    }
    dialog->Load(record);
    if (!dialog->Run()) {
        return 1;
    }
    Record edited = record;
    dialog->Store(edited);
    // OK on what was not changed is no change: no step, and the modified mark stays as it was.
    if (SameSection(edited, record)) {
        return 1;
    }
    const StepTarget target{section, 0, 0};
    RecordStep(label, target, target);
    record = std::move(edited);
    SetModifiedFlag(true);
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
