#include "core/user_error.h"
#include "session/calc_steps.h"
#include "session/messages.h"

#include <gtest/gtest.h>

namespace yilou::session {

namespace {

using analysis::BetForm;
using analysis::Play;

Choices gameOf(int highestNumber) {
    Choices choices;
    while (choices.game().highestNumber != highestNumber)
        ++choices.gsZl;
    return choices;
}

TEST(CalcSteps, ReadsEachFormOfBetAndRefusesWhatMakesNoTicket) {
    struct Case {
        CalcRequest request;
        std::optional<BetForm> form; ///< none: refused
        std::int64_t tickets = 0;
    };
    const Case cases[] = {
        {{"r5", "1,2,3,4,5,6,7"}, BetForm::Multiple, 21},
        {{"r5", "3,4,5,6", "1,2"}, BetForm::Banker, 4},
        {{"q2z", "1,2,3"}, BetForm::Positional, 6}, // 直选复式: every place any of them
        {{"q3z", "", "", {"1,2", "2,3", "4"}}, BetForm::Positional, 3},
        {{"q3x", "1 2 3 4"}, BetForm::Multiple, 4},
        {{"r8", "1,2,3,4,5,6,7,8,9"}, BetForm::Multiple, 9},
        {{"r5", "1,2,3,4"}, {}, 0},                 // too few numbers
        {{"r5", "2,3", "1,2"}, {}, 0},              // 02 both 胆 and 拖
        {{"r3", "4,5", "1,2,3"}, {}, 0},            // no room for a 拖
        {{"r3", "1,2,12"}, {}, 0},                  // no number of an 11-number game
        {{"q3z", "", "1", {"1", "2", "3"}}, {}, 0}, // 胆 for 直选
        {{"r3", "", "", {"1", "2", "3"}}, {}, 0},   // places for a set play
        {{"q3z", "", "", {"1", "1", "2"}}, {}, 0},  // places that make no ticket
        {{"q2z", "", "", {"1", "2", "3"}}, {}, 0},  // three places for 前二
        {{"q1", "2", "1"}, {}, 0},                  // 前一 has no 胆拖
        {{"r9", "1,2"}, {}, 0},
    };
    const auto prizes = analysis::PrizeTable::defaults(11);
    for (const auto& c : cases) {
        SCOPED_TRACE(c.request.play + " " + c.request.numbers + " / " + c.request.bankers);
        if (!c.form) {
            EXPECT_THROW(calculateBet(c.request, gameOf(11), prizes), InputError);
            continue;
        }
        const auto view = calculateBet(c.request, gameOf(11), prizes);
        EXPECT_EQ(view.bet.form, *c.form);
        EXPECT_EQ(view.chances.tickets, c.tickets);
    }
}

TEST(CalcSteps, MultipleIsOneToNinetyNine) {
    EXPECT_EQ(readMultiple(""), 1);
    EXPECT_EQ(readMultiple("08"), 8);
    EXPECT_EQ(readMultiple("99"), 99);
    for (const char* bad : {"0", "100", "-1", "x", "2.5"})
        EXPECT_THROW(readMultiple(bad), InputError) << bad;
}

TEST(CalcSteps, ShowsCostPrizesChancesAndTheExpectedReturn) {
    const auto view = calculateBet({"r5", "1,2,3,4,5,6,7", "", {}, "2"}, gameOf(11),
                                   analysis::PrizeTable::defaults(11));
    EXPECT_EQ(view.cost, 21 * 2 * 200);
    EXPECT_NE(view.caption.find("投入 84 元"), std::string::npos) << view.caption;
    const auto grid = calcTextGrid(view);
    std::vector<std::string> cells;
    grid.cells(1, cells); // five of the seven drawn: one ticket wins, at 2 倍
    EXPECT_EQ(cells, (std::vector<std::string>{"中 5 个", "1", "1,080", "1/22 ≈ 4.545%"}));
    // C(7,5) / C(11,5) = 21/462, and 540 yuan × 21 / 462 per 42 yuan staked
    ASSERT_GE(view.summary.size(), 3u);
    EXPECT_EQ(view.summary[0], "中奖（至少中一注）的概率 1/22 ≈ 4.545%。");
    EXPECT_EQ(view.summary[1], "每投入100元，平均返还约 58.4 元。");
    EXPECT_EQ(view.summary[2], "最高奖金 1,080 元。");
}

TEST(CalcSteps, WithoutAPrizeNoMoneyFigureIsInvented) {
    const auto view =
        calculateBet({"r5", "1,2,3,4,5"}, gameOf(12), analysis::PrizeTable::defaults(12));
    EXPECT_FALSE(view.money);
    EXPECT_EQ(view.cost, 200); // what the tickets cost is known all the same
    std::vector<std::string> cells;
    calcTextGrid(view).cells(1, cells);
    EXPECT_EQ(cells[2], messages::kNoPrize);
    for (const auto& line : view.summary)
        EXPECT_EQ(line.find("平均返还"), std::string::npos) << line;
    EXPECT_NE(view.summary[1].find("未设置奖金"), std::string::npos);
}

TEST(CalcSteps, PrizesAreSetClearedAndRefusedAsTyped) {
    auto table = prizeTableOf(std::nullopt, 11);
    EXPECT_EQ(table, analysis::PrizeTable::defaults(11));
    table = setPrizes(table, {"r5=600", "q1=", "r2=6.5"});
    EXPECT_EQ(table.prize(Play::Any5), 60000);
    EXPECT_FALSE(table.prize(Play::Front1));
    EXPECT_EQ(table.prize(Play::Any2), 650);
    EXPECT_EQ(prizeTableOf(table.text(), 11), table);
    EXPECT_EQ(prizeTableOf(std::string(), 11), analysis::PrizeTable()); // all cleared stays so
    for (const char* bad : {"r1=5", "r5", "r5=0", "r5=x", "zz=5", "r5=1.005"})
        EXPECT_THROW(setPrizes(table, {bad}), InputError) << bad;
    std::vector<std::string> cells;
    prizeTextGrid(table).cells(5, cells);
    EXPECT_EQ(cells, (std::vector<std::string>{"任选五", "r5", "600"}));
}

} // namespace

} // namespace yilou::session
