#pragma once

#include "analysis/draw_patterns.h"
#include "analysis/issue_range.h"
#include "analysis/pattern_overview.h"
#include "analysis/trend_chart.h"
#include "core/snapshot.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <utility>
#include <vector>

namespace yilou::analysis {

/// 形态走势: the trend chart of one pattern, shaped as the trend chart's: rows are the chart's
/// draws from the oldest, columns the values the pattern takes in the game.
struct PatternTrend {
    Pattern pattern = Pattern::Sum;
    std::vector<int> values;
    IndexRange view; ///< snapshot indexes of the rows
    std::vector<history::Issue> issues;
    std::vector<std::array<std::int8_t, 5>> numbers; ///< per row, in drawn order
    /// Per value: the rows whose draw has it, ascending. Every row is in one list, except the
    /// oldest stored draw's in the chart of 重号.
    std::vector<std::vector<std::uint32_t>> hitRows;
    /// Per value: the IDX of the last draw before the chart that had it, 0 when none had.
    std::vector<std::int32_t> hitBefore;
    /// The bottom rows: the figures of the chart's draws as a range of their own (出现次数,
    /// 平均遗漏, 最大遗漏 and 最大连出 among them), one row per value.
    PatternOverview footer;

    std::size_t rowCount() const { return issues.size(); }
    /// A cell: 0 where the row's draw has the value (the ball), else the draws since the
    /// value's last hit, counted from hits before the chart as well.
    std::int32_t misses(std::size_t value, std::size_t row) const {
        return trendMisses(hitRows[value], hitBefore[value], view.first, row);
    }
};

/// The trend chart of `pattern` over the newest `rows` draws of the range (kAllDraws: all).
PatternTrend patternTrend(const history::Snapshot& snapshot, Pattern pattern, IndexRange range,
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
    const PatternTrend& trend() const& { return trend_; }
    PatternTrend trend() && { return std::move(trend_); }

private:
    /// Adds the rows of the draws from snapshot index `first` to the chart's last.
    void addRows(const history::Snapshot& snapshot, std::size_t first);

    IndexRange range_;
    std::size_t rows_;
    PatternTrend trend_;
    PatternTallies footer_;
};

/// The patterns the basic trend chart can show beside its rows: 和值, 跨度, 奇偶比, 大小比.
inline constexpr std::array<Pattern, 4> kTrendSidePatterns{Pattern::Sum, Pattern::Span,
                                                           Pattern::Odd, Pattern::Big};

/// For each row of a trend chart, its values of kTrendSidePatterns (none of them depends on the
/// order in which the chart shows the numbers).
std::vector<std::array<int, kTrendSidePatterns.size()>> trendSideColumns(const TrendChart& chart,
                                                                         int highestNumber);

} // namespace yilou::analysis
