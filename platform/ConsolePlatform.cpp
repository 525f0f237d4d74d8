#include "platform/ConsolePlatform.h"

#include <cstdlib>
#include <ctime>
#include <ostream>

ConsolePlatform::ConsolePlatform(std::ostream& err) : m_err(err) {}

MsgResult ConsolePlatform::MessageBox(const std::string& text, const std::string& caption, MsgButtons buttons,
                                      MsgIcon /*icon*/, bool /*withOwner*/) {
    m_err << caption << ": " << text << '\n';
    switch (buttons) {
        case MsgButtons::Ok:
            return MsgResult::Ok;
        case MsgButtons::YesNo:
            m_err << caption << ": (no one to ask; answered No)\n";
            return MsgResult::No;
        case MsgButtons::YesNoCancel:
            m_err << caption << ": (no one to ask; answered Cancel)\n";
            return MsgResult::Cancel;
    }
    return MsgResult::Ok;
}

std::optional<std::string> ConsolePlatform::ChooseFile(const FileChooserRequest& /*request*/) {
    m_err << "Quillmark: a file chooser is not available on the command line\n";
    return std::nullopt;
}

LocalTime ConsolePlatform::GetLocalTime() {
    return SystemLocalTime();
}

void ConsolePlatform::ReportFileError(FileOperation operation, const std::string& path,
                                      const std::string& reason) {
    m_err << "Quillmark: " << FileErrorText(operation, path, reason) << '\n';
}

LocalTime SystemLocalTime() {
    std::time_t now = std::time(nullptr);
    bool utc = false;
    if (const char* epoch = std::getenv("SOURCE_DATE_EPOCH"); epoch != nullptr && *epoch != '\0') {
        char* end = nullptr;
        const long long seconds = std::strtoll(epoch, &end, 10);
        if (end != nullptr && *end == '\0' && seconds >= 0) {
            now = static_cast<std::time_t>(seconds);
            utc = true;
        }
    }
    std::tm parts{};
#ifdef _WIN32
    // The C runtime of Windows has the reentrant forms under other names, arguments swapped.
    if (utc) {
        gmtime_s(&parts, &now);
    } else {
        localtime_s(&parts, &now);
    }
#else
    if (utc) {
        gmtime_r(&now, &parts);
    } else {
        localtime_r(&now, &parts);
    }
#endif
    LocalTime t;
    t.day = parts.tm_mday;
    t.month = parts.tm_mon + 1;
    t.year = parts.tm_year + 1900;
    t.hour = parts.tm_hour;
    t.minute = parts.tm_min;
    t.second = parts.tm_sec;
    return t;
}

void ConsolePlatform::Print(const std::string& line) {
    m_err << line << '\n';
}
