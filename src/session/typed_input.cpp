#include "session/typed_input.h"

#include "core/user_error.h"
#include "session/messages.h"

#include <algorithm>
#include <cctype>
#include <charconv>

namespace yilou::session {

int parseDecimal(std::string_view text, std::string_view what) {
    int value = 0;
    const char* begin = text.data();
    const char* end = begin + text.size();
    if (begin != end && *begin == '+')
        ++begin;
    const auto [ptr, error] = std::from_chars(begin, end, value, 10);
    if (begin == end || ptr != end || error == std::errc::invalid_argument)
        throw InputError(messages::notAnInteger(what, text));
    if (error == std::errc::result_out_of_range)
        throw InputError(messages::integerOutOfRange(what, text));
    return value;
}

std::vector<int> parseNumberList(std::string_view text, std::string_view what) {
    std::vector<int> numbers;
    std::size_t start = 0;
    while (start < text.size()) {
        const std::size_t end = std::min(text.find_first_of(", \t", start), text.size());
        if (end > start)
            numbers.push_back(parseDecimal(text.substr(start, end - start), what));
        start = end + 1;
    }
    std::sort(numbers.begin(), numbers.end());
    numbers.erase(std::unique(numbers.begin(), numbers.end()), numbers.end());
    return numbers;
}

int parseGame(std::string_view text) {
    if (const auto byCode = history::gameIndexOfCode(text))
        return *byCode;
    const int index = parseDecimal(text, messages::field::kGameIndex);
    if (index < 0 || index >= history::kGameCount)
        throw InputError(messages::gameIndexOutOfRange(text));
    return index;
}

int parseDrawsPerDay(std::string_view text) {
    const int draws = parseDecimal(text, messages::field::kDrawsPerDay);
    if (draws < history::kFewestDrawsPerDay || draws > history::kMostDrawsPerDay)
        throw InputError(messages::drawsPerDayOutOfRange(text));
    return draws;
}

history::Issue parseIssue(std::string_view text, std::string_view which) {
    try {
        return history::readIssue(text);
    } catch (const UserError& error) {
        throw InputError(std::string(which) + error.what());
    }
}

IssueBounds parseRange(std::string_view startText, std::string_view endText) {
    return {parseIssue(startText, messages::field::kStart),
            parseIssue(endText, messages::field::kEnd)};
}

std::vector<int> codesInBoxOrder(analysis::SearchType type, const history::Game& game, int sxIni,
                                 int dsIni, const std::vector<std::string>& codes) {
    const auto selectable = analysis::selectableCodes(type, game.highestNumber, sxIni, dsIni);
    std::vector<std::size_t> boxes;
    for (const auto& text : codes) {
        const auto box = std::find(selectable.begin(), selectable.end(),
                                   parseDecimal(text, messages::field::kSelectedValue));
        if (box == selectable.end())
            throw InputError(messages::notACodeOfType(text, messages::typeName(type)));
        boxes.push_back(static_cast<std::size_t>(box - selectable.begin()));
    }
    std::sort(boxes.begin(), boxes.end());
    std::vector<int> ordered;
    for (std::size_t box : boxes)
        ordered.push_back(selectable[box]);
    return ordered;
}

DrawBoxTyping typeDrawDigit(std::string_view digits, bool fresh, char digit) {
    std::string typed = fresh || digits.size() != 1 ? std::string() : std::string(digits);
    typed += digit;
    return {typed, typed.size() == 2};
}

bool isHistoryTextFileName(std::string_view fileName) {
    if (fileName.size() < 3)
        return false;
    std::string ending(fileName.substr(fileName.size() - 3));
    std::transform(ending.begin(), ending.end(), ending.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return ending == "txt";
}

} // namespace yilou::session
