#include "analysis/reference_lookup.h"

#include "core/messages.h"
#include "core/user_error.h"

#include <algorithm>

namespace yilou::analysis {

ReferenceLookup YSJS(const history::Snapshot& snapshot, history::Issue reference, bool beforeOnly,
                     SearchType type, history::NumberOrder order, int sxIni, int drawsPerDay) {
    if (snapshot.empty())
        throw UserError(messages::emptyHistory());
    const auto& issues = snapshot.issues;
    // The newest draw not after the typed issue: a missing issue falls back to the one before.
    const auto after = std::upper_bound(issues.begin(), issues.end(), reference);
    if (after == issues.begin())
        throw UserError(messages::referenceBeforeOldest(reference, issues.front()));

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
