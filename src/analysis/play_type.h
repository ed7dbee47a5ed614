#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string_view>
#include <vector>

namespace yilou::analysis {

/// The ways players bet. A draw is d1 … d5 in drawn order out of numbers 1..N (N = 11 or 12).
enum class Play : std::uint8_t {
    Any1, ///< 任选一 … 任选五: k numbers, all among d1..d5
    Any2,
    Any3,
    Any4,
    Any5,
    Any6, ///< 任选六 … 任选八: k numbers holding all of d1..d5
    Any7,
    Any8,
    Front1,       ///< 前一: d1
    Front2Direct, ///< 前二直选: (d1, d2) in this order
    Front2Group,  ///< 前二组选: {d1, d2} in any order
    Front3Direct, ///< 前三直选: (d1, d2, d3) in this order
    Front3Group,  ///< 前三组选: {d1, d2, d3} in any order
};
inline constexpr int kPlayCount = 13;

/// Every play, in the order above.
const std::array<Play, kPlayCount>& allPlays();

/// The play's key on the command line and in json: r1 … r8, q1, q2z, q2x, q3z, q3x.
std::string_view playKey(Play play);
/// The play of a key; none for anything else.
std::optional<Play> playOfKey(std::string_view key);

/// Numbers in one combination of the play.
int playSize(Play play);
/// Whether a combination's numbers are in drawn order (直选) rather than a set.
bool isOrdered(Play play);

/// The combinations of the play in an N-number game.
std::size_t combinationCount(Play play, int highestNumber);

/// The exact chance that a random draw hits one given combination: C(N−k, 5−k) / C(N, 5) for
/// 任选 k ≤ 5, C(k, 5) / C(N, 5) for k ≥ 6, 1 / N for 前一, 1 / (N(N−1)) and 1 / C(N, 2) for
/// 前二, 1 / (N(N−1)(N−2)) and 1 / C(N, 3) for 前三.
double playProbability(Play play, int highestNumber);

/// The numbers of one combination: ascending, 直选 in their order.
struct PlayCombination {
    std::array<std::int8_t, 8> numbers{};
    int size = 0;

    bool holds(int number) const;

    friend bool operator==(const PlayCombination&, const PlayCombination&) = default;
};

/// Every combination of the play, in the order of the boards: lexicographic, so that 任选二
/// runs 01 02, 01 03, …, 10 11 and 前二直选 01 02, 01 03, …, 02 01, 02 03, ….
std::vector<PlayCombination> playCombinations(Play play, int highestNumber);

} // namespace yilou::analysis
