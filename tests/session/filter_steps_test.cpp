#include "core/user_error.h"
#include "session/filter_steps.h"
#include "session/messages.h"
#include "support/history_generator.h"
#include "support/temp_dir.h"
#include "support/text_files.h"

#include <gtest/gtest.h>

namespace yilou::session {
namespace {

using analysis::CountSet;
using analysis::ValueRange;

const Choices kEleven{0, 1, 1, std::nullopt};
const analysis::PrizeTable kElevenPrizes = analysis::PrizeTable::defaults(11);

// What the boxes and options hold is read into the conditions, and how captions name them.
TEST(FilterSteps, RequestsAreReadIntoConditions) {
    FilterRequest request{"r5", "3 7", "11,1", "25-35", "4-8", "10-10", "2,3", "0", "5", "1,2"};
    const FilterPlan plan = readFilter(request, kEleven);
    EXPECT_EQ(plan.play, analysis::Play::Any5);
    EXPECT_EQ(plan.highestNumber, 11);
    const auto& c = plan.conditions;
    EXPECT_EQ(c.must, (std::vector<int>{3, 7}));
    EXPECT_EQ(c.exclude, (std::vector<int>{1, 11}));
    EXPECT_EQ(c.sum->low, 25);
    EXPECT_EQ(c.sum->high, 35);
    EXPECT_EQ(c.span->high, 8);
    EXPECT_EQ(c.omission->low, 10);
    EXPECT_EQ(c.odd, CountSet(0b1100));
    EXPECT_EQ(c.big, CountSet(1));
    EXPECT_EQ(c.prime, CountSet(1 << 5));
    EXPECT_EQ(c.consecutive, CountSet(0b110));
    EXPECT_EQ(plan.conditionsText, "胆码 03 07  杀号 01 11  和值 25-35  跨度 4-8  奇数 2,3个  "
                                   "大号 0个  质数 5个  连号 1,2个  遗漏 10-10");
    EXPECT_FALSE(readFilter({.play = "q1"}, kEleven).conditions.sum);
}

TEST(FilterSteps, MistakesAreNamed) {
    struct Case {
        FilterRequest request;
        std::string message; // empty: any InputError
    };
    const std::vector<Case> cases{
        {{.play = "r5", .must = "3,7", .exclude = "7 9"}, messages::bankerAlsoExcluded("07")},
        {{.play = "r2", .sum = "25-"}, messages::invalidValueRange("和值", "25-")},
        {{.play = "r2", .omission = "x"}, messages::invalidValueRange("遗漏", "x")},
        {{.play = "r2", .odd = "9"}, messages::countOutOfRange("奇数", 9)},
        // Conditions no ticket can meet name what is allowed.
        {{.play = "r5", .must = "12"}, messages::numberOutsideGame("胆码", 12, 11)},
        {{.play = "r5", .must = "0"}, messages::numberOutsideGame("胆码", 0, 11)},
        {{.play = "r5", .must = "-1"}, messages::numberOutsideGame("胆码", -1, 11)},
        {{.play = "r5", .exclude = "12"}, messages::numberOutsideGame("杀号", 12, 11)},
        {{.play = "r1", .must = "3,7"}, messages::tooManyBankers(analysis::Play::Any1, 2)},
        {{.play = "r5", .exclude = "1,2,3,4,5,6,7"},
         messages::tooManyExcluded(analysis::Play::Any5, 7, 11)},
        {{.play = "r5", .sum = "35-25"}, messages::rangeCannotHold("和值", "35-25", 15, 45)},
        {{.play = "r5", .sum = "25--35"}, messages::rangeCannotHold("和值", "25--35", 15, 45)},
        {{.play = "r5", .sum = "-5"}, messages::rangeCannotHold("和值", "-5", 15, 45)},
        {{.play = "r2", .sum = "30-40"}, messages::rangeCannotHold("和值", "30-40", 3, 21)},
        {{.play = "r5", .span = "11"}, messages::rangeCannotHold("跨度", "11", 4, 10)},
        {{.play = "r5", .omission = "0"}, messages::rangeCannotHold("遗漏", "0", 1, std::nullopt)},
        {{.play = "r9"}, ""},
        {{.play = "r2", .must = "3 x"}, ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.message);
        try {
            readFilter(c.request, kEleven);
            ADD_FAILURE() << "read " << c.request.play;
        } catch (const InputError& error) {
            if (!c.message.empty()) {
                EXPECT_EQ(error.what(), c.message);
            }
        }
    }
}

// The tickets one a line, the back-test's rows with their draws, the totals in words and a
// warning when fewer draws were tested than asked for.
TEST(FilterSteps, TicketsAndBacktestAreShown) {
    const auto snapshot = testing::snapshotOf(testing::generateDraws(5, 3));
    const FilterPlan plan = readFilter({.play = "r5", .must = "1 2 3 4"}, kEleven);
    const FilterView view = filterTickets(snapshot, plan);
    ASSERT_EQ(view.tickets.size(), 7u);
    EXPECT_EQ(ticketLines(view).substr(0, 30), "01 02 03 04 05\n01 02 03 04 06\n");
    EXPECT_EQ(view.caption, "任选五  胆码 01 02 03 04  共 7 注");
    const yilou::testing::TempDir folder;
    exportTickets(view, folder.path() / "tickets.txt");
    EXPECT_EQ(yilou::testing::readFile(folder.path() / "tickets.txt"), ticketLines(view));

    const auto backtest = backtestTickets(snapshot, plan, 10, kElevenPrizes);
    ASSERT_TRUE(backtest);
    ASSERT_EQ(backtest->rows.size(), 4u);
    EXPECT_EQ(backtest->rows[0].issue, snapshot.issues[1]);
    EXPECT_EQ(backtest->rows[0].numbers, snapshot.numbers(1));
    EXPECT_EQ(backtest->warnings, (std::vector{messages::backtestFewerDraws(10, 4)}));
    ASSERT_EQ(backtest->summary.size(), 4u);
    EXPECT_EQ(backtest->summary[0], "回测 4 期，共买 28 注。");
    const auto grid = backtestTextGrid(*backtest);
    std::vector<std::string> cells;
    grid.cells(1, cells);
    EXPECT_EQ(cells[2], "7");
    EXPECT_EQ(cells[4], "14");
    EXPECT_TRUE(
        backtestTickets(snapshot, plan, readBacktestDraws(""), kElevenPrizes)->warnings.empty());
}

// The money of a back-test: the totals line recounted from the rows at the prize, and without a
// prize empty money cells and a line that says why.
TEST(FilterSteps, BacktestInMoney) {
    const auto snapshot = testing::snapshotOf(testing::generateDraws(300, 5));
    const FilterPlan plan = readFilter({.play = "r3", .must = "2"}, kEleven);
    const auto withPrize = backtestTickets(snapshot, plan, 200, kElevenPrizes);
    ASSERT_TRUE(withPrize && withPrize->money);
    const auto grid = backtestTextGrid(*withPrize);
    std::vector<std::string> cells;
    std::int64_t cost = 0, prize = 0;
    for (std::size_t row = 1; row < grid.rows; ++row) {
        grid.cells(row, cells);
        cost += std::stoll(cells[2]) * 2;
        prize += std::stoll(cells[3]) * 19;
        EXPECT_EQ(cells[4], std::to_string(std::stoll(cells[2]) * 2));
        EXPECT_EQ(std::stoll(cells[6]), std::stoll(cells[5]) - std::stoll(cells[4]));
    }
    const double expected = withPrize->totals.expectedWins * 19;
    EXPECT_EQ(withPrize->summary.back(),
              messages::backtestMoney(cost * 100, prize * 100, expected * 100));
    EXPECT_NE(withPrize->summary.back().find("投入 " + messages::yuan(cost * 100) + " 元"),
              std::string::npos);

    const auto without = backtestTickets(snapshot, plan, 200, analysis::PrizeTable());
    ASSERT_TRUE(without);
    EXPECT_FALSE(without->money);
    backtestTextGrid(*without).cells(1, cells);
    EXPECT_EQ(cells,
              (std::vector<std::string>{cells[0], cells[1], cells[2], cells[3], "", "", "", ""}));
    EXPECT_EQ(without->summary.back(), messages::noPrizeForPlay(analysis::Play::Any3));
}

} // namespace
} // namespace yilou::session
