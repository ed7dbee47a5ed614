#pragma once

#include "analysis/draw_patterns.h"
#include "analysis/issue_range.h"
#include "analysis/pattern_overview.h"
#include "analysis/trend_chart.h"
#include "core/snapshot.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <utility>
#include <vector>

namespace yilou::analysis {

/// 形态走势, the trend chart of one pattern, is a trend chart of one block: its rows the chart's
/// draws from the oldest (numbers in drawn order), its columns the values the pattern takes in
/// the game. Every row has one value, except the oldest stored draw's in the chart of 重号.
/// The block's bottom rows are the figures of the chart's draws as a range of their own.
TrendChart patternTrend(const history::Snapshot& snapshot, Pattern pattern, IndexRange range,
                        std::size_t rows, int highestNumber);

/// A pattern's trend chart kept so that draws appended to the history after the range's last
/// one advance it, as TrendTallies does for the trend chart.
class PatternTrendTallies {
public:
    /// The chart of `pattern` over the newest `rows` draws of the range (kAllDraws: all).
    PatternTrendTallies(const history::Snapshot& snapshot, Pattern pattern, IndexRange range,
                        std::size_t rows, int highestNumber);

    /// Adds the draws after the range's last one up to the snapshot's newest, which become the
    /// range's last. The draws of the range must be those it was made from.
    void append(const history::Snapshot& snapshot);

    IndexRange range() const { return range_; }
    /// The chart of tallies that are done with: moved out unless shared.
    TrendChart chart() && { return chart_.use_count() == 1 ? std::move(*chart_) : *chart_; }
    /// The chart to be shown. Advancing it copies it first while such a share is held, so that
    /// a chart of every draw is best let go before append().
    std::shared_ptr<const TrendChart> shared() const { return chart_; }

private:
    /// Adds the rows of the draws from snapshot index `first` to the chart's last.
    void addRows(const history::Snapshot& snapshot, std::size_t first);

    Pattern pattern_;
    IndexRange range_;
    std::size_t rows_;
    std::shared_ptr<TrendChart> chart_;
    PatternTallies footer_;
};

/// The patterns the basic trend chart can show beside its rows: 和值, 跨度, 奇偶比, 大小比.
inline constexpr std::array<Pattern, 4> kTrendSidePatterns{Pattern::Sum, Pattern::Span,
                                                           Pattern::Odd, Pattern::Big};

/// A row's values of kTrendSidePatterns, from its five numbers in any order (none of these
/// patterns depends on the order).
std::array<int, kTrendSidePatterns.size()>
trendSideValues(const std::array<std::int8_t, 5>& numbers, int highestNumber);

} // namespace yilou::analysis
