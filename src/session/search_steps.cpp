#include "session/search_steps.h"

#include "analysis/reference_lookup.h"
#include "history/messages.h"
#include "history/user_error.h"

#include <algorithm>

namespace yilou::session {

namespace {

void checkValues(const analysis::SearchRequest& request, bool allPositions,
                 const Choices& choices) {
    const auto codes = typeCodes(request.type, choices);
    for (int p = 0; p < 5; ++p) {
        const int value = request.positions[p].value;
        if ((allPositions || request.positions[p].selected) &&
            std::find(codes.begin(), codes.end(), value) == codes.end())
            throw InputError(messages::positionValueNotOfType(
                p + 1, value, analysis::searchTypeInfo(request.type).caption));
    }
}

} // namespace

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

std::vector<int> typeCodes(analysis::SearchType type, const Choices& choices) {
    return analysis::selectableCodes(type, choices.game(), choices.sxIni, choices.dsIni);
}

analysis::SearchResult searchPositions(const history::Snapshot& snapshot,
                                       const analysis::SearchRequest& request,
                                       const Choices& choices) {
    checkValues(request, false, choices);
    return analysis::omissionSearch(snapshot, request);
}

analysis::SearchResult searchPartial(const history::Snapshot& snapshot,
                                     const analysis::SearchRequest& request, int k,
                                     const std::string& kText, const Choices& choices) {
    checkValues(request, true, choices);
    return analysis::multiPositionSearch(snapshot, request, k, kText);
}

} // namespace yilou::session
