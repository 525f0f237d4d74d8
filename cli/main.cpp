#include <iostream>
#include <string>
#include <vector>

#include "cli/CliApp.h"

#ifdef _WIN32
#include <fcntl.h>
#include <io.h>

#include "cli/WindowsConsole.h"
#include "platform/BinaryFile.h"

// The wide entry point gets file names outside the ANSI code page intact; the program works in UTF-8.
int wmain(int argc, wchar_t** argv) {
    std::vector<std::string> args;
    for (int i = 1; i < argc; ++i) {
        args.push_back(Utf8FromWide(argv[i]));
    }
    // Lines end in LF on every system, so redirected output has the same bytes everywhere.
    _setmode(_fileno(stdout), _O_BINARY);
    _setmode(_fileno(stderr), _O_BINARY);
    WindowsConsole console;
    const int status = RunCliApp(args, console.Out(), console.Err(), CliTeardown::LeaveToProcessEnd);
    console.Out().flush();
    console.Err().flush();
    return status;
}
#else
#if defined(__GLIBC__)
#include <malloc.h>
#endif

int main(int argc, char** argv) {
#if defined(__GLIBC__)
    // A run reads a file into one large block, indexes it in another, frees both and builds the output
    // in a third. glibc would map each such block from the system and unmap it when freed, so that
    // every page of the next one is faulted in anew; kept in the heap they are reused. The process ends
    // soon after, so nothing needs giving back before.
    constexpr int LargeBlock = 512 * 1024 * 1024;
    mallopt(M_MMAP_THRESHOLD, LargeBlock);
    mallopt(M_TRIM_THRESHOLD, LargeBlock);
    // The heap grows by 16 MB at a time rather than 128 KB: a large file took fifty system calls to
    // grow it. Pages never touched cost no memory.
    mallopt(M_TOP_PAD, 16 * 1024 * 1024);
#endif
    std::vector<std::string> args(argv + 1, argv + argc);
    const int status = RunCliApp(args, std::cout, std::cerr, CliTeardown::LeaveToProcessEnd);
    std::cout.flush();
    return status;
}
#endif
