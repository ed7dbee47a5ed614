#pragma once

#include "analysis/omission_search.h"
#include "history/snapshot.h"
#include "session/choices.h"

#include <string>
#include <vector>

namespace yilou::session {

/// The range boxes' texts when the user gave none: the whole history. An empty history has
/// no range (UserError).
struct RangeTexts {
    std::string start, end;
};
RangeTexts wholeHistoryRange(const history::Snapshot& snapshot);

/// Takes the five position values of a stored draw (the newest not after `referenceText`) into
/// `request`, selected or not, as the second tab does. Returns the range end that goes with
/// it: the newest issue, or with `beforeOnly` the issue before the reference draw.
std::string applyReference(const history::Snapshot& snapshot, const std::string& referenceText,
                           bool beforeOnly, int drawsPerDay, analysis::SearchRequest& request);

/// The codes of `type` in the game and code bases in force, in the order of the combination
/// panel's boxes (box i stands for entry i − 1): what the boxes offer and what a position may
/// be searched for.
std::vector<int> typeCodes(analysis::SearchType type, const Choices& choices);

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

} // namespace yilou::session
