#pragma once

#include "analysis/issue_range.h"
#include "analysis/search_type.h"
#include "core/draw_record.h"
#include "core/snapshot.h"

#include <array>
#include <cstdint>
#include <optional>
#include <vector>

namespace yilou::analysis {

/// Where a value is looked for: anywhere in the draw (任意位, 0) or at position 1..5 (定位).
inline constexpr int kAnyPlace = 0;

/// Closed gaps of length 1..20 are counted one by one, longer ones together.
inline constexpr int kHistogramLengths = 20;

/// What the overview covers.
struct OverviewRequest {
    SearchType type = SearchType::Number;
    history::NumberOrder order = history::NumberOrder::Drop; ///< read at a position only
    int place = kAnyPlace;
    IndexRange range;
    int highestNumber = 11;        ///< 11, or 12 for the happy-12 games
    history::AttributeRules rules; ///< the codes in force, for the value list and the odds
};

/// The first and the last issue of a stretch of draws.
struct IssueSpan {
    history::Issue first = 0;
    history::Issue last = 0;

    friend bool operator==(const IssueSpan&, const IssueSpan&) = default;
};

/// The omission figures of one value at the request's place. A closed gap is one that ends
/// at a hit; the first counts from the IDX before the range, as the search's gaps do.
struct OverviewRow {
    int value = 0;          ///< the number or attribute code
    double probability = 0; ///< that a random draw of the game holds the value there
    /// False for a value that no number of the game takes in the zodiac year of the range's
    /// newest draw (不可能): never due, whatever its gaps.
    bool possible = true;
    std::int32_t hits = 0;   ///< 出现次数: draws of the range holding it
    double expectedHits = 0; ///< 理论次数: draws of the range × probability
    /// 最小遗漏: none when nothing was hit
    std::optional<std::int32_t> minGap;
    /// 最大遗漏: the longest closed gap; when nothing was hit, the whole stretch without the
    /// value, which is the current gap.
    std::int32_t maxGap = 0;
    std::int32_t currentGap = 0; ///< 当前遗漏: to one past the newest draw of the history
    std::optional<double> ratio; ///< 大后比: maxGap ÷ currentGap, none when nothing was hit
    /// 平均遗漏, 上次遗漏 and 欲出几率 exist only when the range holds a hit.
    std::optional<double> meanGap;
    std::optional<std::int32_t> lastGap;
    /// 理论遗漏: 1 ÷ probability, for every value whose probability is above 0, hit or not.
    std::optional<double> theoreticalGap;
    std::optional<double> dueChance;
    /// 最大遗漏期间: from the draw after the previous hit (or the range's first draw) to the
    /// hit that closed the longest gap; of equal gaps the newest. None without a hit.
    std::optional<IssueSpan> maxGapSpan;
    std::int32_t maxRun = 0;     ///< 最大连出: longest run of consecutive draws holding it
    std::int32_t currentRun = 0; ///< 当前连出: the run that ends at the range's newest draw
    /// Closed gaps of length 1..20 (entries 0..19) and longer (entry 20).
    std::array<std::int32_t, kHistogramLengths + 1> histogram{};

    friend bool operator==(const OverviewRow&, const OverviewRow&) = default;
};

/// 遗漏总览: one row per value of the type, in value order.
struct OverviewResult {
    SearchType type = SearchType::Number;
    history::NumberOrder order = history::NumberOrder::Drop;
    int place = kAnyPlace;
    int sxIni = 1;    ///< base of the zodiac codes, for their names
    IndexRange range; ///< snapshot indexes of the range
    std::vector<OverviewRow> rows;
};

/// For each of `values`, the probability that a random draw of the game (every set of five
/// numbers equally likely, in every order) holds it at `place` in `order`, with the attributes
/// derived for a draw of `issue` under `rules`.
std::vector<double> placeProbabilities(SearchType type, history::NumberOrder order, int place,
                                       const std::vector<int>& values, int highestNumber,
                                       history::Issue issue, const history::AttributeRules& rules);

/// The overview of every value of the type over the range. Its smallest, largest and current
/// gap and 大后比 are those of the omission search for the value alone: at the position, or
/// anywhere (free position); a value without a hit has no smallest gap and no 大后比 instead of
/// the search's 32767. The request's range must lie inside the snapshot.
OverviewResult omissionOverview(const history::Snapshot& snapshot, const OverviewRequest& request);

} // namespace yilou::analysis
