#include "platform/ParallelWork.h"

#include <atomic>

namespace ParallelWork {
namespace {

std::atomic<Mode> g_mode{Mode::Auto};

bool HasSeveralCores() {
    static const bool several = std::thread::hardware_concurrency() > 1;
    return several;
}

}  // namespace

void SetMode(Mode mode) {
    g_mode.store(mode);
}

bool Worth(std::size_t work, std::size_t minimum) {
    switch (g_mode.load()) {
        case Mode::Always:
            return true;
        case Mode::Never:
            return false;
        case Mode::Auto:
            break;
    }
    return work >= minimum && HasSeveralCores();
}

}  // namespace ParallelWork
