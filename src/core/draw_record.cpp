#include "core/draw_record.h"

#include <algorithm>
#include <cstdlib>

namespace yilou::history {

namespace {

void appendValue(std::string& out, int value, bool twoDigits) {
    // Every stored draw formats 35 values here, so the usual one- and two-digit values skip
    // the general formatter.
    if (value >= 0 && value < 100) {
        if (twoDigits || value >= 10)
            out += static_cast<char>('0' + value / 10);
        out += static_cast<char>('0' + value % 10);
        return;
    }
    out += twoDigits ? twoDigitText(value) : std::to_string(value);
}

void appendOccurrenceList(std::string& out, const PositionValues& values, bool twoDigits) {
    for (int i = 0; i < 5; ++i) {
        const int count =
            static_cast<int>(std::count(values.begin(), values.begin() + i + 1, values[i]));
        out += static_cast<char>('0' + count); // 1..5
        out += 'X';
        appendValue(out, values[i], twoDigits);
        out += ' ';
    }
}

} // namespace

AttributeRules AttributeRules::startup(int sxIni, int dsIni) {
    return {sxIni, dsIni, ZodiacCodes::startup(sxIni)};
}

DrawRecord DeriveAttributes(Issue issue, const PositionValues& numbers,
                            const AttributeRules& rules) {
    const int zodiacYear = SetZodiacYear(issue);
    PositionValues zodiac{};
    PositionValues segment{};
    for (int i = 0; i < 5; ++i) {
        zodiac[i] = rules.zodiac.code[zodiacOf(numbers[i], zodiacYear)];
        segment[i] = (numbers[i] - 1) / 4 + rules.dsIni;
    }
    return recordFromStored(issue, numbers, zodiac, segment);
}

std::array<int, 5> ascendingPositions(const PositionValues& numbers) {
    // A sorting network on keys that carry the position in their low bits: no branches, which
    // matters as every loaded draw is sorted, and equal numbers keep their drawn order because
    // the keys are distinct.
    std::array<std::int64_t, 5> key{};
    for (int i = 0; i < 5; ++i)
        key[i] = std::int64_t{numbers[i]} * 8 + i;
    const auto exchange = [&key](int a, int b) {
        const auto low = std::min(key[a], key[b]);
        key[b] = std::max(key[a], key[b]);
        key[a] = low;
    };
    exchange(0, 1);
    exchange(3, 4);
    exchange(2, 4);
    exchange(2, 3);
    exchange(1, 4);
    exchange(0, 3);
    exchange(0, 2);
    exchange(1, 3);
    exchange(1, 2);
    std::array<int, 5> order{};
    for (int i = 0; i < 5; ++i)
        order[i] = static_cast<int>(key[i] & 7);
    return order;
}

DrawRecord recordFromStored(Issue issue, const PositionValues& numbers,
                            const PositionValues& zodiac, const PositionValues& segment) {
    DrawRecord record;
    record.issue = issue;
    AttributeSet& drop = record.drop;
    drop[Letter::A] = numbers;
    drop[Letter::B] = zodiac;
    drop[Letter::H] = segment;
    for (int i = 0; i < 5; ++i) {
        drop[Letter::E][i] = headDigit(numbers[i]);
        drop[Letter::F][i] = tailDigit(numbers[i]);
        drop[Letter::G][i] = drop[Letter::E][i] + drop[Letter::F][i];
    }
    // Every attribute depends on the number alone, so the ascending set is the drawn set with
    // its positions reordered.
    const auto order = ascendingPositions(numbers);
    for (int l = 0; l < kLetterCount; ++l)
        for (int i = 0; i < 5; ++i)
            record.sorted.values[l][i] = drop.values[l][order[i]];
    return record;
}

std::string OccurrenceList(const PositionValues& values, bool twoDigits) {
    std::string out;
    appendOccurrenceList(out, values, twoDigits);
    return out;
}

std::string twoDigitText(int value) {
    // Through long: the magnitude of the smallest int is no int.
    std::string digits = std::to_string(std::labs(static_cast<long>(value)));
    if (digits.size() < 2)
        digits.insert(0, 1, '0');
    return value < 0 ? "-" + digits : digits;
}

std::string txtHisLst(const PositionValues& numbers) {
    std::string out;
    out.reserve(15);
    for (int n : numbers) {
        appendValue(out, n, true);
        out += ' ';
    }
    return out;
}

std::array<std::string, 6> occurrenceColumns(const AttributeSet& set) {
    std::array<std::string, 6> lists;
    occurrenceColumns(set, lists);
    return lists;
}

void occurrenceColumns(const AttributeSet& set, std::array<std::string, 6>& lists) {
    // Column order, and whether the values are written with two digits.
    static constexpr std::array<std::pair<Letter, bool>, 6> kLists{{{Letter::A, true},
                                                                    {Letter::B, true},
                                                                    {Letter::E, false},
                                                                    {Letter::F, false},
                                                                    {Letter::G, true},
                                                                    {Letter::H, false}}};
    for (std::size_t i = 0; i < kLists.size(); ++i) {
        lists[i].clear();
        appendOccurrenceList(lists[i], set[kLists[i].first], kLists[i].second);
    }
}

} // namespace yilou::history
