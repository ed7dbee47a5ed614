#include "online/update_plan.h"

#include "core/messages.h"
#include "core/user_error.h"

#include <algorithm>
#include <limits>

namespace yilou::history {

namespace {

std::int64_t dateNumber(const CalendarDate& date) {
    return (date.year - 2000) * 10000 + date.month * 100 + date.day;
}

/// Days from the date of `issue` to `today`; a date that does not exist (a hand-edited file)
/// counts as older than any history kept.
int ageInDays(Issue issue, const CalendarDate& today) {
    const CalendarDate date = issueDate(issue);
    return isValidDate(date) ? daysBetween(date, today) : std::numeric_limits<int>::max();
}

} // namespace

std::int64_t PageIssueForm::make(const CalendarDate& date, int ordinal) const {
    return dateNumber(date) * (ordinalDigits == 3 ? 1000 : 100) + ordinal;
}

std::int64_t PageIssueForm::fromStored(Issue issue) const {
    return make(issueDate(issue), issueOrdinal(issue));
}

std::optional<Issue> PageIssueForm::toStored(std::int64_t pageIssue) const {
    const std::int64_t scale = ordinalDigits == 3 ? 1000 : 100;
    const std::int64_t ordinal = pageIssue % scale;
    if (pageIssue < 0 || ordinal < 1 || ordinal > 99)
        return std::nullopt;
    const auto issue = static_cast<Issue>(pageIssue / scale * 100 + ordinal);
    if (!isPlausibleIssue(issue))
        return std::nullopt;
    return issue;
}

UpdatePlan planUpdate(const std::optional<StoredSpan>& stored, const CalendarDate& today,
                      int keepDays, const Game& game) {
    if (!isValidDate(today) || today.year < 2010 || today.year > 2099)
        throw UserError(messages::updateDateOutOfRange());
    UpdatePlan plan;
    plan.form = PageIssueForm::of(game);
    plan.replaceHistory = stored && (ageInDays(stored->oldest, today) > keepDays ||
                                     ageInDays(stored->newest, today) > keepDays);
    const bool kept = stored && !plan.replaceHistory;
    // A newest draw dated after today (a clock set back) asks for today's draws only.
    plan.daysToLoad = kept ? std::max(0, ageInDays(stored->newest, today)) : keepDays;
    plan.drawsWanted = (plan.daysToLoad + 1) * game.drawsPerDay;
    plan.firstIssue = kept ? plan.form.fromStored(stored->newest) + 1
                           : plan.form.make(addDays(today, -keepDays), 1);
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
