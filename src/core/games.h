#pragma once

#include <array>
#include <optional>
#include <string>
#include <string_view>

namespace yilou::history {

/// One lottery game the program serves.
struct Game {
    std::string_view name;     ///< menu caption, e.g. "广东11选5"
    std::string_view areaCode; ///< region code, e.g. "gd"
    int drawsPerDay;           ///< draws of one day; the issue ordinal runs 1..drawsPerDay
    int highestNumber;         ///< 11 for the 11-choose-5 games, 12 for the happy-12 games

    bool isHappy12() const { return highestNumber == 12; }
    /// Code that names the game's results page: "11x5" or "kl12" followed by the region code.
    std::string gameCode() const;
};

inline constexpr int kGameCount = 28;

/// The range of a game's draws per day that a player may set.
inline constexpr int kFewestDrawsPerDay = 1;
inline constexpr int kMostDrawsPerDay = 120;

/// The 28 games in menu order; the index is the stored setting GsZl.
const std::array<Game, kGameCount>& games();

/// The game of a stored index; an index outside 0..27 (a hand-edited setting) gives game 0.
const Game& gameAt(int index);

/// The index of the game whose gameCode() is `code` ("11x5gd" gives 0); nothing for any other
/// text.
std::optional<int> gameIndexOfCode(std::string_view code);

} // namespace yilou::history
