#include "analysis/reference_lookup.h"

#include "history/issue.h"
#include "history/messages.h"
#include "history/user_error.h"

#include <algorithm>

namespace yilou::analysis {

ReferenceLookup YSJS(const history::Snapshot& snapshot, const std::string& referenceText,
                     bool beforeOnly, SearchType type, history::NumberOrder order, int sxIni,
                     int drawsPerDay) {
    if (snapshot.empty())
        throw UserError(messages::emptyHistory());
    const auto target = history::parseIssueText(referenceText);
    if (!target)
        throw InputError(messages::invalidIssue("指定", referenceText));
    const auto& issues = snapshot.issues;
    // The newest draw not after the typed issue: a missing issue falls back to the one before.
    const auto after = std::upper_bound(issues.begin(), issues.end(), *target);
    if (after == issues.begin())
        throw UserError(messages::referenceBeforeOldest(*target, issues.front()));

    ReferenceLookup lookup;
    lookup.referenceIndex = static_cast<std::size_t>(after - issues.begin()) - 1;
    const std::size_t i = lookup.referenceIndex;
    for (int p = 0; p < 5; ++p) {
        lookup.values[p] = snapshot.value(order, searchTypeInfo(type).letter, p, i);
        lookup.texts[p] = valueLabel(type, lookup.values[p], sxIni);
    }
    // The day rule counts back from the draw found, so a missing reference issue never lets
    // the range end take in that draw itself.
    lookup.endIssue = history::issueText(beforeOnly ? history::issueBefore(issues[i], drawsPerDay)
                                                    : issues.back());
    return lookup;
}

} // namespace yilou::analysis
