#include "analysis/pattern_overview.h"

#include <stdexcept>

namespace yilou::analysis {

PatternTallies::PatternTallies(const history::Snapshot& snapshot, IndexRange range,
                               int highestNumber)
    : highestNumber_(highestNumber), range_(range), reader_(highestNumber),
      tallies_(static_cast<std::int32_t>(range.before())) {
    std::size_t next = 0;
    for (int p = 0; p < kPatternCount; ++p) {
        const auto pattern = static_cast<Pattern>(p);
        const std::size_t i = PatternReader::index(pattern);
        odds_[i] = patternOdds(pattern, highestNumber);
        firstSlot_[i] = static_cast<std::uint8_t>(next);
        for (auto& slot : slots_[i] = valueIndexes(pattern, odds_[i].values))
            slot = slot < odds_[i].values.size() ? static_cast<std::uint8_t>(next + slot)
                                                 : static_cast<std::uint8_t>(kSlots - 1);
        next += odds_[i].values.size();
    }
    if (next >= kSlots)
        throw std::invalid_argument("PatternTallies: a game of more than 12 numbers");
    const DrawColumns columns(snapshot);
    if (range.first > 0)
        previousMask_ = columns.read(reader_, range.first - 1, 0).mask;
    add(snapshot, range.first, range.last + 1);
}

void PatternTallies::add(const history::Snapshot& snapshot, std::size_t first, std::size_t end) {
    const DrawColumns columns(snapshot);
    std::uint32_t previous = previousMask_;
    std::size_t i = first;
    if (i == 0 && i < end) {
        // The oldest stored draw: every pattern but 重号.
        const auto reading = columns.read(reader_, 0, 0);
        for (std::size_t p = 0; p < kPatternCount; ++p)
            if (p != PatternReader::index(Pattern::Repeat))
                tallies_.hit<true>(slots_[p][reading.raw[p]], 1);
        previous = reading.mask;
        ++i;
    }
    for (; i < end; ++i) {
        const auto reading = columns.read(reader_, i, previous);
        previous = reading.mask;
        const auto idx = static_cast<std::int32_t>(i + 1);
#pragma GCC unroll 10
        for (std::size_t p = 0; p < kPatternCount; ++p)
            tallies_.hit<true>(slots_[p][reading.raw[p]], idx);
    }
    previousMask_ = previous;
}

void PatternTallies::append(const history::Snapshot& snapshot) {
    const std::size_t end = snapshot.size();
    if (end <= range_.last + 1)
        return;
    add(snapshot, range_.last + 1, end);
    range_.last = end - 1;
}

PatternOverview PatternTallies::overview(const history::Snapshot& snapshot, Pattern pattern) const {
    const std::size_t p = PatternReader::index(pattern);
    const PatternOdds& odds = odds_[p];
    const std::size_t counted =
        range_.size() - (pattern == Pattern::Repeat && range_.first == 0 ? 1 : 0);
    PatternOverview result;
    result.pattern = pattern;
    result.range = range_;
    result.rows.reserve(odds.values.size());
    for (std::size_t v = 0; v < odds.values.size(); ++v)
        result.rows.push_back(overviewRow(snapshot, range_, odds.values[v], odds.probabilities[v],
                                          counted, tallies_.figures(firstSlot_[p] + v)));
    return result;
}

PatternOverview patternOverview(const history::Snapshot& snapshot, Pattern pattern,
                                IndexRange range, int highestNumber) {
    return PatternTallies(snapshot, range, highestNumber).overview(snapshot, pattern);
}

} // namespace yilou::analysis
