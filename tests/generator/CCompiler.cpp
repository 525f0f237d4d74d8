#include "CCompiler.h"

#include <cstdio>
#include <cstdlib>

namespace {

const std::string CompilerFlags =
    " -fsyntax-only -std=c99 -pedantic-errors -Werror=implicit-function-declaration -Werror=int-conversion"
    " -Werror=incompatible-pointer-types -w";

std::string Quoted(const std::string& text) {
    std::string quoted = "'";
    for (char c : text) {
        if (c == '\'') {
            quoted += "'\\''";
        } else {
            quoted.push_back(c);
        }
    }
    return quoted + "'";
}

// Runs a command and returns its output, with a note when it failed.
std::string Run(const std::string& command) {
    std::string output;
    std::FILE* pipe = ::popen((command + " 2>&1").c_str(), "r");
    if (pipe == nullptr) {
        return "cannot run: " + command;
    }
    char buffer[4096];
    std::size_t got = 0;
    while ((got = std::fread(buffer, 1, sizeof buffer, pipe)) > 0) {
        output.append(buffer, got);
    }
    const int status = ::pclose(pipe);
    if (status != 0 && output.empty()) {
        output = "failed without a message: " + command;
    }
    return status == 0 ? std::string() : output;
}

}  // namespace

bool HaveCCompiler() {
    return std::system("gcc --version > /dev/null 2>&1") == 0;
}

std::string CompileGeneratedFiles(const std::string& directory, const std::string& sourceName) {
    const std::string stub = Quoted(std::string(QM_TEST_DATA_DIR) + "/generator/stub");
    const std::string dir = Quoted(directory);
    const std::string base = "gcc" + CompilerFlags + " -I " + stub + " -I " + dir;
    std::string messages = Run(base + " " + Quoted(directory + "/" + sourceName));
    messages += Run(base + " -x c -include copinc.h -include obdcfg.h " + Quoted(directory + "/objdict.h"));
    messages += Run(base + " -x c -include copinc.h " + Quoted(directory + "/obdcfg.h"));
    return messages;
}
