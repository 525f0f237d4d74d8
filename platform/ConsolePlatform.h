#pragma once

#include <iosfwd>

#include "platform/FileSystem.h"
#include "platform/Platform.h"

// The platform of the command-line tool. Every message box is printed as "Caption: text" on the
// error stream; questions get their safe answer (No, or Cancel when offered) and say so. There is no
// file chooser. Local time comes from SOURCE_DATE_EPOCH (read as UTC) when set, for reproducible
// output, and from the system clock otherwise.
class ConsolePlatform : public Platform {
public:
    explicit ConsolePlatform(std::ostream& err);

    MsgResult MessageBox(const std::string& text, const std::string& caption, MsgButtons buttons,
                         MsgIcon icon, bool withOwner = false) override;
    std::optional<std::string> ChooseFile(const FileChooserRequest& request) override;
    LocalTime GetLocalTime() override;
    void ReportFileError(FileOperation operation, const std::string& path,
                         const std::string& reason) override;
    FileSystem& Files() override { return m_files; }
    // A line of the tool's own on the error stream.
    void Print(const std::string& line);

private:
    std::ostream& m_err;
    DiskFileSystem m_files;
};

// Broken-down local time of the system clock, or of SOURCE_DATE_EPOCH in UTC when that is set to a
// valid number of seconds.
LocalTime SystemLocalTime();
