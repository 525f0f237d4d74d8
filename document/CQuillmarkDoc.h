#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "document/DocumentView.h"
#include "document/UndoHistory.h"
#include "eds/EdsSections.h"
#include "eds/ImportMode.h"
#include "eds/ImportReport.h"
#include "model/ObjectDictionary.h"
#include "platform/IndexDialog.h"
#include "platform/Platform.h"
#include "platform/ResultCodes.h"
#include "platform/TextEncoding.h"

// How an editing operation ended. The document tells the user of every failure itself (a conflict is
// shown as an error box at once); the others are a cancel or nothing to do, which stay silent. So the
// codes are for the views to decide what to redraw, never for a message table.
enum class DocResult : int {
    Done = 51,
    IndexExists = 53,
    EntryExists = 54,
    Cancelled = 57,
    CopyIndexFailed = 58,
    SubindexCancelled = 59,
    CopySubindexFailed = 60,
};

// How opening or saving a project file ended. NotDone follows a cancelled chooser or a failure the
// document has reported already, so the callers only decide whether to go on.
enum class ProjectFileResult : int {
    NotDone = 0,
    Done = 1,
};

// How a save ended, for the callers that must not go on after a cancelled chooser.
enum class SaveOutcome { Saved, Cancelled, Failed };

// The text that tells of a project file that could not be saved (name as the caller shows it).
std::string SaveProjectFailureText(const std::string& name);

// The one document of the application: it owns the dictionary and the EDS section records, reads
// and writes project files, runs import, export and generation, performs every edit of the
// dictionary and tells its registered views what to show.
class CQuillmarkDoc : public IndexDialogLookups {
public:
    explicit CQuillmarkDoc(Platform& platform, DialogFactory* dialogs = nullptr);
    ~CQuillmarkDoc() override;
    CQuillmarkDoc(const CQuillmarkDoc&) = delete;
    CQuillmarkDoc& operator=(const CQuillmarkDoc&) = delete;

    void SetDialogFactory(DialogFactory* dialogs) { m_pDialogs = dialogs; }
    // The most message boxes one import shows before a last box says that the rest are not shown;
    // 0 (the start value) shows them all.
    void SetImportMessageLimit(int limit) { m_nImportMessageLimit = limit; }

    // Views. Every hint reaches every registered view synchronously.
    void AddView(DocumentView* view);
    void RemoveView(DocumentView* view);
    void UpdateAllViews(std::uint32_t hint, const HintObject& object = {});

    // Title, path name and modified flag; every change is announced to the views.
    const std::string& GetTitle() const { return m_strTitle; }
    const std::string& GetPathName() const { return m_strPathName; }
    bool IsModified() const { return m_bModified; }
    void SetModifiedFlag(bool modified = true);
    bool IsNamed() const { return m_nNamed != 0; }
    const std::string& GetProjectPath() const { return m_strProjectPath; }

    // Lifecycle and files.
    bool ResetContent();
    bool OnNewDocument();
    // Asks for a project file and reads it; NotDone when cancelled or failed.
    ProjectFileResult OpenProject();
    // Reads the project file at a known path (the part of OpenProject after the chooser).
    ProjectFileResult OpenProjectFile(const std::string& path);
    // Writes the project; saveAs = 1 always asks for a name. Done when written or the chooser
    // was cancelled, NotDone on failure.
    ProjectFileResult SaveProject(int saveAs);
    // The same save, telling a cancelled chooser apart from a written project.
    SaveOutcome TrySaveProject(int saveAs);
    // Writes the project to a known path and names the project after it (the part of a save as after
    // the chooser); NotDone on failure.
    ProjectFileResult SaveProjectFile(const std::string& path);
    // 1: go on (saved, not modified, or the user said No); 0: stop (Cancel, or Yes and the save was
    // cancelled or failed).
    int SaveModifiedPrompt();
    bool CanCloseFrame();
    // Reads the EDS file into fresh content. The project is replaced when the import succeeded or read
    // at least one index; otherwise it stays as it was. Returns the reader's result code. The lenient
    // mode fills in what the file lacks instead of refusing it. A file whose content is XML (an XDD or
    // XDC, whatever its name) is read by the XDD reader instead, which has no lenient mode.
    EdsImportResult ImportEds(const std::string& path, ImportMode mode = ImportMode::Standard);
    // Whether the last ImportEds replaced the project.
    bool LastImportReplacedProject() const { return m_bImportReplaced; }
    // How many entries the last ImportEds left out for their data type (a lenient import keeps them).
    unsigned LastImportLeftOutForType() const { return m_nImportLeftOutForType; }
    // What the import of the open content saw of its file (lines, what it left out), or null when the
    // content was not imported (new, opened project).
    const ImportReport* GetImportReport() const { return m_pImportReport.get(); }
    EdsExportResult ExportEds(const std::string& path);
    // Writes a CiA 311 XDD; the codes of ExportEds.
    EdsExportResult ExportXdd(const std::string& path);
    GenerationResult GenerateSources(const std::string& sourcePath);
    // After GenerateSources: the sentence that tells which entries the sources leave out, or "".
    const std::string& LastGenerationNote() const { return m_strGenerationNote; }

    // Content.
    ObjectDictionary& GetDictionary() { return *m_pDictionary; }
    const ObjectDictionary& GetDictionary() const { return *m_pDictionary; }
    FileInfoSection& GetFileInfo() { return *m_pFileInfo; }
    DeviceInfoSection& GetDeviceInfo() { return *m_pDeviceInfo; }
    std::vector<CommentLine>& GetComments() { return m_pDictionary->CommentLines(); }
    // How the texts are shown and typed: chosen from the content when a file is imported or opened and
    // kept while the project is edited; a new project is Windows-1252.
    TextEncoding GetTextEncoding() const { return m_textEncoding; }

    // Queries of the tree and the dialogs.
    std::uint16_t GetIndexCount() const;
    IndexEntry* GetIndexAt(std::uint16_t position);
    const IndexEntry* GetIndexAt(std::uint16_t position) const;
    std::uint16_t GetEntryCount(std::uint16_t position) const;
    SubindexEntry* GetEntryAt(std::uint16_t position, std::uint16_t entryPosition);
    const SubindexEntry* GetEntryAt(std::uint16_t position, std::uint16_t entryPosition) const;
    std::string GetTreeLabel(std::uint16_t position, std::uint16_t entryPosition) const;
    IndexEntry* FindIndex(std::uint16_t indexNumber);
    const IndexEntry* FindIndex(std::uint16_t indexNumber) const;
    SubindexEntry* FindEntry(std::uint16_t indexNumber, std::uint16_t subindexNumber);
    const SubindexEntry* FindEntry(std::uint16_t indexNumber, std::uint16_t subindexNumber) const;
    int IndexExists(std::uint16_t indexNumber);
    int EntryExists(std::uint16_t indexNumber, std::uint16_t subindexNumber);
    void GetLastDuplicate(std::uint16_t& indexNumber, std::uint16_t& subindexNumber) const;
    // The numbers of the entry the last successful AddIndex (its header) or AddSubindex added.
    void GetLastAdded(std::uint16_t& indexNumber, std::uint16_t& subindexNumber) const;
    int MayHoldSubindices(std::uint16_t indexNumber) const;
    int HasDefaultCallback(std::uint16_t indexNumber) override;
    std::string DefaultCallbackName(std::uint16_t indexNumber) override;
    bool AcceptValues(const IndexDialogValues& values) override;
    IndexEntry* GetLastPastedIndex() const { return m_pLastPastedIndex; }
    SubindexEntry* GetLastPastedSubindex() const { return m_pLastPastedSubindex; }
    IndexEntry* GetLastEditedIndex() const { return m_pLastEditedIndex; }
    SubindexEntry* GetLastEditedSubindex() const { return m_pLastEditedSubindex; }
    bool HasCopiedIndex() const { return m_pCopiedIndex != nullptr; }
    bool HasCopiedSubindex() const { return m_pCopiedSubindex != nullptr; }
    std::uint16_t GetNextPasteIndex() const { return m_nNextPasteIndex; }
    std::uint16_t GetNextPasteSubindex() const { return m_nNextPasteSubindex; }

    // Show requests of the tree's selection handling.
    void ShowIndex(std::uint16_t indexNumber);
    void ShowEntry(std::uint16_t indexNumber, std::uint16_t subindexNumber);
    void ShowDeviceInfo();
    void ShowFileInfo();
    void ShowDummyUsage();
    void ShowComments();
    void EntryEdited(SubindexEntry* entry);

    // Editing operations (delete: 1, or 0 for a missing subindex).
    DocResult AddIndex(std::string& label);
    DocResult EditIndex(std::uint16_t indexNumber);
    int DeleteIndex(std::uint16_t indexNumber);
    DocResult AddSubindex(std::uint16_t indexNumber, std::string& label);
    DocResult EditSubindex(std::uint16_t indexNumber, std::uint16_t subindexNumber);
    int DeleteSubindex(std::uint16_t indexNumber, std::uint16_t subindexNumber);
    DocResult CopyIndex(std::uint16_t indexNumber);
    DocResult CopySubindex(std::uint16_t indexNumber, std::uint16_t subindexNumber);
    DocResult PasteIndex();
    DocResult PasteSubindex(std::uint16_t indexNumber);

    // Section editing: each runs its section dialog on a copy of the record and stores the copy on OK,
    // setting the modified flag. 1 when the dialog ran (OK or Cancel), 0 when it could not be created.
    int EditDeviceInfo();
    int EditFileInfo();
    int EditDummyUsage();
    int EditComments();

    // Undo and redo. Each puts back the whole content as it was before or after the step, keeps the
    // copy buffer on the same numbers where they still exist and sends the reset hint; false when there
    // is nothing to undo or redo, or no memory for it.
    bool Undo();
    bool Redo();
    bool CanUndo() const { return m_history.NextUndo() != nullptr; }
    bool CanRedo() const { return m_history.NextRedo() != nullptr; }
    // The label of the step Undo or Redo would take; empty when there is none.
    std::string UndoLabel() const;
    std::string RedoLabel() const;
    // What the last Undo or Redo changed, and whether it gave back another project (an import).
    const StepTarget& GetLastStepTarget() const { return m_lastStepTarget; }
    bool LastStepReplacedProject() const { return m_bLastStepReplacedProject; }
    const UndoHistory& GetHistory() const { return m_history; }
    // The EDS file the project was imported from; empty for a new or opened project.
    const std::string& GetImportedPath() const { return m_strImportedPath; }

private:
    void SetTitle(const std::string& title);
    void SetPathName(const std::string& path);
    void NotifyStateChanged();
    void NotifyContentChanged();
    bool WriteProject(const std::string& path);
    std::unique_ptr<IndexDialog> CreateDialog(IndexDialogMode mode, IndexDialogLevel level);
    // What an index dialog's values must not clash with: the message for values that do (empty when
    // they do not), and the caption it is shown with.
    struct DialogValuesCheck {
        const char* caption = "";
        std::function<std::string(const IndexDialogValues&)> conflict;
    };
    // Runs the dialog with the check applied on its OK, so a clash keeps the dialog open; true after OK.
    bool RunDialog(IndexDialog& dialog, const DialogValuesCheck& check);
    // The check once more after the dialog closed, for dialogs that do not ask; false after reporting.
    bool PassesAfterDialog(const DialogValuesCheck& check, const IndexDialogValues& values);
    template <class Record>
    int EditSection(std::unique_ptr<SectionDialog<Record>> dialog, Record& record, StepTarget::Kind section,
                    const char* label);
    void ForgetIndex(const IndexEntry* index);
    void ForgetEntry(const SubindexEntry* entry);
    void ForgetAll();
    MsgResult Error(const std::string& text, const std::string& caption);
    // Keeps the content as it is now as the step that undoes the change about to be made.
    void RecordStep(std::string label, StepTarget before, StepTarget after, bool replacesProject = false);
    bool StepThroughHistory(bool undo);
    ProjectName CurrentName() const;

    Platform& m_platform;
    DialogFactory* m_pDialogs;
    std::vector<DocumentView*> m_views;
    std::string m_strTitle;
    std::string m_strPathName;
    bool m_bModified = false;

    std::uint16_t m_nNextPasteSubindex = 0;
    std::uint16_t m_nNextPasteIndex = 0;
    SubindexEntry* m_pLastPastedSubindex = nullptr;
    IndexEntry* m_pLastPastedIndex = nullptr;
    SubindexEntry* m_pCopiedSubindex = nullptr;
    IndexEntry* m_pCopiedIndex = nullptr;
    SubindexEntry* m_pLastEditedSubindex = nullptr;
    IndexEntry* m_pLastEditedIndex = nullptr;
    std::uint16_t m_nLastAddedIndex = 0;
    std::uint16_t m_nLastAddedSubindex = 0;
    std::uint32_t m_nNamed = 0;
    int m_nImportMessageLimit = 0;
    std::uint16_t m_nDuplicateSubindex = 0;
    std::uint16_t m_nDuplicateIndex = 0;
    std::unique_ptr<ObjectDictionary> m_pDictionary;
    std::unique_ptr<FileInfoSection> m_pFileInfo;
    std::unique_ptr<DeviceInfoSection> m_pDeviceInfo;
    std::string m_strProjectPath;
    bool m_bImportReplaced = false;
    unsigned m_nImportLeftOutForType = 0;
    std::shared_ptr<const ImportReport> m_pImportReport;
    std::string m_strGenerationNote;
    TextEncoding m_textEncoding = TextEncoding::Windows1252;
    std::string m_strImportedPath;
    UndoHistory m_history;
    StepTarget m_lastStepTarget;
    bool m_bLastStepReplacedProject = false;
    const DialogValuesCheck* m_pDialogCheck = nullptr;
};
