#include "analysis/pattern_overview.h"

#include <algorithm>
#include <stdexcept>

namespace yilou::analysis {

namespace {

/// Calls `hit(slot)` for the slot of each pattern's value in the reading, `first` to `last` of
/// the patterns in Pattern order.
template <std::size_t first, std::size_t last, typename Slots, typename Hit>
inline void forEachSlot(const PatternReader::Reading& reading, const Slots& firstSlot, Hit&& hit) {
    hit(firstSlot[first] + PatternReader::raw<static_cast<Pattern>(first)>(reading));
    if constexpr (first < last)
        forEachSlot<first + 1, last>(reading, firstSlot, hit);
}

} // namespace

PatternTallies::PatternTallies(const history::Snapshot& snapshot, IndexRange range,
                               int highestNumber, std::optional<Pattern> only)
    : highestNumber_(highestNumber), only_(only), range_(range), reader_(highestNumber),
      tallies_(static_cast<std::int32_t>(range.before())) {
    if (range.first > 0)
        previousMask_ = DrawColumns(snapshot).read(reader_, range.first - 1, 0).mask();
    add(snapshot, range.first, range.last + 1);
}

void PatternTallies::add(const history::Snapshot& snapshot, std::size_t first, std::size_t end) {
    if (only_)
        addOnly<0>(snapshot, first, end);
    else
        addPatterns<0, kPatternCount - 1>(snapshot, first, end);
}

template <std::size_t p>
void PatternTallies::addOnly(const history::Snapshot& snapshot, std::size_t from, std::size_t end) {
    if constexpr (p < static_cast<std::size_t>(kPatternCount)) {
        if (PatternReader::index(*only_) == p)
            addPatterns<p, p>(snapshot, from, end);
        else
            addOnly<p + 1>(snapshot, from, end);
    }
}

template <std::size_t first, std::size_t last>
void PatternTallies::addPatterns(const history::Snapshot& snapshot, std::size_t from,
                                 std::size_t end) {
    const DrawColumns columns(snapshot);
    std::uint32_t previous = previousMask_;
    std::size_t i = from;
    if (i == 0 && i < end) {
        // The oldest stored draw: every pattern but 重号 (firstDrawWithValue).
        const auto reading = columns.read(reader_, 0, 0);
        constexpr auto repeat = PatternReader::index(Pattern::Repeat);
        forEachSlot<first, last>(reading, kFirstSlot, [this](std::size_t slot) {
            if (slot < kFirstSlot[repeat] || slot >= kFirstSlot[repeat + 1])
                tallies_.hit<true>(slot, 1);
        });
        previous = reading.mask();
        ++i;
    }
    for (; i < end; ++i) {
        const auto reading = columns.read(reader_, i, previous);
        previous = reading.mask();
        const auto idx = static_cast<std::int32_t>(i + 1);
        forEachSlot<first, last>(reading, kFirstSlot,
                                 [this, idx](std::size_t slot) { tallies_.hit<true>(slot, idx); });
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
    if (only_ && *only_ != pattern)
        throw std::logic_error("pattern tallies asked for a pattern they do not hold");
    const std::size_t p = PatternReader::index(pattern);
    const PatternOdds odds = patternOdds(pattern, highestNumber_);
    const std::size_t counted =
        range_.last + 1 - std::max(range_.first, firstDrawWithValue(pattern));
    PatternOverview result;
    result.pattern = pattern;
    result.range = range_;
    result.rows.reserve(odds.values.size());
    for (std::size_t v = 0; v < odds.values.size(); ++v) {
        const std::size_t slot = kFirstSlot[p] + PatternReader::rawOf(pattern, odds.values[v]);
        result.rows.push_back(overviewRow(snapshot, range_, odds.values[v], odds.probabilities[v],
                                          counted, tallies_.figures(slot)));
    }
    return result;
}

PatternOverview patternOverview(const history::Snapshot& snapshot, Pattern pattern,
                                IndexRange range, int highestNumber) {
    return PatternTallies(snapshot, range, highestNumber, pattern).overview(snapshot, pattern);
}

} // namespace yilou::analysis
