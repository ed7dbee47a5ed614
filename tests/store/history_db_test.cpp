#include "core/user_error.h"
#include "store/history_db.h"
#include "support/history_generator.h"
#include "support/temp_dir.h"
#include "support/text_files.h"

#include <gtest/gtest.h>

namespace yilou::history {
namespace {

using yilou::testing::TempDir;

// Issue 17081284, numbers 03 11 07 01 09, both bases 1 and the start-up zodiac codes: every
// column of the stored row.
TEST(DrawAttributes, StoredRowOfTheWorkedExample) {
    TempDir dir;
    HistoryDb db(dir / kDatabaseFileName);
    db.appendDraw(DeriveAttributes(17081284, {3, 11, 7, 1, 9}, AttributeRules::startup(1, 1)));

    const std::vector<std::pair<std::string, PositionValues>> columns{
        {"L?A", {3, 11, 7, 1, 9}},
        {"L?B", {8, 12, 4, 10, 2}},
        {"L?E", {0, 1, 0, 0, 0}},
        {"L?F", {3, 1, 7, 1, 9}},
        {"L?G", {3, 2, 7, 1, 9}},
        {"L?H", {1, 3, 2, 1, 3}},
        // The D set holds the same numbers in ascending order: 01 03 07 09 11.
        {"D?A", {1, 3, 7, 9, 11}},
        {"D?B", {10, 8, 4, 2, 12}},
        {"D?E", {0, 0, 0, 0, 1}},
        {"D?F", {1, 3, 7, 9, 1}},
        {"D?G", {1, 3, 7, 9, 2}},
        {"D?H", {1, 1, 2, 3, 3}},
    };
    for (const auto& [pattern, expected] : columns)
        for (int p = 0; p < 5; ++p) {
            std::string name = pattern;
            name[1] = static_cast<char>('1' + p);
            Statement query(db.sql(), "SELECT [" + name + "] FROM [Lishi]");
            ASSERT_TRUE(query.step());
            EXPECT_EQ(query.integer(0), expected[p]) << name;
        }

    const std::vector<std::pair<std::string, std::string>> texts{
        {"SQQH", "17081284"},
        {"IDX", "1"},
        {"txtHisLst", "03 11 07 01 09 "},
        {"txtHisLstHm", "1X03 1X11 1X07 1X01 1X09 "},
        {"txtHisLstSx", "1X08 1X12 1X04 1X10 1X02 "},
        {"txtHisLstTou", "1X0 1X1 2X0 3X0 4X0 "},
        {"txtHisLstWei", "1X3 1X1 1X7 2X1 1X9 "},
        {"txtHisLstHe", "1X03 1X02 1X07 1X01 1X09 "},
        {"txtHisLstDs", "1X1 1X3 1X2 2X1 2X3 "},
    };
    for (const auto& [name, expected] : texts) {
        Statement query(db.sql(), "SELECT [" + name + "] FROM [Lishi]");
        ASSERT_TRUE(query.step());
        EXPECT_EQ(query.text(0), expected) << name;
    }
}

TEST(HistoryDb, StoresAndReloadsDrawsInIssueOrder) {
    TempDir dir;
    auto records = yilou::testing::generateDraws(200, 7);
    std::reverse(records.begin(), records.end());
    {
        HistoryDb db(dir / kDatabaseFileName);
        db.replaceAll(records);
    }
    HistoryDb db(dir / kDatabaseFileName);
    const Snapshot snapshot = db.loadSnapshot();
    ASSERT_EQ(snapshot.size(), 200u);
    EXPECT_TRUE(std::is_sorted(snapshot.issues.begin(), snapshot.issues.end()));
    const DrawRecord& first = records.back();
    EXPECT_EQ(snapshot.issues[0], first.issue);
    EXPECT_EQ(snapshot.numbers(0), first.drop[Letter::A]);
    EXPECT_EQ(snapshot.value(NumberOrder::Sorted, Letter::H, 4, 0), first.sorted[Letter::H][4]);

    Statement idx(db.sql(), "SELECT MIN(IDX), MAX(IDX), COUNT(DISTINCT IDX) FROM Lishi");
    ASSERT_TRUE(idx.step());
    EXPECT_EQ(idx.integer(0), 1);
    EXPECT_EQ(idx.integer(1), 200);
    EXPECT_EQ(idx.integer(2), 200);
}

TEST(HistoryDb, NewestDrawsAreReadAlone) {
    TempDir dir;
    HistoryDb db(dir / kDatabaseFileName);
    const auto records = yilou::testing::generateDraws(300, 4);
    db.replaceAll(records);
    for (std::size_t count : {0, 1, 5, 299, 300, 1000}) {
        const Snapshot tail = db.loadNewest(count);
        ASSERT_EQ(tail.size(), std::min<std::size_t>(count, 300)) << count;
        for (std::size_t i = 0; i < tail.size(); ++i) {
            const DrawRecord& record = records[300 - tail.size() + i];
            EXPECT_EQ(tail.issues[i], record.issue);
            EXPECT_EQ(tail.numbers(i), record.drop[Letter::A]);
        }
    }
}

// The count of the draws is remembered between changes; whatever changes them, this connection
// or another, a rolled-back transaction or a statement prepared once and run again, is seen.
TEST(HistoryDb, DrawCountFollowsEveryChange) {
    TempDir dir;
    const auto records = yilou::testing::generateDraws(6, 3);
    HistoryDb db(dir / kDatabaseFileName);
    HistoryDb other(dir / kDatabaseFileName);
    db.appendDraws({records[0], records[1]});
    EXPECT_EQ(db.drawCount(), 2u);
    other.appendDraw(records[2]);
    EXPECT_EQ(db.drawCount(), 3u);
    {
        Transaction transaction(db.sql());
        db.appendDraws({records[3]});
        EXPECT_EQ(db.drawCount(), 4u);
    }
    EXPECT_EQ(db.drawCount(), 3u);
    {
        Statement remove(db.sql(), "DELETE FROM [Lishi] WHERE [SQQH] = ?");
        for (const std::size_t i : {0u, 1u}) {
            remove.bind(1, static_cast<std::int64_t>(records[i].issue));
            remove.step();
            remove.reset();
            EXPECT_EQ(db.drawCount(), 2u - i);
        }
    }
    other.sql().exec("DELETE FROM [Lishi]");
    EXPECT_EQ(db.drawCount(), 0u);
}

// Opening a file writes nothing to it; a database of another program is refused, not taken
// over.
TEST(HistoryDb, OpeningAForeignOrExistingFileWritesNothing) {
    TempDir dir;
    const auto foreign = dir / "foreign.db";
    SqliteDb(foreign).exec("CREATE TABLE [notes] ([text] TEXT)");
    const auto lishiOnly = dir / "lishi.db";
    SqliteDb(lishiOnly).exec("CREATE TABLE [Lishi] ([SQQH] INTEGER PRIMARY KEY, [IDX] INTEGER)");
    const std::string foreignBytes = yilou::testing::readFile(foreign);
    const std::string lishiBytes = yilou::testing::readFile(lishiOnly);

    try {
        HistoryDb db(foreign);
        ADD_FAILURE() << "a foreign database was opened";
    } catch (const UserError& error) {
        EXPECT_NE(std::string(error.what()).find("不是历史数据库"), std::string::npos);
    }
    EXPECT_EQ(yilou::testing::readFile(foreign), foreignBytes);
    {
        HistoryDb db(lishiOnly);
        EXPECT_EQ(db.drawCount(), 0u);
    }
    EXPECT_EQ(yilou::testing::readFile(lishiOnly), lishiBytes);
}

// The loader reads only the numbers, zodiac and segment codes and derives the rest; the
// result must still be every stored column as it stands.
TEST(HistoryDb, SnapshotHoldsEveryStoredColumn) {
    TempDir dir;
    HistoryDb db(dir / kDatabaseFileName);
    yilou::testing::GeneratedHistory settings;
    settings.draws = 500;
    settings.highestNumber = 12;
    settings.firstIssue = 17012001; // crosses the Spring Festival of 2017
    settings.rules = AttributeRules{0, 0, ZodiacCodes::positional(2016, 0)};
    db.replaceAll(yilou::testing::generateDraws(settings));

    const Snapshot snapshot = db.loadSnapshot();
    ASSERT_EQ(snapshot.size(), settings.draws);
    std::size_t row = 0;
    Statement all(db.sql(), "SELECT * FROM [Lishi] ORDER BY [SQQH]");
    while (all.step()) {
        ASSERT_LT(row, snapshot.size());
        EXPECT_EQ(snapshot.issues[row], all.integer(0));
        for (int o = 0; o < 2; ++o)
            for (int l = 0; l < kLetterCount; ++l)
                for (int p = 0; p < 5; ++p) {
                    // Columns after SQQH and IDX: the L set, then the D set, letter by letter.
                    const int column = 2 + o * kLetterCount * 5 + l * 5 + p;
                    ASSERT_EQ(
                        snapshot.value(static_cast<NumberOrder>(o), static_cast<Letter>(l), p, row),
                        all.integer(column))
                        << "row " << row << " column " << column;
                }
        ++row;
    }
    EXPECT_EQ(row, snapshot.size());
}

TEST(HistoryDb, RefusesAnIssueThatIsStoredAlready) {
    TempDir dir;
    HistoryDb db(dir / kDatabaseFileName);
    const auto records = yilou::testing::generateDraws(3);
    db.replaceAll(records);
    EXPECT_THROW(db.appendDraw(records[1]), UserError);
    EXPECT_EQ(db.drawCount(), 3u);
}

// The user learns which file failed and why in Chinese; SQLite's own words stay at the end for
// diagnosis, and no SQL is shown.
TEST(HistoryDb, DatabaseErrorsNameTheFileAndTheCause) {
    TempDir dir;
    const auto file = dir / kDatabaseFileName;
    yilou::testing::writeFile(file, std::string(4096, 'x'));
    try {
        HistoryDb db(file);
        ADD_FAILURE() << "a file of text was opened as a database";
    } catch (const UserError& error) {
        EXPECT_EQ(std::string(error.what()), "数据库文件 " + file.string() +
                                                 "：数据库文件已损坏或不是历史数据库（file is "
                                                 "not a database）");
    }

    std::filesystem::remove(file);
    HistoryDb db(file);
    try {
        db.sql().exec("SELECT [nothing] FROM [Lishi]", "读取");
        ADD_FAILURE() << "a missing column was read";
    } catch (const UserError& error) {
        EXPECT_EQ(std::string(error.what()), "无法读取数据库文件 " + file.string() +
                                                 "：数据库操作失败（no such column: nothing）");
    }

    // A folder the system takes whose path is longer than SQLite takes.
    std::filesystem::path deep = dir.path();
    while (deep.native().size() < 600)
        deep /= std::string(100, 'd');
    std::filesystem::create_directories(deep);
    try {
        HistoryDb db(deep / kDatabaseFileName);
        ADD_FAILURE() << "a path SQLite cannot take was opened";
    } catch (const UserError& error) {
        EXPECT_NE(std::string(error.what()).find("路径太长"), std::string::npos) << error.what();
    }
}

TEST(HistoryDb, AppendingAnOlderDrawRenumbersTheLaterOnes) {
    TempDir dir;
    HistoryDb db(dir / kDatabaseFileName);
    const auto records = yilou::testing::generateDraws(3);
    db.replaceAll({records[0], records[2]});
    db.appendDraw(records[1]);
    Statement idx(db.sql(), "SELECT SQQH FROM Lishi ORDER BY IDX");
    for (const auto& record : records) {
        ASSERT_TRUE(idx.step());
        EXPECT_EQ(idx.integer(0), record.issue);
    }
}

TEST(HistoryDb, RenumberIdxRepairsAnyNumbering) {
    TempDir dir;
    HistoryDb db(dir / kDatabaseFileName);
    db.replaceAll(yilou::testing::generateDraws(50));
    db.sql().exec("UPDATE [Lishi] SET [IDX] = NULL WHERE [SQQH] % 3 = 0");
    db.sql().exec("UPDATE [Lishi] SET [IDX] = 7 WHERE [SQQH] % 3 = 1");
    db.RenumberIdx();
    Statement idx(db.sql(), "SELECT [IDX] FROM [Lishi] ORDER BY [SQQH]");
    for (std::int64_t expected = 1; expected <= 50; ++expected) {
        ASSERT_TRUE(idx.step());
        EXPECT_EQ(idx.integer(0), expected);
        EXPECT_FALSE(idx.isNull(0));
    }
}

} // namespace
} // namespace yilou::history
