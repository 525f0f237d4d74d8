#pragma once

#include <iosfwd>
#include <string>
#include <vector>

#include "eds/ImportMode.h"

class ConsolePlatform;
class CQuillmarkDoc;

// Exit statuses of quillmark-cli.
namespace ExitStatus {
constexpr int Success = 0;
constexpr int Failed = 1;
constexpr int Usage = 2;
}  // namespace ExitStatus

// What becomes of the document a command has read once the command is done: freed, or left for the
// end of the process, which is about to come when quillmark-cli's main calls.
enum class CliTeardown { Free, LeaveToProcessEnd };

// Runs quillmark-cli with its arguments (without the program name). Results go to out, every message
// box of the operation to err as "Caption: text".
int RunCliApp(const std::vector<std::string>& args, std::ostream& out, std::ostream& err,
              CliTeardown teardown = CliTeardown::Free);

// Reads IN into the document the way the editor's Import EDS-File or Open does; the import's result
// box goes to platform when it failed (always with verbose). Every command reads its input here, so
// --lenient reaches each of them.
bool LoadInput(CQuillmarkDoc& doc, ConsolePlatform& platform, const std::string& in, bool verbose,
               ImportMode mode);
