#include "session/search_steps.h"

#include "core/messages.h"
#include "core/user_error.h"
#include "session/messages.h"
#include "session/typed_input.h"

#include <algorithm>

namespace yilou::session {

namespace {

void checkValues(const analysis::SearchRequest& request, bool allPositions,
                 const Choices& choices) {
    const auto codes = typeCodes(request.type, choices);
    for (int p = 0; p < 5; ++p) {
        const auto& position = request.positions[p];
        if (!allPositions && !position.selected)
            continue;
        if (std::find(codes.begin(), codes.end(), position.value) != codes.end())
            continue;
        // A box emptied keeps its last value; one never filled in is said to be empty.
        if (position.text.find_first_not_of(" \t") == std::string::npos)
            throw InputError(messages::positionValueEmpty(p + 1));
        throw InputError(messages::positionValueNotOfType(p + 1, position.value,
                                                          messages::typeName(request.type)));
    }
}

history::Issue typedReference(const history::Snapshot& snapshot, const std::string& text) {
    // An empty history is said before the reference issue, which it leaves empty, is read.
    if (snapshot.empty())
        throw UserError(messages::emptyHistory());
    return parseIssue(text, messages::field::kReference);
}

} // namespace

IssueBounds rangeIssues(const history::Snapshot& snapshot, std::string_view startText,
                        std::string_view endText) {
    if (snapshot.empty())
        throw UserError(messages::emptyHistory());
    const std::string start =
        startText.empty() ? history::issueText(snapshot.issues.front()) : std::string(startText);
    const std::string end =
        endText.empty() ? history::issueText(snapshot.issues.back()) : std::string(endText);
    return parseRange(start, end);
}

analysis::IndexRange resolveRange(const history::Snapshot& snapshot, std::string_view startText,
                                  std::string_view endText) {
    const auto bounds = rangeIssues(snapshot, startText, endText);
    return analysis::resolveRange(snapshot, bounds.start, bounds.end);
}

analysis::ReferenceLookup lookUpReference(const history::Snapshot& snapshot,
                                          const std::string& referenceText, bool beforeOnly,
                                          analysis::SearchType type, history::NumberOrder order,
                                          int sxIni, int drawsPerDay) {
    return analysis::YSJS(snapshot, typedReference(snapshot, referenceText), beforeOnly, type,
                          order, sxIni, drawsPerDay);
}

history::Issue referenceRangeEnd(const history::Snapshot& snapshot,
                                 const std::string& referenceText, bool beforeOnly,
                                 int drawsPerDay) {
    const auto index =
        analysis::referenceDrawIndex(snapshot, typedReference(snapshot, referenceText));
    return analysis::referenceRangeEnd(snapshot, index, beforeOnly, drawsPerDay);
}

std::string applyReference(const history::Snapshot& snapshot, const std::string& referenceText,
                           bool beforeOnly, int drawsPerDay, analysis::SearchRequest& request) {
    const auto lookup = lookUpReference(snapshot, referenceText, beforeOnly, request.type,
                                        request.order, request.sxIni, drawsPerDay);
    for (int p = 0; p < 5; ++p) {
        request.positions[p].value = lookup.values[p];
        request.positions[p].text = lookup.texts[p];
    }
    return lookup.endIssue;
}

std::vector<int> typeCodes(analysis::SearchType type, const Choices& choices) {
    return analysis::selectableCodes(type, choices.game().highestNumber, choices.sxIni,
                                     choices.dsIni);
}

std::string codeLabel(analysis::SearchType type, int code, const Choices& choices) {
    return analysis::valueLabel(type, code, choices.sxIni);
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

GroupResult calculateGroups(history::HistoryDb& db, const history::Snapshot& snapshot,
                            const analysis::GroupRequest& request, history::YlSortColumn order) {
    GroupResult result;
    result.rows = analysis::P6Count(snapshot, request);
    try {
        history::storeYlRows(db, result.rows);
    } catch (const UserError& error) {
        result.storeProblem = messages::groupsNotSaved(error.what());
    }
    result.rows = history::sortYlRows(std::move(result.rows), order);
    return result;
}

std::vector<history::YlRow> storedGroups(history::HistoryDb& db, history::YlSortColumn order) {
    return history::readYlRows(db, order);
}

std::vector<history::YlRow> sortGroups(std::vector<history::YlRow> rows,
                                       history::YlSortColumn order, bool descending) {
    return history::sortYlRows(std::move(rows), order, descending);
}

} // namespace yilou::session
