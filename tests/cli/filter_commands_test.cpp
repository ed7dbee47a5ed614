#include "cli_test_support.h"

#include <gtest/gtest.h>

namespace yilou::cli::testing {
namespace {

// The five draws, checked by hand; 胆 01 02 03 without 04 … 09 leaves 任选四 01 02 03 10 and
// 01 02 03 11.
class FilterCommands : public FiveDraws {
protected:
    CliResult run(std::vector<std::string> args) const {
        args.insert(args.end(), {"--play", "r4", "--must", "1,2,3", "--exclude", "4,5,6,7,8,9"});
        return cli.run(args);
    }
};

TEST_F(FilterCommands, TicketsInEveryFormat) {
    EXPECT_EQ(run({"filter", "--format", "text"}).out, "01 02 03 10\n01 02 03 11\n");
    EXPECT_EQ(run({"filter", "--format", "json"}).out,
              "{\"play\":\"r4\",\"count\":2,\"tickets\":[[1,2,3,10],[1,2,3,11]]}\n");
    EXPECT_EQ(run({"filter", "--format", "csv"}).out, "号码\n01 02 03 10\n01 02 03 11\n");
    EXPECT_EQ(run({"filter"}).out, "任选四  胆码 01 02 03  杀号 04 05 06 07 08 09  共 2 注\n"
                                   "号码\n01 02 03 10\n01 02 03 11\n");
}

// Draws 4 and 5 hold no ticket; chance: 4 tickets × 7/462 (× 78 yuan), and per draw the 13 of the
// 462 sets of five that hold 01 02 03 with 10 or 11.
TEST_F(FilterCommands, BacktestRowsAndTotalsBesideChance) {
    EXPECT_EQ(run({"backtest", "--last", "2", "--format", "json"}).out,
              "{\"rows\":[{\"issue\":\"2017081204\",\"numbers\":[2,4,6,8,10],\"tickets\":2,"
              "\"wins\":0,\"cost\":4,\"prize\":0,\"net\":-4,\"expectedPrize\":2.36363636363636},"
              "{\"issue\":\"2017081205\",\"numbers\":[1,3,5,7,9],\"tickets\":2,\"wins\":0,"
              "\"cost\":4,\"prize\":0,\"net\":-4,\"expectedPrize\":2.36363636363636}],"
              "\"totals\":{\"draws\":2,\"tickets\":4,\"wins\":0,\"drawsWithWin\":0,"
              "\"expectedWins\":0.0606060606060606,\"expectedDrawsWithWin\":0.0562770562770563,"
              "\"cost\":8,\"prize\":0,\"net\":-8,\"expectedPrize\":4.72727272727273}}\n");
    const CliResult table = run({"backtest", "--last", "9"});
    EXPECT_EQ(table.status, 0);
    EXPECT_NE(table.out.find("2017081205  01 03 05 07 09  2     0         4         0         -4"),
              std::string::npos)
        << table.out;
    EXPECT_NE(table.out.find("实际中奖 0 注，纯随机期望 0.1 注。\n"), std::string::npos);
    EXPECT_NE(table.err.find("只回测了这些"), std::string::npos);
}

// Conditions no ticket can meet are refused as mistakes, naming what is allowed.
TEST_F(FilterCommands, ImpossibleConditionsAreRefused) {
    for (const auto& [args, message] :
         std::vector<std::pair<std::vector<std::string>, std::string>>{
             {{"filter", "--play", "r5", "--must", "12"}, "胆码的号码应在 01～11 之间"},
             {{"backtest", "--play", "r5", "--must", "0"}, "胆码的号码应在 01～11 之间"},
             {{"filter", "--play", "r5", "--exclude", "12"}, "杀号的号码应在 01～11 之间"},
             {{"backtest", "--play", "r5", "--sum", "35-25"}, "和值可取 15～45"},
             {{"filter", "--play", "r5", "--sum", "25--35"}, "和值可取 15～45"},
             {{"filter", "--play", "r5", "--sum", "-5"}, "和值可取 15～45"},
             {{"filter", "--play", "r1", "--must", "3,7"}, "胆码最多 1 个"},
             {{"plays", "--play", "r2", "--contains", "-1"}, "胆码的号码应在 01～11 之间"},
         }) {
        const CliResult result = cli.run(args);
        EXPECT_EQ(result.status, 2) << args[4];
        EXPECT_TRUE(result.out.empty()) << args[4];
        EXPECT_NE(result.err.find(message), std::string::npos) << result.err;
    }
}

TEST_F(FilterCommands, Mistakes) {
    for (const auto& args : std::vector<std::vector<std::string>>{
             {"filter", "--play", "r5", "--must", "3", "--exclude", "3"},
             {"backtest", "--play", "r5", "--last", "0"},
             {"filter", "--play", "r5", "--sum", "9-x"},
             {"filter", "--play", "r5", "--odd", "9"},
             {"backtest", "--play", "r5", "--format", "text"},
         }) {
        const CliResult result = cli.run(args);
        EXPECT_EQ(result.status, 2) << args[3];
        EXPECT_TRUE(result.out.empty());
        EXPECT_FALSE(result.err.empty());
    }
}

} // namespace
} // namespace yilou::cli::testing
