#include "FuzzChecks.h"
#include "FuzzDevice.h"
#include "FuzzPlatform.h"
#include "document/ContentEncoding.h"
#include "eds/CEdsWriter.h"
#include "eds/EdsResult.h"
#include "model/ObjectDictionary.h"
#include "xdd/CXddScan.h"
#include "xdd/CXddWriter.h"

namespace {

const char* const ImportPath = "/fuzz/device.xdd";
const char* const ExportPath = "/fuzz/export.xdd";

void Read(SilentPlatform& platform, std::string_view bytes, FuzzDevice& device) {
    device.result = CXddScan(ImportPath, device.dictionary, device.fileInfo, device.deviceInfo, platform)
                        .ReadBytes(bytes);
}

std::string Write(SilentPlatform& platform, const FuzzDevice& device) {
    const TextEncoding encoding = ContentTextEncoding(device.dictionary, device.fileInfo, device.deviceInfo);
    return CXddWriter(ExportPath, device.dictionary, device.fileInfo, device.deviceInfo, encoding, platform)
        .BuildText();
}

bool IsXddResult(XddImportResult code) {
    return code == XddImportResult::Success || code == XddImportResult::CannotOpen ||
           code == XddImportResult::Refused || code == XddImportResult::OutOfMemory;
}

}  // namespace

std::string CheckXddImport(std::string_view bytes) {
    SilentPlatform platform;
    FuzzDevice device;
    Read(platform, bytes, device);
    if (!IsXddResult(device.result)) {
        return Describe("XDD import returned an unknown code", device.result);
    }
    std::string problem = CheckEntryCounts(device.dictionary);
    if (problem.empty()) {
        problem = HeaderOnlyStructuredIndex(device.dictionary);
    }
    if (!problem.empty()) {
        return "after XDD import: " + problem;
    }
    if (device.result != XddImportResult::Success) {
        return device.dictionary.GetIndexCount() == 0 ? "" : "a refused XDD left indices behind";
    }
    problem = CheckProjectOf(device.dictionary, device.deviceInfo, device.fileInfo);
    if (!problem.empty()) {
        return "project of the XDD import: " + problem;
    }

    const std::string first = Write(platform, device);
    FuzzDevice reread;
    Read(platform, first, reread);
    if (reread.result != XddImportResult::Success) {
        return Describe("the XDD reader refused the XDD writer's own file", reread.result);
    }
    const std::string second = Write(platform, reread);
    if (first != second) {
        return "XDD " + FirstDifference(first, second);
    }

    std::string eds;
    const EdsExportResult exported =
        CEdsWriter("/fuzz/export.eds", device.dictionary, device.fileInfo, device.deviceInfo, platform)
            .BuildText(eds);
    if (exported != EdsExportResult::Success && exported != EdsExportResult::NoMandatoryIndex) {
        return Describe("EDS export of the XDD import failed", exported);
    }
    problem = CheckDictionaryCheck(device.dictionary, device.deviceInfo);
    if (!problem.empty()) {
        return problem;
    }
    return ExerciseGenerator(device.dictionary, platform);
}
