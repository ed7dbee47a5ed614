#pragma once

#include "analysis/omission_overview.h"
#include "analysis/search_type.h"
#include "core/draw_record.h"
#include "core/missing_issues.h"
#include "core/snapshot.h"

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace yilou::session {

/// The overview grid (遗漏总览): its columns, in grid order, their headers, keys and texts.
enum class OverviewColumn {
    Value,          ///< the value (号码, 生肖 … by the type)
    Hits,           ///< 出现次数
    ExpectedHits,   ///< 理论次数
    MinGap,         ///< 最小遗漏
    MaxGap,         ///< 最大遗漏
    CurrentGap,     ///< 当前遗漏
    Ratio,          ///< 大后比
    MeanGap,        ///< 平均遗漏
    LastGap,        ///< 上次遗漏
    TheoreticalGap, ///< 理论遗漏
    DueChance,      ///< 欲出几率
    MaxGapSpan,     ///< 最大遗漏期间
    MaxRun,         ///< 最大连出
    CurrentRun,     ///< 当前连出
};
inline constexpr int kOverviewColumnCount = 14;

/// The text shown for a figure that does not exist (no hit in the range).
inline constexpr const char* kNoFigure = "—";

/// The grid header of a column; the value column is headed by the type's caption.
std::string overviewHeader(OverviewColumn column, analysis::SearchType type);

/// The English name of a column, as the command line's --sort and json keys spell it
/// ("value", "hits", "expectedHits", …).
const char* overviewKey(OverviewColumn column);
std::optional<OverviewColumn> overviewColumnFromKey(const std::string& key);

/// A value as the overview and the trend chart show it: numbers with two digits, zodiac codes
/// by name, digits and segments in plain decimal.
std::string overviewValueText(analysis::SearchType type, int value, int sxIni);

/// The places of a trend chart beside one place: a block for each position.
inline constexpr int kEachPosition = -1;

/// A place as the grids name it: 任意位, 第1位 … 第5位, and 第1～5位 for kEachPosition.
std::string placeCaption(int place);

/// A cell as the grid shows it: counts in plain decimal, 大后比 as the search shows it, other
/// fractions with two decimals, the longest gap's issues joined by "～", "—" for none.
std::string overviewCellText(const analysis::OverviewResult& result,
                             const analysis::OverviewRow& row, OverviewColumn column);
/// The same for the figures, every column but the value.
std::string overviewFigureText(const analysis::OverviewRow& row, OverviewColumn column);

/// The raw number a column sorts by; none for a figure that does not exist, and for every
/// figure of a value that no number can take (never listed as due).
std::optional<double> overviewSortKey(const analysis::OverviewRow& row, OverviewColumn column);

/// Orders rows by a column, ascending or descending; rows whose figure does not exist go last
/// either way, and equal rows keep their order.
void sortOverviewRows(std::vector<analysis::OverviewRow>& rows, OverviewColumn column,
                      bool descending = false);

/// The header of the gap histogram's column of closed gaps of `length` draws, 1..20; a larger
/// length heads the column of the longer ones ("遗漏20以上").
std::string histogramHeader(int length);

/// What an overview covers, as a line above it: type, place, first and last issue and the
/// number of draws ("号码  任意位  2014102884～2015021510（1234期）").
std::string overviewCaption(const analysis::OverviewResult& result,
                            const history::Snapshot& snapshot);
/// The same for any view: `place` names its place or places.
std::string viewCaption(analysis::SearchType type, const std::string& place,
                        analysis::IndexRange range, const history::Snapshot& snapshot);
/// The range part of a caption: "2014102884～2015021510（1234期）".
std::string rangeCaption(analysis::IndexRange range, const history::Snapshot& snapshot);

/// The headers of the trend chart's first two columns: the issue and the numbers drawn.
inline constexpr std::array<const char*, 2> kTrendDrawHeaders{"期号", "开奖号码"};

/// A cell of a trend chart as a table shows it: a hit the value's label in brackets, a miss
/// the draws since the last hit.
inline std::string trendCellText(std::int32_t misses, const std::string& label) {
    return misses == 0 ? "[" + label + "]" : std::to_string(misses);
}

/// The five numbers of a draw as the column 开奖号码 shows them: "01 05 07 10 11".
template <typename Numbers> std::string drawNumbersText(const Numbers& numbers) {
    std::string text;
    for (const auto number : numbers)
        text += (text.empty() ? "" : " ") + history::twoDigitText(number);
    return text;
}

/// The bottom rows of the trend chart, figures of the chart's own draws.
inline constexpr std::array<OverviewColumn, 4> kTrendFooter{
    OverviewColumn::Hits, OverviewColumn::MeanGap, OverviewColumn::MaxGap, OverviewColumn::MaxRun};

/// The list of the missing-issue check: one run of issues that the history lacks per row.
struct MissingGrid {
    static constexpr int kColumns = 3;
    static const std::array<std::string, kColumns>& headers();
    static std::string cell(const history::MissingRange& range, int column);
};

} // namespace yilou::session
