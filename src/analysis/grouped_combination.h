#pragma once

#include "analysis/search_type.h"
#include "history/history_db.h"
#include "history/snapshot.h"
#include "history/yl_table.h"

#include <optional>
#include <string>
#include <vector>

namespace yilou::analysis {

/// The largest group size the calculation accepts.
inline constexpr int kMaxGroupSize = 6;
/// The most codes one calculation combines.
inline constexpr int kMaxGroupCodes = 32;

/// What the grouped calculation combines and over which issues.
struct GroupRequest {
    SearchType type = SearchType::Number;
    std::vector<int> codes;           ///< codes of the ticked boxes, in box order (selectableCodes)
    int k = 0;                        ///< group size
    std::string startIssue, endIssue; ///< the range boxes' texts
    int sxIni = 1;                    ///< base of the zodiac codes, for the zodiac labels
};

/// For every k-combination of the codes (lexicographic order of their positions in the list):
/// the gaps between the draws of the range that hold every member, and the current omission
/// to the newest draw of the whole history. Rows come in enumeration order. Throws InputError
/// for a group size outside 1..6, a code given twice, more codes than kMaxGroupCodes, or fewer
/// codes than the group size, and the errors of resolveRange.
std::vector<history::YlRow> P6Count(const history::Snapshot& snapshot, const GroupRequest& request);

/// What the button shows: the rows, and why YL could not keep them when it could not.
struct GroupResult {
    std::vector<history::YlRow> rows;
    std::optional<std::string> storeProblem; ///< a warning to show beside the rows
};

/// The grouped calculation: computes the rows, stores them in YL and gives them in `order`
/// (the window shows them by current omission). A calculation refused (UserError) leaves YL as it
/// was; a YL that cannot be written (a read-only file, a full disk) keeps its previous rows and the
/// rows are shown all the same, with the reason in storeProblem.
GroupResult calculateGroups(history::HistoryDb& db, const history::Snapshot& snapshot,
                            const GroupRequest& request,
                            history::YlSortColumn order = history::YlSortColumn::Last);

} // namespace yilou::analysis
