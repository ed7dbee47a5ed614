#pragma once

#include "analysis/search_type.h"
#include "core/issue.h"
#include "core/snapshot.h"
#include "core/yl_row.h"

#include <vector>

namespace yilou::analysis {

/// The largest group size the calculation accepts.
inline constexpr int kMaxGroupSize = 6;
/// The most codes one calculation combines.
inline constexpr int kMaxGroupCodes = 32;

/// What the grouped calculation combines and over which issues.
struct GroupRequest {
    SearchType type = SearchType::Number;
    std::vector<int> codes; ///< codes of the ticked boxes, in box order (selectableCodes)
    int k = 0;              ///< group size
    history::Issue startIssue = 0, endIssue = 0; ///< the range, both ends included
    int sxIni = 1; ///< base of the zodiac codes, for the zodiac labels
};

/// For every k-combination of the codes (lexicographic order of their positions in the list):
/// the gaps between the draws of the range that hold every member, and the current omission
/// to the newest draw of the whole history. Rows come in enumeration order. Throws UserError
/// for a reversed or empty range, InputError for a group size outside 1..6, a code given twice,
/// more codes than kMaxGroupCodes, or fewer codes than the group size.
std::vector<history::YlRow> P6Count(const history::Snapshot& snapshot, const GroupRequest& request);

} // namespace yilou::analysis
