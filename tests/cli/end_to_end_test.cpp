#include "support/http_test_server.h"
#include "support/results_page.h"
#include "support/special_files.h"
#include "support/temp_dir.h"
#include "support/text_files.h"
#include "support/workbook_reader.h"
#include "version.h"

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <sstream>
#include <sys/stat.h>
#include <sys/wait.h>
#include <tuple>

namespace yilou::cli::testing {
namespace {

using yilou::testing::readFile;
using yilou::testing::writeFile;

// Runs the real binary with a home of its own: XDG folders point into a temporary folder.
class EndToEnd : public ::testing::Test {
protected:
    struct Run {
        int status;
        std::string out;
        std::string err;
    };

    /// Runs the program with `args`; `before` is shell text put in front (a ulimit).
    Run run(const std::string& args, const std::string& before = {}) {
        return shell(before + "\"$CLI\" " + args + " >out.txt 2>err.txt </dev/null");
    }

    /// Runs a shell script in the home folder with $CLI and $WINDOW naming the programs; gives
    /// its exit status and the files out.txt and err.txt it may write.
    Run shell(const std::string& script) {
        std::filesystem::remove(home / "out.txt");
        std::filesystem::remove(home / "err.txt");
        writeFile(home / "script.sh", script);
        const std::string command = "cd '" + home.path().string() + "' && env XDG_CONFIG_HOME='" +
                                    (home / "config").string() + "' XDG_DATA_HOME='" +
                                    (home / "data").string() + "' CLI='" + YILOU_CLI_BINARY +
                                    "' WINDOW='" + YILOU_WINDOW_BINARY + "' sh script.sh";
        const int raw = std::system(command.c_str());
        const auto written = [this](const char* name) {
            return std::filesystem::exists(home / name) ? readFile(home / name) : std::string();
        };
        return {WIFEXITED(raw) ? WEXITSTATUS(raw) : -1, written("out.txt"), written("err.txt")};
    }

    yilou::testing::TempDir home;
};

TEST_F(EndToEnd, UsesTheDefaultDataFolderAndSettingsStore) {
    EXPECT_EQ(run("add 2017081284 03 11 07 01 09").status, 0);
    EXPECT_TRUE(std::filesystem::exists(home / "data/11S5OMBRIX/tabula.mdb"));
    EXPECT_TRUE(std::filesystem::is_directory(home / "data/11S5OMBRIX/历史号码"));

    EXPECT_EQ(run("game 26").status, 0);
    EXPECT_NE(readFile(home / "config/11S5OMBRIX/11S5OMBRIX.conf").find("GsZl=26"),
              std::string::npos);
    EXPECT_EQ(run("game").out, "当前彩种：26 浙江快乐12（kl12zj，每天80期）\n");
}

TEST_F(EndToEnd, ExitStatusTellsUsageErrorsFromUserErrors) {
    const Run usage = run("history --no-such-option");
    EXPECT_EQ(usage.status, 2);
    EXPECT_FALSE(usage.err.empty());

    const Run user = run("add 2017081284 03 11 07 01 03");
    EXPECT_EQ(user.status, 1);
    EXPECT_NE(user.err.find("重复出现"), std::string::npos) << user.err;
    EXPECT_TRUE(user.out.empty());

    EXPECT_EQ(run("--help").status, 0);
    EXPECT_EQ(run("").status, 2);
}

TEST_F(EndToEnd, AnalysisOfAnImportedRealHistoryInEveryFormat) {
    const std::string sample =
        std::string(YILOU_SAMPLE_DATA_DIR) + "/sd11x5-2014102878-2015021178.txt";
    ASSERT_EQ(run("import '" + sample + "'").out, "读入 3519 期。\n");

    // 626 draws hold both 03 and 07, the last of them at IDX 3517 of 3519.
    const Run json = run("--format json search --pos 1=03 --pos 2=07");
    EXPECT_EQ(json.status, 0);
    EXPECT_EQ(std::count(json.out.begin(), json.out.end(), '{'), 626 + 2);
    EXPECT_NE(json.out.find("\"summary\":{\"desc\":\"03 07 \",\"codes\":[3,7],\"min\":1,\"max\":40,"
                            "\"last\":3,\"ratio\":13.3333333333333}"),
              std::string::npos)
        << json.out.substr(json.out.size() - 200);
    const Run table = run("search --pos 1=03 --pos 2=07");
    EXPECT_NE(table.out.find("2015021176  3      5      9      6      7      2         626\n"),
              std::string::npos);

    const Run csv = run("group --select 1,2,3,4,5,6,7,8,9,10,11 --k 5 --format csv");
    EXPECT_EQ(std::count(csv.out.begin(), csv.out.end(), '\n'), 462 + 1);
    EXPECT_EQ(csv.out.substr(0, csv.out.find('\n', csv.out.find('\n') + 1) + 1),
              "号码（分组）,最小遗漏,最大遗漏,最后遗漏,大后比\n02 05 08 10 11,190,1222,1,1222\n");
    const Run resorted = run("yl --sort max --format json");
    EXPECT_NE(resorted.out.find("{\"content\":\"02 04 06 08 11\",\"codes\":[2,4,6,8,11],"
                                "\"min\":172,\"max\":2810,\"last\":174,\"ratio\":16.14943}]}"),
              std::string::npos);

    EXPECT_NE(run("partial --values 01,02,03,04,05 --k 3")
                  .out.find("01 02 03 04 05 (3)  1         18        7         2.57142857142857\n"),
              std::string::npos);
}

TEST_F(EndToEnd, OverviewTrendAndMissingIssuesOfAnImportedRealHistory) {
    const std::string sample =
        std::string(YILOU_SAMPLE_DATA_DIR) + "/sd11x5-2014102878-2015021178.txt";
    ASSERT_EQ(run("game 14").status, 0);
    ASSERT_EQ(run("import '" + sample + "'").status, 0);
    ASSERT_EQ(run("game --draws-per-day 78").status, 0); // as this game had then

    // The overview's figures of 03 at position 1 are the fixed-position search's.
    EXPECT_NE(run("search --pos 1=03 --fixed")
                  .out.find("03            1         58        3  "
                            "       19.3333333333333\n"),
              std::string::npos);
    const Run csv = run("overview --place 1 --format csv");
    EXPECT_EQ(std::count(csv.out.begin(), csv.out.end(), '\n'), 1 + 11);
    EXPECT_NE(csv.out.find("\n03,302,319.91,1,58,3,19.3333333333333,11.65,22,11.00,0.26,"
                           "2014110419～2014110476,3,0,"),
              std::string::npos)
        << csv.out;

    // Caption, header, 30 draws and the four rows of figures; 羊 never came in this zodiac year:
    // its longest stretch is the whole chart.
    const Run trend = run("trend --type zodiac --last 30");
    EXPECT_EQ(std::count(trend.out.begin(), trend.out.end(), '\n'), 2 + 30 + 4);
    EXPECT_NE(
        trend.out.find("2015021178  11 05 10 02 08  2     1     [虎]  6     2     [蛇]  1     "
                       "3519  [猴]  [鸡]  1     [猪]\n"),
        std::string::npos)
        << trend.out;
    EXPECT_NE(trend.out.find("\n最大遗漏                    7     4     8     8     6     8     5  "
                             "   31    6     8     4     5\n"),
              std::string::npos)
        << trend.out;
    // The overview has no smallest gap and no 大后比 for it, and the whole history (to one past
    // its newest draw) as its longest gap; the search keeps its 32767. No number is 羊 in this
    // zodiac year: it is never due, and the overview says so in place of its current gap.
    EXPECT_NE(run("overview --type zodiac --format csv").out.find("\n羊,0,0.00,—,3520,不可能,—,"),
              std::string::npos);
    const std::string json = run("--format json overview --type zodiac").out;
    EXPECT_NE(json.find("\"value\":\"羊\",\"code\":8,\"possible\":false,"), std::string::npos)
        << json;
    EXPECT_NE(json.find("\"minGap\":null,\"maxGap\":3520,\"currentGap\":3520,\"ratio\":null"),
              std::string::npos);
    EXPECT_NE(
        run("search --type zodiac --pos 1=8").out.find("\n8             32767     32767     3520"),
        std::string::npos);

    // 107 days of 78 draws from draw 78 of the first day, less the 3519 stored.
    const Run missing = run("missing --format json");
    EXPECT_NE(missing.out.find("{\"first\":\"2014110501\",\"last\":\"2014120936\",\"count\":2688}"),
              std::string::npos);
    EXPECT_NE(missing.out.find("\"total\":4750,\"unplaced\":[]}"), std::string::npos);
}

// What a clumsy or hostile user tried, through the real program.
class EndToEndHardening : public EndToEnd {
protected:
    void SetUp() override { ASSERT_EQ(run("import '" + sample() + "'").out, "读入 3519 期。\n"); }

    static std::string sample() {
        return std::string(YILOU_SAMPLE_DATA_DIR) + "/sd11x5-2014102878-2015021178.txt";
    }

    /// The stored draws as CSV.
    std::string history() { return run("--format csv history").out; }

    std::filesystem::path dataDir() const { return home / "data/11S5OMBRIX"; }
};

TEST_F(EndToEndHardening, ImpossibleIssuesDeleteNothing) {
    const std::string before = history();
    for (const char* issue : {"2000010101", "0000000001", "2014130101", "2014102900"}) {
        const Run deleted = run(std::string("delete-to ") + issue);
        EXPECT_EQ(deleted.status, 2) << issue;
        EXPECT_NE(deleted.err.find("不是有效的期号"), std::string::npos) << deleted.err;
    }
    EXPECT_EQ(history(), before);

    // Older than the oldest draw, or as many as there are: only with --yes.
    for (const char* command : {"delete-to 2014102801", "delete-last 3519"}) {
        const Run refused = run(command);
        EXPECT_EQ(refused.status, 1) << command;
        EXPECT_NE(refused.err.find("--yes"), std::string::npos) << refused.err;
        EXPECT_EQ(history(), before);
    }
    EXPECT_EQ(run("delete-to 2014102801 --yes").status, 0);
    EXPECT_EQ(run("--format json history").out, "[]\n");
}

// A line longer than the memory the program may use: the rest of the file is still read.
TEST_F(EndToEndHardening, EveryMistakeInTheCommandLineExitsWithTwo) {
    const std::string before = history();
    for (const char* args : {
             "history --no-such-option",
             "--format xml history",
             "history --tail abc",
             "history --tail -1",
             "game 28",
             "game x",
             "add 99999 01 02 03 04 05",
             "add 2015021179 01 02 03 04 x",
             "add 2015021179 01 02 03 04 12",
             "delete-last abc",
             "delete-to 99999",
             "search --pos 6=3",
             "search --pos 1",
             "search --pos 1=abc",
             "search --pos 1=12",
             "search --pos 1=3 --pos 1=4",
             "search --pos 1=3 --from 99999",
             "search --ref 2015021",
             "partial --values 1,2,3,4,5 --k abc",
             "partial --values 1,2,3,4,5 --k 9",
             "partial --values 1,2,3 --k 2",
             "group --select 1,2 --k abc",
             "group --select 1,99 --k 1",
             "group --select 1,2 --k 3",
             "overview --place 6",
             "overview --sort nothing",
             "trend --last 0",
             "update --url file:///x --today 2015-02-30",
         }) {
        const Run wrong = run(args);
        EXPECT_EQ(wrong.status, 2) << args << '\n' << wrong.err;
        EXPECT_EQ(wrong.out, "") << args;
        EXPECT_NE(wrong.err.find("yilou-cli --help"), std::string::npos) << wrong.err;
    }
    EXPECT_EQ(history(), before);
}

// Every figure is a JSON number in every command; issues and labels stay strings, a label with
// its code beside it.
TEST_F(EndToEndHardening, JsonOutputOfEveryCommandWritesFiguresAsNumbers) {
    ASSERT_EQ(run("group --type zodiac --select 1,2,3 --k 2").status, 0);
    std::string files;
    int n = 0;
    for (const char* args : {
             "game",
             "next",
             "history --tail 3",
             "search --pos 1=03 --pos 2=07",
             "search --type zodiac --pos 1=1 --fixed",
             "partial --values 01,02,03,04,05 --k 3",
             "group --select 1,2,3 --k 2",
             "yl",
             "overview --last 100",
             "overview --type zodiac --place 2",
             "trend --type zodiac --last 5",
             "missing",
         }) {
        const Run json = run(std::string("--format json ") + args);
        ASSERT_EQ(json.status, 0) << args << '\n' << json.err;
        const auto file = home / ("json" + std::to_string(++n) + ".txt");
        writeFile(file, json.out);
        files += " '" + file.string() + "'";
    }
    EXPECT_EQ(run("game --format json").out,
              "{\"index\":0,\"name\":\"广东11选5\",\"gameCode\":"
              "\"11x5gd\",\"drawsPerDay\":84,\"highestNumber\":11}\n");
    const Run checked = shell(std::string("/usr/bin/python3 '") + YILOU_JSON_CHECKER + "'" + files +
                              " >out.txt 2>err.txt");
    EXPECT_EQ(checked.status, 0) << checked.out << checked.err;
}

TEST_F(EndToEndHardening, AnImportReadsPastALineTooLongForMemory) {
#ifdef __SANITIZE_ADDRESS__
    GTEST_SKIP() << "AddressSanitizer cannot reserve its shadow memory under ulimit -v";
#endif
    const auto file = home / "long.txt";
    writeFile(file, "2018010101 01 02 03 04 05\n" + std::string(96 << 20, 'x') +
                        "\n2018010102 01 02 03 04 06\n");
    const Run imported = run("import --yes '" + file.string() + "'", "ulimit -v 90000; ");
    EXPECT_EQ(imported.status, 0) << imported.err;
    EXPECT_EQ(imported.out.substr(0, imported.out.find("替换前")),
              "读入 2 期，跳过 1 行。\n第2行：只有 0 个号码，一期需要 5 个号码\n");
    EXPECT_EQ(history(), "期号,落1码,落2码,落3码,落4码,落5码\n2018010101,1,2,3,4,5\n"
                         "2018010102,1,2,3,4,6\n");
}

TEST_F(EndToEndHardening, DevicesAndBinaryFilesAreNotImported) {
    const std::string before = history();
    writeFile(home / "utf16.txt", std::string("2\0"
                                              "0\0"
                                              "1\0"
                                              "8\0",
                                              8));
    const std::pair<std::string, std::string_view> cases[] = {
        {"/dev/urandom", "不是普通文件"},
        {(home / "utf16.txt").string(), "不是文本文件"},
        {(home / "missing.txt").string(), "文件或文件夹不存在（No such file or directory）"},
    };
    for (const auto& [file, reason] : cases) {
        const Run imported = run("import '" + file + "'");
        EXPECT_EQ(imported.status, 1) << file;
        EXPECT_NE(imported.err.find(reason), std::string::npos) << imported.err;
        EXPECT_NE(imported.err.find("历史号码未改变"), std::string::npos) << imported.err;
    }
    EXPECT_EQ(history(), before);
}

TEST_F(EndToEndHardening, CrLineEndsAndGluedDraws) {
    const auto file = home / "mac.txt";
    writeFile(file, "2018010101 01 02 03 04 05\r2018010102 01 02 03 04 06\r"
                    "2018010103 01 02 03 04 07 2018010104 01 02 03 04 08\r");
    const Run imported = run("import '" + file.string() + "'");
    EXPECT_EQ(imported.out.substr(0, imported.out.find("替换前")),
              "读入 3 期。\n1 行多于五个号码，多出的已忽略。\n");
    EXPECT_EQ(run("history --tail 1 --format csv").out,
              "期号,落1码,落2码,落3码,落4码,落5码\n2018010103,1,2,3,4,7\n");
}

TEST_F(EndToEndHardening, TheExportNeverOverwritesTheDatabase) {
    const std::string before = history();
    for (const char* name : {"tabula.mdb", "lsbf.txt", "tabula.mdb-journal"}) {
        const Run exported = run("export-text '" + (dataDir() / name).string() + "'");
        EXPECT_EQ(exported.status, 1) << name;
        EXPECT_TRUE(exported.out.empty()) << exported.out;
        EXPECT_NE(exported.err.find("写入会毁掉历史号码"), std::string::npos) << exported.err;
    }
    EXPECT_EQ(history(), before);
    EXPECT_EQ(run("export-text '" + (home / "copy.txt").string() + "'").status, 0);
    EXPECT_EQ(readFile(home / "copy.txt"), readFile(dataDir() / "更新至15021178期历史号码.txt"));
}

// A plain number of a grid is a number of the workbook, which sums and sorts; labels (zodiac
// names, groups, headers) stay text; every cell shows the grid's text.
TEST_F(EndToEndHardening, WorkbookCellsThatShowNumbersAreNumbers) {
    const std::tuple<std::string, std::string, std::string> grids[] = {
        {"history", "lishi.xls", "nnnnnn"},
        {"search --type zodiac --pos 1=3", "Jiansuo.xls", "ntttttnn"},
        {"group --select 1,2,3,4 --k 2", "Jieguo.xls", "tnnnn"},
        {"plays --play q2z", "Wanfa.xls", "tnnnnnnnnnnnnnn"},
    };
    for (const auto& [command, file, kinds] : grids) {
        SCOPED_TRACE(command);
        const Run exported = run("export-xls " + command);
        ASSERT_EQ(exported.status, 0) << exported.err;
        const auto sheets = yilou::testing::readWorkbook(dataDir() / file);
        ASSERT_EQ(sheets.size(), 1u);
        ASSERT_GT(sheets[0].rows, 2u);
        EXPECT_EQ(sheets[0].kinds[0], std::string(kinds.size(), 't'));
        for (std::size_t r = 1; r < sheets[0].rows; ++r)
            ASSERT_EQ(sheets[0].kinds[r], kinds) << "row " << r;
    }
    const auto history = yilou::testing::readWorkbook(dataDir() / "lishi.xls")[0];
    EXPECT_EQ(history.cells[1], (yilou::testing::ReadRow{"2014102878", "8", "3", "5", "1", "4"}));
}

// A copy onto a link writes the file the link names, which keeps its mode; a device, a FIFO or
// a link to one is refused before anything is exported; the temporary files that killed
// exports left beside the workbook and the copy are removed.
TEST_F(EndToEndHardening, TheExportReplacesOnlyRegularFiles) {
    writeFile(home / "real.xls", "previous");
    ::chmod((home / "real.xls").c_str(), 0444);
    std::filesystem::create_symlink(home / "real.xls", home / "link.xls");
    const std::string ended = std::to_string(yilou::testing::endedProcessId());
    const std::filesystem::path stale[] = {dataDir() / (".lishi.xls." + ended + "-0.tmp"),
                                           home / (".real.xls." + ended + "-0.tmp")};
    for (const auto& file : stale)
        writeFile(file, "part");

    const Run linked = run("export-xls history '" + (home / "link.xls").string() + "'");
    ASSERT_EQ(linked.status, 0) << linked.err;
    EXPECT_TRUE(std::filesystem::is_symlink(home / "link.xls"));
    EXPECT_EQ(readFile(home / "real.xls"), readFile(dataDir() / "lishi.xls"));
    struct stat status {};
    ASSERT_EQ(::stat((home / "real.xls").c_str(), &status), 0);
    EXPECT_EQ(status.st_mode & 07777, 0444u);
    for (const auto& file : stale)
        EXPECT_FALSE(std::filesystem::exists(file)) << file;

    std::filesystem::remove(dataDir() / "lishi.xls");
    std::vector<std::filesystem::path> refused{home / "to-fifo"};
    ASSERT_TRUE(makeSpecialFile(home / "fifo", yilou::testing::SpecialFile::Fifo));
    std::filesystem::create_symlink(home / "fifo", home / "to-fifo");
    if (makeSpecialFile(home / "null", yilou::testing::SpecialFile::Device)) // as root
        refused.push_back(home / "null");
    refused.push_back(home / "fifo");
    for (const auto& target : refused) {
        SCOPED_TRACE(target);
        const auto type = std::filesystem::symlink_status(target).type();
        const Run exported = run("export-xls history '" + target.string() + "'");
        EXPECT_EQ(exported.status, 1);
        EXPECT_NE(exported.err.find("不是普通文件"), std::string::npos) << exported.err;
        EXPECT_EQ(exported.out, "");
        EXPECT_EQ(std::filesystem::symlink_status(target).type(), type);
    }
    EXPECT_FALSE(std::filesystem::exists(dataDir() / "lishi.xls"));
}

TEST_F(EndToEnd, BothProgramsTellTheirVersion) {
    EXPECT_EQ(run("--version").out, std::string("yilou-cli ") + kVersion + "\n");
    // The window answers without a display.
    const Run window = shell("unset DISPLAY WAYLAND_DISPLAY QT_QPA_PLATFORM\n"
                             "\"$WINDOW\" --version >out.txt 2>err.txt");
    EXPECT_EQ(window.status, 0) << window.err;
    EXPECT_EQ(window.out, std::string("yilou ") + kVersion + "\n");
}

TEST_F(EndToEnd, HappyTwelveFilesWithTheNineDigitIssueOfTheResultsPagesAreImported) {
    ASSERT_EQ(run("game 26").status, 0);
    writeFile(home / "kl12.txt", "170929001 03 11 07 01 12\n170929002 12 01 02 03 04\n");
    const Run imported = run("import '" + (home / "kl12.txt").string() + "'");
    EXPECT_EQ(imported.out, "读入 2 期。\n") << imported.err;
    EXPECT_EQ(run("history --format csv").out, "期号,落1码,落2码,落3码,落4码,落5码\n"
                                               "2017092901,3,11,7,1,12\n2017092902,12,1,2,3,4\n");
}

TEST_F(EndToEnd, EveryDeletionThatWouldEmptyTheHistoryNeedsYes) {
    ASSERT_EQ(run("add 2017081201 01 02 03 04 05").status, 0);
    for (const char* command : {"delete-last", "delete-last 2", "delete-to 2017081101", "clear"}) {
        const Run refused = run(command);
        EXPECT_EQ(refused.status, 1) << command;
        EXPECT_NE(refused.err.find("--yes"), std::string::npos) << refused.err;
        EXPECT_EQ(run("history --format csv").out,
                  "期号,落1码,落2码,落3码,落4码,落5码\n2017081201,1,2,3,4,5\n");
    }
    EXPECT_EQ(run("delete-last --yes").out, "已删除 1 期，现有历史号码 0 期。\n");
    ASSERT_EQ(run("add 2017081201 01 02 03 04 05").status, 0);
    EXPECT_EQ(run("clear --yes").out, "已清空所有历史号码。\n");
    EXPECT_EQ(run("--format json history").out, "[]\n");
}

TEST_F(EndToEnd, AFailedWriteOfTheOutputIsAnError) {
    const std::string sample =
        std::string(YILOU_SAMPLE_DATA_DIR) + "/sd11x5-2014102878-2015021178.txt";
    ASSERT_EQ(run("import '" + sample + "'").status, 0);
    // A full disk, with output larger than any buffer and with a single line.
    for (const char* command : {"history", "next"}) {
        const Run full = shell(std::string("\"$CLI\" ") + command + " >/dev/full 2>err.txt");
        EXPECT_EQ(full.status, 1) << command;
        EXPECT_NE(full.err.find("无法写出结果（标准输出）：磁盘空间不足"), std::string::npos)
            << full.err;
    }
    // A reader that went away, with SIGPIPE ignored as some launchers leave it.
    const Run closed =
        shell("trap '' PIPE\n{ \"$CLI\" history 2>err.txt; echo $? >out.txt; } | true");
    EXPECT_EQ(closed.out, "1\n");
    EXPECT_NE(closed.err.find("无法写出结果（标准输出）"), std::string::npos) << closed.err;
    // With SIGPIPE as usual, the end of `head` ends the program quietly, as the usual tools.
    const Run head = shell("\"$CLI\" --format csv history 2>err.txt | head -1 >out.txt");
    EXPECT_EQ(head.out, "期号,落1码,落2码,落3码,落4码,落5码\n");
    EXPECT_EQ(head.err, "");
}

TEST_F(EndToEnd, UpdateBringsTheHistoryUpToDateFromALocalServer) {
    yilou::testing::HttpTestServer server([](const std::string&) {
        yilou::testing::HttpResponse response;
        response.body = yilou::testing::resultsPage({
            yilou::testing::pageRow(17092884, {1, 2, 3, 4, 5}),
            yilou::testing::pageRow(17092901, {11, 10, 9, 8, 7}),
        });
        return response;
    });
    ASSERT_EQ(run("add 2017092883 03 11 07 01 09").status, 0);

    const Run update = run("update --url '" + server.url("/?n={n}") + "' --today 2017-09-29");

    EXPECT_EQ(update.status, 0) << update.err;
    EXPECT_EQ(update.out, "已保存 2 期，最新一期为 2017092901。\n页面上缺少 502 "
                          "期（早于找到的最新一期 2017092901），下次更新时会再找。\n");
    EXPECT_EQ(run("history --tail 2 --format csv").out,
              "期号,落1码,落2码,落3码,落4码,落5码\n2017092884,1,2,3,4,5\n2017092901,11,10,9,8,7\n");
}

TEST_F(EndToEnd, UpdateReadsOtherLayoutsAndJson) {
    // A blank after the ten-digit issue; then records of a JSON response.
    yilou::testing::HttpTestServer server([](const std::string& target) {
        yilou::testing::HttpResponse response;
        if (target == "/json") {
            response.headers = {{"Content-Type", "application/json"}};
            response.body = R"({"data":[{"expect":"2015021511","opencode":"04,10,11,03,02"},)"
                            R"({"expect":"2015021512","opencode":[6,9,1,11,3]}]})";
        } else {
            response.body = "<p>2015021511 04 10 11 03 02</p>";
        }
        return response;
    });
    const std::string today = " --today 2015-02-15";

    const Run text = run("update --url '" + server.url("/text") + "'" + today);
    EXPECT_EQ(text.status, 0) << text.err;
    EXPECT_EQ(text.out, "已保存 1 期，最新一期为 2015021511。\n页面上缺少 514 "
                        "期（早于找到的最新一期 2015021511），下次更新时会再找。\n");
    const Run json = run("update --url '" + server.url("/json") + "'" + today);
    EXPECT_EQ(json.status, 0) << json.err;
    EXPECT_EQ(
        run("history --format csv").out,
        "期号,落1码,落2码,落3码,落4码,落5码\n2015021511,4,10,11,3,2\n2015021512,6,9,1,11,3\n");

    const Run earlier = run("update --url '" + server.url("/json") + "' --today 2015-02-14");
    EXPECT_EQ(earlier.status, 1);
    EXPECT_NE(earlier.err.find("历史号码的最新一期 2015021512 晚于更新的日期 2015-02-14"),
              std::string::npos);
}

} // namespace
} // namespace yilou::cli::testing
