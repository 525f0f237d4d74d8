#pragma once

// Result codes of the EDS reader and writer. The numbers are shared with the command layer, which
// turns them into messages, so they must not change.
namespace EdsImportResult {
enum : int {
    Success = 11,
    EmptyPathInIndex = 12,
    EmptyPath = 13,
    CannotOpen = 14,
    FileTooLarge = 15,
    InvalidFileInfo = 16,
    InvalidDeviceInfo = 17,
    InvalidDummyUsage = 18,
    InvalidComments = 19,
    InvalidObjectList = 20,
    MissingSection = 22,
    SubindexCountMismatch = 23,
    UnsupportedDataType = 24,
    OutOfMemory = 25,
};
}  // namespace EdsImportResult

namespace EdsExportResult {
enum : int {
    Success = 0,
    CannotDelete = 1,
    WriteFailed = 2,
    CannotCreateWriter = 4,
    NoMandatoryIndex = 5,
};
}  // namespace EdsExportResult
