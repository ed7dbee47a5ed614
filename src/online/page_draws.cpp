#include "online/page_draws.h"

#include "core/draw_validation.h"
#include "core/messages.h"
#include "online/page_json.h"
#include "online/page_text.h"

#include <algorithm>

namespace yilou::history {

namespace {

/// How many characters of the text after an issue an unreadable draw quotes.
constexpr std::size_t kQuotedCharacters = 14;
/// The bytes a copy keeps of that text: the quote of four bytes a character at most.
constexpr std::size_t kFollowingBytes = 4 * kQuotedCharacters;

bool isDigit(char c) {
    return c >= '0' && c <= '9';
}

/// The length of the UTF-8 character that starts with byte `c` (1 for a stray byte).
std::size_t characterLength(char c) {
    const auto b = static_cast<unsigned char>(c);
    return b >= 0xF0 ? 4 : b >= 0xE0 ? 3 : b >= 0xC0 ? 2 : 1;
}

/// Where the run of digits from byte `at` on ends.
std::size_t digitsEnd(std::string_view text, std::size_t at) {
    while (at < text.size() && isDigit(text[at]))
        ++at;
    return at;
}

std::int64_t digitsValue(std::string_view digits) {
    std::int64_t value = 0;
    for (char c : digits)
        value = value * 10 + (c - '0');
    return value;
}

/// Up to kQuotedCharacters characters from the start of `text`, on one line.
std::string quoteStart(std::string_view text) {
    std::size_t end = 0;
    for (std::size_t n = 0; n < kQuotedCharacters && end < text.size(); ++n)
        end = std::min(text.size(), end + characterLength(text[end]));
    std::string out(text.substr(0, end));
    std::replace_if(
        out.begin(), out.end(), [](char c) { return c == '\t' || c == '\n'; }, ' ');
    return out;
}

/// The copy of `issue` whose text ends at byte `issueEnd`, in a run of digits that ends at
/// `runEnd`: the two digits left in the run, if any, are its first number.
PageCopy readCopy(std::string_view text, std::int64_t issue, std::size_t issueEnd,
                  std::size_t runEnd) {
    PageCopy copy{issue, std::nullopt, {}};
    PositionValues numbers{};
    std::size_t count = 0;
    if (runEnd == issueEnd + 2) {
        numbers[0] = (text[issueEnd] - '0') * 10 + (text[issueEnd + 1] - '0');
        count = 1;
    }
    std::size_t at = runEnd;
    count += readNumbers(text, at, std::span<int>(numbers).subspan(count));
    if (count == numbers.size())
        copy.numbers = numbers;
    else
        copy.following = text.substr(issueEnd, kFollowingBytes);
    return copy;
}

std::vector<PageCopy> textCopies(std::string_view text, const UpdatePlan& plan) {
    const auto length = static_cast<std::size_t>(plan.form.digits());
    const auto inRange = [&](std::int64_t issue) {
        return issue >= plan.firstIssue && issue <= plan.lastIssue;
    };
    std::vector<PageCopy> copies;
    std::size_t i = 0;
    while (i < text.size()) {
        if (!isDigit(text[i])) {
            ++i;
            continue;
        }
        const std::size_t end = digitsEnd(text, i);
        const std::size_t run = end - i;
        // The ten-digit form of an issue of the range is read as that issue, never as the
        // issue its first eight digits would be.
        const bool tenDigitForm = (run == length + 2 || run == length + 4) &&
                                  text.substr(i, 2) == "20" &&
                                  inRange(digitsValue(text.substr(i + 2, length)));
        const std::size_t at = tenDigitForm ? i + 2 : i;
        if (run == at - i + length || run == at - i + length + 2) {
            const std::int64_t issue = digitsValue(text.substr(at, length));
            if (plan.wants(issue))
                copies.push_back(readCopy(text, issue, at + length, end));
        }
        i = end;
    }
    return copies;
}

/// "04 10 11 03 02".
std::string numbersText(const PositionValues& numbers) {
    std::string out = txtHisLst(numbers);
    out.pop_back();
    return out;
}

/// How many issues of the schedule that `plan` wants, before `newest` (page form), are not
/// among `found` (page form, ascending).
std::size_t countNotFound(const UpdatePlan& plan, std::int64_t newest,
                          const std::vector<std::int64_t>& found, int drawsPerDay) {
    std::size_t count = 0;
    const CalendarDate today = plan.form.dateOf(plan.lastIssue);
    for (CalendarDate day = addDays(today, -plan.daysToLoad);; day = addDays(day, 1))
        for (int ordinal = 1; ordinal <= drawsPerDay; ++ordinal) {
            const std::int64_t issue = plan.form.make(day, ordinal);
            if (issue >= newest)
                return count;
            if (plan.wants(issue) && !std::binary_search(found.begin(), found.end(), issue))
                ++count;
        }
}

} // namespace

std::size_t readNumbers(std::string_view text, std::size_t& at, std::span<int> out) {
    std::size_t count = 0;
    while (count < out.size() && at < text.size() && text[at] != '\n') {
        if (!isDigit(text[at])) {
            ++at;
            continue;
        }
        const std::size_t end = digitsEnd(text, at);
        if (end - at > 2)
            break;
        out[count++] = static_cast<int>(digitsValue(text.substr(at, end - at)));
        at = end;
    }
    return count;
}

PageDraws drawsFromCopies(std::vector<PageCopy> copies, const UpdatePlan& plan, const Game& game) {
    std::stable_sort(copies.begin(), copies.end(),
                     [](const PageCopy& a, const PageCopy& b) { return a.issue < b.issue; });
    PageDraws out;
    std::vector<std::int64_t> found;
    for (auto group = copies.begin(); group != copies.end();) {
        const std::int64_t issue = group->issue;
        const auto groupEnd =
            std::find_if(group, copies.end(), [&](const PageCopy& c) { return c.issue != issue; });
        const Issue stored = *plan.form.toStored(issue);
        found.push_back(issue);
        std::vector<PositionValues> valid; // the different numbers of the valid copies
        std::optional<std::string> firstProblem;
        for (auto copy = group; copy != groupEnd; ++copy) {
            std::optional<std::string> problem;
            if (!copy->numbers)
                problem = messages::pageNumbersUnreadable(stored, quoteStart(copy->following));
            else if (auto why = drawProblem(stored, *copy->numbers, game))
                problem = messages::pageDrawProblem(stored, *why);
            else if (std::find(valid.begin(), valid.end(), *copy->numbers) == valid.end())
                valid.push_back(*copy->numbers);
            if (problem && !firstProblem)
                firstProblem = std::move(problem);
        }
        group = groupEnd;
        if (valid.size() == 1) {
            out.draws.push_back({stored, valid.front()});
        } else if (valid.size() > 1) {
            std::vector<std::string> texts;
            for (const PositionValues& numbers : valid)
                texts.push_back(numbersText(numbers));
            out.skipped.push_back({stored, messages::pageCopiesDisagree(stored, texts)});
        } else {
            out.skipped.push_back({stored, *firstProblem});
        }
    }
    if (!found.empty()) {
        out.newestFound = *plan.form.toStored(found.back());
        out.notFound = countNotFound(plan, found.back(), found, game.drawsPerDay);
    }
    return out;
}

PageDraws findPageDraws(std::string_view text, const UpdatePlan& plan, const Game& game) {
    return drawsFromCopies(textCopies(text, plan), plan, game);
}

PageDraws readPageDraws(std::string_view body, std::string_view contentType, const UpdatePlan& plan,
                        const Game& game) {
    const std::string charset = pageCharset(body, contentType);
    if (looksLikeJson(body))
        if (auto copies = findJsonCopies(pageInUtf8(body, charset), plan))
            return drawsFromCopies(std::move(*copies), plan, game);
    return findPageDraws(pageText(body, charset), plan, game);
}

} // namespace yilou::history
