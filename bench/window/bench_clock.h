#pragma once
// The clocks the window benchmarks read.
#include <chrono>
#include <ctime>

namespace yilou::testing {

/// Milliseconds of the wall clock and of this thread's processor time: on a shared machine the
/// wall clock also counts the waits for a processor.
struct Times {
    double wall = 0;
    double cpu = 0;
};

inline Times now() {
    timespec cpu{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &cpu);
    const auto wall = std::chrono::steady_clock::now().time_since_epoch();
    return {std::chrono::duration<double, std::milli>(wall).count(),
            static_cast<double>(cpu.tv_sec) * 1e3 + static_cast<double>(cpu.tv_nsec) / 1e6};
}

} // namespace yilou::testing
