#pragma once

#include "platform/ParallelWork.h"

// Makes the work of its scope go in two halves at once whatever its size (Always), or in one thread
// (Never), so that a test can compare the two ways on small inputs.
class ScopedParallelMode {
public:
    explicit ScopedParallelMode(ParallelWork::Mode mode) { ParallelWork::SetMode(mode); }
    ~ScopedParallelMode() { ParallelWork::SetMode(ParallelWork::Mode::Auto); }
    ScopedParallelMode(const ScopedParallelMode&) = delete;
    ScopedParallelMode& operator=(const ScopedParallelMode&) = delete;
};
