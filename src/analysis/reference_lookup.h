#pragma once

#include "analysis/search_type.h"
#include "core/draw_record.h"
#include "core/issue.h"
#include "core/snapshot.h"

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

/// The snapshot index of the reference draw of a typed issue: the newest stored draw not after
/// it. Throws UserError for an empty history or an issue older than the oldest draw.
std::size_t referenceDrawIndex(const history::Snapshot& snapshot, history::Issue reference);

/// The range end that goes with the reference draw at `referenceIndex`: the newest issue, or
/// with `beforeOnly` the issue before that draw by the day rule. Counted back from the draw
/// found, a reference issue that is not stored never lets the range take in that draw itself.
history::Issue referenceRangeEnd(const history::Snapshot& snapshot, std::size_t referenceIndex,
                                 bool beforeOnly, int drawsPerDay);

/// Finds the reference draw (referenceDrawIndex) and reads its five position values of `type`
/// in `order` (合数 is head plus tail), with the range end of referenceRangeEnd.
ReferenceLookup YSJS(const history::Snapshot& snapshot, history::Issue reference, bool beforeOnly,
                     SearchType type, history::NumberOrder order, int sxIni, int drawsPerDay);

} // namespace yilou::analysis
