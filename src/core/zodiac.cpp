#include "core/zodiac.h"

#include <string>

namespace yilou::history {

namespace {

int floorMod12(int value) {
    const int r = value % 12;
    return r < 0 ? r + 12 : r;
}

} // namespace

int intChunJie(int year) {
    // Verified against the new moons in China's time zone; a general calendar library is a day
    // off for 2027 and 2030, so the dates are kept as data.
    static constexpr std::array<int, 30> dates{
        124, 212, 201, 122, 209, 129, 218, 207, 126, 214, // 2001..2010
        203, 123, 210, 131, 219, 208, 128, 216, 205, 125, // 2011..2020
        212, 201, 122, 210, 129, 217, 206, 126, 213, 203, // 2021..2030
    };
    if (year < 2001 || year > 2030)
        return 0;
    return dates[year - 2001];
}

int SetZodiacYear(Issue issue) {
    const CalendarDate date = issueDate(issue);
    const int monthDay = date.month * 100 + date.day;
    return monthDay < intChunJie(date.year) ? date.year - 1 : date.year;
}

std::string_view zodiacNumbers(int k, int zodiacYear) {
    return strSxList[floorMod12(zodiacYear - 1972 - k)];
}

int zodiacOf(int number, int zodiacYear) {
    // strSxNums(k) = strSxList((year − 1972 − k) mod 12) and list j holds the numbers
    // congruent to j + 1, so the zodiac of n is the k with (year − 1972 − k) ≡ n − 1.
    if (number < 1 || number > 49)
        return 11;
    return floorMod12(zodiacYear - 1972 - (number - 1));
}

ZodiacCodes ZodiacCodes::startup(int sxIni) {
    ZodiacCodes codes;
    for (int k = 0; k < 12; ++k)
        codes.code[k] = sxIni + k;
    return codes;
}

ZodiacCodes ZodiacCodes::positional(int zodiacYear, int sxIni) {
    ZodiacCodes codes;
    for (int k = 0; k < 12; ++k)
        codes.code[k] = floorMod12(zodiacYear - 1972 - k) + sxIni;
    return codes;
}

std::string zodiacName(int code, int sxIni) {
    const int k = code - sxIni;
    if (k < 0 || k > 11)
        return std::to_string(code);
    return std::string(strSxName[k]);
}

} // namespace yilou::history
