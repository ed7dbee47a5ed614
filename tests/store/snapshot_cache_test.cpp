#include "store/history_db.h"
#include "store/maintenance.h"
#include "store/snapshot_cache.h"
#include "store/yl_table.h"
#include "support/history_generator.h"
#include "support/temp_dir.h"
#include "support/text_files.h"

#include <functional>
#include <gtest/gtest.h>

namespace yilou::history {
namespace {

using yilou::testing::readFile;
using yilou::testing::TempDir;
using yilou::testing::writeFile;

bool sameDraws(const Snapshot& a, const Snapshot& b) {
    return a.issues == b.issues && a.columns == b.columns;
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
    const auto garble = [&](HistoryDb& db, std::size_t fromEnd) {
        std::string bytes = readFile(cache(db));
        bytes[bytes.size() - fromEnd] ^= 0x04;
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
        {"an append to the cache cut short by a kill",
         [&](HistoryDb& db, const auto& records) {
             db.appendDraw(records[40]);
             rememberOwnChanges(db);
             std::filesystem::resize_file(cache(db), std::filesystem::file_size(cache(db)) - 1);
         }},
        {"a value of an appended draw garbled",
         [&](HistoryDb& db, const auto& records) {
             db.appendDraw(records[40]);
             rememberOwnChanges(db);
             garble(db, 1);
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
        {"a value of the last column garbled", [&](HistoryDb& db, const auto&) { garble(db, 3); }},
        {"an issue garbled", [&](HistoryDb& db, const auto&) { garble(db, 40 * 61 + 10); }},
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
    const auto records = yilou::testing::generateDraws(43, 9);
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

} // namespace
} // namespace yilou::history
