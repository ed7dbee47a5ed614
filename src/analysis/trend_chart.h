#pragma once

#include "analysis/issue_range.h"
#include "analysis/omission_overview.h"
#include "analysis/overview_tallies.h"
#include "analysis/search_type.h"
#include "core/draw_record.h"
#include "core/snapshot.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <limits>
#include <memory>
#include <utility>
#include <vector>

namespace yilou::analysis {

/// A row count that takes every draw of the range.
inline constexpr std::size_t kAllDraws = std::numeric_limits<std::size_t>::max();

/// What the trend chart (走势图) shows.
struct TrendRequest {
    SearchType type = SearchType::Number;
    history::NumberOrder order = history::NumberOrder::Drop;
    std::vector<int> places{kAnyPlace}; ///< one block of columns per place (kAnyPlace or 1..5)
    IndexRange range;
    std::size_t rows = kAllDraws; ///< the newest draws of the range, at least 1
    int highestNumber = 11;
    history::AttributeRules rules;
};

/// The columns of one place: a column per value of the chart.
struct TrendBlock {
    int place = kAnyPlace;
    /// Per value: the rows (0 = the chart's oldest draw) whose draw holds it, ascending.
    std::vector<std::vector<std::uint32_t>> hitRows;
    /// Per value: the IDX of its last hit before the chart's first row, 0 when it had none.
    std::vector<std::int32_t> hitBefore;
    /// The bottom rows: the figures of the chart's draws as a range of their own (出现次数,
    /// 平均遗漏, 最大遗漏 and 最大连出 among them), one row per value. Their 最大遗漏 is the
    /// longest stretch without the value in the chart: the open one from its last hit to one
    /// past the chart's last row counts too.
    OverviewResult view;
};

/// Rows are the chart's draws from the oldest; columns the values of each block.
struct TrendChart {
    SearchType type = SearchType::Number;
    history::NumberOrder order = history::NumberOrder::Drop;
    int sxIni = 1;
    std::vector<int> values;
    IndexRange view; ///< snapshot indexes of the rows
    std::vector<history::Issue> issues;
    std::vector<std::array<std::int8_t, 5>> numbers; ///< per row, in the chart's order
    std::vector<TrendBlock> blocks;

    std::size_t rowCount() const { return issues.size(); }
    /// A cell: 0 when the row's draw holds the value, else the draws since the value's last
    /// hit (1 for the first miss after a hit), counted from hits before the chart as well.
    std::int32_t misses(std::size_t block, std::size_t value, std::size_t row) const;
};

/// The chart's 最大遗漏 is the longest stretch without the value among its own rows: the
/// longest closed gap, or the open one from the last hit to one past the chart's last row when
/// that is longer. Without a hit in the chart that stretch is the whole chart.
void longestStretchInView(OverviewRow& row, const std::vector<std::uint32_t>& hitRows,
                          IndexRange view);

/// A cell of a column whose draws are listed in `hitRows` (rows counted from the chart's first
/// draw, the snapshot index `firstIndex`) and whose last hit before the chart was on IDX
/// `hitBefore` (0 for none): 0 on a hit, else the draws since the last hit.
std::int32_t trendMisses(const std::vector<std::uint32_t>& hitRows, std::int32_t hitBefore,
                         std::size_t firstIndex, std::size_t row);

/// Adds to a chart's issues and numbers (in `order`) the rows of the draws from snapshot index
/// `first` to the last of `view`, the chart's draws.
void addChartRows(std::vector<history::Issue>& issues,
                  std::vector<std::array<std::int8_t, 5>>& numbers,
                  const history::Snapshot& snapshot, history::NumberOrder order, std::size_t first,
                  IndexRange view);

/// The chart to change in place: `chart` itself, or first a copy of it while a page that shows
/// it still holds a share.
TrendChart& unshared(std::shared_ptr<TrendChart>& chart);

/// The trend chart of the newest `rows` draws of the range.
TrendChart trendChart(const history::Snapshot& snapshot, const TrendRequest& request);

/// A trend chart kept so that draws appended to the history after the range's last one advance
/// it: a chart of every draw of the range grows by their rows at the cost of their values; one
/// of the newest N draws slides and is made again over its N draws.
class TrendTallies {
public:
    TrendTallies(const history::Snapshot& snapshot, const TrendRequest& request);

    /// Adds the draws after the range's last one up to the snapshot's newest, which become the
    /// range's last. The draws of the range must be those it was made from.
    void append(const history::Snapshot& snapshot);

    IndexRange range() const { return request_.range; }
    const TrendChart& chart() const& { return *chart_; }
    /// The chart of tallies that are done with: moved out unless shared.
    TrendChart chart() && { return chart_.use_count() == 1 ? std::move(*chart_) : *chart_; }
    /// The chart to be shown. Advancing it copies it first while such a share is held, so that
    /// a chart of every draw is best let go before append().
    std::shared_ptr<const TrendChart> shared() const { return chart_; }

private:
    /// Adds the rows of the draws from snapshot index `first` to the chart's last.
    void addRows(const history::Snapshot& snapshot, std::size_t first);

    TrendRequest request_;
    std::shared_ptr<TrendChart> chart_;
    /// Per block, the running figures of its bottom rows.
    std::vector<OverviewTallies> footers_;
};

} // namespace yilou::analysis
