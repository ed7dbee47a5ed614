#pragma once

#include "core/issue.h"

#include <cstdint>
#include <span>
#include <vector>

namespace yilou::history {

/// A run of consecutive issues of the game's schedule that the history does not hold.
struct MissingRange {
    Issue first = 0;
    Issue last = 0;
    std::int64_t count = 0; ///< issues in the run

    friend bool operator==(const MissingRange&, const MissingRange&) = default;
};

/// The issues absent from a history between its first and its newest draw.
struct MissingIssues {
    std::vector<MissingRange> ranges; ///< in issue order
    std::int64_t total = 0;           ///< issues in all ranges
    /// Stored issues whose date does not exist or whose ordinal is 00: they have no place in
    /// the schedule, so the check passes over them and names them here.
    std::vector<Issue> unplaced;
};

/// Walks the schedule of `drawsPerDay` draws a day from the first to the newest of `issues`
/// (ascending, as stored) and lists the runs of issues that are not stored: ordinals skipped
/// within a day, ordinals missing at a day's end (a day whose stored ordinals reach past
/// `drawsPerDay` had extra draws and misses none at its end) and whole days.
MissingIssues findMissingIssues(std::span<const Issue> issues, int drawsPerDay);

} // namespace yilou::history
