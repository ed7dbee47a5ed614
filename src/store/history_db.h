#pragma once

#include "core/draw_record.h"
#include "core/snapshot.h"
#include "store/file_markers.h"
#include "store/sqlite_db.h"

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <optional>
#include <string_view>
#include <vector>

namespace yilou::history {

/// The file name of the history database in the data folder.
inline constexpr const char* kDatabaseFileName = "tabula.mdb";

/// The history database: table Lishi (one row per draw, unique index SQQH) and table YL (the
/// grouped results). A new or empty file gets the schema; an existing file is opened as it is
/// and nothing is written to it until a change; a database without the table Lishi is refused
/// (UserError "不是历史数据库"). Every change of the history is one transaction and leaves IDX
/// numbering the draws 1..n in issue order.
class HistoryDb {
public:
    explicit HistoryDb(const std::filesystem::path& file);
    /// Carries draws appended through this connection into the snapshot cache (see
    /// carrySnapshotCache) when nothing has done so yet.
    ~HistoryDb();
    HistoryDb(const HistoryDb&) = delete;
    HistoryDb& operator=(const HistoryDb&) = delete;

    const std::filesystem::path& path() const { return path_; }
    SqliteDb& sql() { return db_; }

    std::size_t drawCount();
    std::optional<Issue> newestIssue();
    std::optional<Issue> oldestIssue();
    bool contains(Issue issue);
    /// Every stored issue, ascending.
    std::vector<Issue> issues();

    /// Refuses a damaged file (UserError saying how to recover) before anything is written to
    /// it: every page of Lishi, of its indexes and of YL is walked, which finds a page that
    /// is not what its b-tree expects. About 85 ms for 1,000,000 draws.
    void checkIntact();

    /// Stores one draw. An issue that is already stored is refused with a message and nothing
    /// is stored.
    void appendDraw(const DrawRecord& record);
    /// Stores `records` (distinct issues, none stored yet) beside the stored draws in one
    /// transaction, or as part of the caller's transaction when one is open. An issue that is
    /// already stored is refused with a message and nothing is stored.
    void appendDraws(const std::vector<DrawRecord>& records);
    /// Replaces the whole history by `records` (issues must be distinct) in one transaction,
    /// or as part of the caller's transaction when one is open.
    void replaceAll(const std::vector<DrawRecord>& records);
    /// Deletes every draw, in one transaction or as part of the caller's.
    void clear();
    /// Numbers the draws 1..n in issue order.
    void RenumberIdx();

    /// The connection's data version when prepareChange last found the file intact: what this
    /// connection commits afterwards keeps it so (rememberOwnChanges); nothing before a check.
    std::optional<std::int64_t> intactVersion;

    /// How many statements writing the draws (table Lishi) this connection has prepared; a
    /// statement counts when it is prepared, whether or not it runs and commits.
    std::uint64_t drawWrites() const { return drawWrites_; }

    /// The state of the file that this connection last found the snapshot cache beside it
    /// valid for or made it for, with the connection's data version and drawWrites() then.
    struct CacheState {
        FileMarkers markers;
        std::int64_t dataVersion = 0;
        std::uint64_t drawWrites = 0;
        /// Whether draws were appended after the newest one since (countAppend).
        bool appended = false;
    };
    std::optional<CacheState> snapshotCached;
    /// When the database, now in the state `now` and at the data version `version`, differs
    /// from the state of snapshotCached by this connection's own changes only, and those
    /// changed the grouped results or appended draws after the newest one, carries the cache
    /// over to `now` (carrySnapshotCache). Anything else leaves the cache to the next load.
    void carrySnapshotCache(const FileMarkers& now, std::int64_t version) noexcept;
    /// Before draws are appended by a connection that has not loaded the snapshot, outside a
    /// transaction or before the caller's transaction that appends them begins: takes the
    /// file's state as the one a cache beside it may be of, so that the draws can go onto the
    /// cache's end (carrySnapshotCache checks the cache's header). Inside a transaction it
    /// does nothing, as the state then may hold this connection's own uncommitted changes.
    void takeCacheState();

    /// Reads the whole history in issue order, as one committed state. A long history is read
    /// in two halves on two threads, the second through a read-only connection of its own.
    Snapshot loadSnapshot();
    /// The newest `count` draws (all when there are fewer), in issue order: entry i is the draw
    /// with IDX n − size() + i + 1. Reads only those rows.
    Snapshot loadNewest(std::size_t count);

private:
    void createSchema();
    /// The issue that `query` selects; nothing when it selects none or NULL.
    std::optional<Issue> issueOf(std::string_view query);
    void insertRows(const std::vector<DrawRecord>& records, const std::vector<std::int64_t>& idx);
    /// After draws were appended by statements from drawWrites() `writesBefore` on: when they
    /// went after the newest one (`atEnd`), their statements count as known to the cache.
    void countAppend(std::uint64_t writesBefore, bool atEnd);

    std::filesystem::path path_;
    SqliteDb db_;
    std::uint64_t drawWrites_ = 0;
    /// The last count of the draws of a committed state, and that state: while no other
    /// connection has committed (SQLite's data version), this one has changed no row (its
    /// total changes) and prepared no statement that writes to the draws, it holds.
    struct CountSeen {
        std::int64_t dataVersion = 0;
        std::int64_t totalChanges = 0;
        std::uint64_t drawWrites = 0;
        std::size_t count = 0;
    };
    std::optional<CountSeen> countSeen_;
};

} // namespace yilou::history
