#pragma once

#include "analysis/play_type.h"
#include "core/snapshot.h"
#include "support/history_generator.h"

#include <algorithm>
#include <cstdint>
#include <initializer_list>

// What the tests of the play boards and of the ticket filter check the engine against.
namespace yilou::analysis {

/// The rule of each play as the players state it.
inline bool hitsByDefinition(Play play, const PlayCombination& c,
                             const history::PositionValues& drawn) {
    const int k = playSize(play);
    const auto in = [](int value, auto first, auto last) {
        return std::find(first, last, value) != last;
    };
    if (play <= Play::Any5) // all k numbers among the five drawn
        return std::all_of(c.numbers.begin(), c.numbers.begin() + k,
                           [&](int n) { return in(n, drawn.begin(), drawn.end()); });
    if (play <= Play::Any8) // all five drawn among the k numbers
        return std::all_of(drawn.begin(), drawn.end(),
                           [&](int d) { return in(d, c.numbers.begin(), c.numbers.begin() + k); });
    // The combination's numbers are distinct, so as a multiset the first k drawn are the set.
    if (!isOrdered(play))
        return std::is_permutation(drawn.begin(), drawn.begin() + k, c.numbers.begin());
    return std::equal(drawn.begin(), drawn.begin() + k, c.numbers.begin());
}

/// Random draws of an N-number game, seeded.
inline history::Snapshot randomHistory(std::uint64_t seed, int n, std::size_t draws) {
    testing::GeneratedHistory settings;
    settings.seed = seed;
    settings.highestNumber = n;
    settings.draws = draws;
    return testing::snapshotOf(testing::generateDraws(settings));
}

/// Draws on consecutive issues from 2024-01-01, one a line as d1 … d5.
inline history::Snapshot historyOf(std::initializer_list<history::PositionValues> draws) {
    std::vector<history::DrawRecord> records;
    history::Issue issue = 24010101;
    for (const auto& numbers : draws)
        records.push_back(history::DeriveAttributes(issue++, numbers, {}));
    return testing::snapshotOf(records);
}

} // namespace yilou::analysis
