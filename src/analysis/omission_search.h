#pragma once

#include "analysis/search_type.h"
#include "core/draw_record.h"
#include "core/snapshot.h"

#include <array>
#include <cstdint>
#include <string>
#include <vector>

namespace yilou::analysis {

/// One position's box: whether it takes part, its value and the text the box shows.
struct PositionInput {
    bool selected = false;
    int value = 0;
    std::string text;
};

/// Everything the search buttons read from the window.
struct SearchRequest {
    SearchType type = SearchType::Number;
    history::NumberOrder order = history::NumberOrder::Drop; ///< 落地码 (L) or 顺序码 (D)
    bool freePosition = true;                                ///< 自由位; false = 固定位
    std::array<PositionInput, 5> positions;
    history::Issue startIssue = 0, endIssue = 0; ///< the range, both ends included
    int sxIni = 1; ///< base of the zodiac codes, for the names in the grid
};

/// One matching draw of the detail grid. The values stay codes, so a result of a million rows
/// stays small; SearchResult::texts gives them as the grid shows them.
struct HitRow {
    history::Issue issue;
    std::array<std::int8_t, 5> values; ///< the five position values as stored
    std::int32_t gap;                  ///< draws since the previous hit (遗漏次数)
    std::int32_t seq;                  ///< running row number, from 1
};

/// The summary grid's row.
struct SummaryRow {
    std::string desc;            ///< the searched values (号码（分组）)
    std::int32_t min, max, last; ///< smallest, largest and current gap
    std::string ratio;           ///< largest ÷ current gap (大后比)
    std::vector<int> codes;      ///< the searched values as codes, in position order
};

struct SearchResult {
    std::vector<HitRow> hits;
    SummaryRow summary;
    SearchType type = SearchType::Number;
    int sxIni = 1;

    /// A value as the grid shows it: a zodiac code by name, anything else in plain decimal.
    std::string text(int value) const { return valueLabel(type, value, sxIni); }
    std::array<std::string, 5> texts(const HitRow& row) const;
};

/// The omission search (检索): the draws of the range that meet the condition of every selected
/// position, with their gaps and the summary. Free position: the value occurs among the draw's
/// attribute values (a value entered twice must occur twice); fixed position: the position
/// holds the value. Throws UserError when the range is reversed or holds no draw.
SearchResult omissionSearch(const history::Snapshot& snapshot, const SearchRequest& request);

/// The multi-position search (分部检索): all five positions take part, and a draw is a hit when
/// the conditions of at least `k` of them are met together. The description ends with
/// "(" + kText + ")", kText being the group size as the user chose it. Throws InputError for a
/// k outside 1..5, and the range errors of omissionSearch.
SearchResult multiPositionSearch(const history::Snapshot& snapshot, const SearchRequest& request,
                                 int k, const std::string& kText);

} // namespace yilou::analysis
