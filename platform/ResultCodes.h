#pragma once

// How an import, an EDS or XDD export and a source generation end. The numbers are fixed: the message
// table (ResultMessage) and the command-line tool's reports are keyed on them, and each family keeps its
// own range so a code never means two things.

enum class EdsImportResult : int {
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
    // The XDD reader refused the file after a message of its own that names the place.
    Refused = 21,
    MissingSection = 22,
    SubindexCountMismatch = 23,
    UnsupportedDataType = 24,
    OutOfMemory = 25,
};

enum class EdsExportResult : int {
    Success = 0,
    CannotDelete = 1,
    WriteFailed = 2,
    CannotCreateWriter = 4,
    NoMandatoryIndex = 5,
};

enum class GenerationResult : int {
    GenOk = 31,
    GenNoEntry = 32,
    GenCreateFailed = 33,
    GenWriteFailed = 35,
    GenCloseFailed = 36,
    GenNoSubindices = 37,
};
// The generator's code reads best with the short names alone.
using enum GenerationResult;
