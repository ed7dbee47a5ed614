#pragma once

#include "analysis/play_type.h"
#include "core/snapshot.h"

#include <cstddef>
#include <cstdint>
#include <functional>
#include <optional>
#include <vector>

namespace yilou::analysis {

/// A closed range of whole numbers, low–high.
struct ValueRange {
    int low = 0;
    int high = 0;

    bool holds(int value) const { return low <= value && value <= high; }
};

/// The counts a condition allows: bit c for a count of c (0 … 8).
using CountSet = std::uint16_t;

/// What a ticket must meet to be kept (缩水). A condition left empty holds for every ticket;
/// the counts and ranges are read from the ticket's own numbers as a set, whatever its size.
struct TicketConditions {
    std::vector<int> must;               ///< 胆: the ticket holds every one of them
    std::vector<int> exclude;            ///< 杀号: the ticket holds none of them
    std::optional<ValueRange> sum;       ///< 和值 of its numbers
    std::optional<ValueRange> span;      ///< 跨度: largest − smallest
    std::optional<CountSet> odd;         ///< odd numbers
    std::optional<CountSet> big;         ///< big numbers (isBigNumber)
    std::optional<CountSet> prime;       ///< primes (isPrimeNumber)
    std::optional<CountSet> consecutive; ///< pairs of consecutive numbers
    /// The ticket's current gap as its play's board gives it over the history before the draw
    /// considered.
    std::optional<ValueRange> omission;
};

/// Whether a ticket's own numbers meet every condition but the omission, which needs a history.
bool meetsNumberConditions(const PlayCombination& ticket, int highestNumber,
                           const TicketConditions& conditions);

/// The tickets of the play in an N-number game (11 or 12) that meet every condition against the
/// whole history, in playCombinations order.
std::vector<PlayCombination> filterTickets(const history::Snapshot& snapshot, Play play,
                                           int highestNumber, const TicketConditions& conditions);

/// One draw of a back-test: the tickets the conditions kept with the draws before it as the
/// history, and how many of them it hit.
struct BacktestRow {
    std::size_t index = 0; ///< the draw's snapshot index
    std::int32_t tickets = 0;
    std::int32_t wins = 0;

    friend bool operator==(const BacktestRow&, const BacktestRow&) = default;
};

/// The back-test as a whole, each figure beside what chance alone gives.
struct BacktestTotals {
    std::size_t draws = 0;
    std::int64_t tickets = 0;
    std::int64_t wins = 0;
    std::size_t drawsWithWin = 0;
    /// Tickets × the play's probability, summed over the draws.
    double expectedWins = 0;
    /// Per draw, the share of the game's draws that hit at least one of its tickets, summed.
    double expectedDrawsWithWin = 0;
};

struct Backtest {
    std::vector<BacktestRow> rows; ///< oldest first
    BacktestTotals totals;
};

/// Told how many draws are done, of how many; returns false to stop.
using BacktestProgress = std::function<bool(std::size_t done, std::size_t total)>;

/// The draws a back-test over the newest `last` draws covers: those with a stored draw before
/// them, so at most draws − 1.
std::size_t backtestDraws(const history::Snapshot& snapshot, std::size_t last);

/// What the conditions would have done over the newest `last` draws (backtestDraws of them):
/// for each, the tickets meeting them with the draws before it as the history, and its hits.
/// The number conditions are decided once; the omission moves on with the board's running
/// tallies draw by draw. None when `progress` asked to stop.
std::optional<Backtest> backtest(const history::Snapshot& snapshot, Play play, int highestNumber,
                                 const TicketConditions& conditions, std::size_t last,
                                 const BacktestProgress& progress = {});

} // namespace yilou::analysis
