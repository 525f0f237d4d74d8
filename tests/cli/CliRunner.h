#pragma once

#include <string>
#include <vector>

// Runs the built quillmark-cli with the given arguments and environment additions, capturing what it
// prints on each stream and its exit status.
struct CliResult {
    int exitCode = -1;
    std::string out;
    std::string err;
};

CliResult RunCli(const std::vector<std::string>& args, const std::vector<std::string>& extraEnv = {});
