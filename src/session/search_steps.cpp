#include "session/search_steps.h"

#include "analysis/reference_lookup.h"
#include "history/messages.h"
#include "history/user_error.h"

namespace yilou::session {

RangeTexts wholeHistoryRange(const history::Snapshot& snapshot) {
    if (snapshot.empty())
        throw UserError(messages::emptyHistory());
    return {history::issueText(snapshot.issues.front()),
            history::issueText(snapshot.issues.back())};
}

std::string applyReference(const history::Snapshot& snapshot, const std::string& referenceText,
                           bool beforeOnly, int drawsPerDay, analysis::SearchRequest& request) {
    const auto lookup = analysis::YSJS(snapshot, referenceText, beforeOnly, request.type,
                                       request.order, request.sxIni, drawsPerDay);
    for (int p = 0; p < 5; ++p) {
        request.positions[p].value = lookup.values[p];
        request.positions[p].text = lookup.texts[p];
    }
    return lookup.endIssue;
}

} // namespace yilou::session
