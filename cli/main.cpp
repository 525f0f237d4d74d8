#include <iostream>
#include <string>
#include <vector>

#include "cli/CliApp.h"

int main(int argc, char** argv) {
    std::vector<std::string> args(argv + 1, argv + argc);
    const int status = RunCliApp(args, std::cout, std::cerr);
    std::cout.flush();
    return status;
}
