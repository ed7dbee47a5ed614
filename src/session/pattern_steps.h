#pragma once

#include "analysis/draw_patterns.h"
#include "analysis/issue_range.h"
#include "analysis/omission_search.h"
#include "analysis/pattern_overview.h"
#include "analysis/pattern_trend.h"
#include "analysis/trend_chart.h"
#include "core/games.h"
#include "core/snapshot.h"
#include "core/text_grid.h"
#include "session/held_view.h"
#include "session/overview_grid.h"
#include "session/view_steps.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <tuple>
#include <vector>

/// The pattern views (形态): a pattern's overview and trend chart, and every draw's values, as
/// both front ends show them.
namespace yilou::session {

/// The pattern a key names (sum, span, odd, …); InputError listing the keys otherwise.
analysis::Pattern parsePattern(std::string_view key);

/// A pattern value's label: patternValueLabel, "—" for none (the oldest draw's 重号).
std::string patternValueText(analysis::Pattern pattern, int value);
/// The texts of a trend chart row's side columns (analysis::kTrendSidePatterns) in a game of the
/// numbers 1..highestNumber.
std::array<std::string, analysis::kTrendSidePatterns.size()>
trendSideTexts(const std::array<std::int8_t, 5>& numbers, int highestNumber);

/// The pattern overview as shown: the overview grid's columns under its headers, the value
/// column headed by the pattern's name and holding the value's label.
struct PatternOverviewView {
    analysis::PatternOverview overview; ///< rows in the order shown
    std::array<std::string, kOverviewColumnCount> headers;
    std::vector<std::array<std::string, kOverviewColumnCount>> cells; ///< per row
    std::string caption;
    std::vector<std::string> warnings;
};

/// The headers of a pattern's overview grid.
std::array<std::string, kOverviewColumnCount> patternOverviewHeaders(analysis::Pattern pattern);

/// The view of an overview already made, its rows ordered by `sort` when given.
PatternOverviewView patternOverviewView(const history::Snapshot& snapshot,
                                        analysis::PatternOverview overview,
                                        std::optional<OverviewColumn> sort = std::nullopt);

/// What a page keeps of its pattern overview (all ten patterns): the game's highest number.
using HeldPatterns = HeldView<analysis::PatternTallies, int>;

/// The same for the overview of `pattern` over the range, advancing `held` when only draws were
/// appended since (advanceOrMake).
PatternOverviewView patternOverviewView(const history::Snapshot& snapshot,
                                        analysis::Pattern pattern, analysis::IndexRange range,
                                        int highestNumber, HeldPatterns& held,
                                        std::uint64_t revision);

/// 形态遗漏 as the command line asks for it: the pattern by key, the range as typed, the rows
/// by a column key (overviewKey) when `sort` is not empty.
struct PatternOverviewRequest {
    std::string pattern;
    ViewRangeTexts range;
    std::string sort;
};
PatternOverviewView showPatternOverview(const history::Snapshot& snapshot,
                                        const PatternOverviewRequest& request,
                                        const history::Game& game);

/// The pattern trend as shown: its chart of one block and its value labels.
struct PatternTrendView {
    analysis::Pattern pattern = analysis::Pattern::Sum;
    /// Shared with the tallies a page holds, which copy it before they change it.
    std::shared_ptr<const analysis::TrendChart> chart;
    std::vector<std::string> labels;
    std::string caption;
    std::vector<std::string> warnings;

    /// The chart with its texts for the trend view: one block under the pattern's name.
    TrendShown shown() const;
};

/// The trend of `pattern` over the newest `rows` draws of the range.
PatternTrendView patternTrendView(const history::Snapshot& snapshot, analysis::Pattern pattern,
                                  analysis::IndexRange range, std::size_t rows, int highestNumber);
/// What a page keeps of its pattern trend: the pattern, the rows and the game's highest number.
using HeldPatternTrend =
    HeldView<analysis::PatternTrendTallies, std::tuple<analysis::Pattern, std::size_t, int>>;
/// The same, advancing `held` when only draws were appended since (advanceOrMake).
PatternTrendView patternTrendView(const history::Snapshot& snapshot, analysis::Pattern pattern,
                                  analysis::IndexRange range, std::size_t rows, int highestNumber,
                                  HeldPatternTrend& held, std::uint64_t revision);

/// 形态走势 as the command line asks for it: the pattern by key, the newest `last` draws (a
/// number or "all") up to the issue `to` (empty: the newest).
struct PatternTrendRequest {
    std::string pattern;
    std::string last;
    std::string to;
};
PatternTrendView showPatternTrend(const history::Snapshot& snapshot,
                                  const PatternTrendRequest& request, const history::Game& game);

/// Every draw's value of all ten patterns: 期号, 开奖号码 and a column per pattern. The texts are
/// made as they are read, so that a long history is never held as text.
struct PatternDrawsView {
    analysis::IndexRange range;
    std::vector<analysis::DrawPatternValues> values; ///< per row, in issue order
    std::vector<std::string> headers;

    /// The text of `column` in row `row` of `values`.
    std::string cell(const history::Snapshot& snapshot, std::size_t row, std::size_t column) const;
    /// The rows as a grid; the snapshot and the view must outlive it.
    history::TextGrid textGrid(const history::Snapshot& snapshot) const;
};
/// The newest `last` draws (empty: all).
PatternDrawsView showPatternDraws(const history::Snapshot& snapshot, const std::string& last,
                                  const history::Game& game);

/// What the search's result grids show for a value of a pattern: the draws of the overview's
/// range that have it as the detail rows, and its figures in the summary row, with the summary
/// grid's conventions (no hit: the search's 32767).
analysis::SearchResult patternValueSearch(const history::Snapshot& snapshot,
                                          const analysis::PatternOverview& overview, int value,
                                          int highestNumber);

} // namespace yilou::session
