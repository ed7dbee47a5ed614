#include "analysis/reference_lookup.h"

#include "core/messages.h"
#include "core/user_error.h"

#include <algorithm>

namespace yilou::analysis {

std::size_t referenceDrawIndex(const history::Snapshot& snapshot, history::Issue reference) {
    if (snapshot.empty())
        throw UserError(messages::emptyHistory());
    const auto& issues = snapshot.issues;
    // A missing issue falls back to the draw before it.
    const auto after = std::upper_bound(issues.begin(), issues.end(), reference);
    if (after == issues.begin())
        throw UserError(messages::referenceBeforeOldest(reference, issues.front()));
    return static_cast<std::size_t>(after - issues.begin()) - 1;
}

history::Issue referenceRangeEnd(const history::Snapshot& snapshot, std::size_t referenceIndex,
                                 bool beforeOnly, int drawsPerDay) {
    return beforeOnly ? history::issueBefore(snapshot.issues[referenceIndex], drawsPerDay)
                      : snapshot.issues.back();
}

ReferenceLookup YSJS(const history::Snapshot& snapshot, history::Issue reference, bool beforeOnly,
                     SearchType type, history::NumberOrder order, int sxIni, int drawsPerDay) {
    ReferenceLookup lookup;
    lookup.referenceIndex = referenceDrawIndex(snapshot, reference);
    const std::size_t i = lookup.referenceIndex;
    for (int p = 0; p < 5; ++p) {
        lookup.values[p] = snapshot.value(order, searchTypeInfo(type).letter, p, i);
        lookup.texts[p] = valueLabel(type, lookup.values[p], sxIni);
    }
    lookup.endIssue = history::issueText(referenceRangeEnd(snapshot, i, beforeOnly, drawsPerDay));
    return lookup;
}

} // namespace yilou::analysis
