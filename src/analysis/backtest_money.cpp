#include "analysis/backtest_money.h"

namespace yilou::analysis {

BacktestMoney backtestMoney(const Backtest& backtest, Play play, int highestNumber, Fen prize) {
    const double probability = playProbability(play, highestNumber);
    BacktestMoney money;
    money.rows.reserve(backtest.rows.size());
    for (const BacktestRow& row : backtest.rows) {
        const BacktestMoney::Figures figures{row.tickets * kTicketPrice, row.wins * prize,
                                             row.tickets * probability *
                                                 static_cast<double>(prize)};
        money.rows.push_back(figures);
        money.totals.cost += figures.cost;
        money.totals.prize += figures.prize;
        money.totals.expectedPrize += figures.expectedPrize;
    }
    return money;
}

} // namespace yilou::analysis
