#pragma once

#include "core/issue.h"
#include "core/zodiac.h"

#include <array>
#include <cstdint>
#include <string>

namespace yilou::history {

/// The five attributes and the number itself, per position 1..5 (index 0..4). The letters are
/// the column letters of the history table.
enum class Letter : std::uint8_t {
    A = 0, ///< number
    B,     ///< zodiac code
    E,     ///< head digit
    F,     ///< tail digit
    G,     ///< digit sum (head + tail)
    H,     ///< segment code
};
inline constexpr int kLetterCount = 6;
inline constexpr std::array<char, kLetterCount> kLetterChars{'A', 'B', 'E', 'F', 'G', 'H'};

/// Which per-position column set: "L" holds the numbers in drawn order (落地码), "D" the same
/// numbers in ascending order (顺序码).
enum class NumberOrder : std::uint8_t { Drop = 0, Sorted = 1 };
inline constexpr std::array<char, 2> kOrderPrefix{'L', 'D'};

using PositionValues = std::array<int, 5>;

/// One column set of a draw: for every letter the values at positions 1..5.
struct AttributeSet {
    std::array<PositionValues, kLetterCount> values{};

    PositionValues& operator[](Letter letter) { return values[static_cast<int>(letter)]; }
    const PositionValues& operator[](Letter letter) const {
        return values[static_cast<int>(letter)];
    }
};

/// One draw as stored: its issue, both column sets and the text columns.
struct DrawRecord {
    Issue issue = 0;
    AttributeSet drop;   ///< the L columns
    AttributeSet sorted; ///< the D columns

    const AttributeSet& set(NumberOrder order) const {
        return order == NumberOrder::Drop ? drop : sorted;
    }
};

/// The bases and zodiac codes with which attributes are derived (settings SxIni, DsIni and the
/// zodiac code table).
struct AttributeRules {
    int sxIni = 1;
    int dsIni = 1;
    ZodiacCodes zodiac = ZodiacCodes::startup(1);

    static AttributeRules startup(int sxIni, int dsIni);

    friend bool operator==(const AttributeRules&, const AttributeRules&) = default;
};

/// Derives the record of a draw: the L set from the numbers in drawn order, the D set from
/// the same numbers in ascending order, both by the same rules (segments by fours). The zodiac
/// is that of the issue's zodiac year.
DrawRecord DeriveAttributes(Issue issue, const PositionValues& numbers,
                            const AttributeRules& rules);

/// The head and tail digit of a number; the digit sum is their sum.
constexpr int headDigit(int number) {
    return number / 10;
}
constexpr int tailDigit(int number) {
    return number % 10;
}

/// The positions 0..4 of `numbers` in ascending order of number; equal numbers keep their
/// drawn order.
std::array<int, 5> ascendingPositions(const PositionValues& numbers);

/// The record of a draw whose numbers, zodiac codes and segment codes are known, as stored:
/// head, tail and digit sum follow from the numbers, and the D set is the L set in ascending
/// order of number.
DrawRecord recordFromStored(Issue issue, const PositionValues& numbers,
                            const PositionValues& zodiac, const PositionValues& segment);

/// The occurrence list of five attribute values: per position the token k X value and one blank,
/// k counting the positions up to this one that hold the same value.
std::string OccurrenceList(const PositionValues& values, bool twoDigits);

/// A value written with at least two digits: "05", "11", "123"; a negative one as "-05".
std::string twoDigitText(int value);

/// The numbers as text: each as two digits followed by one blank ("03 11 07 01 09 ").
std::string txtHisLst(const PositionValues& numbers);

/// The six occurrence-list columns of a column set, in the order Hm, Sx, Tou, Wei, He, Ds.
std::array<std::string, 6> occurrenceColumns(const AttributeSet& set);
/// The same into `lists`, whose buffers are reused: storing a long history builds millions.
void occurrenceColumns(const AttributeSet& set, std::array<std::string, 6>& lists);

} // namespace yilou::history
