#include "FuzzChecks.h"
#include "FuzzDevice.h"
#include "FuzzPlatform.h"
#include "document/Archive.h"
#include "document/ProjectFileReader.h"
#include "document/ProjectFileWriter.h"
#include "eds/CEdsWriter.h"
#include "eds/EdsResult.h"

namespace {

struct Project {
    ObjectDictionary dictionary;
    DeviceInfoSection deviceInfo;
    FileInfoSection fileInfo;
};

// True when the whole file was read; an archive error is the reader's promised way to refuse.
bool Load(std::string_view bytes, Project& project) {
    try {
        ProjectFileReader().Load(bytes, project.dictionary, project.deviceInfo, project.fileInfo);
        return true;
    } catch (const ArchiveException&) {
        return false;
    }
}

// The saved bytes, or nothing when the writer refused the project with an archive error.
std::optional<std::string> Save(const Project& project) {
    try {
        return ProjectFileWriter().Write(project.dictionary, project.deviceInfo, project.fileInfo);
    } catch (const ArchiveException&) {
        return std::nullopt;
    }
}

}  // namespace

namespace {

// A loaded project saves, and what the save holds loads and saves to the same bytes.
std::string CheckSaveRoundTrip(const Project& project) {
    const std::optional<std::string> firstSave = Save(project);
    if (!firstSave) {
        return "";
    }
    Project reloaded;
    if (!Load(*firstSave, reloaded)) {
        return "the reader refused a file the writer had just written";
    }
    const std::optional<std::string> secondSave = Save(reloaded);
    if (!secondSave) {
        return "the writer refused a project it had written before";
    }
    if (*firstSave != *secondSave) {
        return "saving a reloaded project changed the file";
    }
    return "";
}

}  // namespace

// The import's own checks export and generate from the content; only the project file is checked here.
std::string CheckProjectOf(const ObjectDictionary& dictionary, const DeviceInfoSection& deviceInfo,
                           const FileInfoSection& fileInfo) {
    try {
        const std::string written = ProjectFileWriter().Write(dictionary, deviceInfo, fileInfo);
        Project project;
        if (!Load(written, project)) {
            return "the reader refused a file the writer had just written";
        }
        const std::optional<std::string> saved = Save(project);
        if (!saved) {
            return "the writer refused a project it had written before";
        }
        return *saved == written ? "" : "saving a reloaded project changed the file";
    } catch (const ArchiveException&) {
        return "";  // beyond what any version can hold: refused with a message, nothing to check
    }
}

std::string CheckProjectLoad(std::string_view bytes) {
    Project project;
    if (!Load(bytes, project)) {
        return "";  // the reader refused the file, as it promises to; a user has nothing to work on
    }
    if (std::string problem = CheckSaveRoundTrip(project); !problem.empty()) {
        return problem;
    }
    // What was loaded is what the user now works with.
    SilentPlatform platform;
    std::string text;
    CEdsWriter writer("/fuzz/export.eds", project.dictionary, project.fileInfo, project.deviceInfo, platform);
    const EdsExportResult exported = writer.BuildText(text);
    if (exported != EdsExportResult::Success && exported != EdsExportResult::NoMandatoryIndex) {
        return "export to memory failed with " + std::to_string(static_cast<int>(exported));
    }
    if (std::string problem = CheckDictionaryCheck(project.dictionary, project.deviceInfo);
        !problem.empty()) {
        return problem;
    }
    return ExerciseGenerator(project.dictionary, platform);
}
