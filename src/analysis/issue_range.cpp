#include "analysis/issue_range.h"

#include "history/user_error.h"

#include <algorithm>
#include <string>

namespace yilou::analysis {

namespace {

history::Issue parseBound(std::string_view text, const char* which) {
    const auto issue = history::parseIssueText(text);
    if (!issue)
        throw UserError(std::string(which) + "期号“" + std::string(text) +
                        "”不是有效的期号，请输入十位期号，例如 2017081284。");
    return *issue;
}

} // namespace

IndexRange resolveRange(const history::Snapshot& snapshot, std::string_view startText,
                        std::string_view endText) {
    const history::Issue start = parseBound(startText, "起始");
    const history::Issue end = parseBound(endText, "截止");
    if (end < start)
        throw UserError("截止期号 " + history::issueText(end) + " 早于起始期号 " +
                        history::issueText(start) + "，请重新输入检索起止期数。");
    const auto& issues = snapshot.issues;
    const auto first = std::lower_bound(issues.begin(), issues.end(), start);
    const auto afterLast = std::upper_bound(issues.begin(), issues.end(), end);
    if (first >= afterLast)
        throw UserError("期号 " + history::issueText(start) + " 至 " + history::issueText(end) +
                        " 之间没有历史号码。");
    return {static_cast<std::size_t>(first - issues.begin()),
            static_cast<std::size_t>(afterLast - issues.begin()) - 1};
}

IndexRange lastDraws(IndexRange range, std::size_t count) {
    if (count < range.size())
        range.first = range.last + 1 - count;
    return range;
}

} // namespace yilou::analysis
