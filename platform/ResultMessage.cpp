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

}  // namespace

std::optional<ResultMessage> ResultMessageFor(int code, const std::string& edsPath,
                                              const std::string& sourcePath, const std::string& note) {
    const MsgIcon info = MsgIcon::Information;
    const MsgIcon error = MsgIcon::Error;
    switch (code) {
        case 0:
            return ResultMessage{WithPath("The file %s was successfully created!", edsPath),
                                 "Create EDS file", info};
        case 1:
            return ResultMessage{WithPath("An error ocurred while creating the file %s!", edsPath),
                                 "Create EDS file", error};
        case 2:
            return ResultMessage{WithPath("An error ocurred while writing the file %s!", edsPath),
                                 "Create EDS file", error};
        case 5:
            return ResultMessage{
                WithPath("An error ocurred while creating the file %s! The object dictionary\n"
                         "includes no mandatory entries!",
                         edsPath),
                "Create EDS file", error};
        case 11:
            return ResultMessage{WithPath("The file %s was successfully readed!", edsPath), "Read EDS file",
                                 info};
        case 12:
            return ResultMessage{WithPath("An error ocurred while reading the file %s", edsPath),
                                 "Read EDS file", error};
        case 13:
            return ResultMessage{"No EDS-File selected!", "Read EDS-File", error};
        case 14:
            return ResultMessage{WithPath("The file %s could not be opened!", edsPath), "Read EDS file",
                                 error};
        case 20:
            return ResultMessage{WithPath("The selected file %s is invalid!", edsPath), "Read EDS file",
                                 error};
        case 25:
            return ResultMessage{"No memory available!", "Read EDS file", error};
        case 31: {
            const std::string dir = DirectoryPart(sourcePath);
            const std::string indent(14, ' ');
            return ResultMessage{"The files " + sourcePath + "\n" + indent + dir + "objdict.h\n" + indent +
                                     dir + "obdcfg.h\nare successfully created!" +
                                     (note.empty() ? "" : "\n\n" + note),
                                 "Create file", info};
        }
        case 32:
            return ResultMessage{"No memory available!", "Create file", info};
        case 33:
            return ResultMessage{WithPath("An error ocurred while creating the file %s!", sourcePath),
                                 "Create file", error};
        case 35:
            return ResultMessage{WithPath("An error ocurred while writing the file %s!", sourcePath),
                                 "Write file", error};
        case 36:
            return ResultMessage{WithPath("An error ocurred while closing the file %s!", sourcePath),
                                 "Close file", error};
        default:
            return std::nullopt;
    }
}

void ShowResultMessage(Platform& platform, int code, const std::string& edsPath,
                       const std::string& sourcePath, const std::string& note) {
    if (auto message = ResultMessageFor(code, edsPath, sourcePath, note)) {
        platform.MessageBox(message->text, message->caption, MsgButtons::Ok, message->icon);
    }
}

std::string ImportFailureReason(int code) {
    switch (code) {
        case 12:
        case 13:
            return "no file was named";
        case 14:
            return "the file could not be opened";
        case 15:
            return "the file is too large";
        case 16:
            return "[FileInfo] has no FileName";
        case 17:
            return "[DeviceInfo] has no VendorName";
        case 18:
            return "[DummyUsage] has no Dummy0001";
        case 19:
            return "[Comments] has no Lines";
        case 20:
            return "an object list or one of its entries is missing";
        case 21:
            return "the XML device description is not one this editor reads";
        case 22:
            return "the section of a listed index is missing";
        case 23:
            return "an index has fewer subindex sections than its SubNumber says";
        case 24:
            return "the last index of an object list has a data type the import does not take";
        case 25:
            return "there was not enough memory";
        default:
            return "the import ended with result " + std::to_string(code);
    }
}

bool ImportResultIsShown(int code) {
    // 21 is the XDD reader's refusal, which names the line and column itself.
    const bool shownByTheImport =
        code == 15 || code == 16 || code == 17 || code == 18 || code == 21 || code == 22 || code == 23;
    return shownByTheImport || ResultMessageFor(code, "", "").has_value();
}
