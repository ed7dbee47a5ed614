#include "cli_test_support.h"

#include <gtest/gtest.h>

namespace yilou::cli::testing {
namespace {

// The five draws, checked by hand.
class PlayCommands : public FiveDraws {};

TEST_F(PlayCommands, TableAndJsonWithBankers) {
    // 03 07 stands first and second in draw 3 only; 07 03 never.
    EXPECT_EQ(
        cli.run({"plays", "--play", "q2z", "--contains", "3,7"}).out,
        "前二直选  2017081201～2017081205（5期）  胆 03 07\n"
        "组合   出现次数  理论次数  当前遗漏  上次遗漏  平均遗漏  最小遗漏  最大遗漏  大后比  "
        "理论遗漏  欲出几率  近10期  近30期  近100期  最后出现\n"
        "03 07  1         0.05      3         3         3.00      3         3         1       "
        "110.00    1.00      1       1       1        2017081203\n"
        "07 03  0         0.05      6         —         —         —         6         —       "
        "110.00    —         0       0       0        —\n");
    EXPECT_EQ(cli.run({"plays", "--play", "q2z", "--contains", "07 03", "--format", "json"}).out,
              "{\"play\":\"q2z\",\"from\":\"2017081201\",\"to\":\"2017081205\",\"draws\":5,"
              "\"probability\":0.00909090909090909,\"rows\":[{\"combination\":\"03 07\","
              "\"hits\":1,\"expectedHits\":0.0454545454545455,\"currentGap\":3,\"lastGap\":3,"
              "\"meanGap\":3,\"minGap\":3,\"maxGap\":3,\"ratio\":1,\"theoreticalGap\":110,"
              "\"dueChance\":1,\"last10\":1,\"last30\":1,\"last100\":1,\"lastIssue\":"
              "\"2017081203\"},{\"combination\":\"07 03\",\"hits\":0,\"expectedHits\":"
              "0.0454545454545455,\"currentGap\":6,\"lastGap\":null,\"meanGap\":null,\"minGap\":"
              "null,\"maxGap\":6,\"ratio\":null,\"theoreticalGap\":110,\"dueChance\":null,"
              "\"last10\":0,\"last30\":0,\"last100\":0,\"lastIssue\":null}]}\n");
}

TEST_F(PlayCommands, CsvSortedDownAndCut) {
    // 11 was drawn in draws 1 and 3; the others of current gap 2 keep their order.
    EXPECT_EQ(cli.run({"plays", "--play", "r1", "--sort", "currentGap", "--desc", "--top", "3",
                       "--format", "csv"})
                  .out,
              "组合,出现次数,理论次数,当前遗漏,上次遗漏,平均遗漏,最小遗漏,最大遗漏,大后比,理论遗漏,"
              "欲出几率,近10期,近30期,近100期,最后出现\n"
              "11,2,2.27,3,2,1.50,1,2,0.666666666666667,2.20,2.00,2,2,2,2017081203\n"
              "02,2,2.27,2,2,2.00,2,2,1,2.20,1.00,2,2,2,2017081204\n"
              "04,2,2.27,2,2,2.00,2,2,1,2.20,1.00,2,2,2,2017081204\n");
    // The range ends before the reference draw: the newest two of draws 1..3.
    const std::string table =
        cli.run({"plays", "--play", "q1", "--ref", "2017081204", "--before", "--last", "2"}).out;
    EXPECT_EQ(table.substr(0, table.find('\n')), "前一  2017081202～2017081203（2期）");
}

TEST_F(PlayCommands, Mistakes) {
    for (const auto& [args, status] : std::vector<std::pair<std::vector<std::string>, int>>{
             {{"plays"}, 2},
             {{"plays", "--play", "r9"}, 2},
             {{"plays", "--play", "r2", "--contains", "3,x"}, 2},
             {{"plays", "--play", "r2", "--contains", "12"}, 2},
             {{"plays", "--play", "r2", "--sort", "组合"}, 2},
             {{"plays", "--play", "r2", "--desc"}, 2},
             {{"plays", "--play", "r2", "--top", "0"}, 2},
             {{"plays", "--play", "r2", "--from", "2017-08-12"}, 2},
             {{"plays", "--play", "r2", "--from", "2017081204", "--to", "2017081202"}, 1},
         }) {
        const CliResult result = cli.run(args);
        EXPECT_EQ(result.status, status) << args.back();
        EXPECT_FALSE(result.err.empty()) << args.back();
    }
}

} // namespace
} // namespace yilou::cli::testing
