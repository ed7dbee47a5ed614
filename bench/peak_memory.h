#pragma once

#include <functional>
#include <optional>

namespace yilou::bench {

/// What a piece of work cost in a process of its own.
struct ChildFigures {
    double seconds = 0; ///< wall time from the fork to the child's report
    double startMb = 0; ///< resident when the child starts: what it shares with the parent
    double peakMb = 0;  ///< the child's resident-set high-water mark
};

/// Runs `work` in a forked child whose resident-set high-water mark is reset when it starts
/// (`/proc/self/clear_refs`) and read when the work is done (`VmHWM`). Nothing when the child
/// failed or `work` threw.
std::optional<ChildFigures> runInChild(const std::function<void()>& work);

} // namespace yilou::bench
