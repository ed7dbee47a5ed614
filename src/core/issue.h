#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace yilou::history {

/// An issue in its stored form YYMMDDNN: two-digit year (2000 + YY), month, day and the
/// draw's ordinal within that day. 17081284 is draw 84 of 12 August 2017.
using Issue = std::int32_t;

struct CalendarDate {
    int year = 0; ///< four digits
    int month = 0;
    int day = 0;

    friend bool operator==(const CalendarDate&, const CalendarDate&) = default;
};

bool isValidDate(const CalendarDate& date);
/// The date `days` days after (or before, when negative) `date`, by calendar rules.
CalendarDate addDays(const CalendarDate& date, int days);
/// Days from `from` to `to`: 1 for the next day, negative when `to` comes first.
int daysBetween(const CalendarDate& from, const CalendarDate& to);
/// Today's date on this machine's clock, local time.
CalendarDate today();

/// The issue of `ordinal` on `date`; the year must lie in 2010..2099.
Issue makeIssue(const CalendarDate& date, int ordinal);
CalendarDate issueDate(Issue issue);
int issueOrdinal(Issue issue);

/// The last year whose issues the stored form can hold: the stored number has eight digits.
inline constexpr int kLastIssueYear = 2099;

/// Why `issue` cannot be a draw's issue, or nothing when it can: its date must exist in the
/// years 2010..2099 and its ordinal be at least 1. The one rule every command applies to an
/// issue, whether typed, read from a file or proposed. The reason quotes it in its ten-digit
/// form.
std::optional<std::string> issueProblem(Issue issue);

/// An issue written as digits, typed or at the head of a line of a history text file.
struct WrittenIssue {
    std::optional<Issue> issue;         ///< set when the digits have one of the two forms
    std::optional<std::string> problem; ///< why it is refused, quoting the digits as written
};

/// Reads `digits`, decimal digits only, as an issue: the ten-digit form "2017081284" ("20"
/// followed by the stored form) or the eight-digit stored form "17081284"; ten digits that do
/// not start with "20" ("2110010101") are no issue. The issue must pass issueProblem.
WrittenIssue readWrittenIssue(std::string_view digits);

/// True when issueProblem finds nothing.
bool isPlausibleIssue(Issue issue);

/// The issue as shown and typed: "20" followed by the eight digits of the stored number
/// ("2017081284").
std::string issueText(Issue issue);

/// The value of `digits`, which must be decimal digits only: the stored form of an issue as
/// written in text ("17081284").
Issue issueFromDigits(std::string_view digits);

/// Reads a typed issue: the ten-digit form "2017081284" ("20" followed by the stored form) or
/// the eight-digit stored form "17081284"; blanks around it are ignored. Gives nothing when
/// the text is not one of these forms or the issue fails issueProblem.
std::optional<Issue> parseIssueText(std::string_view text);

/// The same for an issue the user typed, with the reason in an InputError when it is refused.
Issue readIssue(std::string_view text);

/// The issue proposed for the next draw after `newest`: the first draw of the next day when
/// `newest` is the last draw of its day or has ordinal 99 (the last one two digits can
/// write), else the next ordinal. Throws UserError when that would be past the year 2099,
/// which the stored form cannot hold.
Issue proposeNextIssue(Issue newest, int drawsPerDay);

/// The issue just before `issue`: the previous ordinal, or the last draw of the previous day
/// when `issue` is the first draw of its day.
Issue issueBefore(Issue issue, int drawsPerDay);

} // namespace yilou::history
