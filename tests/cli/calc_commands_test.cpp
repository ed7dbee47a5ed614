#include "cli_test_support.h"

#include <gtest/gtest.h>

namespace yilou::cli::testing {
namespace {

// 任选五 with its five numbers: one ticket, won by 1 of the 462 sets of five.
TEST(CalcCommand, OneTicketInEveryFormat) {
    const CliFixture cli;
    const std::vector<std::string> bet{"calc", "--play", "r5", "--numbers", "1,2,3,4,5"};
    auto args = bet;
    args.insert(args.end(), {"--format", "json"});
    const CliResult json = cli.run(args);
    ASSERT_EQ(json.status, 0) << json.err;
    EXPECT_TRUE(json.out.starts_with(
        "{\"play\":\"r5\",\"multiple\":1,\"tickets\":1,\"cost\":2,\"outcomes\":[{\"hits\":5,"
        "\"winningTickets\":1,\"prize\":540,\"chance\":0.0021645021645021"))
        << json.out;
    EXPECT_NE(json.out.find("\"winChance\":0.0021645021645021"), std::string::npos);
    EXPECT_NE(json.out.find("\"expectedReturn\":0.584415584415584"), std::string::npos);
    EXPECT_NE(json.out.find("\"maxPrize\":540}"), std::string::npos);

    const CliResult table = cli.run(bet);
    EXPECT_EQ(table.out.substr(0, table.out.find('\n')),
              "任选五  复式 01 02 03 04 05  共 1 注 × 1 倍  投入 2 元");
    EXPECT_NE(table.out.find("中 5 个  1         540       1/462 ≈ 0.2165%\n"), std::string::npos)
        << table.out;
    EXPECT_NE(table.out.find("每投入100元，平均返还约 58.4 元。"), std::string::npos);

    args = bet;
    args.insert(args.end(), {"--format", "csv"});
    EXPECT_TRUE(cli.run(args).out.starts_with(
        "命中,中奖注数,奖金(元),概率\n中 5 个,1,540,1/462 ≈ 0.2165%\n"));
}

TEST(CalcCommand, BankersPositionsAndMistakes) {
    const CliFixture cli;
    const CliResult dan = cli.run({"calc", "--play", "r3", "--dan", "1", "--numbers", "2,3,4",
                                   "--multiple", "2", "--format", "json"});
    ASSERT_EQ(dan.status, 0) << dan.err;
    EXPECT_NE(dan.out.find("\"tickets\":3,\"cost\":12,"), std::string::npos) << dan.out;
    EXPECT_NE(dan.out.find("{\"hits\":4,\"bankerHits\":1,\"winningTickets\":3,\"prize\":114,"),
              std::string::npos);
    const CliResult place = cli.run(
        {"calc", "--play", "q2z", "--position", "1,2", "--position", "3", "--format", "json"});
    EXPECT_NE(place.out.find("{\"hits\":2,\"positions\":[1,2],\"winningTickets\":1,\"prize\":130,"),
              std::string::npos)
        << place.out;
    for (const auto& [args, message] :
         std::vector<std::pair<std::vector<std::string>, std::string>>{
             {{"calc", "--play", "r5", "--numbers", "1,2,3"}, "所选号码组不成一注任选五"},
             {{"calc", "--play", "r5", "--numbers", "1,2,3,4,5", "--multiple", "100"},
              "倍数应在 1～99"},
             {{"calc", "--play", "r3", "--numbers", "1,2,12"}, "号码的号码应在 01～11 之间"},
             {{"calc", "--play", "r3", "--dan", "1,2,3", "--numbers", "4"}, "胆码最多 2 个"},
         }) {
        const CliResult result = cli.run(args);
        EXPECT_EQ(result.status, 2) << args[4];
        EXPECT_TRUE(result.out.empty()) << args[4];
        EXPECT_NE(result.err.find(message), std::string::npos) << result.err;
    }
}

// The prizes are saved per game family: the happy-12 games start without any, and a bet of
// theirs says so instead of inventing a figure.
TEST(PrizesCommand, SetSavedPerFamilyAndUsedByCalc) {
    const CliFixture cli;
    EXPECT_NE(cli.run({"prizes"}).out.find("任选五    r5   540\n"), std::string::npos);
    ASSERT_EQ(cli.run({"game", "27"}).status, 0); // a happy-12 game
    const std::vector<std::string> bet{"calc",      "--play",   "r5",  "--numbers",
                                       "1,2,3,4,5", "--format", "json"};
    EXPECT_NE(cli.run(bet).out.find("\"prize\":null"), std::string::npos);
    EXPECT_NE(cli.run(bet).out.find("\"expectedReturn\":null,\"maxPrize\":null}"),
              std::string::npos);
    EXPECT_NE(cli.run({"calc", "--play", "r5", "--numbers", "1,2,3,4,5"}).out.find("未设置奖金"),
              std::string::npos);
    const CliResult set =
        cli.run({"prizes", "--set", "r5=1000", "--set", "q1=6.5", "--format", "json"});
    ASSERT_EQ(set.status, 0) << set.err;
    EXPECT_NE(set.out.find("{\"play\":\"r1\",\"prize\":null},{\"play\":\"r2\",\"prize\":null}"),
              std::string::npos);
    EXPECT_NE(set.out.find("{\"play\":\"r5\",\"prize\":1000}"), std::string::npos);
    EXPECT_NE(set.out.find("{\"play\":\"q1\",\"prize\":6.5}"), std::string::npos);
    EXPECT_NE(cli.run(bet).out.find("\"maxPrize\":1000}"), std::string::npos);
    ASSERT_EQ(cli.run({"game", "0"}).status, 0);
    EXPECT_NE(cli.run({"prizes"}).out.find("任选五    r5   540\n"), std::string::npos);
    const CliResult refused = cli.run({"prizes", "--set", "r1=5"});
    EXPECT_EQ(refused.status, 2);
    EXPECT_NE(refused.err.find("任选一不销售"), std::string::npos);
}

} // namespace
} // namespace yilou::cli::testing
