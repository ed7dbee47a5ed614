#pragma once

#include "analysis/prize_table.h"
#include "analysis/ticket_filter.h"

#include <vector>

namespace yilou::analysis {

/// A back-test's draws in money, beside what chance alone pays for the same tickets.
struct BacktestMoney {
    struct Figures {
        Fen cost = 0;  ///< the tickets at kTicketPrice each
        Fen prize = 0; ///< the winning tickets at the play's prize each
        /// The tickets × the chance that one wins × the prize: what chance alone pays.
        double expectedPrize = 0;

        Fen net() const { return prize - cost; }
    };
    std::vector<Figures> rows; ///< one for each row of the back-test
    Figures totals;            ///< the rows summed
};

/// The back-test of a play of an N-number game in money at the play's prize for one ticket.
BacktestMoney backtestMoney(const Backtest& backtest, Play play, int highestNumber, Fen prize);

} // namespace yilou::analysis
