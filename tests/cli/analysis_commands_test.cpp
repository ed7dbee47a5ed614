#include "cli_test_support.h"
#include "settings/settings_store.h"
#include "store/history_db.h"

#include <gtest/gtest.h>

namespace yilou::cli::testing {
namespace {

// The five draws, checked by hand.
class AnalysisCommands : public FiveDraws {};

TEST_F(AnalysisCommands, FreeAndFixedSearch) {
    EXPECT_EQ(cli.run({"search", "--pos", "1=03", "--format", "json"}).out,
              "{\"hits\":["
              "{\"issue\":\"2017081201\",\"values\":[\"3\",\"11\",\"7\",\"1\",\"9\"],"
              "\"codes\":[3,11,7,1,9],\"gap\":1,\"seq\":1},"
              "{\"issue\":\"2017081203\",\"values\":[\"3\",\"7\",\"8\",\"10\",\"11\"],"
              "\"codes\":[3,7,8,10,11],\"gap\":2,\"seq\":2},"
              "{\"issue\":\"2017081205\",\"values\":[\"1\",\"3\",\"5\",\"7\",\"9\"],"
              "\"codes\":[1,3,5,7,9],\"gap\":2,\"seq\":3}],"
              "\"summary\":{\"desc\":\"03 \",\"codes\":[3],\"min\":1,\"max\":2,\"last\":1,"
              "\"ratio\":2}}\n");
    EXPECT_EQ(cli.run({"search", "--pos", "1=3", "--fixed", "--format", "csv"}).out,
              "期号,平1位,平2位,平3位,平4位,平5位,遗漏次数,序号\n"
              "2017081201,3,11,7,1,9,1,1\n"
              "2017081203,3,7,8,10,11,2,2\n"
              "\n"
              "号码（分组）,最小遗漏,最大遗漏,最后遗漏,大后比\n"
              "03 ,1,2,3,0.666666666666667\n");
}

TEST_F(AnalysisCommands, SearchRangeAndReferenceDraw) {
    // The current gap runs to the newest draw even when the range ends earlier.
    const auto ranged =
        cli.run({"search", "--pos", "2=07", "--to", "2017081202", "--format", "json"});
    EXPECT_NE(ranged.out.find(
                  "\"summary\":{\"desc\":\"07 \",\"codes\":[7],\"min\":1,\"max\":1,\"last\":5,"
                  "\"ratio\":0.2}"),
              std::string::npos)
        << ranged.out;
    const auto before = cli.run(
        {"search", "--ref", "2017081203", "--before", "--positions", "1", "--format", "json"});
    EXPECT_NE(
        before.out.find("\"summary\":{\"desc\":\"3 \",\"codes\":[3],\"min\":1,\"max\":1,\"last\":5,"
                        "\"ratio\":0.2}"),
        std::string::npos)
        << before.out;
    const auto zodiac = cli.run({"search", "--type", "zodiac", "--fixed", "--ref", "2017081201",
                                 "--positions", "1", "--format", "csv"});
    EXPECT_NE(zodiac.out.find("2017081201,羊,猪,兔,鸡,牛,1,1\n"), std::string::npos) << zodiac.out;
}

TEST_F(AnalysisCommands, PartialSearch) {
    const auto result =
        cli.run({"partial", "--values", "03,07,08,10,11", "--k", "3", "--format", "json"});
    EXPECT_NE(
        result.out.find("\"summary\":{\"desc\":\"03 07 08 10 11 (3)\",\"codes\":[3,7,8,10,11],"
                        "\"min\":1,\"max\":2,\"last\":3,\"ratio\":0.666666666666667}"),
        std::string::npos)
        << result.out;
    EXPECT_EQ(cli.run({"partial", "--values", "03,07", "--k", "3"}).status, 2);
}

TEST_F(AnalysisCommands, GroupThenResortWithoutRecomputing) {
    EXPECT_EQ(cli.run({"group", "--select", "1,2,3", "--k", "2", "--format", "json"}).out,
              "{\"rows\":["
              "{\"content\":\"01 03\",\"codes\":[1,3],\"min\":1,\"max\":4,\"last\":1,\"ratio\":4},"
              "{\"content\":\"01 02\",\"codes\":[1,2],\"min\":2,\"max\":2,\"last\":4,"
              "\"ratio\":0.5},"
              "{\"content\":\"02 03\",\"codes\":[2,3],\"min\":32767,\"max\":0,\"last\":6,"
              "\"ratio\":0}]}\n");
    EXPECT_EQ(cli.run({"yl", "--sort", "content"}).out,
              "号码（分组）  最小遗漏  最大遗漏  最后遗漏  大后比\n"
              "01 02         2         2         4         0.5\n"
              "01 03         1         4         1         4\n"
              "02 03         32767     0         6         0\n");
    EXPECT_EQ(cli.run({"group", "--select", "1,2", "--k", "7"}).status, 2);
    EXPECT_EQ(cli.run({"group", "--select", "1,2", "--k", "1", "--order", "sorted"}).status, 2);
    EXPECT_EQ(cli.run({"group", "--type", "head", "--select", "2", "--k", "1"}).status, 2);
}

// A range that holds no draw is a refusal (1); an option that does not read is a mistake of the
// command line (2).
TEST_F(AnalysisCommands, BadRangesAreReported) {
    const struct {
        std::vector<std::string> args;
        int status;
    } cases[] = {
        {{"search", "--pos", "1=03", "--from", "2017081205", "--to", "2017081201"}, 1},
        {{"search", "--pos", "1=03", "--from", "2017081301"}, 1},
        {{"group", "--select", "1,2", "--k", "1", "--to", "2017081101"}, 1},
        {{"search", "--pos", "1=03", "--from", "abc"}, 2},
        {{"search", "--pos", "6=03"}, 2},
        {{"search", "--pos", "1=03", "--pos", "1=05"}, 2},
        {{"search", "--ref", "2017081203", "--positions", "2,2"}, 2},
    };
    for (const auto& c : cases) {
        const CliResult result = cli.run(c.args);
        EXPECT_EQ(result.status, c.status) << c.args[2];
        EXPECT_FALSE(result.err.empty());
    }
}

// --select takes the codes draws hold under the game and bases in force, and no other.
TEST(GroupSelection, CodesFollowTheGameAndTheBases) {
    CliFixture cli;
    ASSERT_EQ(cli.run({"game", "26"}).status, 0);
    settings::SettingsStore settings;
    settings.setSxIni(0);
    settings.setDsIni(0);
    settings.sync();
    ASSERT_EQ(cli.run({"add", "2017081201", "12", "01", "05", "09", "03"}).status, 0);
    struct Case {
        std::string type, select;
        int status;
    };
    const Case cases[] = {
        {"number", "12", 0}, {"number", "13", 2}, {"zodiac", "0", 0},  {"zodiac", "11", 0},
        {"zodiac", "12", 2}, {"segment", "0", 0}, {"segment", "2", 0}, {"segment", "3", 2},
    };
    for (const auto& c : cases) {
        const CliResult result =
            cli.run({"group", "--type", c.type, "--select", c.select, "--k", "1"});
        EXPECT_EQ(result.status, c.status) << c.type << " " << c.select << ": " << result.err;
    }
    EXPECT_EQ(cli.run({"group", "--type", "segment", "--select", "2,0", "--k", "1", "--sort",
                       "content", "--format", "csv"})
                  .out,
              "号码（分组）,最小遗漏,最大遗漏,最后遗漏,大后比\n0,1,1,1,1\n2,1,1,1,1\n");
}

TEST_F(AnalysisCommands, GroupRowsAreShownWhenYlCannotBeSaved) {
    {
        history::HistoryDb db(cli.dataDir() / history::kDatabaseFileName);
        db.sql().exec("DROP TABLE [YL]");
    }
    const CliResult result = cli.run({"group", "--select", "1,3", "--k", "2", "--format", "csv"});
    EXPECT_EQ(result.status, 0);
    EXPECT_EQ(result.out, "号码（分组）,最小遗漏,最大遗漏,最后遗漏,大后比\n01 03,1,4,1,4\n");
    EXPECT_TRUE(result.err.starts_with("警告：结果未能保存到 YL 表")) << result.err;
    // The export of the same rows warns alike.
    const CliResult exported = cli.run({"export-xls", "group", "--select", "1,3", "--k", "2"});
    EXPECT_EQ(exported.status, 0) << exported.err;
    EXPECT_TRUE(std::filesystem::exists(cli.dataDir() / "Jieguo.xls"));
    EXPECT_TRUE(exported.err.starts_with("警告：结果未能保存到 YL 表")) << exported.err;
}

} // namespace
} // namespace yilou::cli::testing
