#include "core/missing_issues.h"

#include <algorithm>

namespace yilou::history {

namespace {

/// Issues of the schedule strictly between two stored issues `a` < `b` of different days.
std::int64_t countAcrossDays(Issue a, Issue b, int drawsPerDay) {
    const int wholeDays = daysBetween(issueDate(a), issueDate(b)) - 1;
    return std::int64_t{std::max(drawsPerDay - issueOrdinal(a), 0)} +
           std::int64_t{wholeDays} * drawsPerDay + (issueOrdinal(b) - 1);
}

} // namespace

MissingIssues findMissingIssues(std::span<const Issue> issues, int drawsPerDay) {
    MissingIssues result;
    bool havePrevious = false;
    Issue previous = 0;
    for (const Issue issue : issues) {
        if (!isPlausibleIssue(issue)) {
            result.unplaced.push_back(issue);
            continue;
        }
        if (havePrevious) {
            const bool sameDay = issue / 100 == previous / 100;
            const std::int64_t count =
                sameDay ? issue - previous - 1 : countAcrossDays(previous, issue, drawsPerDay);
            if (count > 0) {
                MissingRange range;
                range.count = count;
                range.first = sameDay || issueOrdinal(previous) < drawsPerDay
                                  ? previous + 1
                                  : makeIssue(addDays(issueDate(previous), 1), 1);
                range.last = sameDay || issueOrdinal(issue) > 1
                                 ? issue - 1
                                 : makeIssue(addDays(issueDate(issue), -1), drawsPerDay);
                result.ranges.push_back(range);
                result.total += count;
            }
        }
        previous = issue;
        havePrevious = true;
    }
    return result;
}

} // namespace yilou::history
