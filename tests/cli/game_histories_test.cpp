#include "cli_test_support.h"
#include "session/sample_histories.h"
#include "support/http_test_server.h"
#include "support/other_program.h"
#include "support/text_files.h"

#include <algorithm>
#include <gtest/gtest.h>

namespace yilou::cli::testing {
namespace {

using yilou::testing::HttpResponse;
using yilou::testing::HttpTestServer;

constexpr int kGuangdong = 0;
constexpr int kShandong = 14;

std::string sampleFile(int game) {
    for (const auto& sample : session::sampleHistories(session::sampleHistoryFolder()))
        if (sample.game == game)
            return sample.file.string();
    ADD_FAILURE() << "no sample of game " << game;
    return {};
}

/// What shows a history: its draws and its number overview.
std::string views(const CliFixture& cli, const std::vector<std::string>& options = {}) {
    std::string shown;
    for (const std::vector<std::string>& command :
         std::vector<std::vector<std::string>>{{"history"}, {"overview"}, {"missing"}}) {
        auto args = options;
        args.insert(args.end(), command.begin(), command.end());
        const auto result = cli.run(args);
        EXPECT_EQ(result.status, 0) << result.err;
        shown += result.out;
    }
    return shown;
}

/// The views of a data folder that only ever held the sample of `game`.
std::string viewsAlone(int game) {
    CliFixture alone;
    EXPECT_EQ(alone.run({"game", std::to_string(game)}).status, 0);
    EXPECT_EQ(alone.run({"import", sampleFile(game)}).status, 0);
    return views(alone);
}

// Importing under 山东, choosing 广东 and importing there, then choosing 山东 again finds each
// game's draws as they were, with the views of a folder that only ever held them.
TEST(GameHistories, EachGameKeepsItsOwnHistory) {
    const std::string shandongAlone = viewsAlone(kShandong);
    const std::string guangdongAlone = viewsAlone(kGuangdong);

    CliFixture cli;
    ASSERT_EQ(cli.run({"game", std::to_string(kShandong)}).status, 0);
    ASSERT_EQ(cli.run({"import", sampleFile(kShandong)}).status, 0);
    ASSERT_EQ(cli.run({"game", std::to_string(kGuangdong)}).status, 0);
    EXPECT_EQ(std::ranges::count(cli.run({"history"}).out, '\n'), 1)
        << "a game never chosen starts empty";
    ASSERT_EQ(cli.run({"import", sampleFile(kGuangdong)}).status, 0);
    ASSERT_EQ(cli.run({"game", std::to_string(kShandong)}).status, 0);
    EXPECT_TRUE(views(cli) == shandongAlone);
    ASSERT_EQ(cli.run({"game", "11x5gd"}).status, 0);
    EXPECT_TRUE(views(cli) == guangdongAlone);
}

// --game reads and writes that game's history, by code or index, and leaves the current game
// as it is.
TEST(GameHistories, TheGameOptionActsOnThatGameAlone) {
    const std::string shandongAlone = viewsAlone(kShandong);
    CliFixture cli;
    ASSERT_EQ(cli.run({"game", std::to_string(kGuangdong)}).status, 0);
    ASSERT_EQ(cli.run({"--game", "11x5sd", "import", sampleFile(kShandong)}).status, 0);
    EXPECT_EQ(std::ranges::count(cli.run({"history"}).out, '\n'), 1);
    EXPECT_TRUE(views(cli, {"--game", "14"}) == shandongAlone);
    EXPECT_EQ(cli.run({"--game", "14", "delete-last", "2"}).status, 0);
    EXPECT_EQ(cli.run({"--game", "11x5sd", "--format", "json", "next"}).out,
              "{\"issue\":\"2015021177\"}\n");
    EXPECT_NE(cli.run({"game"}).out.find("广东11选5"), std::string::npos);
    // The online update asks for that game's page and stores into its history.
    HttpTestServer server([](const std::string&) { return HttpResponse{}; });
    cli.run({"--game", "14", "update", "--url", server.url("/{code}"), "--today", "2015-02-12"});
    EXPECT_EQ(server.requests(), std::vector<std::string>{"/11x5sd"});

    EXPECT_EQ(cli.run({"--game", "28", "history"}).status, 2);
    EXPECT_EQ(cli.run({"--game", "11x5xx", "history"}).status, 2);
}

TEST(GameHistories, GamesListsEveryGameWithItsDraws) {
    CliFixture cli;
    ASSERT_EQ(cli.run({"--game", "0", "import", sampleFile(kGuangdong)}).status, 0);
    const auto listed = cli.run({"--format", "csv", "games"});
    ASSERT_EQ(listed.status, 0) << listed.err;
    EXPECT_NE(listed.out.find("0,广东11选5,11x5gd,3823,2015021510,84,是"), std::string::npos)
        << listed.out;
    EXPECT_NE(listed.out.find("27,四川快乐12,kl12sc,0,,78,"), std::string::npos) << listed.out;
}

// A game's draws per day, set for 广东, decides the next issue, the missing-issue check and the
// draws the update asks for, in that game's history alone.
TEST(GameHistories, TheDrawsPerDaySetForAGameAreUsedForIt) {
    CliFixture cli;
    std::string history;
    for (const char* day : {"20170928", "20170929"})
        for (int ordinal = 1; ordinal <= 42; ++ordinal)
            history += day + std::string(ordinal < 10 ? "0" : "") + std::to_string(ordinal) +
                       " 01 02 03 04 05\n";
    const auto file = cli.dataDir() / "gd42.txt";
    yilou::testing::writeFile(file, history);
    ASSERT_EQ(cli.run({"import", file.string()}).status, 0);
    EXPECT_EQ(cli.run({"next"}).out, "2017092943\n");

    const auto set = cli.run({"game", "11x5gd", "--draws-per-day", "42"});
    ASSERT_EQ(set.status, 0) << set.err;
    EXPECT_EQ(set.out, "广东11选5每天的期数已设为 42 期。\n");
    EXPECT_EQ(cli.run({"next"}).out, "2017093001\n");
    EXPECT_EQ(cli.run({"missing"}).out, "按每天42期检查，没有缺失的期号。\n");
    EXPECT_EQ(cli.run({"game"}).out, "当前彩种：0 广东11选5（11x5gd，每天42期）\n");
    HttpTestServer server([](const std::string&) { return HttpResponse{}; });
    cli.run({"update", "--url", server.url("/{code}?n={n}"), "--today", "2017-09-30"});
    // Seven days (the kept six and today) of 42 draws, not of 84.
    EXPECT_EQ(server.requests(), std::vector<std::string>{"/11x5gd?n=294"});
    EXPECT_NE(
        cli.run({"--format", "csv", "games"}).out.find("0,广东11选5,11x5gd,84,2017092942,42,是"),
        std::string::npos);
    EXPECT_NE(cli.run({"--format", "csv", "games"}).out.find("14,山东11选5,11x5sd,0,,87,"),
              std::string::npos);

    for (const char* refused : {"0", "121", "x"})
        EXPECT_EQ(cli.run({"game", "--draws-per-day", refused}).status, 2) << refused;
}

// While another program has the histories open, a choice of a game is refused (status 1, the
// reason on stderr) and keeps the game chosen before and its draws; once it has gone, the
// choice goes through.
TEST(GameHistories, AChoiceOfAGameIsRefusedWhileAnotherProgramUsesTheHistories) {
    const std::vector<std::vector<std::string>> choices = {
        {"game", std::to_string(kGuangdong)},
        {"sample", std::to_string(kGuangdong), "--yes"},
    };
    for (const auto& choice : choices) {
        SCOPED_TRACE(choice[0]);
        CliFixture cli;
        {
            // Another program, as an open window, with the 山东 sample.
            yilou::testing::OtherProgram other([&cli] {
                return cli.run({"game", std::to_string(kShandong)}).status == 0 &&
                       cli.run({"import", sampleFile(kShandong)}).status == 0;
            });
            ASSERT_TRUE(other.started());
            const std::string shandong = cli.run({"history"}).out;
            EXPECT_GT(std::ranges::count(shandong, '\n'), 1);
            const auto refused = cli.run(choice);
            EXPECT_EQ(refused.status, 1);
            EXPECT_EQ(refused.err, "另一个遗漏统计程序正在使用历史号码（窗口或命令行），"
                                   "请先关闭它再切换彩种。\n");
            EXPECT_NE(cli.run({"game"}).out.find("山东11选5"), std::string::npos);
            EXPECT_TRUE(cli.run({"history"}).out == shandong);
            EXPECT_TRUE(other.end());
        }
        const auto chosen = cli.run(choice);
        EXPECT_EQ(chosen.status, 0) << chosen.err;
        EXPECT_NE(cli.run({"game"}).out.find("广东11选5"), std::string::npos);
    }
}

} // namespace
} // namespace yilou::cli::testing
