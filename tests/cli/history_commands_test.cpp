#include "cli_test_support.h"
#include "store/history_db.h"
#include "support/text_files.h"

#include <QSettings>
#include <gtest/gtest.h>

namespace yilou::cli::testing {
namespace {

TEST(HistoryCommands, AddThenListInEveryFormat) {
    CliFixture cli;
    EXPECT_EQ(cli.run({"add", "2017081284", "03", "11", "07", "01", "09"}).status, 0);
    EXPECT_EQ(cli.run({"add", "17081283", "08", "010", "1", "2", "5"}).status, 0);

    EXPECT_EQ(cli.run({"history", "--format", "json"}).out,
              "[{\"issue\":\"2017081283\",\"numbers\":[8,10,1,2,5]},"
              "{\"issue\":\"2017081284\",\"numbers\":[3,11,7,1,9]}]\n");
    EXPECT_EQ(cli.run({"--format", "csv", "history", "--tail", "1"}).out,
              "期号,落1码,落2码,落3码,落4码,落5码\n2017081284,3,11,7,1,9\n");
    EXPECT_EQ(cli.run({"history"}).out, "期号        落1码  落2码  落3码  落4码  落5码\n"
                                        "2017081283  8      10     1      2      5\n"
                                        "2017081284  3      11     7      1      9\n");
}

TEST(HistoryCommands, AddRefusesBadDrawsAndStoredIssues) {
    CliFixture cli;
    ASSERT_EQ(cli.run({"add", "2017081284", "03", "11", "07", "01", "09"}).status, 0);
    const struct {
        std::vector<std::string> args;
        int status; // 2: the command line is wrong
        std::string named;
    } cases[] = {
        {{"add", "2017081284", "01", "02", "03", "04", "05"}, 1, "2017081284"}, // stored already
        {{"add", "2017081201", "01", "02", "03", "04", "12"}, 2, "号码 12 超出范围 01～11"},
        {{"add", "2017081201", "00", "02", "03", "04", "05"}, 2, "号码 00 超出范围 01～11"},
        {{"add", "2017081201", "01", "02", "03", "04", "04"}, 1, "号码 04 重复出现"},
        {{"add", "2017023001", "01", "02", "03", "04", "05"}, 2, "2017023001"}, // 30 February
        {{"add", "2009123101", "01", "02", "03", "04", "05"}, 2, "期号 2009123101 不是"},
        {{"add", "2017081201", "01", "02", "03", "04", "x"}, 2, "x"},
    };
    for (const auto& c : cases) {
        const CliResult result = cli.run(c.args);
        EXPECT_EQ(result.status, c.status) << c.args[1] << ' ' << c.args[6];
        EXPECT_NE(result.err.find(c.named), std::string::npos) << result.err;
    }
    EXPECT_EQ(cli.run({"history", "--format", "csv"}).out,
              "期号,落1码,落2码,落3码,落4码,落5码\n2017081284,3,11,7,1,9\n");
    EXPECT_EQ(cli.run({"add", "2017081201"}).status, 2);
}

TEST(HistoryCommands, GameSelectionDecidesNextIssueAndNumberRange) {
    CliFixture cli;
    EXPECT_EQ(cli.run({"game"}).out, "当前彩种：0 广东11选5（11x5gd，每天84期）\n");
    ASSERT_EQ(cli.run({"add", "2017092978", "01", "02", "03", "04", "05"}).status, 0);
    EXPECT_EQ(cli.run({"add", "2017092979", "12", "02", "03", "04", "05"}).status, 2);
    EXPECT_EQ(cli.run({"next"}).out, "2017092979\n");

    EXPECT_EQ(cli.run({"game", "27"}).out, "当前彩种：27 四川快乐12（kl12sc，每天78期）\n");
    ASSERT_EQ(cli.run({"add", "2017092978", "12", "02", "03", "04", "05"}).status, 0);
    EXPECT_EQ(cli.run({"next"}).out, "2017093001\n");
    EXPECT_EQ(cli.run({"game", "0"}).status, 0);
    EXPECT_EQ(cli.run({"next"}).out, "2017092979\n");
    EXPECT_EQ(cli.run({"game", "28"}).status, 2);
    EXPECT_EQ(cli.run({"game", "08"}).out, "当前彩种：8 湖北11选5（11x5hb，每天81期）\n");
}

TEST(HistoryCommands, AGameThatCannotBeSavedIsReportedAsNotSaved) {
    CliFixture cli;
    QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, "/proc/no-such-folder");
    const CliResult result = cli.run({"game", "5"});
    EXPECT_EQ(result.status, 1);
    EXPECT_NE(result.err.find("无法保存设置"), std::string::npos) << result.err;
}

TEST(HistoryCommands, NumbersTooLargeAreNamedSo) {
    CliFixture cli;
    const CliResult result = cli.run({"history", "--tail", "99999999999"});
    EXPECT_EQ(result.status, 2);
    EXPECT_NE(result.err.find("超出范围"), std::string::npos) << result.err;
}

TEST(HistoryCommands, UnknownCommandsAreNamedAndTheCommandsListed) {
    CliFixture cli;
    const CliResult unknown = cli.run({"frobnicate"});
    EXPECT_EQ(unknown.status, 2);
    EXPECT_TRUE(
        unknown.err.starts_with("未知的命令“frobnicate”。可用的命令：game、games、history、"))
        << unknown.err;
    EXPECT_TRUE(cli.run({}).err.starts_with("缺少命令。可用的命令：game")) << cli.run({}).err;
}

TEST(HistoryCommands, NoIssueIsProposedPastTheYear2099) {
    CliFixture cli;
    ASSERT_EQ(cli.run({"add", "2099123199", "01", "02", "03", "04", "05"}).status, 0);
    const CliResult next = cli.run({"next"});
    EXPECT_EQ(next.status, 1);
    EXPECT_NE(next.err.find("2099 年的最后一期"), std::string::npos) << next.err;
}

// Reading a database of another program neither takes it over nor writes to it.
TEST(HistoryCommands, AForeignDatabaseIsRefusedUntouched) {
    CliFixture cli;
    const auto file = cli.dataDir() / history::kDatabaseFileName;
    history::SqliteDb(file).exec("CREATE TABLE [notes] ([text] TEXT)");
    const std::string bytes = yilou::testing::readFile(file);
    for (const char* command : {"history", "next", "add"}) {
        std::vector<std::string> args{command};
        if (std::string_view(command) == "add")
            args.insert(args.end(), {"2017081201", "01", "02", "03", "04", "05"});
        const CliResult result = cli.run(args);
        EXPECT_EQ(result.status, 1) << command;
        EXPECT_NE(result.err.find("不是历史数据库"), std::string::npos) << result.err;
    }
    EXPECT_EQ(yilou::testing::readFile(file), bytes);
}

} // namespace
} // namespace yilou::cli::testing
