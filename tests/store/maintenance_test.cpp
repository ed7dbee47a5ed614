#include "core/user_error.h"
#include "store/backup.h"
#include "store/maintenance.h"
#include "support/history_generator.h"
#include "support/special_files.h"
#include "support/temp_dir.h"
#include "support/text_files.h"

#include <algorithm>
#include <functional>
#include <gtest/gtest.h>
#include <random>
#include <sqlite3.h>
#include <unistd.h>

namespace yilou::history {
namespace {

using yilou::testing::readFile;
using yilou::testing::TempDir;
using yilou::testing::writeFile;

const AttributeRules kRules = AttributeRules::startup(1, 1);

/// Calls `action` with the SQL of every statement the connection of `db` starts, so that a
/// test can act as another program at a precise moment of an operation.
class StatementHook {
public:
    StatementHook(SqliteDb& db, std::function<void(std::string_view)> action)
        : db_(db), action_(std::move(action)) {
        sqlite3_trace_v2(db.handle(), SQLITE_TRACE_STMT, &StatementHook::started, this);
    }
    ~StatementHook() { sqlite3_trace_v2(db_.handle(), 0, nullptr, nullptr); }
    StatementHook(const StatementHook&) = delete;
    StatementHook& operator=(const StatementHook&) = delete;

private:
    static int started(unsigned, void* self, void* statement, void*) {
        static_cast<StatementHook*>(self)->action_(
            sqlite3_sql(static_cast<sqlite3_stmt*>(statement)));
        return 0;
    }

    SqliteDb& db_;
    std::function<void(std::string_view)> action_;
};

/// Another program that starts reading the history just as `db` begins to compact the file,
/// and keeps reading: the compaction finds the file busy. `db` reports that at once.
class ReaderAtCompaction {
public:
    explicit ReaderAtCompaction(HistoryDb& db)
        : reader_(db.path()), hook_(db.sql(), [this](std::string_view sql) {
              if (sql == "VACUUM" && !read_) {
                  read_.emplace(reader_, Transaction::Mode::Deferred);
                  reader_.exec("SELECT COUNT(*) FROM [Lishi]");
              }
          }) {
        sqlite3_busy_timeout(db.sql().handle(), 0);
    }

private:
    SqliteDb reader_;
    std::optional<Transaction> read_;
    StatementHook hook_;
};

/// A data folder with a history of the given draws.
class Maintenance : public ::testing::Test {
protected:
    void store(std::size_t count, Issue first, int highestNumber = 11) {
        yilou::testing::GeneratedHistory settings;
        settings.draws = count;
        settings.firstIssue = first;
        settings.highestNumber = highestNumber;
        records_ = yilou::testing::generateDraws(settings);
        db_.replaceAll(records_);
    }

    std::vector<Issue> storedIssues() {
        const Snapshot snapshot = db_.loadSnapshot();
        return {snapshot.issues.begin(), snapshot.issues.end()};
    }

    /// The history is the `count` oldest draws, numbers included.
    void expectKept(std::size_t count) {
        const Snapshot snapshot = db_.loadSnapshot();
        ASSERT_EQ(snapshot.size(), count);
        for (std::size_t i = 0; i < count; ++i) {
            EXPECT_EQ(snapshot.issues[i], records_[i].issue);
            EXPECT_EQ(snapshot.numbers(i), records_[i].drop[Letter::A]);
        }
    }

    /// IDX runs 1..n in issue order.
    void expectNumbered() {
        Statement idx(db_.sql(), "SELECT [IDX] FROM [Lishi] ORDER BY [SQQH]");
        std::int64_t expected = 1;
        while (idx.step())
            ASSERT_EQ(idx.integer(0), expected++);
    }

    TempDir dir_;
    HistoryDb db_{dir_ / kDatabaseFileName};
    std::vector<DrawRecord> records_;
};

TEST_F(Maintenance, DeleteNewestDrawDownToEmpty) {
    store(2, 17081283);
    const DeletionResult first = deleteNewestDraw(db_);
    EXPECT_EQ(first.removed, 1u);
    EXPECT_EQ(first.compactionProblem, std::nullopt);
    EXPECT_EQ(storedIssues(), (std::vector<Issue>{17081283}));
    EXPECT_EQ(deleteNewestDraw(db_, WhenAllDrawsGo::Delete).removed, 1u);
    EXPECT_EQ(db_.drawCount(), 0u);
    EXPECT_EQ(deleteNewestDraw(db_).removed, 0u);
}

struct KeepCase {
    const char* what;
    Issue keepUpTo;
    std::size_t kept;
};

TEST_F(Maintenance, DeleteAfterKeepsTheDrawsUpToTheIssue) {
    const KeepCase cases[] = {
        {"a middle issue", 17081250, 50},
        {"older than the first draw", 17081100, 0},
        {"newer than the newest draw", 17081299, 84},
        {"the newest draw", 17081284, 84},
    };
    for (const auto& c : cases) {
        store(84, 17081201);
        const DeletionResult result =
            deleteAfter(db_, c.keepUpTo, dir_.path(), kRules, WhenAllDrawsGo::Delete);
        EXPECT_EQ(result.removed, 84 - c.kept) << c.what;
        EXPECT_EQ(result.compactionProblem, std::nullopt) << c.what;
        expectKept(c.kept);
        expectNumbered();
    }
}

TEST_F(Maintenance, DeletionsThatTakeEveryDrawWaitForAConfirmation) {
    store(84, 17081201);
    const std::function<DeletionResult()> deletions[] = {
        [&] { return deleteAfter(db_, 17081100, dir_.path(), kRules); },
        [&] { return deleteNewestDraws(db_, 84, dir_.path(), kRules); },
        [&] { return deleteNewestDraws(db_, 1000, dir_.path(), kRules); },
        [&] { return clearHistory(db_); },
    };
    for (const auto& deletion : deletions) {
        try {
            deletion();
            ADD_FAILURE() << "the history was emptied";
        } catch (const DeletionEmptiesHistory& refused) {
            EXPECT_EQ(refused.count, 84u);
        }
        expectKept(84);
    }
    EXPECT_FALSE(std::filesystem::exists(dir_ / kBackupFileName));
    // One draw fewer needs no confirmation; the last one does, whichever way it goes.
    EXPECT_EQ(deleteNewestDraws(db_, 83, dir_.path(), kRules).removed, 83u);
    EXPECT_THROW(deleteNewestDraw(db_), DeletionEmptiesHistory);
    expectKept(1);
    EXPECT_EQ(clearHistory(db_, WhenAllDrawsGo::Delete).removed, 1u);
    EXPECT_EQ(clearHistory(db_).removed, 0u);
}

// Draws stored for a happy-12 game come back from the backup file whatever game is chosen now.
TEST_F(Maintenance, RebuildReadsBackTheDrawsOfAnyGame) {
    store(84, 17081201, 12);
    ASSERT_TRUE(std::any_of(records_.begin(), records_.end(), [](const DrawRecord& record) {
        const auto& numbers = record.drop[Letter::A];
        return std::find(numbers.begin(), numbers.end(), 12) != numbers.end();
    }));
    EXPECT_EQ(deleteNewestDraws(db_, 2, dir_.path(), kRules).removed, 2u);
    expectKept(82);
    EXPECT_EQ(deleteAfter(db_, 17081250, dir_.path(), kRules).removed, 32u);
    expectKept(50);
}

TEST_F(Maintenance, AChangeRemovesTheTemporaryFilesOfKilledWrites) {
    store(3, 17081201);
    const std::string dead = std::to_string(yilou::testing::endedProcessId());
    const std::string alive = std::to_string(getpid());
    const std::pair<std::string, bool> files[] = {
        {".lsbf.txt." + dead + "-0.tmp", false},
        {".更新至17081203期历史号码.txt." + dead + "-3.tmp", false},
        {".Jiansuo.xls." + dead + "-1.tmp", false},
        {".lsbf.txt." + alive + "-0.tmp", true}, // a write of this process may be at work
        {".lsbf.txt.1-0.tmp", true},             // init runs
        {"notes." + dead + "-0.tmp", true},      // not a name of ours
    };
    for (const auto& [name, kept] : files)
        writeFile(dir_ / name, "17081201 01 02 03 04 05 \n");
    prepareChange(db_);
    for (const auto& [name, kept] : files)
        EXPECT_EQ(std::filesystem::exists(dir_ / name), kept) << name;
}

// A page of garbage in the middle of the file: reads that meet it fail, and writes, which
// touch other pages, must not go into the damaged file.
TEST_F(Maintenance, ADamagedFileIsNotChanged) {
    store(20000, 17010101);
    prepareChange(db_);
    const auto file = db_.path();
    std::string bytes = readFile(file);
    std::mt19937 random(3);
    const std::size_t page = 4096;
    const std::size_t middle = bytes.size() / page / 2 * page;
    for (std::size_t i = 0; i < page; ++i)
        bytes[middle + i] = static_cast<char>(random());
    writeFile(file, bytes);

    HistoryDb damaged(file);
    try {
        prepareChange(damaged);
        ADD_FAILURE() << "the damage was not found";
    } catch (const UserError& error) {
        const std::string message = error.what();
        EXPECT_NE(message.find("已损坏"), std::string::npos) << message;
        EXPECT_NE(message.find("lsbf.txt"), std::string::npos) << message;
    }
    EXPECT_EQ(readFile(file), bytes);
}

TEST_F(Maintenance, DeleteAfterAtTheYearEndKeepsDecember) {
    store(10, 17123179); // 17123179 … 17123184, 18010101 … 18010104
    EXPECT_EQ(deleteAfter(db_, 17123184, dir_.path(), kRules).removed, 4u);
    expectKept(6);
}

TEST_F(Maintenance, DeleteAfterWritesTheRemainingDrawsToTheBackupFile) {
    store(3, 17081201);
    deleteAfter(db_, 17081202, dir_.path(), kRules);
    std::string expected;
    for (std::size_t i = 0; i < 2; ++i)
        expected +=
            std::to_string(records_[i].issue) + " " + txtHisLst(records_[i].drop[Letter::A]) + "\n";
    EXPECT_EQ(readFile(dir_ / kBackupFileName), expected);
    EXPECT_EQ(expected.substr(0, 9), "17081201 ");
}

TEST_F(Maintenance, NothingToDeleteTouchesNothing) {
    store(5, 17081201);
    EXPECT_EQ(deleteAfter(db_, 0, dir_.path(), kRules).removed, 0u);
    EXPECT_EQ(deleteAfter(db_, -5, dir_.path(), kRules).removed, 0u);
    EXPECT_EQ(deleteNewestDraws(db_, 0, dir_.path(), kRules).removed, 0u);
    EXPECT_EQ(db_.drawCount(), 5u);
    EXPECT_FALSE(std::filesystem::exists(dir_ / kBackupFileName));
}

TEST_F(Maintenance, DeleteNewestDrawsAcrossADayChange) {
    store(5, 17081282); // 17081282 … 17081284, 17081301, 17081302
    EXPECT_EQ(deleteNewestDraws(db_, 3, dir_.path(), kRules).removed, 3u);
    EXPECT_EQ(storedIssues(), (std::vector<Issue>{17081282, 17081283}));
    expectNumbered();
}

TEST_F(Maintenance, DeleteMoreDrawsThanStoredEmptiesTheHistory) {
    store(3000, 17010101);
    const auto full = std::filesystem::file_size(db_.path());
    EXPECT_EQ(deleteNewestDraws(db_, 3001, dir_.path(), kRules, WhenAllDrawsGo::Delete).removed,
              3000u);
    EXPECT_EQ(db_.drawCount(), 0u);
    EXPECT_LT(std::filesystem::file_size(db_.path()), full / 4); // compacted
    EXPECT_EQ(readFile(dir_ / kBackupFileName), "");
}

TEST_F(Maintenance, RebuildRecomputesTheAttributesWithTheCurrentBases) {
    store(84, 17081201);
    writeBackupFile(db_, dir_.path(), 84);
    Dqzd(db_, dir_.path(), AttributeRules::startup(0, 0));
    const Snapshot snapshot = db_.loadSnapshot();
    ASSERT_EQ(snapshot.size(), 84u);
    expectNumbered();
    for (std::size_t i = 0; i < records_.size(); ++i) {
        ASSERT_EQ(snapshot.numbers(i), records_[i].drop[Letter::A]);
        for (int p = 0; p < 5; ++p) {
            EXPECT_EQ(snapshot.value(NumberOrder::Drop, Letter::B, p, i),
                      records_[i].drop[Letter::B][p] - 1);
            EXPECT_EQ(snapshot.value(NumberOrder::Drop, Letter::H, p, i),
                      records_[i].drop[Letter::H][p] - 1);
        }
    }
}

TEST_F(Maintenance, RebuildRefusesAMissingOrDamagedBackup) {
    store(5, 17081201);
    EXPECT_THROW(Dqzd(db_, dir_.path(), kRules), UserError);
    writeFile(dir_ / kBackupFileName, "17081201 01 02 03 04 05 \n17081202 01 02 \n");
    try {
        Dqzd(db_, dir_.path(), kRules);
        ADD_FAILURE() << "a damaged backup was taken";
    } catch (const UserError& error) {
        EXPECT_NE(std::string(error.what()).find("第2行"), std::string::npos) << error.what();
    }
    expectKept(5);

    writeFile(dir_ / kBackupFileName, "");
    Dqzd(db_, dir_.path(), kRules);
    EXPECT_EQ(db_.drawCount(), 0u);
}

TEST_F(Maintenance, CompactionShrinksTheFileAndKeepsTheConnectionUsable) {
    store(3000, 17010101);
    db_.sql().exec("INSERT INTO [YL] ([content]) VALUES ('03 05')");
    const auto full = std::filesystem::file_size(db_.path());
    db_.sql().exec("DELETE FROM [Lishi] WHERE [SQQH] > 17010110");
    EXPECT_EQ(std::filesystem::file_size(db_.path()), full);
    CompactDb(db_);
    EXPECT_LT(std::filesystem::file_size(db_.path()), full / 4);

    expectKept(10);
    Statement yl(db_.sql(), "SELECT COUNT(*) FROM [YL]");
    ASSERT_TRUE(yl.step());
    EXPECT_EQ(yl.integer(0), 1);
    db_.appendDraw(records_[10]);
    EXPECT_EQ(db_.drawCount(), 11u);
}

TEST_F(Maintenance, ACompactionThatFindsTheFileBusyLeavesItAsItWas) {
    store(50, 17081201);
    db_.sql().exec("DELETE FROM [Lishi] WHERE [SQQH] > 17081240");
    const std::string original = readFile(db_.path());
    {
        const ReaderAtCompaction reader(db_);
        try {
            CompactDb(db_);
            ADD_FAILURE() << "compaction while another program reads succeeded";
        } catch (const UserError& error) {
            const std::string message = error.what();
            EXPECT_NE(message.find("正被其他程序使用"), std::string::npos) << message;
            EXPECT_NE(message.find("保持原样"), std::string::npos) << message;
            EXPECT_EQ(message.find("VACUUM"), std::string::npos) << message;
        }
    }
    EXPECT_EQ(readFile(db_.path()), original);
    expectKept(40);
    db_.appendDraw(records_[40]);
    EXPECT_EQ(db_.drawCount(), 41u);
}

// The draws are deleted and committed before the compaction; its failure is a warning beside
// them, not a failure of the deletion.
TEST_F(Maintenance, ACompactionFailureAfterADeletionIsReportedBesideIt) {
    const std::pair<const char*, std::function<DeletionResult()>> deletions[] = {
        {"newest draw", [&] { return deleteNewestDraw(db_); }},
        {"newest draws", [&] { return deleteNewestDraws(db_, 1, dir_.path(), kRules); }},
        {"after an issue", [&] { return deleteAfter(db_, 17081209, dir_.path(), kRules); }},
    };
    for (const auto& [what, deletion] : deletions) {
        store(10, 17081201);
        DeletionResult result;
        {
            const ReaderAtCompaction reader(db_);
            result = deletion();
        }
        EXPECT_EQ(result.removed, 1u) << what;
        ASSERT_TRUE(result.compactionProblem) << what;
        EXPECT_NE(result.compactionProblem->find("已删除 1 期"), std::string::npos)
            << *result.compactionProblem;
        EXPECT_NE(result.compactionProblem->find("正被其他程序使用"), std::string::npos)
            << *result.compactionProblem;
        expectKept(9);
    }
}

// Another program adding a draw while the backup file is written must wait: the rebuild from
// that file would otherwise wipe its draw.
TEST_F(Maintenance, AMultiDrawDeletionHoldsTheWriteLockThroughout) {
    store(10, 17081201);
    HistoryDb other(db_.path());
    sqlite3_busy_timeout(other.sql().handle(), 0);
    bool otherAdded = false;
    {
        const StatementHook hook(db_.sql(), [&](std::string_view sql) {
            if (sql.starts_with("SELECT [SQQH], [L1A]")) { // the backup file's rows
                try {
                    other.appendDraw(DeriveAttributes(17081299, {1, 2, 3, 4, 5}, kRules));
                    otherAdded = true;
                } catch (const UserError&) {
                }
            }
        });
        EXPECT_EQ(deleteNewestDraws(db_, 2, dir_.path(), kRules).removed, 2u);
    }
    EXPECT_FALSE(otherAdded);
    expectKept(8);
}

/// Whether a change through a new connection to `file` walks the file's pages first.
bool checksInFull(const std::filesystem::path& file) {
    HistoryDb db(file);
    bool walked = false;
    StatementHook hook(db.sql(), [&walked](std::string_view sql) {
        walked = walked || sql.find("NOT INDEXED") != std::string_view::npos;
    });
    prepareChange(db);
    return walked;
}

struct SinceCheckCase {
    const char* what;
    /// Done after a check of the history in `db` (its first 30 of `records`).
    std::function<void(HistoryDb& db, const std::vector<DrawRecord>& records)> action;
    bool checked; ///< whether the next change checks the file in full
};

TEST(ChangeCheck, TheFileIsCheckedInFullOnlyWhenItChangedSinceTheLastCheck) {
    const auto appendByOther = [](HistoryDb& db, const std::vector<DrawRecord>& records) {
        HistoryDb(db.path()).appendDraw(records[30]);
    };
    const auto markers = [](HistoryDb& db) { return checkedMarkersFile(db.path()); };
    const SinceCheckCase cases[] = {
        {"nothing", [](HistoryDb&, const auto&) {}, false},
        {"a draw appended by this program",
         [](HistoryDb& db, const auto& records) {
             db.appendDraw(records[30]);
             rememberOwnChanges(db);
         },
         false},
        {"the newest draw deleted and the file compacted by this program",
         [](HistoryDb& db, const auto&) {
             deleteNewestDraw(db);
             rememberOwnChanges(db);
         },
         false},
        {"a draw appended by another connection",
         [&](HistoryDb& db, const auto& records) {
             appendByOther(db, records);
             rememberOwnChanges(db);
         },
         true},
        {"another connection's draw, then one of this program",
         [&](HistoryDb& db, const auto& records) {
             appendByOther(db, records);
             db.appendDraw(records[31]);
             rememberOwnChanges(db);
         },
         true},
        {"the same bytes written by another program",
         [](HistoryDb& db, const auto&) { writeFile(db.path(), readFile(db.path())); }, true},
        {"replaced by a copy",
         [](HistoryDb& db, const auto&) {
             const auto copy = db.path().string() + ".copy";
             std::filesystem::copy_file(db.path(), copy);
             std::filesystem::rename(copy, db.path());
         },
         true},
        {"remembered markers removed",
         [&](HistoryDb& db, const auto&) { std::filesystem::remove(markers(db)); }, true},
        {"remembered markers cut short",
         [&](HistoryDb& db, const auto&) {
             std::filesystem::resize_file(markers(db), std::filesystem::file_size(markers(db)) - 2);
         },
         true},
        {"remembered markers garbled",
         [&](HistoryDb& db, const auto&) {
             std::string text = readFile(markers(db));
             text[0] = text[0] == '9' ? '8' : '9';
             writeFile(markers(db), text);
         },
         true},
        {"remembered markers of another database copied in",
         [&](HistoryDb& db, const auto& records) {
             TempDir other;
             HistoryDb copy(other / kDatabaseFileName);
             copy.replaceAll({records.begin(), records.begin() + 30});
             prepareChange(copy);
             std::filesystem::copy_file(markers(copy), markers(db),
                                        std::filesystem::copy_options::overwrite_existing);
         },
         true},
    };
    const auto records = yilou::testing::generateDraws(32, 5);
    for (const auto& [what, action, checked] : cases) {
        SCOPED_TRACE(what);
        TempDir dir;
        HistoryDb db(dir / kDatabaseFileName);
        db.replaceAll({records.begin(), records.begin() + 30});
        prepareChange(db);
        action(db, records);
        EXPECT_EQ(checksInFull(db.path()), checked);
    }
}

} // namespace
} // namespace yilou::history
