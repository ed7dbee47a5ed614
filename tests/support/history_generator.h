#pragma once

#include "core/draw_record.h"
#include "core/snapshot.h"

#include <cstddef>
#include <cstdint>
#include <vector>

namespace yilou::testing {

/// Settings of a generated history.
struct GeneratedHistory {
    std::size_t draws = 1000;
    std::uint64_t seed = 1;
    int drawsPerDay = 84;
    int highestNumber = 11;
    history::Issue firstIssue = 17010101;
    /// Probability that an issue of the schedule is missing (a hole in the history).
    double missingShare = 0.0;
    history::AttributeRules rules;
};

/// Random draws (five distinct numbers each) on consecutive issues of the schedule, in issue
/// order, with their attributes derived.
std::vector<history::DrawRecord> generateDraws(const GeneratedHistory& settings);

/// `count` random draws from the default schedule, seeded.
std::vector<history::DrawRecord> generateDraws(std::size_t count, std::uint64_t seed = 1);

/// The issues of the schedule of `drawsPerDay` draws a day from `first` to `last`, without
/// `gaps`: the issues of a stored history.
std::vector<history::Issue> issueSchedule(history::Issue first, history::Issue last,
                                          int drawsPerDay = 84,
                                          const std::vector<history::Issue>& gaps = {});

/// The same draws as an in-memory snapshot.
history::Snapshot snapshotOf(const std::vector<history::DrawRecord>& records);

/// A snapshot of draws of `issues` whose values are all zero, for what reads the issues only.
history::Snapshot snapshotOfIssues(const std::vector<history::Issue>& issues);

} // namespace yilou::testing
