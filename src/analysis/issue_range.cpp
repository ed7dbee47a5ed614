#include "analysis/issue_range.h"

#include "history/messages.h"
#include "history/user_error.h"

#include <algorithm>
#include <string>

namespace yilou::analysis {

namespace {

history::Issue parseBound(std::string_view text, const char* which) {
    const auto issue = history::parseIssueText(text);
    if (!issue)
        throw InputError(messages::invalidIssue(which, text));
    return *issue;
}

} // namespace

IndexRange resolveRange(const history::Snapshot& snapshot, std::string_view startText,
                        std::string_view endText) {
    const history::Issue start = parseBound(startText, "起始");
    const history::Issue end = parseBound(endText, "截止");
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
