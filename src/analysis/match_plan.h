#pragma once

#include "analysis/issue_range.h"
#include "analysis/search_type.h"
#include "core/draw_record.h"
#include "core/snapshot.h"

#include <cstdint>
#include <vector>

namespace yilou::analysis {

/// What a draw must hold to be a hit, as a score: every term adds to a draw's score, and the
/// draw is a hit when its score reaches `need`. Scoring instead of testing each condition on
/// its own lets one scan answer both "all n conditions" and "any k of the five".
struct MatchPlan {
    /// Free position: `multiplicity` entered positions ask for `value` anywhere in the draw.
    /// It adds how many of them the draw satisfies: for attributes one per occurrence of the
    /// value (the k-th entry of a value needs k occurrences), for numbers all of them as soon
    /// as the number occurs once.
    struct FreeTerm {
        int value;
        int multiplicity;
    };
    /// Fixed position: adds 1 when the position (0..4) holds the value (for 合数 the sum
    /// column, which holds the head plus the tail digit).
    struct FixedTerm {
        int position;
        int value;
    };

    SearchType type = SearchType::Number;
    history::NumberOrder order = history::NumberOrder::Drop;
    std::vector<FreeTerm> freeTerms;
    std::vector<FixedTerm> fixedTerms;
    int need = 0;
};

/// Snapshot indexes of the draws in `range` whose score reaches the plan's need, ascending.
std::vector<std::uint32_t> matchingDraws(const history::Snapshot& snapshot, const MatchPlan& plan,
                                         IndexRange range);

} // namespace yilou::analysis
