#pragma once

#include "analysis/issue_range.h"
#include "analysis/omission_overview.h"
#include "analysis/overview_tallies.h"
#include "analysis/search_type.h"
#include "analysis/trend_chart.h"
#include "core/draw_record.h"
#include "core/missing_issues.h"
#include "core/snapshot.h"
#include "session/choices.h"
#include "session/held_view.h"
#include "session/overview_grid.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <tuple>
#include <vector>

/// The views of the history beside the searches (遗漏总览, 走势图, 检查缺失期号), one step each:
/// a request as both front ends read it in, what they show as the answer. Each step follows the
/// same pattern, to be copied by a new view: a …Request of plain values and the texts the user
/// typed, one function that checks and computes, and a result that holds the rows, their texts
/// and the caption, so that the window and the command line only render it.
namespace yilou::session {

/// What every view reads from the search controls: the type and number order buttons
/// (--type, --order), the range boxes (--from, --to), the reference issue of the second tab
/// (--ref, --before) and how many of the newest draws of the range count (--last, the trend's N).
struct ViewRequest {
    analysis::SearchType type = analysis::SearchType::Number;
    history::NumberOrder order = history::NumberOrder::Drop;
    std::string start; ///< the start box's text; empty: the oldest draw
    std::string end;   ///< the end box's text; empty: the reference's end, else the newest draw
    std::optional<std::string> reference; ///< the issue typed as 指定期号
    bool beforeOnly = false;              ///< the range ends before the reference draw
    std::size_t last = analysis::kAllDraws;
};

/// The draws a view covers. A reference issue sets the range end unless an end text is given
/// (referenceRangeEnd: the newest draw, or with `beforeOnly` the issue before the reference
/// draw; one that finds no draw is refused). Of that range the newest `last` draws count. An
/// empty history, a text that is not an issue or a range without draws throws UserError.
analysis::IndexRange viewRange(const history::Snapshot& snapshot, const ViewRequest& request,
                               const Choices& choices);
/// The same with the draws a day given instead of the choices.
analysis::IndexRange viewRange(const history::Snapshot& snapshot, const ViewRequest& request,
                               int drawsPerDay);

/// The range of a view as typed. Empty boxes stand for the oldest and the newest draw; a
/// reference issue sets the end when `to` is empty (with `before`, the issue before it), as the
/// search does; `last` keeps the newest N draws of the range.
struct ViewRangeTexts {
    std::string from = {};
    std::string to = {};
    std::string last = {};
    std::string reference = {};
    bool before = false;
};
analysis::IndexRange resolveViewRange(const history::Snapshot& snapshot,
                                      const ViewRangeTexts& texts, int drawsPerDay);

/// How the range boxes (起, 止) follow the history: 检索期选择 (前 N 期, 上期, or neither) and
/// 仅检索该期前.
enum class RangeSpan {
    AsTyped, ///< neither: 起 stays as it is (the oldest draw when empty)
    Whole,   ///< 上期: the whole history
    Newest,  ///< 前 N 期: the newest N draws up to 止
};
struct RangeRule {
    RangeSpan span = RangeSpan::AsTyped;
    std::string start = {}; ///< 起 as it is
    std::string count = {}; ///< N of 前 N 期 as typed; empty limits nothing
    /// 仅检索该期前 ticked on the reference tab: 止 is the issue before `reference`.
    bool beforeReference = false;
    std::string reference = {};
    /// The history was replaced or grew by an import, a sample or an update: 起 as typed gives
    /// way to the oldest draw.
    bool restart = false;
};
/// What the range boxes show.
struct RangeBoxes {
    std::string start;
    std::string end;
};
/// The range boxes under `rule`, set again after every change of the history and of the rule,
/// so that the searches (which read the boxes) and the views (which read the reference) cover
/// the same draws. 止 is the newest draw, or when `beforeReference` and the reference is an
/// issue that finds a draw, the end the views take (referenceRangeEnd: the issue before the
/// draw found); 起 follows the span. Both are empty for an
/// empty history. An N that is not a count throws InputError.
RangeBoxes rangeBoxes(const history::Snapshot& snapshot, const RangeRule& rule, int drawsPerDay);

/// A place as typed: "any" (任意位) or 1..5; anything else throws InputError.
int parsePlace(std::string_view text);
/// A count of the newest draws as typed: "all" or a whole number of at least 1.
std::size_t parseDrawCount(std::string_view text);

/// 遗漏总览 at one place.
struct OverviewShown {
    analysis::OverviewResult result; ///< its rows in the order asked for
    std::string caption;             ///< overviewCaption
};
OverviewShown showOverview(const history::Snapshot& snapshot, const ViewRequest& request, int place,
                           const Choices& choices,
                           std::optional<OverviewColumn> sort = std::nullopt);
/// What a page keeps of its overview: the type, order, place, game and codes it was made for.
using HeldOverview =
    HeldView<analysis::OverviewTallies, std::tuple<analysis::SearchType, history::NumberOrder, int,
                                                   int, history::AttributeRules>>;
/// The same, advancing `held` when only draws were appended since (advanceOrMake).
OverviewShown showOverview(const history::Snapshot& snapshot, const ViewRequest& request, int place,
                           const Choices& choices, HeldOverview& held, std::uint64_t revision,
                           std::optional<OverviewColumn> sort = std::nullopt);

/// 走势图 of the newest draws: the chart and the texts around its cells.
struct TrendShown {
    /// Shared with the tallies a page holds, which copy it before they change it.
    std::shared_ptr<const analysis::TrendChart> chart;
    std::string caption;                    ///< viewCaption over the chart's draws
    std::vector<std::string> labels;        ///< the column header of each value
    std::vector<std::string> blockCaptions; ///< over each block: its place, or the pattern
    /// Every row of a block holds one value at most, as at one position or in a pattern's
    /// chart, so that 辅助线 can join the hits.
    bool oneValuePerRow = false;
    /// The bottom rows: [row of kTrendFooter][block][value].
    std::array<std::vector<std::vector<std::string>>, kTrendFooter.size()> footer;

    /// A row's numbers as the chart's second column shows them: "03 07 11 01 05".
    std::string numbersText(std::size_t row) const;
    /// A cell as a table shows it: a hit the value in brackets, a miss the draws since the last.
    std::string cellText(std::size_t block, std::size_t value, std::size_t row) const;
};
/// A chart with its texts: `labels` over the values, `blockCaptions` over the blocks, and the
/// bottom rows from the blocks' figures.
TrendShown trendShown(std::shared_ptr<const analysis::TrendChart> chart, std::string caption,
                      std::vector<std::string> labels, std::vector<std::string> blockCaptions);
/// `place` is kAnyPlace, 1..5 or kEachPosition.
TrendShown showTrend(const history::Snapshot& snapshot, const ViewRequest& request, int place,
                     const Choices& choices);
/// What a page keeps of its trend chart: the type, order, places, game and codes.
using HeldTrend =
    HeldView<analysis::TrendTallies, std::tuple<analysis::SearchType, history::NumberOrder,
                                                std::vector<int>, int, history::AttributeRules>>;
/// The same, advancing `held` when only draws were appended since (advanceOrMake).
TrendShown showTrend(const history::Snapshot& snapshot, const ViewRequest& request, int place,
                     const Choices& choices, HeldTrend& held, std::uint64_t revision);

/// 检查缺失期号 for the current game.
struct MissingShown {
    history::MissingIssues missing;
    int drawsPerDay = 0;
    std::string summary; ///< none missing, or how many
    /// The issues that fit no day of the game, when there are any.
    std::optional<std::string> unplacedNote;
};
/// Refuses an empty history (UserError).
MissingShown listMissingIssues(const history::Snapshot& snapshot, const Choices& choices);

} // namespace yilou::session
