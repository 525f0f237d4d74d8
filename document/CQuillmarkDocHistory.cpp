#include <new>
#include <optional>
#include <utility>

#include "document/CQuillmarkDoc.h"

ProjectName CQuillmarkDoc::CurrentName() const {
    return {m_strTitle,    m_strPathName,  m_strProjectPath, m_strImportedPath,
            m_nNamed == 1, m_textEncoding, m_pImportReport};
}

void CQuillmarkDoc::RecordStep(std::string label, StepTarget before, StepTarget after, bool replacesProject) {
    const ProjectName name = CurrentName();
    try {
        m_history.Record({std::move(label), before, after, replacesProject},
                         {*m_pDictionary, *m_pDeviceInfo, *m_pFileInfo, name});
    } catch (const std::bad_alloc&) {
        // The change goes ahead without a step. Older steps would undo it together with their own
        // change under a label that does not say so, so they go too.
        m_history.Forget();
    }
}

std::string CQuillmarkDoc::UndoLabel() const {
    const UndoStep* step = m_history.NextUndo();
    return step != nullptr ? step->label : std::string();
}

std::string CQuillmarkDoc::RedoLabel() const {
    const UndoStep* step = m_history.NextRedo();
    return step != nullptr ? step->label : std::string();
}

bool CQuillmarkDoc::Undo() {
    return StepThroughHistory(true);
}

bool CQuillmarkDoc::Redo() {
    return StepThroughHistory(false);
}

bool CQuillmarkDoc::StepThroughHistory(bool undo) {
    const UndoStep* next = undo ? m_history.NextUndo() : m_history.NextRedo();
    if (next == nullptr) {
        return false;
    }
    const UndoStep step = *next;
    const ProjectName name = CurrentName();
    const LiveContent live{*m_pDictionary, *m_pDeviceInfo, *m_pFileInfo, name};
    RestoredContent restored;
    try {
        restored = undo ? m_history.Undo(live) : m_history.Redo(live);
    } catch (const std::bad_alloc&) {
        Error(std::string("There is not enough memory to ") + (undo ? "undo " : "redo ") + step.label + ".",
              "Quillmark");
        return false;
    }

    // The copy buffer follows the numbers it referred to; the other references belonged to entries
    // that are gone now.
    std::optional<std::uint16_t> copiedIndex;
    std::optional<std::pair<std::uint16_t, std::uint16_t>> copiedEntry;
    if (m_pCopiedIndex != nullptr) {
        copiedIndex = m_pCopiedIndex->index;
    }
    if (m_pCopiedSubindex != nullptr) {
        copiedEntry.emplace(m_pCopiedSubindex->index, m_pCopiedSubindex->subindex);
    }
    ForgetAll();
    m_pDictionary = std::move(restored.dictionary);
    m_pDeviceInfo = std::move(restored.deviceInfo);
    m_pFileInfo = std::move(restored.fileInfo);
    if (copiedIndex) {
        m_pCopiedIndex = FindIndex(*copiedIndex);
    }
    if (copiedEntry) {
        m_pCopiedSubindex = FindEntry(copiedEntry->first, copiedEntry->second);
    }

    if (step.replacesProject) {
        m_strTitle = restored.name.title;
        m_strPathName = restored.name.pathName;
        m_strProjectPath = restored.name.projectPath;
        m_strImportedPath = restored.name.importedPath;
        m_nNamed = restored.name.named ? 1 : 0;
        m_textEncoding = restored.name.encoding;
        m_pImportReport = restored.name.importReport;
    }
    m_bModified = !m_history.AtSavedState();
    m_lastStepTarget = undo ? step.before : step.after;
    m_bLastStepReplacedProject = step.replacesProject;
    UpdateAllViews(Hint::Reset);
    NotifyStateChanged();
    return true;
}
