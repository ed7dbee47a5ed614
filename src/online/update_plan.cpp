#include "online/update_plan.h"

#include "core/messages.h"
#include "core/user_error.h"

#include <algorithm>
#include <limits>
#include <optional>

namespace yilou::history {

namespace {

/// Days from the date of `issue` to `today`; a date that does not exist (a hand-edited file)
/// counts as older than any history kept.
int ageInDays(Issue issue, const CalendarDate& today) {
    const CalendarDate date = issueDate(issue);
    return isValidDate(date) ? daysBetween(date, today) : std::numeric_limits<int>::max();
}

/// The oldest issue of the schedule (drawsPerDay draws a day from `firstDay` on) that `stored`
/// lacks, when it comes before the page issue `before`.
std::optional<Issue> oldestUnstored(std::span<const Issue> stored, const CalendarDate& firstDay,
                                    std::int64_t before, const PageIssueForm& form,
                                    int drawsPerDay) {
    for (CalendarDate day = firstDay;; day = addDays(day, 1))
        for (int ordinal = 1; ordinal <= drawsPerDay; ++ordinal) {
            if (form.make(day, ordinal) >= before)
                return std::nullopt;
            const Issue issue = makeIssue(day, ordinal);
            if (isPlausibleIssue(issue) && !std::binary_search(stored.begin(), stored.end(), issue))
                return issue;
        }
}

} // namespace

bool replacesHistory(std::span<const Issue> stored, const CalendarDate& today, int keepDays) {
    return ageInDays(stored.front(), today) > keepDays ||
           ageInDays(stored.back(), today) > keepDays;
}

bool UpdatePlan::wants(std::int64_t pageIssue) const {
    if (pageIssue < firstIssue || pageIssue > lastIssue)
        return false;
    const auto issue = form.toStored(pageIssue);
    return issue && !std::binary_search(stored.begin(), stored.end(), *issue);
}

UpdatePlan planUpdate(std::span<const Issue> stored, const CalendarDate& today, int keepDays,
                      const Game& game) {
    if (!isValidDate(today) || today.year < 2010 || today.year > 2099)
        throw UserError(messages::updateDateOutOfRange());
    // A newest draw dated after today (a clock set back, a mistyped --today) leaves nothing to
    // look for that the history could be missing.
    if (!stored.empty() && isValidDate(issueDate(stored.back())) &&
        daysBetween(issueDate(stored.back()), today) < 0)
        throw UserError(messages::historyNewerThan(stored.back(), today));
    UpdatePlan plan;
    plan.form = PageIssueForm::of(game);
    plan.replaceHistory = !stored.empty() && replacesHistory(stored, today, keepDays);
    const CalendarDate firstDay = addDays(today, -keepDays);
    CalendarDate firstDate = firstDay;
    plan.firstIssue = plan.form.make(firstDay, 1);
    if (!stored.empty() && !plan.replaceHistory) {
        firstDate = issueDate(stored.back());
        plan.firstIssue = plan.form.fromStored(stored.back()) + 1;
        if (const auto gap =
                oldestUnstored(stored, firstDay, plan.firstIssue, plan.form, game.drawsPerDay)) {
            firstDate = issueDate(*gap);
            plan.firstIssue = plan.form.fromStored(*gap);
        }
        for (const Issue issue : stored)
            if (plan.form.fromStored(issue) >= plan.firstIssue)
                plan.stored.push_back(issue);
    }
    plan.daysToLoad = daysBetween(firstDate, today);
    plan.drawsWanted = (plan.daysToLoad + 1) * game.drawsPerDay;
    plan.lastIssue = plan.form.make(today, game.drawsPerDay);
    return plan;
}

namespace {

void replaceAll(std::string& text, std::string_view from, std::string_view to) {
    for (auto at = text.find(from); at != std::string::npos; at = text.find(from, at + to.size()))
        text.replace(at, from.size(), to);
}

} // namespace

std::string updateUrl(std::string_view urlTemplate, const Game& game, int drawsWanted) {
    std::string url(urlTemplate);
    replaceAll(url, "{code}", game.gameCode());
    replaceAll(url, "{n}", std::to_string(drawsWanted));
    return url;
}

} // namespace yilou::history
