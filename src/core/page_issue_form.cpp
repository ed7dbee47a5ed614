#include "core/page_issue_form.h"

namespace yilou::history {

std::int64_t PageIssueForm::make(const CalendarDate& date, int ordinal) const {
    const std::int64_t dateNumber = (date.year - 2000) * 10000 + date.month * 100 + date.day;
    return dateNumber * scale() + ordinal;
}

std::int64_t PageIssueForm::fromStored(Issue issue) const {
    return make(issueDate(issue), issueOrdinal(issue));
}

CalendarDate PageIssueForm::dateOf(std::int64_t pageIssue) const {
    const auto date = static_cast<int>(pageIssue / scale());
    return {2000 + date / 10000, date / 100 % 100, date % 100};
}

std::optional<Issue> PageIssueForm::toStored(std::int64_t pageIssue) const {
    const std::int64_t ordinal = pageIssue % scale();
    if (pageIssue < 0 || ordinal < 1 || ordinal > 99)
        return std::nullopt;
    const auto issue = static_cast<Issue>(pageIssue / scale() * 100 + ordinal);
    if (!isPlausibleIssue(issue))
        return std::nullopt;
    return issue;
}

} // namespace yilou::history
