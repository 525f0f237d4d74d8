#include "platform/ResultMessage.h"

namespace {

std::string WithPath(const char* format, const std::string& path) {
    std::string text = format;
    const auto at = text.find("%s");
    if (at != std::string::npos) {
        text.replace(at, 2, path);
    }
    return text;
}

void Show(Platform& platform, const std::optional<ResultMessage>& message) {
    if (message) {
        platform.MessageBox(message->text, message->caption, MsgButtons::Ok, message->icon);
    }
}

}  // namespace

std::optional<ResultMessage> ResultMessageFor(EdsImportResult result, const std::string& edsPath) {
    const MsgIcon error = MsgIcon::Error;
    switch (result) {
        case EdsImportResult::Success:
            return ResultMessage{WithPath("The file %s was successfully readed!", edsPath), "Read EDS file",
                                 MsgIcon::Information};
        case EdsImportResult::EmptyPathInIndex:
            return ResultMessage{WithPath("An error ocurred while reading the file %s", edsPath),
                                 "Read EDS file", error};
        case EdsImportResult::EmptyPath:
            return ResultMessage{"No EDS-File selected!", "Read EDS-File", error};
        case EdsImportResult::CannotOpen:
            return ResultMessage{WithPath("The file %s could not be opened!", edsPath), "Read EDS file",
                                 error};
        case EdsImportResult::InvalidObjectList:
            return ResultMessage{WithPath("The selected file %s is invalid!", edsPath), "Read EDS file",
                                 error};
        case EdsImportResult::OutOfMemory:
            return ResultMessage{"No memory available!", "Read EDS file", error};
        default:
            return std::nullopt;
    }
}

std::optional<ResultMessage> ResultMessageFor(EdsExportResult result, const std::string& edsPath) {
    const MsgIcon error = MsgIcon::Error;
    switch (result) {
        case EdsExportResult::Success:
            return ResultMessage{WithPath("The file %s was successfully created!", edsPath),
                                 "Create EDS file", MsgIcon::Information};
        case EdsExportResult::CannotDelete:
            return ResultMessage{WithPath("An error ocurred while creating the file %s!", edsPath),
                                 "Create EDS file", error};
        case EdsExportResult::WriteFailed:
            return ResultMessage{WithPath("An error ocurred while writing the file %s!", edsPath),
                                 "Create EDS file", error};
        case EdsExportResult::NoMandatoryIndex:
            return ResultMessage{
                WithPath("An error ocurred while creating the file %s! The object dictionary\n"
                         "includes no mandatory entries!",
                         edsPath),
                "Create EDS file", error};
        default:
            return std::nullopt;
    }
}

std::optional<ResultMessage> ResultMessageFor(GenerationResult result, const std::string& sourcePath,
                                              const std::string& note) {
    const MsgIcon error = MsgIcon::Error;
    switch (result) {
        case GenOk: {
            const std::string dir = DirectoryPart(sourcePath);
            const std::string indent(14, ' ');
            return ResultMessage{"The files " + sourcePath + "\n" + indent + dir + "objdict.h\n" + indent +
                                     dir + "obdcfg.h\nare successfully created!" +
                                     (note.empty() ? "" : "\n\n" + note),
                                 "Create file", MsgIcon::Information};
        }
        case GenNoEntry:
            return ResultMessage{"No memory available!", "Create file", MsgIcon::Information};
        case GenCreateFailed:
            return ResultMessage{WithPath("An error ocurred while creating the file %s!", sourcePath),
                                 "Create file", error};
        case GenWriteFailed:
            return ResultMessage{WithPath("An error ocurred while writing the file %s!", sourcePath),
                                 "Write file", error};
        case GenCloseFailed:
            return ResultMessage{WithPath("An error ocurred while closing the file %s!", sourcePath),
                                 "Close file", error};
        default:
            return std::nullopt;
    }
}

void ShowResultMessage(Platform& platform, EdsImportResult result, const std::string& edsPath) {
    Show(platform, ResultMessageFor(result, edsPath));
}

void ShowResultMessage(Platform& platform, EdsExportResult result, const std::string& edsPath) {
    Show(platform, ResultMessageFor(result, edsPath));
}

void ShowResultMessage(Platform& platform, GenerationResult result, const std::string& sourcePath,
                       const std::string& note) {
    Show(platform, ResultMessageFor(result, sourcePath, note));
}

std::string ImportFailureReason(EdsImportResult result) {
    switch (result) {
        case EdsImportResult::EmptyPathInIndex:
        case EdsImportResult::EmptyPath:
            return "no file was named";
        case EdsImportResult::CannotOpen:
            return "the file could not be opened";
        case EdsImportResult::FileTooLarge:
            return "the file is too large";
        case EdsImportResult::InvalidFileInfo:
            return "[FileInfo] has no FileName";
        case EdsImportResult::InvalidDeviceInfo:
            return "[DeviceInfo] has no VendorName";
        case EdsImportResult::InvalidDummyUsage:
            return "[DummyUsage] has no Dummy0001";
        case EdsImportResult::InvalidComments:
            return "[Comments] has no Lines";
        case EdsImportResult::InvalidObjectList:
            return "an object list or one of its entries is missing";
        case EdsImportResult::Refused:
            return "the XML device description is not one this editor reads";
        case EdsImportResult::MissingSection:
            return "the section of a listed index is missing";
        case EdsImportResult::SubindexCountMismatch:
            return "an index has fewer subindex sections than its SubNumber says";
        case EdsImportResult::UnsupportedDataType:
            return "the last index of an object list has a data type the import does not take";
        case EdsImportResult::OutOfMemory:
            return "there was not enough memory";
        default:
            return "the import ended with result " + std::to_string(static_cast<int>(result));
    }
}

bool ImportResultIsShown(EdsImportResult result) {
    switch (result) {
        case EdsImportResult::FileTooLarge:
        case EdsImportResult::InvalidFileInfo:
        case EdsImportResult::InvalidDeviceInfo:
        case EdsImportResult::InvalidDummyUsage:
        // The XDD reader's refusal names the line and column itself.
        case EdsImportResult::Refused:
        case EdsImportResult::MissingSection:
        case EdsImportResult::SubindexCountMismatch:
            return true;
        default:
            return ResultMessageFor(result, "").has_value();
    }
}
