#include "platform/Platform.h"

MsgResult SafeAnswer(MsgButtons buttons) {
    switch (buttons) {
        case MsgButtons::YesNo:
            return MsgResult::No;
        case MsgButtons::YesNoCancel:
            return MsgResult::Cancel;
        case MsgButtons::Ok:
            break;
    }
    return MsgResult::Ok;
}

std::string FileErrorText(FileOperation operation, const std::string& path, const std::string& reason) {
    const char* what = "access";
    switch (operation) {
        case FileOperation::Create:
            what = "create";
            break;
        case FileOperation::Write:
            what = "write to";
            break;
        case FileOperation::Close:
            what = "close";
            break;
        case FileOperation::Delete:
            what = "delete";
            break;
        case FileOperation::Read:
            what = "read";
            break;
    }
    std::string text = "Could not " + std::string(what) + " the file " + path + ".";
    if (!reason.empty()) {
        text += " " + reason + ".";
    }
    return text;
}

std::string FileNamePart(const std::string& path) {
    const auto slash = path.find_last_of("/\\");
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

std::string DirectoryPart(const std::string& path) {
    const auto slash = path.find_last_of("/\\");
    return slash == std::string::npos ? std::string() : path.substr(0, slash + 1);
}

std::string FileExtension(const std::string& path) {
    const std::string name = FileNamePart(path);
    const auto dot = name.rfind('.');
    if (dot == std::string::npos) {
        return "";
    }
    std::string extension = name.substr(dot + 1);
    for (char& c : extension) {
        c = static_cast<char>(c >= 'A' && c <= 'Z' ? c - 'A' + 'a' : c);
    }
    return extension;
}
