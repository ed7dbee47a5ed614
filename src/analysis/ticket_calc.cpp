#include "analysis/ticket_calc.h"

#include "analysis/play_hits.h"

#include <algorithm>
#include <functional>
#include <map>
#include <tuple>

namespace yilou::analysis {

namespace {

bool among(const std::vector<int>& numbers, int number) {
    return std::binary_search(numbers.begin(), numbers.end(), number);
}

bool holdsBet(const Bet& bet, const PlayCombination& c) {
    const auto* begin = c.numbers.begin();
    const auto* end = begin + c.size;
    switch (bet.form) {
    case BetForm::Multiple:
        return std::all_of(begin, end, [&](int number) { return among(bet.numbers, number); });
    case BetForm::Banker:
        return std::all_of(bet.bankers.begin(), bet.bankers.end(),
                           [&](int number) { return c.holds(number); }) &&
               std::all_of(begin, end, [&](int number) {
                   return among(bet.bankers, number) || among(bet.numbers, number);
               });
    case BetForm::Positional:
        if (bet.positions.size() != static_cast<std::size_t>(c.size))
            return false;
        for (int j = 0; j < c.size; ++j)
            if (!among(bet.positions[j], c.numbers[j]))
                return false;
        return true;
    }
    return false;
}

/// How a draw's numbers that the play looks at fall on the bet.
BetOutcome outcomeOf(const Bet& bet, const PlayCombination& drawn) {
    BetOutcome outcome;
    for (int j = 0; j < drawn.size; ++j) {
        const int number = drawn.numbers[j];
        if (bet.form == BetForm::Positional) {
            const bool hit = static_cast<std::size_t>(j) < bet.positions.size() &&
                             among(bet.positions[j], number);
            outcome.hits += hit;
            outcome.positions |= static_cast<std::uint8_t>(hit << j);
            continue;
        }
        const bool banker = among(bet.bankers, number);
        outcome.bankerHits += banker;
        outcome.hits += banker || among(bet.numbers, number);
    }
    return outcome;
}

} // namespace

std::vector<PlayCombination> betTickets(const Bet& bet, int highestNumber) {
    std::vector<PlayCombination> tickets;
    for (const auto& c : HitTable::of(bet.play, highestNumber).combinations)
        if (holdsBet(bet, c))
            tickets.push_back(c);
    return tickets;
}

BetChances betChances(const Bet& bet, int highestNumber) {
    const HitTable& table = HitTable::of(bet.play, highestNumber);
    const DrawKeys& keys = DrawKeys::of(highestNumber);
    // One flag per combination and one for the spare index, which is never a ticket.
    std::vector<std::uint8_t> kept(table.combinations.size() + 1, 0);
    BetChances chances;
    for (std::size_t c = 0; c < table.combinations.size(); ++c) {
        kept[c] = holdsBet(bet, table.combinations[c]);
        chances.tickets += kept[c];
    }
    const int drawnSize = table.kind == DrawKeyKind::Set ? 5 : static_cast<int>(table.kind);
    // Outcomes by most hits first, told apart by their winning tickets too, so that a count
    // never merges draws that pay differently.
    using Key = std::tuple<int, int, int, std::int64_t>;
    std::map<Key, std::int64_t, std::greater<>> byOutcome;
    for (std::size_t key = 0; key < keys.keyCount(table.kind); ++key) {
        const auto drawn = keys.numbersOf(table.kind, key);
        if (!drawn || drawn->size != drawnSize)
            continue;
        const CombinationIndex* hit = table.hits(static_cast<DrawKey>(key));
        std::int64_t wins = 0;
        for (std::size_t j = 0; j < table.stride; ++j)
            wins += kept[hit[j]];
        const BetOutcome outcome = outcomeOf(bet, *drawn);
        ++byOutcome[{outcome.hits, outcome.bankerHits, outcome.positions, wins}];
        ++chances.gameDraws;
        chances.winningDraws += wins > 0;
        chances.winningTicketsOverDraws += wins;
        chances.mostWinningTickets = std::max(chances.mostWinningTickets, wins);
    }
    for (const auto& [key, draws] : byOutcome) {
        const auto [hits, bankerHits, positions, wins] = key;
        chances.outcomes.push_back(
            {hits, bankerHits, static_cast<std::uint8_t>(positions), wins, draws});
    }
    return chances;
}

Fen betCost(std::int64_t tickets, int multiple) {
    return tickets * kTicketPrice * multiple;
}

std::optional<BetMoney> betMoney(const BetChances& chances, std::optional<Fen> prize,
                                 int multiple) {
    if (!prize || chances.tickets == 0 || chances.gameDraws == 0)
        return std::nullopt;
    BetMoney money;
    money.maxPrize = chances.mostWinningTickets * *prize * multiple;
    // The multiple stakes and pays alike, so it leaves the return per yuan as it is.
    money.expectedReturn = static_cast<double>(chances.winningTicketsOverDraws * *prize) /
                           static_cast<double>(chances.gameDraws * chances.tickets * kTicketPrice);
    return money;
}

} // namespace yilou::analysis
