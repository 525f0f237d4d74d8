#include "document/CQuillmarkDoc.h"

#include <algorithm>
#include <new>

CQuillmarkDoc::CQuillmarkDoc(Platform& platform, DialogFactory* dialogs)
    : m_platform(platform), m_pDialogs(dialogs) {
    // Content exists from the start, so that every query is safe even before the first new document.
    ResetContent();
}

CQuillmarkDoc::~CQuillmarkDoc() = default;

void CQuillmarkDoc::AddView(DocumentView* view) {
    if (view != nullptr && std::find(m_views.begin(), m_views.end(), view) == m_views.end()) {
        m_views.push_back(view);
    }
}

void CQuillmarkDoc::RemoveView(DocumentView* view) {
    std::erase(m_views, view);
}

void CQuillmarkDoc::UpdateAllViews(std::uint32_t hint, const HintObject& object) {
    // A view may unregister itself while it handles the hint, so walk a snapshot.
    const std::vector<DocumentView*> views = m_views;
    for (DocumentView* view : views) {
        if (std::find(m_views.begin(), m_views.end(), view) != m_views.end()) {
            view->OnUpdate(hint, object);
        }
    }
}

void CQuillmarkDoc::NotifyStateChanged() {
    const std::vector<DocumentView*> views = m_views;
    for (DocumentView* view : views) {
        if (std::find(m_views.begin(), m_views.end(), view) != m_views.end()) {
            view->OnDocumentStateChanged();
        }
    }
}

void CQuillmarkDoc::NotifyContentChanged() {
    const std::vector<DocumentView*> views = m_views;
    for (DocumentView* view : views) {
        if (std::find(m_views.begin(), m_views.end(), view) != m_views.end()) {
            view->OnContentChanged();
        }
    }
}

void CQuillmarkDoc::SetModifiedFlag(bool modified) {
    if (m_bModified != modified) {
        m_bModified = modified;
        NotifyStateChanged();
    }
    // Every edit sets the flag, so this is where the views learn of each one.
    if (modified) {
        NotifyContentChanged();
    }
}

void CQuillmarkDoc::SetTitle(const std::string& title) {
    m_strTitle = title;
}

void CQuillmarkDoc::SetPathName(const std::string& path) {
    m_strPathName = path;
}

bool CQuillmarkDoc::ResetContent() {
    ForgetAll();
    m_history.Clear();
    m_strImportedPath.clear();
    m_pImportReport.reset();
    try {
        m_pDictionary.reset();
        m_pDeviceInfo.reset();
        m_pFileInfo.reset();
        m_pDictionary = std::make_unique<ObjectDictionary>();
        m_pDeviceInfo = std::make_unique<DeviceInfoSection>();
        m_pFileInfo = std::make_unique<FileInfoSection>();
    } catch (const std::bad_alloc&) {
        return false;
    }
    m_textEncoding = TextEncoding::Windows1252;
    return true;
}

bool CQuillmarkDoc::OnNewDocument() {
    if (!ResetContent()) {
        SetModifiedFlag(false);
        return false;
    }
    m_strPathName.clear();
    m_strTitle = "unnamed.prj";
    m_bModified = false;
    m_nNamed = 0;
    UpdateAllViews(Hint::Reset);
    NotifyStateChanged();
    return true;
}

void CQuillmarkDoc::ForgetAll() {
    m_pLastPastedSubindex = nullptr;
    m_pLastPastedIndex = nullptr;
    m_pCopiedSubindex = nullptr;
    m_pCopiedIndex = nullptr;
    m_pLastEditedSubindex = nullptr;
    m_pLastEditedIndex = nullptr;
}

void CQuillmarkDoc::ForgetEntry(const SubindexEntry* entry) {
    for (SubindexEntry** reference : {&m_pLastPastedSubindex, &m_pCopiedSubindex, &m_pLastEditedSubindex}) {
        if (*reference == entry) {
            *reference = nullptr;
        }
    }
}

void CQuillmarkDoc::ForgetIndex(const IndexEntry* index) {
    for (IndexEntry** reference : {&m_pLastPastedIndex, &m_pCopiedIndex, &m_pLastEditedIndex}) {
        if (*reference == index) {
            *reference = nullptr;
        }
    }
    for (const auto& entry : index->subindices) {
        ForgetEntry(entry.get());
    }
}

MsgResult CQuillmarkDoc::Error(const std::string& text, const std::string& caption) {
    return m_platform.MessageBox(text, caption, MsgButtons::Ok, MsgIcon::Error, false);
}

int CQuillmarkDoc::SaveModifiedPrompt() {
    if (!m_bModified) {
        return 1;
    }
    const std::string text =
        m_nNamed == 1 ? "Save changes in project " + m_strTitle + " ?" : std::string("Save current project?");
    const MsgResult answer =
        m_platform.MessageBox(text, "Quillmark", MsgButtons::YesNoCancel, MsgIcon::Question, false);
    if (answer == MsgResult::Cancel) {
        return 0;
    }
    if (answer == MsgResult::No) {
        return 1;
    }
    switch (TrySaveProject(0)) {
        case SaveOutcome::Saved:
            return 1;
        case SaveOutcome::Cancelled:
            // The work is still unsaved, so whatever asked must not go on.
            return 0;
        case SaveOutcome::Failed:
            break;
    }
    Error(SaveProjectFailureText(m_strTitle), "Quillmark");
    return 0;
}

bool CQuillmarkDoc::CanCloseFrame() {
    return SaveModifiedPrompt() != 0;
}

std::string SaveProjectFailureText(const std::string& name) {
    return "An error ocurred while saving the project " + name + "!";
}
