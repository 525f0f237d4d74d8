#pragma once

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>

#include "FuzzChecks.h"

// The libFuzzer entry point of one check: a broken promise is reported and aborts, so the fuzzer
// keeps the input as a crash.
#define QM_FUZZ_TARGET(check)                                                                           \
    extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {                 \
        const std::string problem = check(std::string_view(reinterpret_cast<const char*>(data), size)); \
        if (!problem.empty()) {                                                                         \
            std::fprintf(stderr, "%s: %s\n", #check, problem.c_str());                                  \
            std::abort();                                                                               \
        }                                                                                               \
        return 0;                                                                                       \
    }
