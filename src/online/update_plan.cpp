#include "online/update_plan.h"

#include "core/messages.h"
#include "core/user_error.h"

#include <algorithm>
#include <optional>

namespace yilou::history {

namespace {

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

/// The issues of the schedule after `newest` up to the last draw of the day before `firstDay`,
/// when there are any.
std::optional<MissingRange> issuesBefore(Issue newest, const CalendarDate& firstDay,
                                         int drawsPerDay) {
    const CalendarDate newestDay = issueDate(newest);
    const int ordinal = std::min(issueOrdinal(newest), drawsPerDay);
    const std::int64_t count = std::int64_t{drawsPerDay - ordinal} +
                               std::int64_t{drawsPerDay} * (daysBetween(newestDay, firstDay) - 1);
    if (count <= 0)
        return std::nullopt;
    return MissingRange{ordinal < drawsPerDay ? newest + 1 : makeIssue(addDays(newestDay, 1), 1),
                        makeIssue(addDays(firstDay, -1), drawsPerDay), count};
}

} // namespace

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
    const CalendarDate firstDay = addDays(today, -keepDays);
    CalendarDate firstDate = firstDay;
    plan.firstIssue = plan.form.make(firstDay, 1);
    if (!stored.empty()) {
        const Issue newest = stored.back();
        const bool dated = isValidDate(issueDate(newest));
        if (dated && plan.form.fromStored(newest) + 1 > plan.firstIssue) {
            firstDate = issueDate(newest);
            plan.firstIssue = plan.form.fromStored(newest) + 1;
            if (const auto gap = oldestUnstored(stored, firstDay, plan.firstIssue, plan.form,
                                                game.drawsPerDay)) {
                firstDate = issueDate(*gap);
                plan.firstIssue = plan.form.fromStored(*gap);
            }
        } else if (dated) {
            plan.unsearched = issuesBefore(newest, firstDay, game.drawsPerDay);
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
