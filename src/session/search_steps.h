#pragma once

#include "analysis/grouped_combination.h"
#include "analysis/issue_range.h"
#include "analysis/omission_search.h"
#include "analysis/reference_lookup.h"
#include "core/snapshot.h"
#include "core/yl_row.h"
#include "session/choices.h"
#include "session/typed_input.h"
#include "store/history_db.h"
#include "store/yl_table.h"

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace yilou::session {

/// The issues of the range boxes' texts (ten- or eight-digit issues); a box left empty stands
/// for the oldest or the newest draw. An empty history has no range, and a text that is not an
/// issue is refused (UserError naming the box). Every search and view reads its range here.
IssueBounds rangeIssues(const history::Snapshot& snapshot, std::string_view startText,
                        std::string_view endText);

/// The draws of the range boxes' texts (rangeIssues). An end before the start, or a range that
/// holds no stored draw throws UserError.
analysis::IndexRange resolveRange(const history::Snapshot& snapshot, std::string_view startText,
                                  std::string_view endText);

/// The reference draw of a typed issue (历史指定期): analysis::YSJS for the issue in
/// `referenceText`, refused (UserError) when the text is not an issue.
analysis::ReferenceLookup lookUpReference(const history::Snapshot& snapshot,
                                          const std::string& referenceText, bool beforeOnly,
                                          analysis::SearchType type, history::NumberOrder order,
                                          int sxIni, int drawsPerDay);

/// The range end a typed reference issue sets: the newest issue, or with `beforeOnly` the
/// issue before the reference draw (analysis::referenceRangeEnd), refused as lookUpReference
/// refuses. The range boxes of the searches and the range of every view end here.
history::Issue referenceRangeEnd(const history::Snapshot& snapshot,
                                 const std::string& referenceText, bool beforeOnly,
                                 int drawsPerDay);

/// Takes the five position values of a stored draw (the newest not after `referenceText`) into
/// `request`, selected or not, as the second tab does. Returns the range end that goes with
/// it: the newest issue, or with `beforeOnly` the issue before the reference draw.
std::string applyReference(const history::Snapshot& snapshot, const std::string& referenceText,
                           bool beforeOnly, int drawsPerDay, analysis::SearchRequest& request);

/// The codes of `type` in the game and code bases in force, in the order of the combination
/// panel's boxes (box i stands for entry i − 1): what the boxes offer and what a position may
/// be searched for.
std::vector<int> typeCodes(analysis::SearchType type, const Choices& choices);

/// A code of `type` as the combination panel's boxes and the grids name it: a zodiac code by
/// its name, anything else in plain decimal.
std::string codeLabel(analysis::SearchType type, int code, const Choices& choices);

/// The omission search (检索) of the selected positions. A selected position whose value no
/// draw of the game can hold is refused (InputError naming the position) rather than searched
/// as "never hit".
analysis::SearchResult searchPositions(const history::Snapshot& snapshot,
                                       const analysis::SearchRequest& request,
                                       const Choices& choices);

/// The multi-position search (分部检索) over all five positions, their values checked the same
/// way; `kText` is the group size as the user chose it.
analysis::SearchResult searchPartial(const history::Snapshot& snapshot,
                                     const analysis::SearchRequest& request, int k,
                                     const std::string& kText, const Choices& choices);

/// What the grouped calculation shows: the rows, and why YL could not keep them when it could
/// not.
struct GroupResult {
    std::vector<history::YlRow> rows;
    std::optional<std::string> storeProblem; ///< a warning to show beside the rows
};

/// The grouped calculation (分组计算): computes the rows (analysis::P6Count), stores them in YL
/// and gives them in `order` (the window shows them by current omission). A calculation refused
/// (UserError) leaves YL as it was; a YL that cannot be written (a read-only file, a full disk)
/// keeps its previous rows and the rows are shown all the same, with the reason in storeProblem.
GroupResult calculateGroups(history::HistoryDb& db, const history::Snapshot& snapshot,
                            const analysis::GroupRequest& request,
                            history::YlSortColumn order = history::YlSortColumn::Last);

/// The rows YL keeps from the last grouped calculation, in `order` (the command line's yl).
std::vector<history::YlRow> storedGroups(history::HistoryDb& db, history::YlSortColumn order);

/// Rows of a grouped calculation as shown, sorted again by a click on a header: by `order`,
/// ascending or descending, rows with equal keys in the order they had.
std::vector<history::YlRow> sortGroups(std::vector<history::YlRow> rows,
                                       history::YlSortColumn order, bool descending);

} // namespace yilou::session
