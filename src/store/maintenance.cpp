#include "store/maintenance.h"

#include "core/atomic_file.h"
#include "core/messages.h"
#include "core/regular_file.h"
#include "store/backup.h"
#include "store/file_markers.h"
#include "store/snapshot_cache.h"

#include <algorithm>
#include <chrono>
#include <ctime>
#include <functional>
#include <thread>

namespace yilou::history {

namespace {

/// The rule of every deletion: one that leaves none of the `before` draws needs the user's
/// confirmation.
void refuseEmptyingUnconfirmed(std::size_t before, std::size_t left, WhenAllDrawsGo whenAllGo) {
    if (before > 0 && left == 0 && whenAllGo == WhenAllDrawsGo::Refuse)
        throw DeletionEmptiesHistory(before);
}

std::size_t countUpTo(HistoryDb& db, Issue issue) {
    Statement query(db.sql(), "SELECT COUNT(*) FROM [Lishi] WHERE [SQQH] <= ?");
    query.bind(1, std::int64_t{issue});
    query.step();
    return static_cast<std::size_t>(query.integer(0));
}

/// Compacts the file after `result.removed` draws were deleted and committed; a failure is
/// recorded, not thrown, since the deletion stands.
DeletionResult compactAfter(HistoryDb& db, DeletionResult result) {
    try {
        CompactDb(db);
    } catch (const UserError& error) {
        result.compactionProblem = messages::notCompacted(result.removed, error.what());
    }
    return result;
}

/// Keeps the `keepCount(db)` oldest draws by way of the backup file, as every multi-draw
/// deletion does. The write lock is taken before the count is read, so no draw another
/// program adds meanwhile can be lost by the rebuild.
DeletionResult keepOldest(HistoryDb& db, const std::function<std::size_t(HistoryDb&)>& keepCount,
                          const std::filesystem::path& dataDir, const AttributeRules& rules,
                          WhenAllDrawsGo whenAllGo) {
    DeletionResult result;
    {
        Transaction transaction(db.sql());
        const std::size_t before = db.drawCount();
        const std::size_t kept = keepCount(db);
        refuseEmptyingUnconfirmed(before, kept, whenAllGo);
        writeBackupFile(db, dataDir, kept);
        Dqzd(db, dataDir, rules);
        const std::size_t after = db.drawCount();
        transaction.commit();
        result.removed = before > after ? before - after : 0;
    }
    return compactAfter(db, result);
}

/// The markers remembered for `database`; nothing when there are none or they cannot be read.
std::optional<FileMarkers> rememberedMarkers(const std::filesystem::path& database) {
    const auto text = readRegularFileStart(checkedMarkersFile(database), 256);
    return text ? FileMarkers::parse(*text) : std::nullopt;
}

/// Remembers `markers` as those of an intact file, written to a temporary file and renamed. A
/// file is stamped with the time of a clock that moves in ticks of a few milliseconds, so a
/// write within the tick of the last one would not change its time: the markers are written
/// once that tick is over, so that every write after them shows. Failures are ignored.
void remember(const std::filesystem::path& database, const FileMarkers& markers) {
    timespec tick{};
    clock_getres(CLOCK_REALTIME_COARSE, &tick);
    const std::int64_t tickNs = tick.tv_sec * 1'000'000'000 + tick.tv_nsec;
    for (int waited = 0;; ++waited) {
        timespec now{};
        clock_gettime(CLOCK_REALTIME_COARSE, &now);
        const std::int64_t nowNs = now.tv_sec * 1'000'000'000 + now.tv_nsec;
        if (nowNs > markers.modifiedNs)
            break;
        // A time in the future (the clock was set back) is never waited for.
        if (markers.modifiedNs - nowNs > 2 * tickNs || waited > 100)
            return;
        std::this_thread::sleep_for(std::chrono::nanoseconds(tickNs / 4 + 1));
    }
    try {
        AtomicFile out(checkedMarkersFile(database));
        out.write(markers.text());
        out.close();
    } catch (const UserError&) {
    }
}

} // namespace

std::filesystem::path checkedMarkersFile(const std::filesystem::path& database) {
    return database.parent_path() / ("." + database.filename().string() + ".checked");
}

DeletionEmptiesHistory::DeletionEmptiesHistory(std::size_t count)
    : UserError(messages::emptyingNeedsConfirmation(count)), count(count) {}

void prepareChange(HistoryDb& db) {
    std::int64_t version = 0;
    std::optional<FileMarkers> seen;
    try {
        seen = readFileMarkers(db, &version);
    } catch (const UserError&) {
        // A file that cannot be read is checked and refused with the advice of the check.
    }
    if (!seen || rememberedMarkers(db.path()) != seen) {
        db.checkIntact();
        if (seen)
            remember(db.path(), *seen);
    }
    // Should another connection commit after the markers were read, the next change checks.
    db.intactVersion = seen ? std::optional(version) : std::nullopt;
    removeStaleTemporaryFiles(db.path().parent_path());
}

void rememberOwnChanges(HistoryDb& db) noexcept {
    if (!db.intactVersion && !db.snapshotCached)
        return;
    try {
        // The markers and the draws carried into the cache are of one committed state.
        const auto read = transactionUnlessInOne(db.sql(), Transaction::Mode::Deferred);
        std::int64_t version = 0;
        const FileMarkers now = readFileMarkers(db, &version);
        if (db.intactVersion && version == *db.intactVersion && rememberedMarkers(db.path()) != now)
            remember(db.path(), now);
        db.carrySnapshotCache(now, version);
    } catch (const std::exception&) {
    }
}

DeletionResult deleteNewestDraw(HistoryDb& db, WhenAllDrawsGo whenAllGo) {
    {
        Transaction transaction(db.sql());
        const auto newest = db.newestIssue();
        if (!newest)
            return {};
        const std::size_t before = db.drawCount();
        refuseEmptyingUnconfirmed(before, before - 1, whenAllGo);
        Statement remove(db.sql(), "DELETE FROM [Lishi] WHERE [SQQH] = ?");
        remove.bind(1, std::int64_t{*newest});
        remove.run();
        transaction.commit();
    }
    // The newest draw had the highest IDX, so the others keep theirs.
    DeletionResult result;
    result.removed = 1;
    return compactAfter(db, result);
}

DeletionResult deleteAfter(HistoryDb& db, Issue keepUpTo, const std::filesystem::path& dataDir,
                           const AttributeRules& rules, WhenAllDrawsGo whenAllGo) {
    if (keepUpTo <= 0)
        return {};
    return keepOldest(
        db, [keepUpTo](HistoryDb& locked) { return countUpTo(locked, keepUpTo); }, dataDir, rules,
        whenAllGo);
}

DeletionResult deleteNewestDraws(HistoryDb& db, std::size_t count,
                                 const std::filesystem::path& dataDir, const AttributeRules& rules,
                                 WhenAllDrawsGo whenAllGo) {
    if (count == 0)
        return {};
    return keepOldest(
        db,
        [count](HistoryDb& locked) {
            const std::size_t total = locked.drawCount();
            return total - std::min(total, count);
        },
        dataDir, rules, whenAllGo);
}

DeletionResult clearHistory(HistoryDb& db, WhenAllDrawsGo whenAllGo) {
    Transaction transaction(db.sql());
    DeletionResult result;
    result.removed = db.drawCount();
    refuseEmptyingUnconfirmed(result.removed, 0, whenAllGo);
    db.clear();
    transaction.commit();
    return result;
}

void CompactDb(HistoryDb& db) {
    try {
        // VACUUM builds the compact copy itself and writes it back over the file as one
        // transaction; replacing the file by a renamed copy would leave other connections
        // writing to the old one.
        db.sql().exec("VACUUM", messages::kCompacting);
    } catch (const UserError& error) {
        throw UserError(messages::databaseKeptAsItWas(error.what()));
    }
}

} // namespace yilou::history
