#include "core/user_error.h"
#include "store/file_markers.h"
#include "store/history_db.h"
#include "store/maintenance.h"
#include "store/snapshot_cache.h"
#include "store/yl_table.h"
#include "support/history_generator.h"
#include "support/temp_dir.h"
#include "support/text_files.h"

#include <algorithm>
#include <atomic>
#include <chrono>
#include <functional>
#include <gtest/gtest.h>
#include <map>
#include <optional>
#include <thread>

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
             db.sql().exec("UPDATE [Lishi] SET [L1A] = 12 - [L1A] WHERE [SQQH] = " +
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
             SqliteDb(db.path()).exec("UPDATE [Lishi] SET [L1A] = 12 - [L1A] WHERE [SQQH] = " +
                                      std::to_string(records[20].issue));
         }},
        {"the cache cut short",
         [&](HistoryDb& db, const auto&) { std::filesystem::resize_file(cache(db), 200); }},
        {"a value of the last column garbled", [&](HistoryDb& db, const auto&) { garble(db); }},
        {"a value garbled after a load found the cache whole and remembered it",
         [&](HistoryDb& db, const auto&) {
             // The load remembers the file once the clock tick of its last write is over.
             const auto checked = cache(db).string() + ".checked";
             for (int i = 0; i < 500 && !std::filesystem::exists(checked); ++i) {
                 std::this_thread::sleep_for(std::chrono::milliseconds(1));
                 readSnapshotCache(db.path(), readFileMarkers(db));
             }
             ASSERT_TRUE(std::filesystem::exists(checked));
             garble(db);
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
            db.replaceAll({records.begin(), records.begin() + 40});
            db.loadSnapshot();
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

} // namespace
} // namespace yilou::history
