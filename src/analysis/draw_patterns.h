#pragma once

#include "analysis/issue_range.h"
#include "analysis/omission_search.h"
#include "core/snapshot.h"

#include <array>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace yilou::analysis {

/// What players read from a draw as a whole (形态), in the order the program lists them. A draw
/// is d1 … d5 in drawn order; its value of each pattern is a whole number (the value code).
enum class Pattern : int {
    Sum = 0,     ///< 和值: d1 + … + d5
    Span,        ///< 跨度: largest − smallest
    Odd,         ///< 奇偶比: the count of odd numbers (the ratio odd : even)
    Big,         ///< 大小比: the count of big numbers, the upper half (06–11; 07–12 of 12)
    Prime,       ///< 质合比: the count of primes, 01 02 03 05 07 11 (1 counts as prime)
    Mod3,        ///< 012路: c0·100 + c1·10 + c2, cR numbers leaving R when divided by 3
    Consecutive, ///< 连号: pairs of consecutive numbers among the five (01 02 03 holds two)
    Repeat,      ///< 重号: numbers also drawn in the previous stored draw
    Sum3,        ///< 前三和值: d1 + d2 + d3
    Span3,       ///< 前三跨度: largest − smallest of d1, d2, d3
};
inline constexpr int kPatternCount = 10;

/// A big number: the upper half of the game (06–11 of 11, 07–12 of 12).
constexpr bool isBigNumber(int number, int highestNumber) {
    return number > highestNumber / 2;
}
/// A prime as players count them: 01 02 03 05 07 11 (1 counts as prime).
constexpr bool isPrimeNumber(int number) {
    return number == 1 || number == 2 || number == 3 || number == 5 || number == 7 || number == 11;
}

/// The key of a pattern as the command line and json spell it: sum, span, odd, big, prime,
/// mod3, consecutive, repeat, sum3, span3.
std::string_view patternKey(Pattern pattern);
std::optional<Pattern> patternFromKey(std::string_view key);

/// A value as the grids show it: counts as "3:2" (Odd, Big, Prime), 012路 as "1:2:2", the
/// others in plain decimal ("15").
std::string patternValueLabel(Pattern pattern, int value);

/// The values a pattern takes in a game of the numbers 1..highestNumber (11 or 12): every
/// value some draw of the game has, ascending, and the chance of each. The chances are exact,
/// counted over every draw of the game: every set of five for the patterns of the five
/// numbers, every ordered draw for the 前三 patterns, and C(5, k)·C(N − 5, 5 − k) / C(N, 5)
/// for k numbers of the previous draw (重号).
struct PatternOdds {
    std::vector<int> values;
    std::vector<double> probabilities;
};
PatternOdds patternOdds(Pattern pattern, int highestNumber);

/// A draw's value of every pattern, in Pattern order. The oldest stored draw has no previous
/// draw and so no 重号: kNoPatternValue.
using DrawPatternValues = std::array<int, kPatternCount>;
inline constexpr int kNoPatternValue = -1;

/// The values of every draw of the range, in IDX order. 重号 counts the numbers of the previous
/// stored draw, however many issues lie between them.
std::vector<DrawPatternValues> drawPatternValues(const history::Snapshot& snapshot,
                                                 IndexRange range, int highestNumber);

/// The draws of the range whose value of `pattern` is `value`, as the search's detail rows:
/// the issue, the five numbers in drawn order, the draws since the previous one (the first
/// counted from the IDX before the range) and the row number.
std::vector<HitRow> patternHits(const history::Snapshot& snapshot, Pattern pattern, int value,
                                IndexRange range, int highestNumber);

} // namespace yilou::analysis
