#pragma once

#include "core/draw_record.h"
#include "core/games.h"

#include <optional>

namespace yilou::session {

/// The settings that decide the current game and how a draw's attributes are derived.
struct Choices {
    int gsZl = 0;  ///< current game, 0..27
    int sxIni = 1; ///< zodiac code base
    int dsIni = 1; ///< segment code base
    /// Set once the zodiac menu has been used in this run: the zodiac codes then count from
    /// the zodiac of this year (intSxYear) instead of from 鼠.
    std::optional<int> positionalZodiacYear;
    /// The draws per day set for the game; 0 for the game table's value.
    int drawsPerDay = 0;

    /// The game of gsZl (game 0 for an index out of range) with the draws per day in force.
    history::Game game() const;
    /// The bases and zodiac codes in force.
    history::AttributeRules rules() const;
};

} // namespace yilou::session
