#pragma once

#include "analysis/play_type.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <vector>

namespace yilou::analysis {

using DrawKey = std::uint16_t;
/// An index into playCombinations.
using CombinationIndex = std::uint16_t;

/// What a play's hits follow from: the set of the five numbers, or the first one, two or three
/// in drawn order.
enum class DrawKeyKind : std::uint8_t { Set, Front1, Front2, Front3 };
inline constexpr int kDrawKeyKinds = 4;

DrawKeyKind drawKeyKind(Play play);

/// Turns a draw's numbers into the keys of the hit tables: the rank of the set of the game's
/// numbers it holds (the sets of five first, in playCombinations order), and its first numbers
/// as the digits of a number in base 13. A draw holds five distinct numbers of the game; should
/// a history hold values of another game (a 12 stored before the game was changed to one of 11
/// numbers), such a value is left out of the set and is digit 0.
class DrawKeys {
public:
    /// The keys of an 11- or 12-number game, made once.
    static const DrawKeys& of(int highestNumber);

    int highestNumber() const { return n_; }
    std::size_t keyCount(DrawKeyKind kind) const;

    /// Keys of `kind` of the draws first … first + count − 1 of the five number columns.
    void keys(DrawKeyKind kind, const std::array<const std::int8_t*, 5>& columns, std::size_t first,
              std::size_t count, DrawKey* out) const;

    /// The numbers a key stands for, a set ascending or the first numbers in order; none for
    /// front digits of which one is no number of the game or two are the same.
    std::optional<PlayCombination> numbersOf(DrawKeyKind kind, std::size_t key) const;

private:
    explicit DrawKeys(int highestNumber);

    int n_;
    std::array<std::uint16_t, 256> bit_{};  ///< number v: bit v − 1; anything else 0
    std::array<std::uint8_t, 256> digit_{}; ///< number v: v; anything else 0
    std::vector<PlayCombination> sets_;     ///< every set of at most five numbers, by rank
    std::vector<DrawKey> setRank_;          ///< by the bits of the set
};

/// Which combinations of a play a draw hits, by the draw's key: the C(5, k) subsets of the
/// drawn numbers for 任选 k ≤ 5, the C(N − 5, k − 5) sets of k that hold them for k ≥ 6, one
/// for each 前 play. Every draw of the game hits `stride` combinations; a key of fewer hits
/// (no draw of the game) names the spare index, combinations.size(), for the rest.
struct HitTable {
    Play play = Play::Any1;
    DrawKeyKind kind = DrawKeyKind::Set;
    std::vector<PlayCombination> combinations;
    std::size_t stride = 1;
    std::vector<CombinationIndex> targets; ///< `stride` per key

    /// The table of a play of an 11- or 12-number game, made once.
    static const HitTable& of(Play play, int highestNumber);

    const CombinationIndex* hits(DrawKey key) const { return targets.data() + key * stride; }

private:
    HitTable(Play play, const DrawKeys& keys);
};

} // namespace yilou::analysis
