#pragma once

#include <iosfwd>
#include <string>
#include <vector>

// Exit statuses of quillmark-cli.
namespace ExitStatus {
constexpr int Success = 0;
constexpr int Failed = 1;
constexpr int Usage = 2;
}  // namespace ExitStatus

// Runs quillmark-cli with its arguments (without the program name). Results go to out, every message
// box of the operation to err as "Caption: text".
int RunCliApp(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);
