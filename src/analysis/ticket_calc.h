#pragma once

#include "analysis/play_type.h"
#include "analysis/prize_table.h"

#include <cstdint>
#include <optional>
#include <vector>

namespace yilou::analysis {

/// How a player writes a bet of many tickets.
enum class BetForm : std::uint8_t {
    Multiple,   ///< 复式: every combination of the play out of `numbers`
    Banker,     ///< 胆拖: every combination holding all `bankers` and the rest from `numbers`
    Positional, ///< 直选 by position: one number of `positions[j]` in place j, all different
};

/// A bet as the player chose it; numbers of the game, each list ascending without repeats, the
/// bankers apart from `numbers`. Sizes that give no ticket give an empty bet.
struct Bet {
    Play play = Play::Any5;
    BetForm form = BetForm::Multiple;
    std::vector<int> numbers;                ///< 复式 numbers, or the 拖 of a 胆拖
    std::vector<int> bankers;                ///< 胆
    std::vector<std::vector<int>> positions; ///< 直选: the numbers of each place, playSize of them
};

/// The tickets of a bet in an N-number game, in playCombinations order.
std::vector<PlayCombination> betTickets(const Bet& bet, int highestNumber);

/// One way a draw can fall on a bet: how many of the numbers the play looks at (all five for
/// 任选, the first one, two or three for the 前 plays) are among the bet's numbers, of them how
/// many among its 胆, or for 直选 by position which places hold one of that place's numbers.
struct BetOutcome {
    int hits = 0;               ///< numbers of the draw in the bet; places hit for 直选
    int bankerHits = 0;         ///< of them among the 胆
    std::uint8_t positions = 0; ///< 直选: bit j for place j + 1
    std::int64_t winningTickets = 0;
    std::int64_t draws = 0; ///< the game's draws that fall so, of BetChances::gameDraws

    friend bool operator==(const BetOutcome&, const BetOutcome&) = default;
};

/// Every outcome of a bet over the game's equally likely draws, counted exactly.
struct BetChances {
    std::int64_t tickets = 0;
    /// The draws counted: the sets of five numbers for 任选, the ordered first numbers for the
    /// 前 plays; each stands for the same number of ordered draws of five.
    std::int64_t gameDraws = 0;
    /// Most hits first; for 直选 by position the places hit, from all to none.
    std::vector<BetOutcome> outcomes;
    std::int64_t winningDraws = 0; ///< draws with at least one winning ticket
    /// Winning tickets summed over all the game's draws: their mean is this / gameDraws.
    std::int64_t winningTicketsOverDraws = 0;
    std::int64_t mostWinningTickets = 0;
};

/// Counts the bet's outcomes over every draw of an N-number game (11 or 12), with the same
/// rule of which tickets a draw hits as the boards and the back-test.
BetChances betChances(const Bet& bet, int highestNumber);

/// What `tickets` tickets cost at `multiple` times (倍数).
Fen betCost(std::int64_t tickets, int multiple);

/// What the prizes of a bet come to at `multiple` times.
struct BetMoney {
    Fen maxPrize = 0; ///< in the draw with the most winning tickets
    /// Mean prize over the game's draws per yuan staked: the expected return.
    double expectedReturn = 0;
};

/// The money of a bet; none when the play has no prize or the bet has no ticket.
std::optional<BetMoney> betMoney(const BetChances& chances, std::optional<Fen> prize, int multiple);

} // namespace yilou::analysis
