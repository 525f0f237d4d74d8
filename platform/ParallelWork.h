#pragma once

#include <cstddef>
#include <exception>
#include <system_error>
#include <thread>
#include <utility>

// A large file is read, written and generated from in two halves at once where the halves do not
// depend on each other: the machines our users work on have several cores, and a file of thousands of
// objects would otherwise keep one of them busy while the others wait. Small work stays in one thread,
// where starting a second one would cost more than it saves. Either way the result is the same, byte
// for byte.
namespace ParallelWork {

// Auto shares work of at least the caller's minimum when the machine has more than one core; the
// tests use Always and Never to compare the two ways on the same input.
enum class Mode { Auto, Always, Never };
void SetMode(Mode mode);

// True when work of this size (in the caller's own unit: entries, bytes) is worth a second thread.
bool Worth(std::size_t work, std::size_t minimum);

// Runs `second` on a new thread while `first` runs on this one, and returns once both are done. When no
// thread can be started, it runs both here, `first` first. An exception from either reaches the caller
// after both have finished (the one from `first` when both throw).
template <class First, class Second>
void RunBoth(First&& first, Second&& second) {
    std::exception_ptr secondFailure;
    std::thread other;
    try {
        other = std::thread([&second, &secondFailure] {
            try {
                second();
            } catch (...) {
                secondFailure = std::current_exception();
            }
        });
    } catch (const std::system_error&) {
        std::forward<First>(first)();
        std::forward<Second>(second)();
        return;
    }
    std::exception_ptr firstFailure;
    try {
        std::forward<First>(first)();
    } catch (...) {
        firstFailure = std::current_exception();
    }
    other.join();
    if (firstFailure) {
        std::rethrow_exception(firstFailure);
    }
    if (secondFailure) {
        std::rethrow_exception(secondFailure);
    }
}

}  // namespace ParallelWork
