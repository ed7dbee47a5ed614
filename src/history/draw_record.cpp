#include "history/draw_record.h"

#include <algorithm>

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
    out += std::to_string(value);
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

DrawRecord recordFromStored(Issue issue, const PositionValues& numbers,
                            const PositionValues& zodiac, const PositionValues& segment) {
    DrawRecord record;
    record.issue = issue;
    AttributeSet& drop = record.drop;
    drop[Letter::A] = numbers;
    drop[Letter::B] = zodiac;
    drop[Letter::H] = segment;
    for (int i = 0; i < 5; ++i) {
        drop[Letter::E][i] = numbers[i] / 10;
        drop[Letter::F][i] = numbers[i] % 10;
        drop[Letter::G][i] = drop[Letter::E][i] + drop[Letter::F][i];
    }
    // Every attribute depends on the number alone, so the ascending set is the drawn set with
    // its positions reordered.
    std::array<int, 5> order{0, 1, 2, 3, 4};
    for (int i = 1; i < 5; ++i) // insertion sort: five entries, run for every loaded draw
        for (int j = i; j > 0 && numbers[order[j]] < numbers[order[j - 1]]; --j)
            std::swap(order[j], order[j - 1]);
    for (int l = 0; l < kLetterCount; ++l)
        for (int i = 0; i < 5; ++i)
            record.sorted.values[l][i] = drop.values[l][order[i]];
    return record;
}

std::string OccurrenceList(const PositionValues& values, bool twoDigits) {
    std::string out;
    out.reserve(30);
    for (int i = 0; i < 5; ++i) {
        const int count =
            static_cast<int>(std::count(values.begin(), values.begin() + i + 1, values[i]));
        out += std::to_string(count);
        out += 'X';
        appendValue(out, values[i], twoDigits);
        out += ' ';
    }
    return out;
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
    return {OccurrenceList(set[Letter::A], true),  OccurrenceList(set[Letter::B], true),
            OccurrenceList(set[Letter::E], false), OccurrenceList(set[Letter::F], false),
            OccurrenceList(set[Letter::G], true),  OccurrenceList(set[Letter::H], false)};
}

} // namespace yilou::history
