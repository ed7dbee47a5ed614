#include "cli_test_support.h"

#include <gtest/gtest.h>

namespace yilou::cli::testing {
namespace {

// The five draws, their patterns worked out by hand.
class PatternCommands : public FiveDraws {};

TEST_F(PatternCommands, DrawsAsCsvAndJson) {
    EXPECT_EQ(cli.run({"pattern", "draws", "--last", "3", "--format", "csv"}).out,
              "期号,开奖号码,和值,跨度,奇偶比,大小比,质合比,012路,连号,重号,前三和值,前三跨度\n"
              "2017081203,03 07 08 10 11,39,8,3:2,4:1,3:2,1:2:2,2,0,18,5\n"
              "2017081204,02 04 06 08 10,30,8,0:5,3:2,1:4,1:2:2,0,2,12,4\n"
              "2017081205,01 03 05 07 09,25,8,5:0,2:3,4:1,2:2:1,0,0,9,4\n");
    const auto json = cli.run({"pattern", "draws", "--format", "json"}).out;
    EXPECT_NE(json.find("{\"issue\":\"2017081201\",\"numbers\":[3,11,7,1,9],\"sum\":31,\"span\":10,"
                        "\"odd\":\"5:0\",\"big\":\"3:2\",\"prime\":\"4:1\",\"mod3\":\"2:2:1\","
                        "\"consecutive\":0,\"repeat\":null,\"sum3\":21,\"span3\":8}"),
              std::string::npos)
        << json;
}

TEST_F(PatternCommands, OverviewAndTrend) {
    // 连号 0 in draws 1, 4 and 5; 3 in draw 2; 2 in draw 3.
    const auto table = cli.run({"pattern", "overview", "--pattern", "consecutive"});
    EXPECT_EQ(table.out.substr(0, table.out.find('\n', table.out.find('\n') + 1) + 1),
              "连号  2017081201～2017081205（5期）\n"
              "连号  出现次数  理论次数  最小遗漏  最大遗漏  当前遗漏  大后比  平均遗漏  上次遗漏  "
              "理论遗漏  欲出几率  最大遗漏期间            最大连出  当前连出\n");
    EXPECT_NE(table.out.find("\n0     3         0.23      1         3         1         3       "
                             "1.67      1         22.00     0.60      2017081202～2017081204  2 "
                             "        2\n"),
              std::string::npos)
        << table.out;
    // The range ends before the reference draw; the json rows carry the overview's keys.
    const auto json = cli.run({"pattern", "overview", "--pattern", "odd", "--ref", "2017081203",
                               "--before", "--sort", "hits", "--format", "json"});
    const std::string heading = "{\"pattern\":\"odd\",\"name\":\"奇偶比\",\"from\":\"2017081201\","
                                "\"to\":\"2017081202\",\"draws\":2,\"rows\":[";
    EXPECT_EQ(json.out.substr(0, heading.size()), heading);
    EXPECT_NE(json.out.find("{\"value\":\"5:0\",\"code\":5,\"probability\":0.0"),
              std::string::npos);
    EXPECT_EQ(
        cli.run({"pattern", "trend", "--pattern", "odd", "--last", "2", "--format", "json"}).out,
        "{\"pattern\":\"odd\",\"name\":\"奇偶比\",\"from\":\"2017081204\",\"to\":"
        "\"2017081205\",\"draws\":2,\"columns\":[\"0:5\",\"1:4\",\"2:3\",\"3:2\",\"4:1\","
        "\"5:0\"],\"codes\":[0,1,2,3,4,5],\"rows\":[{\"issue\":\"2017081204\",\"numbers\":"
        "[2,4,6,8,10],\"misses\":[0,4,2,1,4,3]},{\"issue\":\"2017081205\",\"numbers\":[1,3,"
        "5,7,9],\"misses\":[1,5,3,2,5,0]}],\"footer\":{\"hits\":[1,0,0,0,0,1],\"meanGap\":"
        "[1,null,null,null,null,2],\"maxGap\":[2,3,3,3,3,2],\"maxRun\":[1,0,0,0,0,1]}}\n");
    // The oldest draw has no 重号, which the user is told.
    const auto repeat = cli.run({"pattern", "trend", "--pattern", "repeat", "--last", "all"});
    EXPECT_EQ(repeat.status, 0);
    EXPECT_EQ(repeat.err, "警告：最早一期 2017081201 没有上一期，不计重号，也不计入理论次数。\n");
}

TEST_F(PatternCommands, BadOptionsAreRefused) {
    for (const auto& [args, status] : std::vector<std::pair<std::vector<std::string>, int>>{
             {{"pattern"}, 2},
             {{"pattern", "overview"}, 2},
             {{"pattern", "overview", "--pattern", "和值"}, 2},
             {{"pattern", "overview", "--pattern", "sum", "--sort", "欲出几率"}, 2},
             {{"pattern", "overview", "--pattern", "sum", "--before"}, 2},
             {{"pattern", "trend", "--pattern", "sum"}, 2},
             {{"pattern", "trend", "--pattern", "sum", "--last", "0"}, 2},
             {{"pattern", "draws", "--last", "many"}, 2},
             {{"pattern", "overview", "--pattern", "sum", "--to", "2017081101"}, 1},
         }) {
        const auto result = cli.run(args);
        EXPECT_EQ(result.status, status) << args.back() << ": " << result.err;
        EXPECT_FALSE(result.err.empty());
    }
}

} // namespace
} // namespace yilou::cli::testing
