#pragma once

#include <cstdint>
#include <optional>
#include <string>

class FileSystem;

enum class MsgButtons { Ok, YesNo, YesNoCancel };
enum class MsgIcon { Information, Exclamation, Error, Question };
enum class MsgResult { Ok, Yes, No, Cancel };

// Options of the file chooser; they combine as bit flags.
enum FileChooserOption : unsigned {
    HideReadOnly = 1u << 0,
    OverwritePrompt = 1u << 1,
    PathMustExist = 1u << 2,
    FileMustExist = 1u << 3,
};

// A request for the open or save file chooser. The filter has the form
// "Description (*.ext)| *.ext|Other|*.x||": description and pattern pairs, ended by two bars.
struct FileChooserRequest {
    bool open = true;
    std::string filter;
    std::string defaultExtension;
    std::string initialFileName;
    unsigned options = 0;
};

struct LocalTime {
    int day = 1;
    int month = 1;
    int year = 1970;
    int hour = 0;
    int minute = 0;
    int second = 0;
};

// The file operation that failed, for the standard file-error report.
enum class FileOperation { Create, Write, Close, Delete, Read };

// What the logic needs from the desktop it runs on. The Qt GUI, the command-line tool and the tests
// each provide their own implementation; the logic never talks to a toolkit directly.
class Platform {
public:
    virtual ~Platform() = default;

    // Modal message box; returns the button pressed. withOwner tells whether the box belongs to the
    // main window (it only matters to a GUI).
    virtual MsgResult MessageBox(const std::string& text, const std::string& caption, MsgButtons buttons,
                                 MsgIcon icon, bool withOwner = false) = 0;

    // Modal file chooser; the full path of the chosen file, or nothing when cancelled.
    virtual std::optional<std::string> ChooseFile(const FileChooserRequest& request) = 0;

    virtual LocalTime GetLocalTime() = 0;

    virtual void BeginWaitCursor() {}
    virtual void EndWaitCursor() {}

    // The standard report of a failing file operation, with the system's reason.
    virtual void ReportFileError(FileOperation operation, const std::string& path,
                                 const std::string& reason) = 0;

    // File access used by every reader and writer, so tests can make it fail.
    virtual FileSystem& Files() = 0;
};

// Shows the wait cursor for the lifetime of the object.
class WaitCursor {
public:
    explicit WaitCursor(Platform& platform) : m_platform(platform) { m_platform.BeginWaitCursor(); }
    ~WaitCursor() { m_platform.EndWaitCursor(); }
    WaitCursor(const WaitCursor&) = delete;
    WaitCursor& operator=(const WaitCursor&) = delete;

private:
    Platform& m_platform;
};

// The answer that changes nothing, for a box nobody is asked: Ok, No, or Cancel when offered.
MsgResult SafeAnswer(MsgButtons buttons);

// Text of the standard file-error report, shared by the implementations that show it.
std::string FileErrorText(FileOperation operation, const std::string& path, const std::string& reason);

// The part of a path after its last '/' or '\'.
std::string FileNamePart(const std::string& path);
// The part of a path up to and including its last '/' or '\' ("" when there is none).
std::string DirectoryPart(const std::string& path);
// The extension of the path's file name in ASCII lower case, without the dot ("" when there is none).
std::string FileExtension(const std::string& path);
