#include "history/draw_record.h"

#include <algorithm>
#include <cstdio>

namespace yilou::history {

namespace {

AttributeSet deriveSet(const PositionValues& numbers, int zodiacYear, const AttributeRules& rules) {
    AttributeSet set;
    for (int i = 0; i < 5; ++i) {
        const int n = numbers[i];
        const int head = n / 10;
        const int tail = n % 10;
        set[Letter::A][i] = n;
        set[Letter::B][i] = rules.zodiac.code[zodiacOf(n, zodiacYear)];
        set[Letter::E][i] = head;
        set[Letter::F][i] = tail;
        set[Letter::G][i] = head + tail;
        set[Letter::H][i] = (n - 1) / 4 + rules.dsIni;
    }
    return set;
}

void appendValue(std::string& out, int value, bool twoDigits) {
    char buffer[16];
    std::snprintf(buffer, sizeof buffer, twoDigits ? "%02d" : "%d", value);
    out += buffer;
}

} // namespace

AttributeRules AttributeRules::startup(int sxIni, int dsIni) {
    return {sxIni, dsIni, ZodiacCodes::startup(sxIni)};
}

DrawRecord DeriveAttributes(Issue issue, const PositionValues& numbers,
                            const AttributeRules& rules) {
    const int zodiacYear = SetZodiacYear(issue);
    PositionValues ascending = numbers;
    std::sort(ascending.begin(), ascending.end());
    return {issue, deriveSet(numbers, zodiacYear, rules), deriveSet(ascending, zodiacYear, rules)};
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
