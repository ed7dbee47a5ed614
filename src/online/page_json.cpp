#include "online/page_json.h"

#include <algorithm>
#include <charconv>
#include <nlohmann/json.hpp>

namespace yilou::history {

namespace {

// Members in the order the page gives them: the first issue and the first numbers count.
using Json = nlohmann::ordered_json;

bool isDigit(char c) {
    return c >= '0' && c <= '9';
}

bool allDigits(std::string_view text) {
    return !text.empty() && std::all_of(text.begin(), text.end(), isDigit);
}

/// The page issue of the plan's range that `value` holds.
std::optional<std::int64_t> issueOf(const Json& value, const UpdatePlan& plan) {
    std::string digits;
    if (value.is_string())
        digits = value.get_ref<const std::string&>();
    else if (value.is_number_integer())
        digits = value.dump();
    if (!allDigits(digits))
        return std::nullopt;
    const auto length = static_cast<std::size_t>(plan.form.digits());
    std::string_view issue = digits;
    if (issue.size() == length + 2 && issue.starts_with("20"))
        issue.remove_prefix(2);
    std::int64_t pageIssue = 0;
    if (issue.size() != length ||
        std::from_chars(issue.data(), issue.data() + issue.size(), pageIssue).ec != std::errc{} ||
        pageIssue < plan.firstIssue || pageIssue > plan.lastIssue)
        return std::nullopt;
    return pageIssue;
}

/// One of five numbers written alone: 0..99, or a string of one or two digits.
std::optional<int> numberOf(const Json& value) {
    if (value.is_number_integer()) {
        const auto number = value.get<std::int64_t>();
        return number >= 0 && number <= 99 ? std::optional<int>(static_cast<int>(number))
                                           : std::nullopt;
    }
    if (!value.is_string())
        return std::nullopt;
    const std::string& text = value.get_ref<const std::string&>();
    if (text.size() > 2 || !allDigits(text))
        return std::nullopt;
    return std::stoi(text);
}

/// The five numbers `value` holds, as a string or an array.
std::optional<PositionValues> numbersOf(const Json& value) {
    PositionValues numbers{};
    if (value.is_string()) {
        const std::string& text = value.get_ref<const std::string&>();
        std::size_t at = 0;
        if (readNumbers(text, at, numbers) == numbers.size() &&
            std::none_of(text.begin() + static_cast<std::ptrdiff_t>(at), text.end(), isDigit))
            return numbers;
        return std::nullopt;
    }
    if (!value.is_array() || value.size() != numbers.size())
        return std::nullopt;
    for (std::size_t i = 0; i < numbers.size(); ++i) {
        const auto number = numberOf(value[i]);
        if (!number)
            return std::nullopt;
        numbers[i] = *number;
    }
    return numbers;
}

/// The copy that `object` gives of a wanted issue, if it does.
std::optional<PageCopy> recordCopy(const Json& object, const UpdatePlan& plan) {
    auto issueMember = object.end();
    std::int64_t issue = 0;
    for (auto member = object.begin(); member != object.end(); ++member)
        if (const auto found = issueOf(member.value(), plan)) {
            issueMember = member;
            issue = *found;
            break;
        }
    if (issueMember == object.end() || !plan.wants(issue))
        return std::nullopt;
    PageCopy copy{issue, std::nullopt, {}};
    for (auto member = object.begin(); member != object.end() && !copy.numbers; ++member)
        if (member != issueMember)
            copy.numbers = numbersOf(member.value());
    if (!copy.numbers)
        // What the record holds besides its issue, for the message.
        for (auto member = object.begin(); member != object.end(); ++member)
            if (member != issueMember && member.value().is_primitive())
                copy.following +=
                    (copy.following.empty() ? "" : " ") +
                    (member.value().is_string() ? member.value().get_ref<const std::string&>()
                                                : member.value().dump());
    return copy;
}

} // namespace

bool looksLikeJson(std::string_view body) {
    if (body.starts_with("\xEF\xBB\xBF"))
        body.remove_prefix(3);
    const auto first = body.find_first_not_of(" \t\r\n");
    return first != std::string_view::npos && (body[first] == '{' || body[first] == '[');
}

std::optional<std::vector<PageCopy>> findJsonCopies(std::string_view json, const UpdatePlan& plan) {
    if (json.starts_with("\xEF\xBB\xBF"))
        json.remove_prefix(3);
    const Json document = Json::parse(json.begin(), json.end(), nullptr, false);
    if (document.is_discarded())
        return std::nullopt;
    std::vector<PageCopy> copies;
    // Depth first in document order, without recursion: a page may nest arrays deeply.
    std::vector<const Json*> pending{&document};
    while (!pending.empty()) {
        const Json& value = *pending.back();
        pending.pop_back();
        if (value.is_object())
            if (auto copy = recordCopy(value, plan))
                copies.push_back(std::move(*copy));
        if (value.is_structured())
            for (auto child = value.crbegin(); child != value.crend(); ++child)
                pending.push_back(&*child);
    }
    return copies;
}

} // namespace yilou::history
