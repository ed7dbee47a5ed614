#include "core/user_error.h"
#include "store/text_import.h"
#include "support/history_generator.h"
#include "support/temp_dir.h"
#include "support/text_files.h"

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <csignal>
#include <gtest/gtest.h>
#include <random>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

// Reads of the file descriptor in `failingFd` fail with EIO once `bytesBeforeFailure` bytes
// have been read from it: a disk that fails in the middle of a file. The test executable is
// linked with --wrap=read, so every read() of the engine comes here first.
namespace {
int failingFd = -1;
std::size_t bytesBeforeFailure = 0;
} // namespace

extern "C" ssize_t __real_read(int fd, void* buffer, std::size_t size);
extern "C" ssize_t __wrap_read(int fd, void* buffer, std::size_t size) {
    if (fd != failingFd)
        return __real_read(fd, buffer, size);
    if (bytesBeforeFailure == 0) {
        errno = EIO;
        return -1;
    }
    const ssize_t got = __real_read(fd, buffer, std::min(size, bytesBeforeFailure));
    if (got > 0)
        bytesBeforeFailure -= static_cast<std::size_t>(got);
    return got;
}

namespace yilou::history {
namespace {

using yilou::testing::readFile;
using yilou::testing::TempDir;
using yilou::testing::writeFile;

const Game& elevenGame() {
    return gameAt(0);
}

const AttributeRules kRules = AttributeRules::startup(1, 1);

struct LineCase {
    std::string_view line;
    std::optional<Issue> issue;
    std::vector<int> numbers;
};

TEST(HistoryLine, IssueFormsAndNumberPairs) {
    const LineCase cases[] = {
        {"17081284 03 11 07 01 09", 17081284, {3, 11, 7, 1, 9}},
        {"2017081284 03 11 07 01 09", 17081284, {3, 11, 7, 1, 9}},
        {"2017081284,03,11,07,01,09", 17081284, {3, 11, 7, 1, 9}},
        {"03 11 07 01 09", std::nullopt, {3, 11, 7, 1, 9}},
        {" \t2017081284 03 11 07 01 09 \r", 17081284, {3, 11, 7, 1, 9}},
        // One character after the issue is skipped whatever it is, so it may be a digit.
        {"2017081284X0311070109", 17081284, {3, 11, 7, 1, 9}},
        {"170812849 03 11 07 01 09", 17081284, {3, 11, 7, 1, 9}},
        // Only the first five numbers count.
        {"17081284 03 11 07 01 09 12 05", 17081284, {3, 11, 7, 1, 9}},
        // Single digits are skipped; three digits give one pair and a skipped digit.
        {"2017081284 3 11 7 1 9 05", 17081284, {11, 5}},
        {"2017081284 123 45", 17081284, {12, 45}},
        {"12345678", 12345678, {}},
        {"2017081284", 17081284, {}},
        // A line that does not start with the issue reads the issue's digits as numbers.
        {"\xB5\xDA 2017081284 03", std::nullopt, {20, 17, 8, 12, 84}},
        {"1708128", std::nullopt, {17, 8, 12}},
    };
    for (const auto& c : cases) {
        const HistoryLine parsed = parseHistoryLine(c.line);
        EXPECT_FALSE(parsed.blank) << c.line;
        EXPECT_EQ(parsed.issue, c.issue) << c.line;
        ASSERT_EQ(parsed.numberCount, static_cast<int>(c.numbers.size())) << c.line;
        for (std::size_t i = 0; i < c.numbers.size(); ++i)
            EXPECT_EQ(parsed.numbers[i], c.numbers[i]) << c.line;
    }
    EXPECT_TRUE(parseHistoryLine("").blank);
    EXPECT_TRUE(parseHistoryLine(" \t \r").blank);
}

std::vector<Issue> issuesOf(const HistoryText& text) {
    std::vector<Issue> issues;
    for (const auto& draw : text.draws)
        issues.push_back(draw.issue);
    return issues;
}

TEST(HistoryText, LinesWithoutIssueCountOnFromTheLineBefore) {
    TempDir dir;
    writeFile(dir / "h.txt", "2017081201 01 02 03 04 05\n03 11 07 01 09\n04 05 06 07 08\n");
    const HistoryText text = readHistoryText(dir / "h.txt", elevenGame());
    EXPECT_EQ(issuesOf(text), (std::vector<Issue>{17081201, 17081202, 17081203}));
    EXPECT_EQ(text.draws[1].numbers, (PositionValues{3, 11, 7, 1, 9}));
    EXPECT_TRUE(text.skipped.empty());
}

struct Skipped {
    std::size_t line;
    std::string_view reasonPart;
};

TEST(HistoryText, EveryKindOfBadLineIsReportedWithItsLineNumber) {
    TempDir dir;
    writeFile(dir / "h.txt", "03 11 07 01 09\n"            // 1: nothing to count from
                             "2017081201 03 11 07 01 09\n" // 2
                             "\n"                          // 3: blank, passed over
                             "2017081202 03 11 07 01\n"    // 4: four numbers
                             "2017081203 03 11 07 01 12\n" // 5: 12 in an 11-number game
                             "2017081204 03 11 07 01 03\n" // 6: 03 twice
                             "2017023001 03 11 07 01 09\n" // 7: 30 February
                             "2017081200 03 11 07 01 09\n" // 8: ordinal 00
                             "2017081201 04 05 06 07 08\n" // 9: issue of line 2 again
                             "2000000000 01 02 03 04 05\n" // 10: issue 0, passed over
                             "2017081205 01 02 03 04 05\n" // 11
                             "01 02 03 04 06\n"            // 12: 17081206
                             "2017081207 00 02 03 04 05\n" // 13: 00 is no number
                             "2017081208\n"                // 14: no numbers at all
                             "2110010101 01 02 03 04 05\n" // 15: ten digits not after "20"
                             "1911020301 01 02 03 04 05\n" // 16: the same
                             "2100010101 01 02 03 04 05\n" // 17: the same
                             "2009123101 01 02 03 04 05\n" // 18: the year 2009
                             "09123101 01 02 03 04 05\n"); // 19: the same in eight digits
    const HistoryText text = readHistoryText(dir / "h.txt", elevenGame());
    EXPECT_EQ(issuesOf(text), (std::vector<Issue>{17081201, 17081205, 17081206}));
    // An issue is quoted as the line writes it.
    const Skipped expected[] = {
        {1, "没有期号"},
        {4, "只有 4 个号码"},
        {5, "号码 12 超出范围 01～11"},
        {6, "号码 03 重复出现"},
        {7, "期号 2017023001 不是有效的期号（日期不存在）"},
        {8, "期号 2017081200 不是有效的期号（期序须从 01 起）"},
        {9, "与第2行重复"},
        {13, "号码 00 超出范围"},
        {14, "只有 0 个号码"},
        {15, "期号 2110010101 不是有效的期号（十位期号须以 20 开头）"},
        {16, "期号 1911020301 不是有效的期号（十位期号须以 20 开头）"},
        {17, "期号 2100010101 不是有效的期号（十位期号须以 20 开头）"},
        {18, "期号 2009123101 不是有效的期号（年份须在 2010～2099 之间）"},
        {19, "期号 09123101 不是有效的期号（年份须在 2010～2099 之间）"},
    };
    ASSERT_EQ(text.skipped.count, std::size(expected));
    for (std::size_t i = 0; i < std::size(expected); ++i) {
        EXPECT_EQ(text.skipped.first[i].line, expected[i].line);
        EXPECT_NE(text.skipped.first[i].reason.find(expected[i].reasonPart), std::string::npos)
            << text.skipped.first[i].reason;
    }
}

TEST(HistoryText, HappyTwelveGamesTakeTwelveButNotThirteen) {
    TempDir dir;
    writeFile(dir / "h.txt", "2017081201 03 11 07 01 12\n2017081202 03 11 07 01 13\n");
    const HistoryText text = readHistoryText(dir / "h.txt", gameAt(27));
    EXPECT_EQ(issuesOf(text), (std::vector<Issue>{17081201}));
    ASSERT_EQ(text.skipped.count, 1u);
    EXPECT_EQ(text.skipped.first[0].line, 2u);
}

// The nine-digit issues of the happy-12 results pages (YYMMDD and a three-digit ordinal) are
// stored as the online update stores them; other games read those lines as before.
TEST(HistoryText, HappyTwelveGamesReadTheNineDigitIssueOfTheResultsPages) {
    TempDir dir;
    writeFile(dir / "h.txt", "170929001 03 11 07 01 12\n"
                             "170929002,01,02,03,04,05\n"
                             "01 02 03 04 06\n"
                             "2017092904 01 02 03 04 07\n"
                             "17092905 01 02 03 04 08\n"
                             "170929100 01 02 03 04 09\n"
                             "01 02 03 04 10\n"
                             "170931001 01 02 03 04 11\n"
                             "170930000 01 02 03 04 11\n"
                             "20170930012 01 02 03 04 12\n"
                             "20170930100 01 02 03 04 12\n");
    const HistoryText text = readHistoryText(dir / "h.txt", gameAt(26));
    // With "20" before it the nine-digit issue is the same, not a ten-digit issue and a digit.
    EXPECT_EQ(issuesOf(text),
              (std::vector<Issue>{17092901, 17092902, 17092903, 17092904, 17092905, 17093012}));
    EXPECT_EQ(text.draws[0].numbers, (PositionValues{3, 11, 7, 1, 12}));
    EXPECT_EQ(text.draws[5].numbers, (PositionValues{1, 2, 3, 4, 12}));
    ASSERT_EQ(text.skipped.count, 5u);
    EXPECT_NE(text.skipped.first[0].reason.find("170929100"), std::string::npos);
    EXPECT_EQ(text.skipped.first[1].line, 7u); // no issue to count from
    EXPECT_NE(text.skipped.first[2].reason.find("170931001"), std::string::npos);
    EXPECT_NE(text.skipped.first[3].reason.find("170930000"), std::string::npos);
    EXPECT_NE(text.skipped.first[4].reason.find("170930100"), std::string::npos);

    // An 11选5 game takes eight digits and skips the ninth: draw 00 of the day.
    const HistoryText eleven = readHistoryText(dir / "h.txt", elevenGame());
    ASSERT_FALSE(eleven.skipped.empty());
    EXPECT_EQ(eleven.skipped.first[0].line, 1u);
}

TEST(HistoryText, RepeatedIssuesKeepTheFirstLineInAnyOrder) {
    TempDir dir;
    writeFile(dir / "h.txt", "17081203 01 02 03 04 05\n"
                             "17081201 01 02 03 04 05\n"
                             "17081203 06 07 08 09 10\n"
                             "17081202 01 02 03 04 05\n"
                             "17081201 06 07 08 09 10\n");
    const HistoryText text = readHistoryText(dir / "h.txt", elevenGame());
    EXPECT_EQ(issuesOf(text), (std::vector<Issue>{17081203, 17081201, 17081202}));
    EXPECT_EQ(text.draws[0].numbers, (PositionValues{1, 2, 3, 4, 5}));
    ASSERT_EQ(text.skipped.count, 2u);
    EXPECT_EQ(text.skipped.first[0].line, 3u);
    EXPECT_NE(text.skipped.first[0].reason.find("与第1行重复"), std::string::npos);
    EXPECT_EQ(text.skipped.first[1].line, 5u);
    EXPECT_NE(text.skipped.first[1].reason.find("与第2行重复"), std::string::npos);
}

TEST(HistoryText, CrLfGbkBytesAndAMegabyteLine) {
    TempDir dir;
    const std::string longLine = "2017081203 " + std::string(1 << 20, 'x') + " 02 04 06 08 10";
    writeFile(dir / "h.txt", "\xEF\xBB\xBF"
                             "2017081201 03 11 07 01 09 \xB5\xDA\xD2\xBB\xC6\xDA\r\n"
                             "2017081202\xA1\xA1"
                             "05\xA1\xA1"
                             "06\xA3\xAC"
                             "07\xA3\xAC"
                             "08\xA3\xAC"
                             "09\r\n" +
                                 longLine + "\r\n\r\n" + "\xC6\xDA\r\n");
    const HistoryText text = readHistoryText(dir / "h.txt", elevenGame());
    EXPECT_EQ(issuesOf(text), (std::vector<Issue>{17081201, 17081202, 17081203}));
    EXPECT_EQ(text.draws[0].numbers, (PositionValues{3, 11, 7, 1, 9}));
    EXPECT_EQ(text.draws[1].numbers, (PositionValues{5, 6, 7, 8, 9}));
    EXPECT_EQ(text.draws[2].numbers, (PositionValues{2, 4, 6, 8, 10}));
    // The line of GBK bytes alone takes the next issue but has no numbers.
    ASSERT_EQ(text.skipped.count, 1u);
    EXPECT_EQ(text.skipped.first[0].line, 5u);
}

TEST(HistoryText, LinesEndAtCrLfOrCrLf) {
    TempDir dir;
    writeFile(dir / "h.txt", "2017081201 01 02 03 04 05\r2017081202 01 02 03 04 06\r\n"
                             "2017081203 01 02 03 04 07\n\r2017081204 01 02 03 04 08\r\r"
                             "2017081205 01 02 03 04 09");
    const HistoryText text = readHistoryText(dir / "h.txt", elevenGame());
    EXPECT_EQ(issuesOf(text),
              (std::vector<Issue>{17081201, 17081202, 17081203, 17081204, 17081205}));
    // LF CR is two line ends, CR CR too: an empty line each, which still counts.
    EXPECT_EQ(text.draws[3].line, 5u);
    EXPECT_EQ(text.draws[4].line, 7u);
}

// Several draws glued on one line lose every draw but the first: such lines are counted.
TEST(HistoryText, LinesWithMoreThanFiveNumbersAreCounted) {
    TempDir dir;
    writeFile(dir / "h.txt", "2017081201 01 02 03 04 05 2017081202 01 02 03 04 06\n"
                             "2017081203 01 02 03 04 05 06\n"
                             "2017081204 01 02 03 04 05 6\n");
    const HistoryText text = readHistoryText(dir / "h.txt", elevenGame());
    EXPECT_EQ(text.draws.size(), 3u);
    EXPECT_EQ(text.longLines, 2u);

    ImportReport report;
    report.stored = 3;
    report.longLines = 2;
    report.skipped.add({9, "只有 3 个号码，一期需要 5 个号码"});
    EXPECT_EQ(report.summary(), "读入 3 期，跳过 1 行。\n2 行多于五个号码，多出的已忽略。\n"
                                "第9行：只有 3 个号码，一期需要 5 个号码");
}

// What is kept of skipped lines does not grow with the file: a file of junk costs the same
// memory whatever its length.
TEST(HistoryText, OnlyTheFirstSkippedLinesAreKept) {
    TempDir dir;
    std::string content = "2017081201 01 02 03 04 05\n";
    for (int i = 0; i < 20000; ++i)
        content += "junk\n";
    content += "2017081201 01 02 03 04 06\n"; // a repeated issue, reported at its own line
    writeFile(dir / "h.txt", content);
    const HistoryText text = readHistoryText(dir / "h.txt", elevenGame());
    EXPECT_EQ(text.skipped.count, 20001u);
    ASSERT_EQ(text.skipped.first.size(), SkippedLines::kKept);
    EXPECT_EQ(text.skipped.first.front().line, 2u);
    EXPECT_EQ(text.skipped.first.back().line, SkippedLines::kKept + 1);

    // A repeat reported after the read that lies before the kept lines takes its place.
    SkippedLines lines = text.skipped;
    lines.add({1, "期号 2017081201 与第0行重复"});
    EXPECT_EQ(lines.first.front().line, 1u);
    EXPECT_EQ(lines.first.size(), SkippedLines::kKept);
    EXPECT_EQ(lines.count, 20002u);
}

TEST(HistoryText, OnlyRegularTextFilesAreRead) {
    TempDir dir;
    writeFile(dir / "utf16.txt", std::string("2\0"
                                             "0\0"
                                             "1\0",
                                             6));
    const std::pair<std::filesystem::path, std::string_view> cases[] = {
        {dir / "utf16.txt", "不是文本文件"},
        {"/dev/zero", "不是普通文件"},
        {dir.path(), "不是普通文件"},
        {dir / "missing.txt", "文件或文件夹不存在（"},
    };
    for (const auto& [file, reason] : cases) {
        try {
            readHistoryText(file, elevenGame());
            ADD_FAILURE() << file << " was read";
        } catch (const UserError& error) {
            const std::string message = error.what();
            EXPECT_NE(message.find(file.string()), std::string::npos) << message;
            EXPECT_NE(message.find(reason), std::string::npos) << message;
        }
    }
}

/// The history of `db` is `records`, issues and numbers.
void expectHistory(HistoryDb& db, const std::vector<DrawRecord>& records) {
    const Snapshot snapshot = db.loadSnapshot();
    ASSERT_EQ(snapshot.size(), records.size());
    for (std::size_t i = 0; i < records.size(); ++i) {
        EXPECT_EQ(snapshot.issues[i], records[i].issue);
        EXPECT_EQ(snapshot.numbers(i), records[i].drop[Letter::A]);
    }
}

class TextImport : public ::testing::Test {
protected:
    void SetUp() override {
        old_ = yilou::testing::generateDraws(30, 5);
        db_.replaceAll(old_);
    }

    void expectOldHistory() { expectHistory(db_, old_); }

    TempDir dir_;
    HistoryDb db_{dir_ / kDatabaseFileName};
    std::vector<DrawRecord> old_;
};

TEST_F(TextImport, ReplacesTheHistoryAndReportsSkippedLines) {
    writeFile(dir_ / "h.txt",
              "2018010102 01 02 03 04 05\n2018010103 01 02 03\n2018010101 11 10 09 08 07\n");
    const ImportReport report = importHistoryFile(db_, dir_ / "h.txt", elevenGame(), kRules);
    EXPECT_EQ(report.stored, 2u);
    EXPECT_EQ(report.summary(), "读入 2 期，跳过 1 行。\n第2行：只有 3 个号码，一期需要 5 个号码");

    const Snapshot snapshot = db_.loadSnapshot();
    EXPECT_EQ(std::vector(snapshot.issues.begin(), snapshot.issues.end()),
              (std::vector<Issue>{18010101, 18010102}));
    EXPECT_EQ(snapshot.numbers(0), (PositionValues{11, 10, 9, 8, 7}));
    Statement idx(db_.sql(), "SELECT [IDX] FROM [Lishi] ORDER BY [SQQH]");
    for (int expected : {1, 2}) {
        ASSERT_TRUE(idx.step());
        EXPECT_EQ(idx.integer(0), expected);
    }
}

TEST_F(TextImport, SummaryListsFiveSkippedLinesAndCountsTheRest) {
    std::string content = "2018010101 01 02 03 04 05\n";
    for (int i = 0; i < 7; ++i)
        content += "2018010102 01 01 01 01 01\n";
    writeFile(dir_ / "h.txt", content);
    const ImportReport report = importHistoryFile(db_, dir_ / "h.txt", elevenGame(), kRules);
    EXPECT_EQ(report.summary(), "读入 1 期，跳过 7 行。\n"
                                "第2行：号码 01 重复出现\n第3行：号码 01 重复出现\n"
                                "第4行：号码 01 重复出现\n第5行：号码 01 重复出现\n"
                                "第6行：号码 01 重复出现\n（另有 2 行未列出）");
    ImportReport clean;
    clean.stored = 3519;
    EXPECT_EQ(clean.summary(), "读入 3519 期。");
}

TEST_F(TextImport, AFileWithoutDrawsLeavesTheHistoryAsItWas) {
    std::mt19937 random(11);
    std::string binary(64 * 1024, '\0');
    for (char& c : binary)
        c = static_cast<char>(random());
    struct File {
        std::string name, content, messagePart;
    };
    const File files[] = {
        {"empty.txt", "", "没有可读入的开奖号码"},
        {"blank.txt", "\n  \r\n\n", "没有可读入的开奖号码"},
        {"binary.txt", binary, "不是文本文件"},
        {"bad.txt", "2017081201 01 02\n2017023001 01 02 03 04 05\n", "没有可读入的开奖号码"},
    };
    for (const auto& [name, content, messagePart] : files) {
        writeFile(dir_ / name, content);
        try {
            importHistoryFile(db_, dir_ / name, elevenGame(), kRules);
            ADD_FAILURE() << name << " was imported";
        } catch (const UserError& error) {
            EXPECT_NE(std::string(error.what()).find(messagePart), std::string::npos)
                << name << ": " << error.what();
        }
        expectOldHistory();
    }
}

TEST_F(TextImport, AnUnreadableFileLeavesTheHistoryAsItWas) {
    std::filesystem::create_directory(dir_ / "folder.txt");
    for (const char* name : {"missing.txt", "folder.txt"}) {
        EXPECT_THROW(importHistoryFile(db_, dir_ / name, elevenGame(), kRules), UserError) << name;
        expectOldHistory();
    }
}

TEST_F(TextImport, AReadErrorPartWayFailsTheWholeImport) {
    std::string content;
    Issue issue = 18010101;
    for (int i = 0; i < 20000; ++i, issue = proposeNextIssue(issue, 84))
        content += issueText(issue) + " 01 02 03 04 05\n";
    writeFile(dir_ / "h.txt", content);
    // The engine opens the file next; the first free descriptor is the one it gets.
    const int probe = ::dup(0);
    ::close(probe);
    failingFd = probe;
    bytesBeforeFailure = content.size() / 2;
    try {
        importHistoryFile(db_, dir_ / "h.txt", elevenGame(), kRules);
        ADD_FAILURE() << "the import succeeded";
    } catch (const UserError& error) {
        const std::string message = error.what();
        EXPECT_NE(message.find((dir_ / "h.txt").string()), std::string::npos) << message;
        EXPECT_NE(message.find("读写设备出错"), std::string::npos) << message;
        EXPECT_NE(message.find("历史号码未改变"), std::string::npos) << message;
    }
    failingFd = -1;
    expectOldHistory();
}

// A kill while the import writes leaves the old history whole: the new rows are one
// transaction, rolled back from its journal when the file is opened next. No connection is
// open across the fork, which SQLite does not allow.
TEST(TextImportKill, AKillDuringTheImportLeavesTheOldHistoryWhole) {
    TempDir dir;
    std::string content;
    Issue issue = 19010101;
    for (const auto& record : yilou::testing::generateDraws(300000, 9)) {
        content += issueText(issue) + " " + txtHisLst(record.drop[Letter::A]) + "\n";
        issue = proposeNextIssue(issue, 84);
    }
    writeFile(dir / "big.txt", content);
    const auto file = dir / kDatabaseFileName;
    const auto journal = dir / (std::string(kDatabaseFileName) + "-journal");
    const auto old = yilou::testing::generateDraws(30, 5);
    HistoryDb(file).replaceAll(old);
    const auto oldSize = std::filesystem::file_size(file);

    const pid_t child = fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        try {
            HistoryDb db(file);
            importHistoryFile(db, dir / "big.txt", elevenGame(), kRules);
        } catch (...) {
            _exit(2);
        }
        _exit(0);
    }
    // Wait until the import has written new rows into the file itself (the page cache spills
    // them there long before the end), then kill it.
    int status = 0;
    bool exited = false;
    std::error_code ignored;
    while (!(std::filesystem::exists(journal, ignored) &&
             std::filesystem::file_size(file, ignored) > oldSize + (1 << 20))) {
        if (waitpid(child, &status, WNOHANG) == child) {
            exited = true;
            break;
        }
        std::this_thread::sleep_for(std::chrono::microseconds(200));
    }
    if (!exited) {
        kill(child, SIGKILL);
        ASSERT_EQ(waitpid(child, &status, 0), child);
    }
    ASSERT_TRUE(WIFSIGNALED(status)) << "the import ended before it could be killed";

    HistoryDb reopened(file);
    Statement check(reopened.sql(), "PRAGMA integrity_check");
    ASSERT_TRUE(check.step());
    EXPECT_EQ(check.text(0), "ok");
    expectHistory(reopened, old);
}

} // namespace
} // namespace yilou::history
