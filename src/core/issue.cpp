#include "core/issue.h"

#include "core/messages.h"
#include "core/user_error.h"

#include <chrono>
#include <ctime>

namespace yilou::history {

namespace {

std::chrono::year_month_day toChrono(const CalendarDate& date) {
    return std::chrono::year_month_day{std::chrono::year{date.year},
                                       std::chrono::month{static_cast<unsigned>(date.month)},
                                       std::chrono::day{static_cast<unsigned>(date.day)}};
}

bool isDigits(std::string_view text) {
    if (text.empty())
        return false;
    for (char c : text)
        if (c < '0' || c > '9')
            return false;
    return true;
}

} // namespace

bool isValidDate(const CalendarDate& date) {
    if (date.month < 1 || date.month > 12 || date.day < 1 || date.day > 31)
        return false;
    return toChrono(date).ok();
}

CalendarDate addDays(const CalendarDate& date, int days) {
    const std::chrono::year_month_day ymd{std::chrono::sys_days{toChrono(date)} +
                                          std::chrono::days{days}};
    return {static_cast<int>(ymd.year()), static_cast<int>(static_cast<unsigned>(ymd.month())),
            static_cast<int>(static_cast<unsigned>(ymd.day()))};
}

int daysBetween(const CalendarDate& from, const CalendarDate& to) {
    return static_cast<int>(
        (std::chrono::sys_days{toChrono(to)} - std::chrono::sys_days{toChrono(from)}).count());
}

CalendarDate today() {
    const std::time_t now = std::time(nullptr);
    std::tm local{};
    localtime_r(&now, &local);
    return {local.tm_year + 1900, local.tm_mon + 1, local.tm_mday};
}

Issue makeIssue(const CalendarDate& date, int ordinal) {
    return ((date.year - 2000) * 10000 + date.month * 100 + date.day) * 100 + ordinal;
}

CalendarDate issueDate(Issue issue) {
    return {2000 + issue / 1000000, issue / 10000 % 100, issue / 100 % 100};
}

int issueOrdinal(Issue issue) {
    return issue % 100;
}

namespace {

/// issueProblem, quoting the issue as `written`.
std::optional<std::string> problemOf(Issue issue, std::string_view written) {
    if (issue < 10000000 || issue > 99999999)
        return messages::issueYearOutOfRange(written, kLastIssueYear);
    if (!isValidDate(issueDate(issue)))
        return messages::issueDateMissing(written);
    if (issueOrdinal(issue) < 1)
        return messages::issueOrdinalZero(written);
    return std::nullopt;
}

} // namespace

std::optional<std::string> issueProblem(Issue issue) {
    return problemOf(issue, issueText(issue));
}

WrittenIssue readWrittenIssue(std::string_view digits) {
    // "0000000001" or "2114102901" would otherwise be taken for issues of the 2000s.
    if (digits.size() != 8 && !(digits.size() == 10 && digits.starts_with("20")))
        return {std::nullopt, messages::issueFormUnusable(digits)};
    const Issue issue = issueFromDigits(digits.substr(digits.size() - 8));
    return {issue, problemOf(issue, digits)};
}

bool isPlausibleIssue(Issue issue) {
    return !issueProblem(issue);
}

std::string issueText(Issue issue) {
    const std::string digits = std::to_string(issue);
    return "20" + std::string(digits.size() < 8 ? 8 - digits.size() : 0, '0') + digits;
}

Issue issueFromDigits(std::string_view digits) {
    Issue value = 0;
    for (char c : digits)
        value = value * 10 + (c - '0');
    return value;
}

namespace {

/// The issue of a typed text and why it is refused; `issue` is set when the text has one of
/// the two forms.
struct TypedIssue {
    std::optional<Issue> issue;
    std::optional<std::string> problem;
};

TypedIssue readTypedIssue(std::string_view text) {
    while (!text.empty() && (text.front() == ' ' || text.front() == '\t'))
        text.remove_prefix(1);
    while (!text.empty() && (text.back() == ' ' || text.back() == '\t'))
        text.remove_suffix(1);
    if (!isDigits(text))
        return {std::nullopt, messages::invalidIssue({}, text)};
    const WrittenIssue written = readWrittenIssue(text);
    if (!written.issue)
        return {std::nullopt, messages::invalidIssue({}, text)};
    return {written.issue, written.problem ? std::optional(messages::issueRefused(*written.problem))
                                           : std::nullopt};
}

} // namespace

std::optional<Issue> parseIssueText(std::string_view text) {
    TypedIssue typed = readTypedIssue(text);
    if (typed.problem)
        return std::nullopt;
    return typed.issue;
}

Issue readIssue(std::string_view text) {
    TypedIssue typed = readTypedIssue(text);
    if (typed.problem)
        throw InputError(*typed.problem);
    return *typed.issue;
}

Issue proposeNextIssue(Issue newest, int drawsPerDay) {
    const int ordinal = issueOrdinal(newest);
    // An ordinal above the draws per day is not taken for the day's end (the day may have had
    // extra draws), but after 99 only the next day can follow.
    if ((ordinal == drawsPerDay || ordinal == 99) && isValidDate(issueDate(newest))) {
        const CalendarDate next = addDays(issueDate(newest), 1);
        if (next.year > kLastIssueYear)
            throw UserError(messages::noIssueAfterLastYear(newest, kLastIssueYear));
        return makeIssue(next, 1);
    }
    return newest + 1;
}

Issue issueBefore(Issue issue, int drawsPerDay) {
    if (issueOrdinal(issue) == 1 && isValidDate(issueDate(issue)))
        return makeIssue(addDays(issueDate(issue), -1), drawsPerDay);
    return issue - 1;
}

} // namespace yilou::history
