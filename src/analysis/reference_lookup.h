#pragma once

#include "analysis/search_type.h"
#include "history/draw_record.h"
#include "history/snapshot.h"

#include <array>
#include <cstddef>
#include <string>

namespace yilou::analysis {

/// The search values taken from a past draw (历史指定期).
struct ReferenceLookup {
    std::size_t referenceIndex;       ///< snapshot index of the reference draw
    std::array<int, 5> values;        ///< intPosValue(1..5) for the type and order
    std::array<std::string, 5> texts; ///< Text2(11..15): zodiac names or plain decimal
    std::string endIssue; ///< Text3(1): the newest issue, or the issue before the reference
};

/// Finds the reference draw, the newest stored draw not after `referenceText` (a ten- or
/// eight-digit issue), and reads its five position values of `type` in `order` (合数 is head
/// plus tail). With `beforeOnly` the range end becomes the issue before the reference draw.
/// Throws InputError for an unreadable issue text, UserError for an empty history or an issue
/// older than the oldest draw.
ReferenceLookup YSJS(const history::Snapshot& snapshot, const std::string& referenceText,
                     bool beforeOnly, SearchType type, history::NumberOrder order, int sxIni,
                     int drawsPerDay);

} // namespace yilou::analysis
