#pragma once

#include "core/issue.h"

#include <array>
#include <string>
#include <string_view>

namespace yilou::history {

/// The twelve zodiac names, 鼠 (k = 0) to 猪 (k = 11).
inline constexpr std::array<std::string_view, 12> strSxName{"鼠", "牛", "虎", "兔", "龙", "蛇",
                                                            "马", "羊", "猴", "鸡", "狗", "猪"};

/// Entry j lists the numbers 1..49 congruent to j + 1 modulo 12, two digits each.
inline constexpr std::array<std::string_view, 12> strSxList{
    "01、13、25、37、49", "02、14、26、38", "03、15、27、39", "04、16、28、40",
    "05、17、29、41",     "06、18、30、42", "07、19、31、43", "08、20、32、44",
    "09、21、33、45",     "10、22、34、46", "11、23、35、47", "12、24、36、48"};

/// Spring Festival of a Gregorian year as month × 100 + day; 0 for years without an entry.
int intChunJie(int year);

/// The zodiac year of a draw: the calendar year of its date, less one when the draw lies
/// before that year's Spring Festival.
int SetZodiacYear(Issue issue);

/// Index k (鼠 = 0 … 猪 = 11) of the zodiac that holds `number` in zodiac year `zodiacYear`;
/// a number that no list holds gets 11, as the list search falls through to the last zodiac.
int zodiacOf(int number, int zodiacYear);

/// Number list of zodiac k in a zodiac year (strSxNums).
std::string_view zodiacNumbers(int k, int zodiacYear);

/// The code stored for each zodiac k (intSxCode).
struct ZodiacCodes {
    std::array<int, 12> code{};

    /// As at start-up: the code of zodiac k is base + k.
    static ZodiacCodes startup(int sxIni);
    /// As after the zodiac menu: the position of zodiac k counted from the zodiac of
    /// `zodiacYear` (which is position 0), plus the base.
    static ZodiacCodes positional(int zodiacYear, int sxIni);

    friend bool operator==(const ZodiacCodes&, const ZodiacCodes&) = default;
};

/// Display name of a stored zodiac code: strSxName(code − sxIni). A code that names no zodiac
/// after the shift is shown as its number.
std::string zodiacName(int code, int sxIni);

} // namespace yilou::history
