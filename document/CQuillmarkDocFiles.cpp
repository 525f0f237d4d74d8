#include <new>

#include "document/Archive.h"
#include "document/CQuillmarkDoc.h"
#include "document/ContentEncoding.h"
#include "document/ProjectFileReader.h"
#include "document/ProjectFileWriter.h"
#include "eds/CEdsWriter.h"
#include "eds/CFileScan.h"
#include "eds/EdsResult.h"
#include "generator/CSourceGenerator.h"
#include "platform/FileSystem.h"
#include "platform/MessageLimitPlatform.h"
#include "xdd/CXddScan.h"
#include "xdd/CXddWriter.h"
#include "xdd/XddFormat.h"

namespace {

const char* const ProjectFilter = "Project Files (*.prj)| *.prj||";

FileChooserRequest ProjectChooser(bool open) {
    FileChooserRequest request;
    request.open = open;
    request.filter = ProjectFilter;
    request.defaultExtension = "prj";
    request.initialFileName = "*.prj";
    request.options =
        open ? (HideReadOnly | PathMustExist | FileMustExist) : (HideReadOnly | OverwritePrompt);
    return request;
}

std::string ArchiveErrorText(const ArchiveException& error, const std::string& path) {
    switch (error.GetKind()) {
        case ArchiveException::Kind::BadIndex:
            return "The file " + path + " is not a project file of this program or has an unknown version.";
        case ArchiveException::Kind::EndOfFile:
            return "The project " + path + " ends unexpectedly; it is truncated or damaged.";
        case ArchiveException::Kind::Generic:
            break;
    }
    return "The project " + path + " could not be read.\n" + error.what();
}

// The bytes of the file when its content is an XML device description; nothing otherwise (also when
// it cannot be read: the EDS reader then reports that).
}  // namespace

ProjectFileResult CQuillmarkDoc::OpenProject() {
    // The chooser comes first, so a cancelled open leaves the current project untouched.
    const std::optional<std::string> path = m_platform.ChooseFile(ProjectChooser(true));
    if (!path) {
        return ProjectFileResult::NotDone;
    }
    return OpenProjectFile(*path);
}

ProjectFileResult CQuillmarkDoc::OpenProjectFile(const std::string& path) {
    std::string reason;
    const std::optional<std::string> bytes = m_platform.Files().ReadAll(path, reason);
    if (!bytes) {
        m_platform.ReportFileError(FileOperation::Read, path, reason);
        return ProjectFileResult::NotDone;
    }

    // Read into fresh content; only a complete read replaces the document's content.
    std::unique_ptr<ObjectDictionary> dictionary;
    std::unique_ptr<DeviceInfoSection> deviceInfo;
    std::unique_ptr<FileInfoSection> fileInfo;
    try {
        dictionary = std::make_unique<ObjectDictionary>();
        deviceInfo = std::make_unique<DeviceInfoSection>();
        fileInfo = std::make_unique<FileInfoSection>();
        ProjectFileReader().Load(*bytes, *dictionary, *deviceInfo, *fileInfo);
    } catch (const ArchiveException& error) {
        m_platform.MessageBox(ArchiveErrorText(error, path), "Quillmark", MsgButtons::Ok,
                              MsgIcon::Exclamation);
        return ProjectFileResult::NotDone;
    } catch (const std::bad_alloc&) {
        m_platform.MessageBox("There is not enough memory to open the project " + path + ".", "Quillmark",
                              MsgButtons::Ok, MsgIcon::Exclamation);
        return ProjectFileResult::NotDone;
    }

    ForgetAll();
    m_history.Clear();
    m_strImportedPath.clear();
    m_pImportReport.reset();
    m_pDictionary = std::move(dictionary);
    m_pDeviceInfo = std::move(deviceInfo);
    m_pFileInfo = std::move(fileInfo);
    m_textEncoding = ContentTextEncoding(*m_pDictionary, *m_pFileInfo, *m_pDeviceInfo);
    m_strProjectPath = path;
    m_strPathName = path;
    m_strTitle = path;
    m_bModified = false;
    m_nNamed = 1;
    UpdateAllViews(Hint::Reset);
    NotifyStateChanged();
    return ProjectFileResult::Done;
}

bool CQuillmarkDoc::WriteProject(const std::string& path) {
    std::string bytes;
    try {
        bytes = ProjectFileWriter().Write(*m_pDictionary, *m_pDeviceInfo, *m_pFileInfo);
    } catch (const ArchiveException& error) {
        Error(error.what(), "Quillmark");
        return false;
    }

    // The old file is replaced only by a complete new one, so a failed save never destroys it.
    FileOperation failed = FileOperation::Write;
    std::string reason;
    if (ReplaceWholeFile(m_platform.Files(), path, bytes, failed, reason) != ReplaceOutcome::Replaced) {
        m_platform.ReportFileError(failed, path, reason);
        return false;
    }
    return true;
}

ProjectFileResult CQuillmarkDoc::SaveProject(int saveAs) {
    return TrySaveProject(saveAs) == SaveOutcome::Failed ? ProjectFileResult::NotDone
                                                         : ProjectFileResult::Done;
}

SaveOutcome CQuillmarkDoc::TrySaveProject(int saveAs) {
    if (m_nNamed == 1 && saveAs != 1) {
        const bool written = WriteProject(m_strProjectPath);
        if (written) {
            m_history.MarkSaved();
        }
        SetModifiedFlag(!written);
        return written ? SaveOutcome::Saved : SaveOutcome::Failed;
    }
    const std::optional<std::string> path = m_platform.ChooseFile(ProjectChooser(false));
    if (!path) {
        return SaveOutcome::Cancelled;
    }
    return SaveProjectFile(*path) == ProjectFileResult::Done ? SaveOutcome::Saved : SaveOutcome::Failed;
}

ProjectFileResult CQuillmarkDoc::SaveProjectFile(const std::string& path) {
    if (!WriteProject(path)) {
        SetModifiedFlag(true);
        return ProjectFileResult::NotDone;
    }
    m_history.MarkSaved();
    m_strProjectPath = path;
    m_strPathName = path;
    m_strTitle = path;
    m_bModified = false;
    m_nNamed = 1;
    NotifyStateChanged();
    return ProjectFileResult::Done;
}

EdsImportResult CQuillmarkDoc::ImportEds(const std::string& path, ImportMode mode) {
    m_bImportReplaced = false;
    m_nImportLeftOutForType = 0;
    // The file is read into fresh content, so a refused file leaves the open project as it was.
    std::unique_ptr<ObjectDictionary> dictionary;
    std::unique_ptr<FileInfoSection> fileInfo;
    std::unique_ptr<DeviceInfoSection> deviceInfo;
    MessageLimitPlatform limited(m_platform, m_nImportMessageLimit,
                                 "Further messages of this import are not shown.", "Read EDS file");
    std::unique_ptr<CFileScan> reader;
    // The file is read once: its bytes tell which reader takes them.
    std::optional<std::string> bytes;
    bool xdd = false;
    try {
        dictionary = std::make_unique<ObjectDictionary>();
        fileInfo = std::make_unique<FileInfoSection>();
        deviceInfo = std::make_unique<DeviceInfoSection>();
        std::string reason;
        bytes = m_platform.Files().ReadAll(path, reason);
        xdd = bytes && LooksLikeXdd(*bytes);
        if (!xdd) {
            reader = std::make_unique<CFileScan>(path, *dictionary, *fileInfo, *deviceInfo, limited, mode);
        }
    } catch (const std::bad_alloc&) {
        return EdsImportResult::OutOfMemory;
    }
    // A file that could not be read is left to the EDS reader, which says so in its result.
    const EdsImportResult result =
        xdd     ? CXddScan(path, *dictionary, *fileInfo, *deviceInfo, limited).ReadBytes(*bytes)
        : bytes ? reader->ReadBytes(std::move(*bytes))
                : reader->ReadFile();
    bytes.reset();
    // The XDD reader has no lenient mode that could keep more.
    m_nImportLeftOutForType = reader ? reader->EntriesLeftOutForType() : 0;
    if (result != EdsImportResult::Success) {
        if (reader) {
            reader->GetErrorPosition(m_nDuplicateIndex, m_nDuplicateSubindex);
        }
        if (dictionary->GetIndexCount() == 0) {
            return result;
        }
    }

    // An import that stopped part-way still replaces the project, so the user sees where it stopped.
    RecordStep(reader ? "Import EDS-File" : "Import XDD-File", {}, {}, true);
    ForgetAll();
    m_strImportedPath = path;
    // Only the EDS reader reports what it saw of the file's lines.
    m_pImportReport = reader ? std::make_shared<const ImportReport>(reader->TakeReport()) : nullptr;
    m_pDictionary = std::move(dictionary);
    m_pFileInfo = std::move(fileInfo);
    m_pDeviceInfo = std::move(deviceInfo);
    m_textEncoding = ContentTextEncoding(*m_pDictionary, *m_pFileInfo, *m_pDeviceInfo);
    m_strTitle = "unnamed.prj";
    m_strPathName.clear();
    m_bModified = result == EdsImportResult::Success;
    m_nNamed = 0;
    m_bImportReplaced = true;
    UpdateAllViews(Hint::Reset);
    NotifyStateChanged();
    return result;
}

EdsExportResult CQuillmarkDoc::ExportEds(const std::string& path) {
    std::unique_ptr<CEdsWriter> writer;
    try {
        writer = std::make_unique<CEdsWriter>(path, *m_pDictionary, *m_pFileInfo, *m_pDeviceInfo, m_platform);
    } catch (const std::bad_alloc&) {
        return EdsExportResult::CannotCreateWriter;
    }
    // A failed export leaves the previous file as it was.
    return writer->WriteFile();
}

EdsExportResult CQuillmarkDoc::ExportXdd(const std::string& path) {
    try {
        return CXddWriter(path, *m_pDictionary, *m_pFileInfo, *m_pDeviceInfo, m_textEncoding, m_platform)
            .WriteFile();
    } catch (const std::bad_alloc&) {
        return EdsExportResult::CannotCreateWriter;
    }
}

GenerationResult CQuillmarkDoc::GenerateSources(const std::string& sourcePath) {
    m_strGenerationNote.clear();
    std::unique_ptr<CSourceGenerator> generator;
    try {
        generator = std::make_unique<CSourceGenerator>(*m_pDictionary, m_platform);
    } catch (const std::bad_alloc&) {
        return GenNoEntry;
    }
    // The generator may add default PDO mapping indices; that is no edit, but the content changed.
    const std::uint16_t indices = m_pDictionary->GetIndexCount();
    const GenerationResult result = generator->GenerateFiles(sourcePath);
    m_strGenerationNote = result == GenOk ? generator->LeftOutNote() : std::string();
    if (m_pDictionary->GetIndexCount() != indices) {
        NotifyContentChanged();
    }
    return result;
}
