#pragma once

#include "analysis/draw_patterns.h"
#include "analysis/gap_tallies.h"
#include "analysis/issue_range.h"
#include "analysis/omission_overview.h"
#include "analysis/pattern_reader.h"
#include "core/snapshot.h"

#include <array>
#include <cstdint>
#include <optional>
#include <vector>

namespace yilou::analysis {

/// 形态遗漏: the overview of one pattern over a range, one row per value it can take in the game
/// (patternOdds' values, ascending) with the omission overview's figures, the value's code
/// in OverviewRow::value. A value is hit by the draws that have it, so the rows follow the
/// overview's gap rules; the oldest stored draw has no 重号, misses every value of it and is
/// left out of the draws its 理论次数 counts.
struct PatternOverview {
    Pattern pattern = Pattern::Sum;
    IndexRange range; ///< snapshot indexes of the range
    std::vector<OverviewRow> rows;
};

/// The running figures of every value of all ten patterns, or of one, over a range, made in
/// one pass over its draws. A draw stored after the range's last one is added by append() in
/// constant time, so a view that follows the newest draw need not read the history again.
class PatternTallies {
public:
    /// The draws of `range` (inside the snapshot) of a game of the numbers 1..highestNumber;
    /// all ten patterns, or only `only` (a tenth of the pass).
    PatternTallies(const history::Snapshot& snapshot, IndexRange range, int highestNumber,
                   std::optional<Pattern> only = std::nullopt);

    /// Adds the draws after the range's last one up to the snapshot's newest, which become the
    /// range's last. The draws of the range must be those it was made from.
    void append(const history::Snapshot& snapshot);

    IndexRange range() const { return range_; }
    int highestNumber() const { return highestNumber_; }

    /// The overview of one pattern, one the tallies hold; the current gaps count to the
    /// snapshot's newest draw.
    PatternOverview overview(const history::Snapshot& snapshot, Pattern pattern) const;

private:
    /// The figures of pattern p's raw value r are in slot kFirstSlot[p] + r.
    static constexpr std::array<std::size_t, kPatternCount> kFirstSlot = [] {
        std::array<std::size_t, kPatternCount> first{};
        for (std::size_t p = 1; p < kPatternCount; ++p)
            first[p] = first[p - 1] + PatternReader::kRawCounts[p - 1];
        return first;
    }();
    static constexpr std::size_t kSlots = kFirstSlot.back() + PatternReader::kRawCounts.back();

    void add(const history::Snapshot& snapshot, std::size_t first, std::size_t end);
    /// add() for patterns first .. last in Pattern order.
    template <std::size_t first, std::size_t last>
    void addPatterns(const history::Snapshot& snapshot, std::size_t from, std::size_t end);
    /// add() for pattern `only_`, found from pattern p on.
    template <std::size_t p>
    void addOnly(const history::Snapshot& snapshot, std::size_t from, std::size_t end);

    int highestNumber_;
    std::optional<Pattern> only_;
    IndexRange range_;
    PatternReader reader_;
    std::uint32_t previousMask_ = 0; ///< the numbers of the range's last draw
    GapTallies<kSlots> tallies_;
};

/// The overview of one pattern over the range.
PatternOverview patternOverview(const history::Snapshot& snapshot, Pattern pattern,
                                IndexRange range, int highestNumber);

} // namespace yilou::analysis
