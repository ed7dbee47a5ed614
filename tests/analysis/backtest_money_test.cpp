#include "analysis/backtest_money.h"
#include "support/history_generator.h"

#include <gtest/gtest.h>

namespace yilou::analysis {

namespace {

// The money totals are a recount of the rows at the prize table's prize: cost from the tickets,
// prize from the winning tickets, and chance's prize from the expected wins.
TEST(BacktestMoney, TotalsAreTheRowsRecountedAtThePrize) {
    const auto snapshot = testing::snapshotOf(testing::generateDraws(400, 7));
    const PrizeTable prizes = PrizeTable::defaults(11);
    struct Case {
        Play play;
        TicketConditions conditions{};
    };
    std::vector<Case> cases{{Play::Any5}, {Play::Any2}, {Play::Front3Direct}, {Play::Any8}};
    cases[0].conditions.must = {3};
    cases[1].conditions.omission = ValueRange{3, 20};
    cases[2].conditions.exclude = {1, 2, 3, 4};
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(playKey(c.play)));
        const auto result = backtest(snapshot, c.play, 11, c.conditions, 300);
        ASSERT_TRUE(result);
        const Fen prize = *prizes.prize(c.play);
        const auto money = backtestMoney(*result, c.play, 11, prize);
        ASSERT_EQ(money.rows.size(), result->rows.size());
        Fen cost = 0, won = 0;
        for (std::size_t i = 0; i < money.rows.size(); ++i) {
            EXPECT_EQ(money.rows[i].cost, result->rows[i].tickets * 200);
            EXPECT_EQ(money.rows[i].prize, result->rows[i].wins * prize);
            EXPECT_EQ(money.rows[i].net(), money.rows[i].prize - money.rows[i].cost);
            cost += money.rows[i].cost;
            won += money.rows[i].prize;
        }
        EXPECT_EQ(money.totals.cost, cost);
        EXPECT_EQ(money.totals.cost, result->totals.tickets * 200);
        EXPECT_EQ(money.totals.prize, won);
        EXPECT_EQ(money.totals.prize, result->totals.wins * prize);
        EXPECT_NEAR(money.totals.expectedPrize, result->totals.expectedWins * prize,
                    1e-9 * money.totals.expectedPrize + 1e-9);
    }
}

} // namespace

} // namespace yilou::analysis
