#include "cli/cli.h"
#include "cli_test_support.h"
#include "store/history_db.h"
#include "support/history_generator.h"

#include <fstream>
#include <gtest/gtest.h>
#include <streambuf>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

namespace yilou::cli::testing {
namespace {

// The five draws, checked by hand.
class OverviewCommands : public FiveDraws {};

TEST_F(OverviewCommands, OverviewAtAPositionAsJson) {
    const std::string out = cli.run({"overview", "--place", "1", "--format", "json"}).out;
    const std::string heading = "{\"type\":\"number\",\"order\":\"drop\",\"place\":1,\"from\":"
                                "\"2017081201\",\"to\":\"2017081205\",\"draws\":5,\"rows\":[";
    EXPECT_EQ(out.substr(0, heading.size()), heading);
    // 03 stands first in draws 1 and 3.
    EXPECT_NE(out.find("{\"value\":\"03\",\"code\":3,\"possible\":true,\"probability\":0."
                       "0909090909090909,\"hits\":2,"
                       "\"expectedHits\":0.454545454545455,\"minGap\":1,\"maxGap\":2,"
                       "\"currentGap\":3,\"ratio\":0.666666666666667,\"meanGap\":1.5,"
                       "\"lastGap\":2,\"theoreticalGap\":11,\"dueChance\":2,\"maxGapSpan\":{"
                       "\"first\":\"2017081202\",\"last\":\"2017081203\"},\"maxRun\":1,"
                       "\"currentRun\":0,\"histogram\":[1,1,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,"
                       "0]}"),
              std::string::npos)
        << out;
    EXPECT_NE(out.find("{\"value\":\"04\",\"code\":4,\"possible\":true,\"probability\":0."
                       "0909090909090909,\"hits\":0,"
                       "\"expectedHits\":0.454545454545455,\"minGap\":null,\"maxGap\":6,"
                       "\"currentGap\":6,\"ratio\":null,\"meanGap\":null,"
                       "\"lastGap\":null,\"theoreticalGap\":11,\"dueChance\":null,"
                       "\"maxGapSpan\":null,\"maxRun\":0,\"currentRun\":0,"),
              std::string::npos);
}

TEST_F(OverviewCommands, OverviewAsTableAndCsv) {
    EXPECT_EQ(cli.run({"overview", "--type", "head"}).out,
              "头数  任意位  2017081201～2017081205（5期）\n"
              "头数  出现次数  理论次数  最小遗漏  最大遗漏  当前遗漏  大后比  平均遗漏  上次遗漏  "
              "理论遗漏  欲出几率  最大遗漏期间            最大连出  当前连出\n"
              "0     5         5.00      1         1         1         1       1.00      1         "
              "1.00      1.00      2017081205～2017081205  5         5\n"
              "1     3         3.64      1         2         2         1       1.33      1         "
              "1.38      1.50      2017081202～2017081203  2         0\n");
    // The range ends before the reference draw; csv adds the gap histogram.
    const std::string csv = cli.run({"overview", "--type", "head", "--ref", "2017081203",
                                     "--before", "--sort", "currentGap", "--format", "csv"})
                                .out;
    EXPECT_EQ(csv.substr(csv.find('\n') + 1),
              "0,2,2.00,1,1,4,0.25,1.00,1,1.00,4.00,2017081202～2017081202,2,2,"
              "2,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0\n"
              "1,1,1.45,1,1,5,0.2,1.00,1,1.38,5.00,2017081201～2017081201,1,0,"
              "1,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0\n");
    EXPECT_NE(csv.find(",当前连出,遗漏1,遗漏2,"), std::string::npos);
    EXPECT_NE(csv.find(",遗漏20,遗漏20以上\n"), std::string::npos);
}

// --ref --before ends the range before the draw the reference finds: the draw itself for a
// stored issue, the newest before it for one that is not stored.
TEST_F(OverviewCommands, ReferenceEndsTheRangeBeforeTheDrawFound) {
    for (const auto& [reference, to] :
         {std::pair{"2017081203", "2017081202"}, std::pair{"2017081206", "2017081204"}}) {
        const std::string out =
            cli.run({"overview", "--ref", reference, "--before", "--format", "json"}).out;
        EXPECT_NE(out.find("\"from\":\"2017081201\",\"to\":\"" + std::string(to) + "\""),
                  std::string::npos)
            << reference << ": " << out.substr(0, 120);
    }
}

TEST_F(OverviewCommands, TrendAsTableAndJson) {
    EXPECT_EQ(cli.run({"trend", "--type", "head", "--place", "2", "--last", "3"}).out,
              "头数  第2位  2017081203～2017081205（3期）\n"
              "期号        开奖号码        0     1\n"
              "2017081203  03 07 08 10 11  [0]   2\n"
              "2017081204  02 04 06 08 10  [0]   3\n"
              "2017081205  01 03 05 07 09  [0]   4\n"
              "出现次数                    3     0\n"
              "平均遗漏                    1.00  —\n"
              "最大遗漏                    1     4\n"
              "最大连出                    3     0\n");
    EXPECT_EQ(
        cli.run({"trend", "--type", "tail", "--order", "sorted", "--place", "5", "--last", "2",
                 "--to", "2017081204", "--format", "json"})
            .out,
        "{\"type\":\"tail\",\"order\":\"sorted\",\"place\":5,\"from\":\"2017081203\",\"to\":"
        "\"2017081204\",\"draws\":2,\"columns\":[\"0\",\"1\",\"2\",\"3\",\"4\",\"5\",\"6\",\"7\","
        "\"8\",\"9\"],\"codes\":[0,1,2,3,4,5,6,7,8,9],\"rows\":[{\"issue\":\"2017081203\","
        "\"numbers\":[3,7,8,10,11],\"misses\":"
        "[3,0,3,3,3,3,1,3,3,3]},{\"issue\":\"2017081204\",\"numbers\":[2,4,6,8,10],\"misses\":"
        "[0,1,4,4,4,4,2,4,4,4]}],\"footer\":{\"hits\":[1,1,0,0,0,0,0,0,0,0],\"meanGap\":[2,1,"
        "null,null,null,null,null,null,null,null],\"maxGap\":[2,2,3,3,3,3,3,3,3,3],\"maxRun\":"
        "[1,1,0,0,0,0,0,0,0,0]}}\n");
}

/// Output that goes nowhere, as to /dev/null.
class NoOutput : public std::streambuf {
protected:
    int overflow(int c) override { return traits_type::not_eof(c); }
    std::streamsize xsputn(const char*, std::streamsize count) override { return count; }
};

/// The data segment of this process (VmData), in bytes.
rlim_t dataSegment() {
    std::ifstream status("/proc/self/status");
    std::string key;
    rlim_t kilobytes = 0;
    while (status >> key && key != "VmData:")
        status.ignore(1 << 10, '\n');
    status >> kilobytes;
    return kilobytes << 10;
}

// The whole chart of a long history is printed a row at a time in every format: run in a child
// whose data segment may grow by 64 MB only, the table and the csv of 200,000 draws (each held
// as text, 100 MB and more) still print.
TEST(LongCharts, ArePrintedARowAtATime) {
    CliFixture cli;
    yilou::testing::GeneratedHistory settings;
    settings.draws = 200'000;
    history::HistoryDb(cli.dataDir() / history::kDatabaseFileName)
        .replaceAll(yilou::testing::generateDraws(settings));
    ASSERT_EQ(cli.run({"history", "--tail", "1"}).status, 0); // the load writes the cache
    const std::vector<std::vector<std::string>> commands = {
        {"trend", "--last", "all"}, {"pattern", "trend", "--pattern", "sum", "--last", "all"}};
    for (const auto& command : commands)
        for (const char* format : {"table", "csv"}) {
            SCOPED_TRACE(command[0] + " " + format);
            std::vector<std::string> args{"--data-dir", cli.dataDir().string(), "--format", format};
            args.insert(args.end(), command.begin(), command.end());
            const pid_t child = fork();
            ASSERT_NE(child, -1);
            if (child == 0) {
                const rlim_t limit = dataSegment() + (rlim_t{64} << 20);
                const rlimit data{limit, limit};
                setrlimit(RLIMIT_DATA, &data);
                NoOutput discard;
                std::ostream out(&discard), err(&discard);
                _exit(runCli(args, out, err));
            }
            int status = 0;
            ASSERT_EQ(waitpid(child, &status, 0), child);
            EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << status;
        }
}

TEST_F(OverviewCommands, MissingIssues) {
    EXPECT_EQ(cli.run({"missing"}).out, "按每天84期检查，没有缺失的期号。\n");
    ASSERT_EQ(cli.run({"add", "2017081301", "01", "02", "03", "04", "05"}).status, 0);
    EXPECT_EQ(cli.run({"missing"}).out, "起始期号    截止期号    缺失期数\n"
                                        "2017081206  2017081284  79\n"
                                        "按每天84期检查，共缺失 79 期。\n");
    EXPECT_EQ(cli.run({"missing", "--format", "json"}).out,
              "{\"drawsPerDay\":84,\"ranges\":[{\"first\":\"2017081206\",\"last\":\"2017081284\","
              "\"count\":79}],\"total\":79,\"unplaced\":[]}\n");
}

TEST_F(OverviewCommands, BadOptionsAreRefused) {
    for (const auto& [args, status] : std::vector<std::pair<std::vector<std::string>, int>>{
             {{"overview", "--place", "6"}, 2},
             {{"overview", "--place", "first"}, 2},
             {{"overview", "--sort", "欲出几率"}, 2},
             {{"overview", "--last", "0"}, 2},
             {{"overview", "--last", "2", "--from", "2017081201"}, 2},
             {{"overview", "--to", "2017081101"}, 1},
             {{"trend", "--type", "head"}, 2},
             {{"trend", "--last", "-3"}, 2},
         }) {
        const CliResult result = cli.run(args);
        EXPECT_EQ(result.status, status) << args[1] << ' ' << args[2];
        EXPECT_FALSE(result.err.empty());
    }
}

} // namespace
} // namespace yilou::cli::testing
