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
