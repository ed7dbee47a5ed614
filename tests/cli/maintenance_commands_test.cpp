#include "cli_test_support.h"
#include "store/history_db.h"
#include "support/file_size_limit.h"
#include "support/text_files.h"

#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <optional>
#include <sqlite3.h>
#include <sstream>
#include <string_view>

namespace yilou::cli::testing {
namespace {

using yilou::testing::readFile;

/// While alive, the disk fills up the moment a connection opened meanwhile starts to compact
/// its file: every write of this process fails from then on.
class DiskFullAtCompaction {
public:
    DiskFullAtCompaction() {
        active_ = this;
        sqlite3_auto_extension(reinterpret_cast<void (*)()>(&install));
    }
    ~DiskFullAtCompaction() {
        sqlite3_cancel_auto_extension(reinterpret_cast<void (*)()>(&install));
        active_ = nullptr;
    }
    DiskFullAtCompaction(const DiskFullAtCompaction&) = delete;
    DiskFullAtCompaction& operator=(const DiskFullAtCompaction&) = delete;

private:
    static int install(sqlite3* db, char**, const sqlite3_api_routines*) {
        sqlite3_trace_v2(db, SQLITE_TRACE_STMT, &started, nullptr);
        return SQLITE_OK;
    }
    static int started(unsigned, void*, void* statement, void*) {
        if (std::string_view(sqlite3_sql(static_cast<sqlite3_stmt*>(statement))) == "VACUUM" &&
            active_ && !active_->full_)
            active_->full_.emplace(0);
        return 0;
    }

    static inline DiskFullAtCompaction* active_ = nullptr;
    std::optional<yilou::testing::FileSizeLimit> full_;
};

std::string sampleFile() {
    return std::string(YILOU_SAMPLE_DATA_DIR) + "/sd11x5-2014102878-2015021178.txt";
}

// The history it replaces is saved first in the import format beside the database, and the
// output says where; an import over an empty history saves nothing.
TEST(MaintenanceCommands, ImportReplacesTheHistorySavedFirst) {
    CliFixture cli;
    ASSERT_EQ(cli.run({"import", sampleFile()}).out, "读入 3519 期。\n");
    ASSERT_EQ(cli.run({"add", "2017081284", "03", "11", "07", "01", "09"}).status, 0);
    const CliResult imported = cli.run({"import", sampleFile()});
    EXPECT_EQ(imported.status, 0) << imported.err;
    const std::string saidSaved = "读入 3519 期。\n替换前的 3,520 期历史号码已保存到 ";
    ASSERT_EQ(imported.out.substr(0, saidSaved.size()), saidSaved);
    const std::filesystem::path copy =
        imported.out.substr(saidSaved.size(), imported.out.size() - saidSaved.size() - 4);
    EXPECT_EQ(copy.parent_path(), cli.dataDir());
    // The copy reads back as the history it was.
    const CliResult restored = cli.run({"import", copy.string()});
    EXPECT_EQ(restored.out.substr(0, restored.out.find('\n')), "读入 3520 期。");
    EXPECT_EQ(cli.run({"history", "--tail", "2", "--format", "csv"}).out,
              "期号,落1码,落2码,落3码,落4码,落5码\n"
              "2015021178,11,5,10,2,8\n"
              "2017081284,3,11,7,1,9\n");
}

TEST(MaintenanceCommands, ImportWithSkippedLinesOverStoredDrawsNeedsYes) {
    CliFixture cli;
    ASSERT_EQ(cli.run({"add", "2017081284", "03", "11", "07", "01", "09"}).status, 0);
    const auto partly = cli.dataDir() / "partly.txt";
    std::ofstream(partly) << "2017090101 03 11 07 01 09\nx\n";
    const CliResult refused = cli.run({"import", partly.string()});
    EXPECT_EQ(refused.status, 1);
    EXPECT_NE(refused.err.find("文件中有 1 行无法读入，只读到 1 期。仍要用它替换现有的 1 期吗？"
                               "确要替换，请加 --yes"),
              std::string::npos)
        << refused.err;
    EXPECT_EQ(cli.run({"history", "--tail", "1", "--format", "csv"}).out,
              "期号,落1码,落2码,落3码,落4码,落5码\n2017081284,3,11,7,1,9\n");
    EXPECT_EQ(cli.run({"import", partly.string(), "--yes"}).status, 0);
    EXPECT_EQ(cli.run({"history", "--tail", "1", "--format", "csv"}).out,
              "期号,落1码,落2码,落3码,落4码,落5码\n2017090101,3,11,7,1,9\n");
}

TEST(MaintenanceCommands, ImportOfAnUnusableFileKeepsTheHistory) {
    CliFixture cli;
    ASSERT_EQ(cli.run({"add", "2017081284", "03", "11", "07", "01", "09"}).status, 0);
    const auto empty = cli.dataDir() / "empty.txt";
    std::ofstream(empty).close();
    EXPECT_EQ(cli.run({"import", empty.string()}).status, 1);
    EXPECT_EQ(cli.run({"import", (cli.dataDir() / "missing.txt").string()}).status, 1);
    EXPECT_EQ(cli.run({"history", "--format", "csv"}).out,
              "期号,落1码,落2码,落3码,落4码,落5码\n2017081284,3,11,7,1,9\n");
}

TEST(MaintenanceCommands, DeletionsAndExport) {
    CliFixture cli;
    for (int ordinal = 80; ordinal <= 84; ++ordinal)
        ASSERT_EQ(cli.run({"add", "20170812" + std::to_string(ordinal), "01", "02", "03", "04",
                           std::to_string(ordinal - 75)})
                      .status,
                  0);
    EXPECT_EQ(cli.run({"delete-last"}).status, 0);
    EXPECT_EQ(cli.run({"next"}).out, "2017081284\n");
    EXPECT_EQ(cli.run({"delete-to", "2017081281"}).status, 0);
    EXPECT_EQ(cli.run({"next"}).out, "2017081282\n");

    const CliResult exported = cli.run({"export-text"});
    ASSERT_EQ(exported.status, 0) << exported.err;
    EXPECT_EQ(readFile(cli.dataDir() / "更新至17081281期历史号码.txt"),
              "2017081280 01 02 03 04 05 \r\n2017081281 01 02 03 04 06 \r\n");

    EXPECT_EQ(cli.run({"delete-last", "5", "--yes"}).status, 0);
    EXPECT_EQ(cli.run({"history", "--format", "json"}).out, "[]\n");
    EXPECT_EQ(cli.run({"export-text"}).status, 1);
}

// Deletions in the history of a game not chosen (--game) rebuild it from its own lsbf.txt and
// leave the current game's history alone.
TEST(MaintenanceCommands, DeletionsInAnotherGamesHistoryKeepItsDraws) {
    CliFixture cli;
    ASSERT_EQ(cli.run({"add", "2017081201", "01", "02", "03", "04", "05"}).status, 0);
    for (int ordinal = 1; ordinal <= 5; ++ordinal)
        ASSERT_EQ(cli.run({"--game", "25", "add", "201708120" + std::to_string(ordinal), "12", "01",
                           "02", "03", std::to_string(ordinal + 3)})
                      .status,
                  0);
    for (const std::vector<std::string>& args : std::vector<std::vector<std::string>>{
             {"--game", "kl12ln", "delete-last", "2"},
             {"--game", "25", "delete-to", "2017081202"},
         }) {
        const CliResult deleted = cli.run(args);
        EXPECT_EQ(deleted.status, 0) << deleted.err;
    }
    EXPECT_EQ(cli.run({"--game", "25", "history", "--format", "csv"}).out,
              "期号,落1码,落2码,落3码,落4码,落5码\n2017081201,12,1,2,3,4\n2017081202,12,1,2,3,5\n");
    EXPECT_EQ(cli.run({"history", "--format", "csv"}).out,
              "期号,落1码,落2码,落3码,落4码,落5码\n2017081201,1,2,3,4,5\n");
    EXPECT_FALSE(std::filesystem::exists(cli.dataDir() / "lsbf.txt"));
}

// The deletion stands when the file cannot be compacted afterwards: a warning, and success.
TEST(MaintenanceCommands, AFailedCompactionAfterADeletionIsAWarning) {
    CliFixture cli;
    ASSERT_EQ(cli.run({"import", sampleFile()}).status, 0);
    CliResult deleted;
    {
        const DiskFullAtCompaction full;
        deleted = cli.run({"delete-last"});
    }
    EXPECT_EQ(deleted.status, 0) << deleted.err;
    EXPECT_EQ(deleted.out, "已删除 1 期，现有历史号码 3518 期。\n");
    EXPECT_TRUE(deleted.err.starts_with("警告：已删除 1 期历史号码，但数据库文件未能整理"))
        << deleted.err;
    EXPECT_EQ(cli.run({"next"}).out, "2015021178\n");
}

// A page of garbage in the file: the history reports it, and no change is written into it.
TEST(MaintenanceCommands, ADamagedDatabaseIsNotChanged) {
    CliFixture cli;
    ASSERT_EQ(cli.run({"import", sampleFile()}).status, 0);
    const auto file = cli.dataDir() / history::kDatabaseFileName;
    std::string bytes = readFile(file);
    const std::size_t middle = bytes.size() / 4096 / 2 * 4096;
    for (std::size_t i = 0; i < 4096; ++i)
        bytes[middle + i] = static_cast<char>(i * 7919 % 251);
    yilou::testing::writeFile(file, bytes);

    EXPECT_EQ(cli.run({"history"}).status, 1);
    for (const std::vector<std::string>& args : std::vector<std::vector<std::string>>{
             {"add", "2015021179", "01", "02", "03", "04", "05"},
             {"delete-last"},
             {"delete-last", "3"},
             {"delete-to", "2015021101"},
             {"clear", "--yes"},
             {"update", "--url", "file:///nowhere/{n}", "--today", "2015-02-12"},
         }) {
        const CliResult result = cli.run(args);
        EXPECT_EQ(result.status, 1) << args[0];
        EXPECT_NE(result.err.find("已损坏"), std::string::npos) << result.err;
    }
    EXPECT_EQ(readFile(file), bytes);
}

// A row that no import stores, put in by another program, is damage: the views say where it is
// and fail as a command that could not be done, never as a mistake of the command line.
TEST(MaintenanceCommands, ARowNoImportStoresIsReportedAsDamage) {
    CliFixture cli;
    ASSERT_EQ(cli.run({"import", sampleFile()}).status, 0);
    history::SqliteDb(cli.dataDir() / history::kDatabaseFileName)
        .exec("UPDATE [Lishi] SET [SQQH] = -5 WHERE [IDX] = 1");
    for (const std::vector<std::string>& args : std::vector<std::vector<std::string>>{
             {"overview"}, {"trend", "--last", "30"}, {"backtest", "--play", "r1"}}) {
        const CliResult result = cli.run(args);
        EXPECT_EQ(result.status, 1) << args[0];
        EXPECT_NE(result.err.find("历史数据库中第 1 行：期号 -5 不是有效的期号"), std::string::npos)
            << result.err;
    }
}

} // namespace
} // namespace yilou::cli::testing
