#include "online/page_draws.h"

#include "core/draw_validation.h"
#include "core/messages.h"

#include <algorithm>
#include <optional>

namespace yilou::history {

namespace {

/// How many characters of the text after an issue an unreadable draw quotes.
constexpr std::size_t kQuotedCharacters = 14;

bool isDigit(char c) {
    return c >= '0' && c <= '9';
}

/// The length of the UTF-8 character that starts with byte `c` (1 for a stray byte).
std::size_t characterLength(char c) {
    const auto b = static_cast<unsigned char>(c);
    return b >= 0xF0 ? 4 : b >= 0xE0 ? 3 : b >= 0xC0 ? 2 : 1;
}

/// Where the text of a searched issue stands.
struct Occurrence {
    std::int64_t issue = 0; ///< page form
    std::size_t at = 0;     ///< byte offset in the text
};

/// Every place where the decimal text of an issue of the plan stands: the issue searches of
/// the whole range amount to one pass over the digit runs of the text.
std::vector<Occurrence> occurrences(std::string_view text, const UpdatePlan& plan) {
    const auto length = static_cast<std::size_t>(plan.form.digits());
    std::vector<Occurrence> found;
    std::size_t i = 0;
    while (i < text.size()) {
        if (!isDigit(text[i])) {
            ++i;
            continue;
        }
        std::size_t end = i;
        while (end < text.size() && isDigit(text[end]))
            ++end;
        for (std::size_t at = i; at + length <= end; ++at) {
            std::int64_t value = 0;
            for (std::size_t k = at; k < at + length; ++k)
                value = value * 10 + (text[k] - '0');
            if (value >= plan.firstIssue && value <= plan.lastIssue && plan.form.toStored(value))
                found.push_back({value, at});
        }
        i = end;
    }
    std::sort(found.begin(), found.end(), [](const Occurrence& a, const Occurrence& b) {
        return a.issue != b.issue ? a.issue < b.issue : a.at < b.at;
    });
    return found;
}

/// The five numbers from byte `at` on: two characters each, one character between them.
std::optional<PositionValues> readNumbers(std::string_view text, std::size_t at) {
    PositionValues numbers{};
    for (int i = 0; i < 5; ++i) {
        if (i > 0 && at < text.size())
            at += characterLength(text[at]);
        if (at + 2 > text.size())
            return std::nullopt;
        const char first = text[at];
        const char second = text[at + 1];
        if (!(first == ' ' || isDigit(first)) || !isDigit(second))
            return std::nullopt;
        numbers[i] = (first == ' ' ? 0 : (first - '0') * 10) + (second - '0');
        at += 2;
    }
    return numbers;
}

/// Up to kQuotedCharacters characters from byte `at`, on one line.
std::string quoted(std::string_view text, std::size_t at) {
    std::size_t end = at;
    for (std::size_t n = 0; n < kQuotedCharacters && end < text.size(); ++n)
        end = std::min(text.size(), end + characterLength(text[end]));
    std::string out(text.substr(at, end - at));
    std::replace_if(
        out.begin(), out.end(), [](char c) { return c == '\t' || c == '\n'; }, ' ');
    return out;
}

} // namespace

PageDraws findPageDraws(std::string_view text, const UpdatePlan& plan, const Game& game) {
    const std::vector<Occurrence> found = occurrences(text, plan);
    const auto length = static_cast<std::size_t>(plan.form.digits());
    PageDraws out;
    std::optional<std::size_t> last; // where the previous issue was found
    std::int64_t previous = plan.firstIssue - 1;
    for (auto group = found.begin(); group != found.end();) {
        const std::int64_t issue = group->issue;
        const auto groupEnd =
            std::find_if(group, found.end(), [&](const Occurrence& o) { return o.issue != issue; });
        // An integer between this issue and the previous one was searched and not found: the
        // search went back to the start of the text.
        if (issue != previous + 1)
            last.reset();
        previous = issue;
        // The places in the order they are tried: after the previous issue's, then before it,
        // nearest first.
        const auto after =
            last ? std::find_if(group, groupEnd, [&](const Occurrence& o) { return o.at > *last; })
                 : group;
        std::vector<std::size_t> places;
        for (auto o = after; o != groupEnd; ++o)
            places.push_back(o->at);
        for (auto o = std::make_reverse_iterator(after); o != std::make_reverse_iterator(group);
             ++o)
            places.push_back(o->at);
        group = groupEnd;

        const Issue stored = *plan.form.toStored(issue);
        std::optional<PositionValues> numbers;
        for (std::size_t at : places) {
            numbers = readNumbers(text, at + length);
            if (numbers) {
                last = at;
                break;
            }
        }
        if (!numbers) {
            last = places.front();
            out.skipped.push_back({stored, messages::pageNumbersUnreadable(
                                               stored, quoted(text, places.front() + length))});
        } else if (auto problem = drawProblem(stored, *numbers, game)) {
            out.skipped.push_back({stored, messages::pageDrawProblem(stored, *problem)});
        } else {
            out.draws.push_back({stored, *numbers});
        }
    }
    return out;
}

} // namespace yilou::history
