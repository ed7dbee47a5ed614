#include "analysis/issue_range.h"

#include "core/messages.h"
#include "core/user_error.h"

#include <algorithm>

namespace yilou::analysis {

IndexRange resolveRange(const history::Snapshot& snapshot, history::Issue start,
                        history::Issue end) {
    if (end < start)
        throw UserError(messages::rangeEndBeforeStart(end, start));
    const auto& issues = snapshot.issues;
    const auto first = std::lower_bound(issues.begin(), issues.end(), start);
    const auto afterLast = std::upper_bound(issues.begin(), issues.end(), end);
    if (first >= afterLast)
        throw UserError(messages::noDrawsInRange(start, end));
    return {static_cast<std::size_t>(first - issues.begin()),
            static_cast<std::size_t>(afterLast - issues.begin()) - 1};
}

IndexRange lastDraws(IndexRange range, std::size_t count) {
    if (count < range.size())
        range.first = range.last + 1 - count;
    return range;
}

} // namespace yilou::analysis
