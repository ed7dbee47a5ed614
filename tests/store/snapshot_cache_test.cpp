#include "core/user_error.h"
#include "store/file_markers.h"
#include "store/history_db.h"
#include "store/maintenance.h"
#include "store/snapshot_cache.h"
#include "store/yl_table.h"
#include "support/history_generator.h"
#include "support/special_files.h"
#include "support/temp_dir.h"
#include "support/text_files.h"

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstdlib>
#include <fcntl.h>
#include <functional>
#include <gtest/gtest.h>
#include <map>
#include <optional>
#include <sqlite3.h>
#include <sys/ioctl.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

namespace yilou::history {
namespace {

using yilou::testing::readFile;
using yilou::testing::TempDir;
using yilou::testing::writeFile;

bool sameDraws(const Snapshot& a, const Snapshot& b) {
    bool same = std::ranges::equal(a.issues, b.issues);
    for (int o = 0; o < 2; ++o)
        for (int l = 0; l < kLetterCount; ++l)
            for (int p = 0; p < 5; ++p)
                same = same && std::ranges::equal(a.columns[o][l][p], b.columns[o][l][p]);
    return same;
}

/// The snapshot as the database holds it, read with no cache.
Snapshot fromTheDatabase(const std::filesystem::path& file) {
    std::filesystem::remove(snapshotCacheFile(file));
    return HistoryDb(file).loadSnapshot();
}

/// Stores the first `count` of `records` and loads them, which writes the cache.
void storeAndLoad(HistoryDb& db, const std::vector<DrawRecord>& records, std::size_t count) {
    db.replaceAll({records.begin(), records.begin() + static_cast<std::ptrdiff_t>(count)});
    db.loadSnapshot();
}

struct CacheCase {
    const char* what;
    /// Done to the database `db` (the first 40 of `records`) or its cache after a load.
    std::function<void(HistoryDb& db, const std::vector<DrawRecord>& records)> action;
    bool valid = false; ///< whether the cache is still valid afterwards, before the next load
};

TEST(SnapshotCache, ALoadGivesTheDatabaseAsItIsWhateverHappenedToTheCache) {
    const auto cache = [](HistoryDb& db) { return snapshotCacheFile(db.path()); };
    // Flips a bit of the last value of the last column (the last byte that is not zero: the
    // room after the draws is), or of the first byte of an issue.
    const auto garble = [&](HistoryDb& db, std::optional<Issue> issue = std::nullopt) {
        std::string bytes = readFile(cache(db));
        bytes[issue ? bytes.find(std::string(reinterpret_cast<const char*>(&*issue), sizeof *issue))
                    : bytes.find_last_not_of('\0')] ^= 0x04;
        writeFile(cache(db), bytes);
    };
    // Appends `record` and carries it into the cache, then puts back the cache's header page
    // from byte `from` on as it was before.
    const auto appendWithHeaderFrom = [&](HistoryDb& db, const DrawRecord& record,
                                          std::size_t from) {
        constexpr std::size_t kHeaderBytes = 4096;
        const std::string before = readFile(cache(db));
        db.appendDraw(record);
        rememberOwnChanges(db);
        std::string bytes = readFile(cache(db));
        bytes.replace(from, kHeaderBytes - from, before, from, kHeaderBytes - from);
        writeFile(cache(db), bytes);
    };
    // Loads the cache until a load has remembered it whole, which it does once the clock tick
    // of the file's last write is over.
    const auto rememberWhole = [&](HistoryDb& db) {
        const auto checked = cache(db).string() + ".checked";
        for (int i = 0; i < 500 && !std::filesystem::exists(checked); ++i) {
            std::this_thread::sleep_for(std::chrono::milliseconds(1));
            readSnapshotCache(db.path(), readFileMarkers(db));
        }
        ASSERT_TRUE(std::filesystem::exists(checked));
    };
    const CacheCase cases[] = {
        {"nothing", [](HistoryDb&, const auto&) {}, true},
        {"grouped results stored by this program",
         [](HistoryDb& db, const auto&) {
             storeYlRows(db, {{"01 02", 1, 5, 3, 1.6f}});
             rememberOwnChanges(db);
         },
         true},
        {"a draw appended by this program",
         [](HistoryDb& db, const auto& records) {
             db.appendDraw(records[40]);
             rememberOwnChanges(db);
         },
         true},
        {"draws appended by this program one by one, each carried",
         [](HistoryDb& db, const auto& records) {
             for (std::size_t i = 40; i < 43; ++i) {
                 db.appendDraw(records[i]);
                 rememberOwnChanges(db);
             }
         },
         true},
        {"a draw appended by this program, the connection closed",
         [](HistoryDb& db, const auto& records) { db.appendDraw(records[40]); }, true},
        {"draws appended by this program, one after a load, two after that",
         [](HistoryDb& db, const auto& records) {
             db.appendDraw(records[40]);
             db.loadSnapshot();
             db.appendDraws({records[41], records[42]});
             rememberOwnChanges(db);
         },
         true},
        {"a draw appended by this program, then a number changed by it",
         [](HistoryDb& db, const auto& records) {
             db.appendDraw(records[40]);
             db.sql().exec("UPDATE [Lishi] SET [L1A] = [L2A], [L2A] = [L1A] WHERE [SQQH] = " +
                           std::to_string(records[20].issue));
             rememberOwnChanges(db);
         }},
        {"draws appended by this program out of issue order",
         [](HistoryDb& db, const auto& records) {
             db.appendDraws({records[41], records[40]});
             rememberOwnChanges(db);
         }},
        {"an append to the cache killed before its header was written",
         [&](HistoryDb& db, const auto& records) { appendWithHeaderFrom(db, records[40], 0); }},
        {"the header of an append torn by a power cut",
         [&](HistoryDb& db, const auto& records) { appendWithHeaderFrom(db, records[40], 512); }},
        {"a value of an appended draw garbled",
         [&](HistoryDb& db, const auto& records) {
             db.appendDraw(records[40]);
             rememberOwnChanges(db);
             garble(db);
         }},
        {"more draws appended by this program than the cache has room for",
         [](HistoryDb& db, const auto& records) {
             db.appendDraws({records.begin() + 40, records.end()});
             rememberOwnChanges(db);
         }},
        {"the draws replaced by this program, the same issues",
         [](HistoryDb& db, const auto& records) {
             auto changed = std::vector<DrawRecord>(records.begin(), records.begin() + 40);
             changed[3] = DeriveAttributes(changed[3].issue, {9, 8, 7, 6, 5}, AttributeRules{});
             db.replaceAll(changed);
             storeYlRows(db, {});
             rememberOwnChanges(db);
         }},
        {"a draw appended by another connection of this program, which loaded nothing",
         [](HistoryDb& db, const auto& records) { HistoryDb(db.path()).appendDraw(records[40]); },
         true},
        {"a number changed by a statement of another connection",
         [](HistoryDb& db, const auto& records) {
             SqliteDb(db.path()).exec(
                 "UPDATE [Lishi] SET [L1A] = [L2A], [L2A] = [L1A] WHERE [SQQH] = " +
                 std::to_string(records[20].issue));
         }},
        {"the cache cut short",
         [&](HistoryDb& db, const auto&) { std::filesystem::resize_file(cache(db), 200); }},
        {"a value of the last column garbled", [&](HistoryDb& db, const auto&) { garble(db); }},
        {"a value garbled after a load found the cache whole and remembered it",
         [&](HistoryDb& db, const auto&) {
             rememberWhole(db);
             garble(db);
         }},
        {"a value garbled in place after a load remembered the cache, its time put back",
         [&](HistoryDb& db, const auto&) {
             rememberWhole(db);
             struct stat before {};
             ASSERT_EQ(::stat(cache(db).c_str(), &before), 0);
             garble(db);
             const timespec times[2] = {before.st_atim, before.st_mtim};
             ASSERT_EQ(::utimensat(AT_FDCWD, cache(db).c_str(), times, 0), 0);
         }},
        {"a value of the last block garbled, then a draw appended by a connection that loaded "
         "nothing",
         [&](HistoryDb& db, const auto& records) {
             garble(db);
             HistoryDb(db.path()).appendDraw(records[40]);
         }},
        {"an issue garbled",
         [&](HistoryDb& db, const auto& records) { garble(db, records[10].issue); }},
        {"the cache of another history of the same issues copied in",
         [&](HistoryDb& db, const auto& records) {
             TempDir other;
             HistoryDb copy(other / kDatabaseFileName);
             auto changed = std::vector<DrawRecord>(records.begin(), records.begin() + 40);
             changed[7] = DeriveAttributes(changed[7].issue, {1, 2, 3, 4, 5}, AttributeRules{});
             copy.replaceAll(changed);
             copy.loadSnapshot();
             std::filesystem::copy_file(cache(copy), cache(db),
                                        std::filesystem::copy_options::overwrite_existing);
         }},
        {"the database replaced by another history of the same issues",
         [&](HistoryDb& db, const auto& records) {
             TempDir other;
             auto changed = std::vector<DrawRecord>(records.begin(), records.begin() + 40);
             changed[39] = DeriveAttributes(changed[39].issue, {5, 4, 3, 2, 1}, AttributeRules{});
             HistoryDb(other / kDatabaseFileName).replaceAll(changed);
             std::filesystem::copy_file(other / kDatabaseFileName, db.path(),
                                        std::filesystem::copy_options::overwrite_existing);
         }},
    };
    // Past the room of a cache of 40 draws.
    const auto records = yilou::testing::generateDraws(8200, 9);
    for (const auto& [what, action, valid] : cases) {
        SCOPED_TRACE(what);
        TempDir dir;
        const auto file = dir / kDatabaseFileName;
        {
            HistoryDb db(file);
            storeAndLoad(db, records, 40);
            ASSERT_TRUE(std::filesystem::exists(snapshotCacheFile(file)));
            action(db, records);
        }
        {
            HistoryDb db(file);
            EXPECT_EQ(readSnapshotCache(file, readFileMarkers(db)).has_value(), valid);
        }
        const Snapshot loaded = HistoryDb(file).loadSnapshot();
        // The load left a cache of what it read, which the next load takes.
        HistoryDb db(file);
        const auto cached = readSnapshotCache(file, readFileMarkers(db));
        ASSERT_TRUE(cached.has_value());
        const Snapshot truth = fromTheDatabase(file);
        EXPECT_TRUE(sameDraws(loaded, truth));
        EXPECT_TRUE(sameDraws(*cached, truth));
    }
}

// Nothing but a regular file is read in place of the cache, the stamp of a cache found whole or
// the markers of a database found intact: a FIFO there (holding bytes, so that a read of it
// shows rather than hangs) is left unread, and the load gives the database as it is.
TEST(SnapshotCache, SpecialFilesInPlaceOfItsFilesAreNeverRead) {
    struct Case {
        const char* file;
        std::function<Snapshot(HistoryDb& db, const std::vector<DrawRecord>& records)> use;
    };
    const auto load = [](HistoryDb& db, const auto&) { return db.loadSnapshot(); };
    const Case cases[] = {
        {".tabula.mdb.columns", load},
        {".tabula.mdb.columns",
         [](HistoryDb& db, const auto& records) {
             HistoryDb(db.path()).appendDraw(records[40]); // loads nothing, goes onto the cache
             return db.loadSnapshot();
         }},
        {".tabula.mdb.columns.checked", load},
        {".tabula.mdb.checked",
         [](HistoryDb& db, const auto& records) {
             prepareChange(db);
             db.appendDraw(records[40]);
             rememberOwnChanges(db);
             return db.loadSnapshot();
         }},
    };
    const auto records = yilou::testing::generateDraws(41, 12);
    const std::string bytes(65536, 'x'); // as much as a pipe holds: no read waits
    for (const auto& [name, use] : cases) {
        SCOPED_TRACE(name);
        TempDir dir;
        HistoryDb db(dir / kDatabaseFileName);
        storeAndLoad(db, records, 40);
        db.loadSnapshot(); // remembers the cache whole, or tries to
        std::filesystem::remove(dir / name);
        ASSERT_EQ(::mkfifo((dir / name).c_str(), 0644), 0);
        const int fifo = ::open((dir / name).c_str(), O_RDWR | O_NONBLOCK | O_CLOEXEC);
        ASSERT_GE(fifo, 0);
        ASSERT_EQ(::write(fifo, bytes.data(), bytes.size()), static_cast<ssize_t>(bytes.size()));
        const Snapshot loaded = use(db, records);
        int unread = 0;
        EXPECT_EQ(::ioctl(fifo, FIONREAD, &unread), 0);
        EXPECT_EQ(unread, static_cast<int>(bytes.size()));
        ::close(fifo);
        EXPECT_TRUE(sameDraws(loaded, fromTheDatabase(db.path())));
    }
}

// A kill while the cache or its stamp is written leaves a temporary file of a full cache's size
// beside it; the next load removes those of processes that are gone.
TEST(SnapshotCache, ALoadRemovesTheTemporaryFilesOfAWriterThatIsGone) {
    TempDir dir;
    const auto file = dir / kDatabaseFileName;
    HistoryDb(file).replaceAll(yilou::testing::generateDraws(40, 3));
    HistoryDb(file).loadSnapshot();
    const std::string ended = std::to_string(yilou::testing::endedProcessId());
    const std::string running = std::to_string(::getppid());
    const std::filesystem::path stale[] = {
        dir / ("..tabula.mdb.columns." + ended + "-0.tmp"),
        dir / ("..tabula.mdb.columns.checked." + ended + "-3.tmp")};
    const auto kept = dir / ("..tabula.mdb.columns." + running + "-0.tmp");
    for (const auto& path : {stale[0], stale[1], kept})
        writeFile(path, "part");
    HistoryDb(file).loadSnapshot();
    for (const auto& path : stale)
        EXPECT_FALSE(std::filesystem::exists(path)) << path;
    EXPECT_TRUE(std::filesystem::exists(kept));
}

// The window appends its typed draw to the snapshot it holds, often one mapped from the cache.
TEST(SnapshotCache, APushOnAMappedSnapshotGivesTheDrawsAsLoadedFromTheRows) {
    // 5000 draws leave a room of 3192: the pushes run past it into storage of the snapshot's own.
    const auto records = yilou::testing::generateDraws(8500, 4);
    TempDir dir;
    const auto file = dir / kDatabaseFileName;
    HistoryDb db(file);
    db.replaceAll({records.begin(), records.begin() + 5000});
    db.loadSnapshot();
    Snapshot mapped = HistoryDb(file).loadSnapshot();
    ASSERT_TRUE(readSnapshotCache(file, readFileMarkers(db)).has_value());
    // A copy shares the mapping; what either appends stays its own.
    Snapshot copy = mapped;
    const DrawRecord other = DeriveAttributes(records[5000].issue, {1, 2, 3, 4, 5}, {});
    copy.push(other);
    for (std::size_t i = 5000; i < records.size(); ++i)
        mapped.push(records[i]);
    Snapshot copyAgain = copy;
    copyAgain.push(records[5001]);

    db.appendDraws({records.begin() + 5000, records.end()});
    EXPECT_TRUE(sameDraws(mapped, fromTheDatabase(file)));
    auto expected = std::vector<DrawRecord>(records.begin(), records.begin() + 5000);
    expected.push_back(other);
    EXPECT_TRUE(sameDraws(copy, yilou::testing::snapshotOf(expected)));
    expected.push_back(records[5001]);
    EXPECT_TRUE(sameDraws(copyAgain, yilou::testing::snapshotOf(expected)));
}

// Two connections append draws at once, each carrying its own into the cache, while a third
// loads: every snapshot loaded holds each draw as stored, and so does the cache at the end.
TEST(ConcurrentCache, ConnectionsAppendingAtOnceNeverLeaveACacheThatLoadsWrong) {
    constexpr std::size_t kFirst = 3000;
    const auto records = yilou::testing::generateDraws(kFirst + 120, 6);
    std::map<Issue, std::size_t> indexOf;
    for (std::size_t i = 0; i < records.size(); ++i)
        indexOf[records[i].issue] = i;
    const Snapshot all = yilou::testing::snapshotOf(records);
    const auto wrongDraws = [&](const Snapshot& loaded) {
        std::size_t wrong = 0;
        for (std::size_t i = 0; i < loaded.size(); ++i) {
            const std::size_t at = indexOf.at(loaded.issues[i]);
            for (int o = 0; o < 2; ++o)
                for (int l = 0; l < kLetterCount; ++l)
                    for (int p = 0; p < 5; ++p)
                        wrong += loaded.columns[o][l][p][i] != all.columns[o][l][p][at];
            wrong += i > 0 && loaded.issues[i] <= loaded.issues[i - 1];
        }
        return wrong;
    };
    TempDir dir;
    const auto file = dir / kDatabaseFileName;
    HistoryDb(file).replaceAll({records.begin(), records.begin() + kFirst});
    std::atomic<std::size_t> next = kFirst;
    std::atomic<std::size_t> wrong = 0;
    std::atomic<bool> appending = true;
    {
        const auto append = [&](bool load) {
            HistoryDb db(file);
            for (std::size_t i; (i = next++) < records.size();) {
                if (load)
                    wrong += wrongDraws(db.loadSnapshot());
                try {
                    db.appendDraw(records[i]);
                } catch (const UserError&) { // busy beyond the timeout: the draw is left out
                }
                rememberOwnChanges(db);
            }
        };
        std::jthread first(append, true);
        std::jthread second(append, false);
        std::jthread reader([&] {
            while (appending)
                wrong += wrongDraws(HistoryDb(file).loadSnapshot());
        });
        first.join();
        second.join();
        appending = false;
    }
    EXPECT_EQ(wrong, 0u);
    HistoryDb db(file);
    const auto cached = readSnapshotCache(file, readFileMarkers(db));
    const Snapshot truth = fromTheDatabase(file);
    EXPECT_EQ(wrongDraws(truth), 0u);
    if (cached) {
        EXPECT_TRUE(sameDraws(*cached, truth));
    }
}

/// The database of `records` in `dir`.
std::filesystem::path storedHistory(const TempDir& dir, const std::vector<DrawRecord>& records) {
    const auto file = dir / kDatabaseFileName;
    HistoryDb(file).replaceAll(records);
    return file;
}

/// Swaps the first two numbers (and their zodiac and segment codes) of every hundredth draw:
/// a change of rows all through the file that leaves every draw a valid one.
constexpr const char* kSwapEveryHundredth =
    "UPDATE [Lishi] SET [L1A] = [L2A], [L2A] = [L1A], [L1B] = [L2B], [L2B] = [L1B], "
    "[L1H] = [L2H], [L2H] = [L1H] WHERE [IDX] % 100 = 0";

/// Calls `action` once, when the load's query of the draws has handed out `row` rows.
struct DuringTheRows {
    std::size_t row;
    std::function<void()> action;
    std::size_t seen = 0;

    static int trace(unsigned, void* context, void* statement, void*) {
        auto& self = *static_cast<DuringTheRows*>(context);
        const std::string_view sql = sqlite3_sql(static_cast<sqlite3_stmt*>(statement));
        if (sql.starts_with("SELECT [SQQH], [L1A]") && ++self.seen == self.row)
            self.action();
        return 0;
    }
    void watch(HistoryDb& db) {
        sqlite3_trace_v2(db.sql().handle(), SQLITE_TRACE_ROW, trace, this);
    }
};

// Another process commits a change of rows all through the file while a load reads them: the
// load gives the state before the commit or the one after it, never rows of both.
TEST(ConcurrentCache, AWriterCommittingDuringALoadIsSeenWholeOrNotAtAll) {
    const auto records = yilou::testing::generateDraws(3000, 14);
    TempDir dir;
    const auto file = storedHistory(dir, records);
    HistoryDb db(file);
    int status = -1;
    DuringTheRows writer{1500, [&] {
                             // Gives up at once on a lock it cannot have.
                             status = std::system(("sqlite3 '" + file.string() + "' '" +
                                                   kSwapEveryHundredth + "' 2>/dev/null")
                                                      .c_str());
                         }};
    writer.watch(db);
    const Snapshot loaded = db.loadSnapshot();
    ASSERT_EQ(writer.seen, records.size());
    ASSERT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) != 127) << "no sqlite3 to write with";
    const Snapshot before = yilou::testing::snapshotOf(records);
    const Snapshot now = fromTheDatabase(file);
    EXPECT_TRUE(sameDraws(loaded, before) || sameDraws(loaded, now));
}

// In WAL mode a commit goes to the log while the database file stays as it was until a
// checkpoint, which another open connection holds off: the next load sees the commit.
TEST(ConcurrentCache, ACommitInWalModeWhileAnotherConnectionIsOpenIsSeen) {
    const auto records = yilou::testing::generateDraws(3000, 15);
    TempDir dir;
    const auto file = storedHistory(dir, records);
    SqliteDb other(file);
    other.exec("PRAGMA journal_mode = WAL");
    HistoryDb(file).loadSnapshot();
    std::jthread([&] { other.exec(kSwapEveryHundredth); }).join();
    const Snapshot loaded = HistoryDb(file).loadSnapshot();
    EXPECT_FALSE(sameDraws(loaded, yilou::testing::snapshotOf(records)));
    EXPECT_TRUE(sameDraws(loaded, fromTheDatabase(file)));
}

// Another program writes over the cache in place (dd conv=notrunc, rsync --inplace, cp) while
// a snapshot loaded from it is in use: the snapshot keeps the draws it was loaded with, and
// the next load gives the database as it is.
TEST(ConcurrentCache, ACacheWrittenOverInPlaceLeavesASnapshotLoadedFromItAsItWas) {
    struct Case {
        const char* what;
        std::function<void(const std::filesystem::path& cache, const std::string& other)> write;
    };
    const auto overwrite = [](const std::filesystem::path& cache, const std::string& other,
                              int flags) {
        const int fd = ::open(cache.c_str(), O_WRONLY | flags);
        ASSERT_GE(fd, 0);
        ASSERT_EQ(::write(fd, other.data(), other.size()), static_cast<ssize_t>(other.size()));
        ::close(fd);
    };
    const Case cases[] = {
        {"another history's cache written over it",
         [&](const auto& cache, const auto& other) { overwrite(cache, other, 0); }},
        {"another history's cache copied over it",
         [&](const auto& cache, const auto& other) { overwrite(cache, other, O_TRUNC); }},
        {"cut short",
         [](const auto& cache, const auto&) { std::filesystem::resize_file(cache, 4096); }}};
    const auto records = yilou::testing::generateDraws(3000, 16);
    auto changed = records;
    for (auto& record : changed) {
        PositionValues numbers = record.drop[Letter::A];
        std::rotate(numbers.begin(), numbers.begin() + 1, numbers.end());
        record = DeriveAttributes(record.issue, numbers, AttributeRules{});
    }
    TempDir otherDir;
    const auto otherFile = otherDir / kDatabaseFileName;
    HistoryDb(otherFile).replaceAll(changed);
    HistoryDb(otherFile).loadSnapshot();
    const std::string other = readFile(snapshotCacheFile(otherFile));
    const Snapshot truth = yilou::testing::snapshotOf(records);
    for (const auto& [what, write] : cases) {
        SCOPED_TRACE(what);
        TempDir dir;
        const auto file = storedHistory(dir, records);
        HistoryDb(file).loadSnapshot();
        HistoryDb db(file);
        ASSERT_TRUE(readSnapshotCache(file, readFileMarkers(db)).has_value());
        const Snapshot held = db.loadSnapshot();
        std::jthread([&] { write(snapshotCacheFile(file), other); }).join();
        EXPECT_TRUE(sameDraws(held, truth));
        EXPECT_TRUE(sameDraws(HistoryDb(file).loadSnapshot(), truth));
    }
}

} // namespace
} // namespace yilou::history
