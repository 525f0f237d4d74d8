#include <optional>

#include "FuzzChecks.h"
#include "FuzzDevice.h"
#include "FuzzPlatform.h"
#include "eds/CEdsWriter.h"
#include "eds/CFileScan.h"
#include "eds/EdsResult.h"
#include "eds/EdsSections.h"
#include "model/ObjectDictionary.h"
#include "platform/ParallelWork.h"

namespace {

const char* const ImportPath = "/fuzz/device.eds";
const char* const ExportPath = "/fuzz/export.eds";

void Import(SilentPlatform& platform, std::string_view bytes, FuzzDevice& device, ImportMode mode) {
    platform.Memory().Put(ImportPath, std::string(bytes));
    CFileScan scan(ImportPath, device.dictionary, device.fileInfo, device.deviceInfo, platform, mode);
    device.result = scan.ReadFile();
}

EdsExportResult Export(SilentPlatform& platform, FuzzDevice& device, std::string& text) {
    CEdsWriter writer(ExportPath, device.dictionary, device.fileInfo, device.deviceInfo, platform);
    return writer.BuildText(text);
}

}  // namespace

// Where the two exports first differ, with a little context, so a report names the key at fault.
std::string FirstDifference(const std::string& first, const std::string& second) {
    std::size_t at = 0;
    while (at < first.size() && at < second.size() && first[at] == second[at]) {
        ++at;
    }
    const std::size_t from = at < 40 ? 0 : at - 40;
    return "exports differ at byte " + std::to_string(at) + ": first \"" + first.substr(from, 80) +
           "\" second \"" + second.substr(from, 80) + "\"";
}

// An EDS cannot express a structured index without subindices (SubNumber=0 announces a VAR), and
// the generator refuses one; the importer must never leave one behind.
std::string HeaderOnlyStructuredIndex(const ObjectDictionary& dictionary) {
    for (std::uint16_t position = 0; position < dictionary.GetIndexCount(); ++position) {
        const IndexEntry& index = *dictionary.GetIndexAt(position);
        if (index.headerSubindex == HeaderStructured && index.subindices.size() < 2) {
            char text[96];
            std::snprintf(text, sizeof text, "the structured index 0x%04X holds no subindex", index.index);
            return text;
        }
    }
    return "";
}

std::string CheckEntryCounts(const ObjectDictionary& dictionary) {
    for (std::uint16_t position = 0; position < dictionary.GetIndexCount(); ++position) {
        const IndexEntry& index = *dictionary.GetIndexAt(position);
        if (index.entryCount > index.subindices.size()) {
            char text[120];
            std::snprintf(text, sizeof text, "index 0x%04X announces %u entries but holds %zu", index.index,
                          index.entryCount, index.subindices.size());
            return text;
        }
    }
    return "";
}

namespace {

std::string OneMode(std::string (*check)(ImportMode, std::string_view), ImportMode mode,
                    std::string_view bytes) {
    std::string problem = check(mode, bytes);
    if (!problem.empty() && mode == ImportMode::Lenient) {
        problem = "lenient import: " + problem;
    }
    return problem;
}

// The fuzz target leaves the project file to the project target, whose seeds are projects of imported
// files and which runs four times as many inputs a second; the replayed inputs are saved as well.
enum class UserSteps { WithProject, WithoutProject };

std::string CheckImport(ImportMode mode, std::string_view bytes, UserSteps steps) {
    SilentPlatform platform;
    FuzzDevice device;
    Import(platform, bytes, device, mode);
    if (device.result < EdsImportResult::Success || device.result > EdsImportResult::OutOfMemory) {
        return Describe("import returned a code outside 11..25", device.result);
    }
    std::string problem = CheckEntryCounts(device.dictionary);
    if (problem.empty()) {
        problem = HeaderOnlyStructuredIndex(device.dictionary);
    }
    if (!problem.empty()) {
        return "after import: " + problem;
    }
    // What a user does next is tried on files that import: most mutated inputs do not, and saving,
    // exporting and generating each of them would cost more than the import itself.
    if (device.result != EdsImportResult::Success) {
        return "";
    }
    if (steps == UserSteps::WithProject) {
        problem = CheckProjectOf(device.dictionary, device.deviceInfo, device.fileInfo);
        if (!problem.empty()) {
            return "project of the import: " + problem;
        }
    }
    std::string text;
    const EdsExportResult exported = Export(platform, device, text);
    if (exported != EdsExportResult::Success && exported != EdsExportResult::NoMandatoryIndex) {
        return Describe("export to memory failed", exported);
    }
    problem = CheckDictionaryCheck(device.dictionary, device.deviceInfo);
    if (!problem.empty()) {
        return problem;
    }
    return ExerciseGenerator(device.dictionary, platform);
}

// The exporter's file needs no repair but those it cannot avoid (an empty VendorName, a dummy table
// without Dummy0001), so a lenient import is read back leniently.
std::string CheckImportIn(ImportMode mode, std::string_view bytes) {
    return CheckImport(mode, bytes, UserSteps::WithProject);
}

std::string CheckImportWithoutProject(ImportMode mode, std::string_view bytes) {
    return CheckImport(mode, bytes, UserSteps::WithoutProject);
}

std::string CheckRoundTripIn(ImportMode mode, std::string_view bytes) {
    SilentPlatform platform;
    FuzzDevice original;
    Import(platform, bytes, original, mode);
    if (original.result != EdsImportResult::Success) {
        return "";
    }
    std::string firstExport;
    if (Export(platform, original, firstExport) != EdsExportResult::Success) {
        return "";
    }

    // One input in 32 reads the exporter's file back and exports it again in two halves at once, as a
    // large file is read and written: the halves must give what one thread gave. Starting the threads
    // costs more than the rest of the check under the sanitizers, so no more inputs take that way.
    struct Halves {
        explicit Halves(bool on) {
            ParallelWork::SetMode(on ? ParallelWork::Mode::Always : ParallelWork::Mode::Auto);
        }
        ~Halves() { ParallelWork::SetMode(ParallelWork::Mode::Auto); }
        Halves(const Halves&) = delete;
        Halves& operator=(const Halves&) = delete;
    };
    // Two lengths in 64, one even and one odd, so that both import modes take that way.
    std::optional<Halves> halves(std::in_place, bytes.size() / 2 % 32 == 31);
    FuzzDevice reread;
    Import(platform, firstExport, reread, mode);
    std::string secondExport;
    const EdsExportResult exported = reread.result == EdsImportResult::Success
                                         ? Export(platform, reread, secondExport)
                                         : EdsExportResult::Success;
    ParallelWork::SetMode(ParallelWork::Mode::Auto);
    if (reread.result != EdsImportResult::Success) {
        return Describe("the importer refused the exporter's own file", reread.result);
    }
    if (exported != EdsExportResult::Success) {
        return Describe("the second export failed", exported);
    }
    if (firstExport != secondExport) {
        return FirstDifference(firstExport, secondExport);
    }
    return "";
}

// Each input goes through the standard import and the lenient one; the lenient import must keep every
// promise the standard one keeps.
std::string BothModes(std::string (*check)(ImportMode, std::string_view), std::string_view bytes) {
    std::string problem = check(ImportMode::Standard, bytes);
    if (problem.empty()) {
        problem = OneMode(check, ImportMode::Lenient, bytes);
    }
    return problem;
}

// The fuzz targets run each input in one mode, chosen by its length, so that an input is read once and
// a report names the mode it failed in; mutations change lengths all the time, so both modes are fuzzed.
ImportMode ModeOf(std::string_view bytes) {
    return bytes.size() % 2 == 0 ? ImportMode::Standard : ImportMode::Lenient;
}

}  // namespace

std::string CheckEdsImport(std::string_view bytes) {
    return BothModes(CheckImportIn, bytes);
}

std::string CheckEdsRoundTrip(std::string_view bytes) {
    return BothModes(CheckRoundTripIn, bytes);
}

std::string FuzzEdsImport(std::string_view bytes) {
    return OneMode(CheckImportWithoutProject, ModeOf(bytes), bytes);
}

std::string FuzzEdsRoundTrip(std::string_view bytes) {
    return OneMode(CheckRoundTripIn, ModeOf(bytes), bytes);
}
