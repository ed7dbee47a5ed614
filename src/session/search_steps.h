#pragma once

#include "analysis/omission_search.h"
#include "history/snapshot.h"

#include <string>

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

} // namespace yilou::session
