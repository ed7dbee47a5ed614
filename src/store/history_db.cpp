#include "store/history_db.h"

#include "core/atomic_file.h"
#include "core/draw_validation.h"
#include "core/messages.h"
#include "core/user_error.h"
#include "store/file_markers.h"
#include "store/snapshot_cache.h"

#include <algorithm>
#include <limits>
#include <map>
#include <numeric>
#include <sqlite3.h>
#include <stop_token>
#include <string>
#include <system_error>
#include <thread>

namespace yilou::history {

namespace {

constexpr int kSchemaVersion = 1;

/// The columns of `letters` for positions 1..5 in column set `prefix`: L1A..L5A, L1B..L5B, …
void appendPositionColumns(std::vector<std::string>& names, char prefix, std::string_view letters) {
    for (char letter : letters)
        for (int p = 1; p <= 5; ++p)
            names.push_back(std::string{prefix} + std::to_string(p) + letter);
}

/// Per-position column names in table order: L1A..L5A, L1B..L5B, … then the same with D.
std::vector<std::string> positionColumns() {
    std::vector<std::string> names;
    for (char prefix : kOrderPrefix)
        appendPositionColumns(names, prefix, {kLetterChars.data(), kLetterChars.size()});
    return names;
}

constexpr std::array<const char*, 7> kTextColumns{"txtHisLst",    "txtHisLstHm",  "txtHisLstSx",
                                                  "txtHisLstTou", "txtHisLstWei", "txtHisLstHe",
                                                  "txtHisLstDs"};

std::string joined(const std::vector<std::string>& names) {
    std::string out;
    for (const auto& name : names) {
        if (!out.empty())
            out += ", ";
        out += "[" + name + "]";
    }
    return out;
}

/// The columns the snapshot is loaded from, after SQQH: the numbers, zodiac codes and
/// segment codes of the L set.
std::vector<std::string> loadedColumns() {
    std::vector<std::string> columns;
    appendPositionColumns(columns, kOrderPrefix[0], "ABH");
    return columns;
}

/// The rows of the issues from ?1 to ?2 in issue order. Only the values that no other value
/// determines are read (see recordFromStored): 16 of the 61 columns, which loads a long history
/// several times faster.
const std::string& rangeQuery() {
    static const std::string sql = "SELECT [SQQH], " + joined(loadedColumns()) +
                                   " FROM [Lishi] WHERE [SQQH] >= ? AND [SQQH] <= ? "
                                   "ORDER BY [SQQH]";
    return sql;
}

constexpr std::int64_t kFirstIssue = std::numeric_limits<std::int64_t>::min();
constexpr std::int64_t kLastIssue = std::numeric_limits<std::int64_t>::max();
/// For readDraws: as many draws as the query yields.
constexpr std::size_t kAnyCount = std::numeric_limits<std::size_t>::max();
/// From this many draws on, two connections load the history, each half on its own thread
/// (SQLite decodes the rows at about 0.5 µs each). Fewer load in a few tens of milliseconds.
constexpr std::size_t kParallelLoadMinimum = 50000;

/// The stored issues issueProblem can judge: eight digits.
constexpr std::int64_t kLowestStoredIssue = 10000000;
constexpr std::int64_t kHighestStoredIssue = 99999999;
/// The numbers of the happy-12 games run highest; the game of a file is not stored in it.
constexpr int kHighestNumberOfAnyGame = 12;

/// Reads the rows of `query` (see rangeQuery) into draws first, first + 1, … of `snapshot` and
/// returns how many it read. With `end` kAnyCount the snapshot grows as needed; otherwise it
/// returns nullopt if the query has a row for index `end`, or if `stop` is requested. A row
/// that no import stores is refused with its place in the history, `rowsBefore` draws coming
/// before the snapshot's first.
std::optional<std::size_t> readDraws(Statement& query, Snapshot& snapshot, std::size_t first,
                                     std::size_t end, std::stop_token stop = {},
                                     std::size_t rowsBefore = 0) {
    static const std::vector<std::string> names = loadedColumns();
    // Handed over in blocks: Snapshot::setStored writes one column at a time.
    constexpr std::size_t kBlock = 1024;
    std::array<StoredDraw, kBlock> block;
    std::size_t row = first; // where the block goes
    std::size_t filled = 0;
    std::int64_t checkedDay = -1; // the date of a valid issue: a day's draws follow each other
    while (query.step()) {
        const std::size_t index = row + filled;
        if (index == end)
            return std::nullopt;
        if (index == snapshot.size()) // only with kAnyCount: a part with an end lies within
            snapshot.resize(std::max(2 * index, kBlock));
        StoredDraw& draw = block[filled];
        // Checked as an import checks a draw: another program may have put anything there.
        const auto refuse = [&](const std::string& problem) {
            throw UserError(messages::storedRowRefused(rowsBefore + index + 1, problem));
        };
        const auto issue = query.integer(0);
        if (issue < kLowestStoredIssue || issue > kHighestStoredIssue)
            refuse(messages::storedIssueInvalid(issue));
        draw.issue = static_cast<Issue>(issue);
        if (issue / 100 != checkedDay || issue % 100 == 0) {
            if (auto problem = issueProblem(draw.issue))
                refuse(*problem);
            checkedDay = issue / 100;
        }
        int column = 1;
        for (auto* values : {&draw.numbers, &draw.zodiac, &draw.segment})
            for (std::int8_t& v : *values) {
                const auto value = query.integer(column);
                if (value == 0 && query.isNull(column)) // NULL reads as 0
                    refuse(messages::storedValueMissing(draw.issue, names[column - 1]));
                if (value < -128 || value > 127)
                    refuse(messages::storedValueOutOfRange(draw.issue, names[column - 1], value));
                v = static_cast<std::int8_t>(value);
                ++column;
            }
        const PositionValues numbers{draw.numbers[0], draw.numbers[1], draw.numbers[2],
                                     draw.numbers[3], draw.numbers[4]};
        if (auto problem = numbersProblem(numbers, kHighestNumberOfAnyGame))
            refuse(*problem);
        if (++filled == kBlock) {
            if (stop.stop_requested())
                return std::nullopt;
            snapshot.setStored(row, {block.data(), filled});
            row += filled;
            filled = 0;
        }
    }
    snapshot.setStored(row, {block.data(), filled});
    return row + filled - first;
}

/// Reads the draws from issue `from` on into draws first..end - 1 of `snapshot`, on a
/// connection of its own. False if that could not be done in full; the caller reads them then.
bool readSecondPart(const std::string& file, std::int64_t from, Snapshot& snapshot,
                    std::size_t first, std::size_t end, std::stop_token stop) {
    try {
        SqliteDb db(file, SqliteDb::Access::ReadOnly);
        // Its shared lock is refused only while a writer waits for the first connection's
        // lock to go, so waiting here would only hold up both.
        sqlite3_busy_timeout(db.handle(), 0);
        Transaction read(db, Transaction::Mode::Deferred);
        Statement query(db, rangeQuery());
        query.bind(1, from).bind(2, kLastIssue);
        return readDraws(query, snapshot, first, end, stop) == end - first && !db.fileMoved();
    } catch (...) {
        return false;
    }
}

/// Loads the draws of `snapshot` (sized to the count) in two halves, the second on a connection
/// and thread of its own, while `db` holds the shared lock of a read transaction. In
/// rollback-journal mode no writer can commit while that lock is held, so both connections
/// read the same committed state. False if the rows did not come out as counted; the
/// snapshot must then be loaded anew.
bool loadInHalves(SqliteDb& db, Snapshot& snapshot) {
    {
        // A file some other program switched to WAL lets writers commit beside readers, so
        // the second connection could see a later state.
        Statement mode(db, "PRAGMA journal_mode");
        if (mode.step() && mode.text(0) == "wal")
            return false;
    }
    const std::size_t count = snapshot.size();
    const std::size_t half = count / 2;
    std::int64_t split = 0; // the first issue of the second half
    {
        Statement at(db, "SELECT [SQQH] FROM [Lishi] ORDER BY [SQQH] LIMIT 1 OFFSET ?");
        at.bind(1, static_cast<std::int64_t>(half));
        if (!at.step())
            return false;
        split = at.integer(0);
    }
    const std::string file = sqlite3_db_filename(db.handle(), "main");
    bool secondRead = false;
    {
        std::jthread second;
        try {
            second = std::jthread([&](std::stop_token stop) {
                secondRead = readSecondPart(file, split, snapshot, half, count, stop);
            });
        } catch (const std::system_error&) { // no thread to be had: this connection reads all
        }
        Statement query(db, rangeQuery());
        query.bind(1, kFirstIssue).bind(2, split - 1);
        // On leaving early the second thread is asked to stop and joined.
        if (readDraws(query, snapshot, 0, half) != half)
            return false;
        if (second.joinable())
            second.join();
    }
    // The second connection opened the file at the path; if that is no longer this
    // connection's file, it read another history.
    if (secondRead && !db.fileMoved())
        return true;
    Statement query(db, rangeQuery());
    query.bind(1, split).bind(2, kLastIssue);
    return readDraws(query, snapshot, half, count) == count - half;
}

/// Counts in `*count` the statements that write to table Lishi or drop or alter it.
int countDrawWrites(void* count, int action, const char* first, const char* second, const char*,
                    const char*) {
    const auto isLishi = [](const char* name) {
        return name && sqlite3_stricmp(name, "Lishi") == 0;
    };
    const bool writes = action == SQLITE_INSERT || action == SQLITE_UPDATE ||
                        action == SQLITE_DELETE || action == SQLITE_DROP_TABLE;
    if ((writes && isLishi(first)) || (action == SQLITE_ALTER_TABLE && isLishi(second)))
        ++*static_cast<std::uint64_t*>(count);
    return SQLITE_OK;
}

} // namespace

HistoryDb::~HistoryDb() {
    // Draws appended through this connection reach the cache even when it loads nothing more.
    if (!snapshotCached || !snapshotCached->appended)
        return;
    try {
        const auto read = transactionUnlessInOne(sql(), Transaction::Mode::Deferred);
        std::int64_t version = 0;
        const FileMarkers now = readFileMarkers(*this, &version);
        carrySnapshotCache(now, version);
    } catch (const std::exception&) {
    }
}

HistoryDb::HistoryDb(const std::filesystem::path& file) : path_(file), db_(file) {
    sqlite3_set_authorizer(db_.handle(), countDrawWrites, &drawWrites_);
    db_.exec("PRAGMA foreign_keys = OFF");
    // Draws are not secrets: deleted rows need not be overwritten, which makes replacing a
    // long history cheaper (the rollback journal still keeps every change undoable).
    db_.exec("PRAGMA secure_delete = FAST");
    createSchema();
}

void HistoryDb::createSchema() {
    {
        Statement tables(sql(), "SELECT count(*), count(CASE WHEN [name] = 'Lishi' "
                                "COLLATE NOCASE THEN 1 END) FROM [sqlite_schema] "
                                "WHERE [type] = 'table'");
        tables.step();
        if (tables.integer(1) > 0)
            return;
        // Another program's database: taking it over would put our tables beside its own.
        if (tables.integer(0) > 0)
            throw UserError(messages::notAHistoryDatabase(path_));
    }

    std::string lishi = "CREATE TABLE IF NOT EXISTS [Lishi] ([SQQH] INTEGER PRIMARY KEY, "
                        "[IDX] INTEGER";
    for (const auto& name : positionColumns())
        lishi += ", [" + name + "] INTEGER";
    for (const char* name : kTextColumns)
        lishi += ", [" + std::string(name) + "] TEXT";
    lishi += ", [intTh] INTEGER DEFAULT 0, [bolOk] BOOLEAN DEFAULT FALSE, [txtHisP6] TEXT)";

    Transaction transaction(sql());
    sql().exec(lishi);
    sql().exec("CREATE UNIQUE INDEX IF NOT EXISTS [SQQH] ON [Lishi] ([SQQH])");
    sql().exec("CREATE TABLE IF NOT EXISTS [YL] ([content] TEXT, [intMinYL] INTEGER, "
               "[intMaxYL] INTEGER, [intLstYl] INTEGER, [sglLlr] REAL)");
    sql().exec("PRAGMA user_version = " + std::to_string(kSchemaVersion));
    transaction.commit();
}

std::size_t HistoryDb::drawCount() {
    // Counting walks the whole index (thousands of pages at a million draws), and a change
    // asks for the count several times.
    CountSeen now;
    {
        Statement version(sql(), "PRAGMA data_version");
        version.step();
        now.dataVersion = version.integer(0);
    }
    now.totalChanges = sqlite3_total_changes64(db_.handle());
    now.drawWrites = drawWrites_;
    if (countSeen_ && countSeen_->dataVersion == now.dataVersion &&
        countSeen_->totalChanges == now.totalChanges && countSeen_->drawWrites == now.drawWrites)
        return countSeen_->count;
    Statement query(sql(), "SELECT COUNT(*) FROM [Lishi]");
    query.step();
    now.count = static_cast<std::size_t>(query.integer(0));
    // Inside a write transaction the count may hold changes that a rollback takes back without
    // any of the figures above changing: only a count of a committed state is remembered.
    if (sqlite3_txn_state(db_.handle(), "main") != SQLITE_TXN_WRITE)
        countSeen_ = now;
    return now.count;
}

std::optional<Issue> HistoryDb::newestIssue() {
    return issueOf("SELECT MAX([SQQH]) FROM [Lishi]");
}

std::optional<Issue> HistoryDb::oldestIssue() {
    return issueOf("SELECT MIN([SQQH]) FROM [Lishi]");
}

std::optional<Issue> HistoryDb::issueOf(std::string_view query) {
    Statement statement(sql(), query);
    if (statement.step() && !statement.isNull(0))
        return static_cast<Issue>(statement.integer(0));
    return std::nullopt;
}

void HistoryDb::checkIntact() {
    const auto damaged = [this](const std::string& detail) {
        return UserError(messages::damagedDatabase(path_, detail));
    };
    const auto read = transactionUnlessInOne(sql(), Transaction::Mode::Deferred);
    try {
        // count(*) on a b-tree visits every page of it and checks each page's header and cells
        // as it loads it; NOT INDEXED walks a table, INDEXED BY one of its indexes. Table first.
        std::vector<std::pair<std::string, std::string>> trees; // table, how
        {
            Statement schema(sql(), "SELECT [tbl_name], [type], [name] FROM [sqlite_schema] "
                                    "WHERE [tbl_name] IN ('Lishi', 'YL') AND [sql] IS NOT NULL "
                                    "ORDER BY [tbl_name], [type] = 'index'");
            while (schema.step())
                trees.emplace_back(schema.text(0), schema.text(1) == "table"
                                                       ? "NOT INDEXED"
                                                       : "INDEXED BY [" + schema.text(2) + "]");
        }
        std::map<std::string, std::int64_t> rows;
        for (const auto& [table, how] : trees) {
            Statement query(sql(), "SELECT count(*) FROM [" + table + "] " + how);
            query.step();
            const auto [counted, first] = rows.try_emplace(table, query.integer(0));
            if (!first && counted->second != query.integer(0))
                throw damaged(messages::indexCountDiffers(table));
        }
    } catch (const UserError&) {
        const int code = sqlite3_errcode(sql().handle());
        if (code == SQLITE_CORRUPT || code == SQLITE_NOTADB)
            throw damaged(sqlite3_errmsg(sql().handle()));
        throw;
    }
}

bool HistoryDb::contains(Issue issue) {
    Statement query(sql(), "SELECT 1 FROM [Lishi] WHERE [SQQH] = ?");
    query.bind(1, std::int64_t{issue});
    return query.step();
}

std::vector<Issue> HistoryDb::issues() {
    Statement query(sql(), "SELECT [SQQH] FROM [Lishi] ORDER BY [SQQH]");
    std::vector<Issue> out;
    while (query.step())
        out.push_back(static_cast<Issue>(query.integer(0)));
    return out;
}

void HistoryDb::insertRows(const std::vector<DrawRecord>& records,
                           const std::vector<std::int64_t>& idx) {
    // Several rows per statement: a long import otherwise spends an eighth of its time
    // stepping and resetting the statement.
    constexpr std::size_t kRowsPerInsert = 10;
    const auto columns = positionColumns();
    std::string head = "INSERT INTO [Lishi] ([SQQH], [IDX], " + joined(columns);
    for (const char* name : kTextColumns)
        head += ", [" + std::string(name) + "]";
    head += ") VALUES ";
    std::string row = "(?, ?";
    for (std::size_t i = 0; i < columns.size() + kTextColumns.size(); ++i)
        row += ", ?";
    row += ")";
    std::optional<Statement> insert;
    std::size_t rowsPrepared = 0;

    std::array<std::string, 6> lists;
    for (std::size_t start = 0; start < records.size(); start += kRowsPerInsert) {
        const std::size_t rows = std::min(kRowsPerInsert, records.size() - start);
        if (rows != rowsPrepared) {
            std::string text = head + row;
            for (std::size_t r = 1; r < rows; ++r)
                text += ", " + row;
            insert.reset();
            insert.emplace(sql(), text);
            rowsPrepared = rows;
        }
        int index = 1;
        for (std::size_t r = start; r < start + rows; ++r) {
            const DrawRecord& record = records[r];
            insert->bind(index++, std::int64_t{record.issue});
            insert->bind(index++, idx[r]);
            for (int o = 0; o < 2; ++o)
                for (const auto& values : record.set(static_cast<NumberOrder>(o)).values)
                    for (int v : values)
                        insert->bind(index++, std::int64_t{v});
            insert->bind(index++, txtHisLst(record.drop[Letter::A]));
            occurrenceColumns(record.drop, lists);
            for (const auto& list : lists)
                insert->bind(index++, list);
        }
        try {
            insert->run();
        } catch (const UserError&) {
            for (std::size_t r = start; r < start + rows; ++r)
                if (contains(records[r].issue))
                    throw UserError(messages::issueAlreadyStored(records[r].issue));
            throw;
        }
        insert->reset();
    }
}

void HistoryDb::appendDraw(const DrawRecord& record) {
    takeCacheState();
    Transaction transaction(sql());
    if (contains(record.issue))
        throw UserError(messages::issueAlreadyStored(record.issue));
    const auto newest = newestIssue();
    const bool atEnd = !newest || record.issue > *newest;
    const std::uint64_t writesBefore = drawWrites_;
    insertRows({record}, {static_cast<std::int64_t>(drawCount()) + 1});
    // A draw older than the newest one shifts the numbering of every later draw.
    if (!atEnd)
        RenumberIdx();
    transaction.commit();
    countAppend(writesBefore, atEnd);
}

void HistoryDb::appendDraws(const std::vector<DrawRecord>& records) {
    if (records.empty())
        return;
    takeCacheState();
    auto transaction = transactionUnlessInOne(sql());
    const auto newest = newestIssue();
    const auto first = static_cast<std::int64_t>(drawCount()) + 1;
    std::vector<std::int64_t> idx(records.size());
    std::iota(idx.begin(), idx.end(), first);
    const std::uint64_t writesBefore = drawWrites_;
    insertRows(records, idx);
    // Draws in ascending order after the newest stored one are numbered right already.
    const auto ascending = [](const DrawRecord& a, const DrawRecord& b) {
        return a.issue < b.issue;
    };
    const bool atEnd = (!newest || records.front().issue > *newest) &&
                       std::is_sorted(records.begin(), records.end(), ascending);
    if (!atEnd)
        RenumberIdx();
    if (transaction)
        transaction->commit();
    countAppend(writesBefore, atEnd);
}

void HistoryDb::takeCacheState() {
    if (snapshotCached || !sqlite3_get_autocommit(db_.handle()) ||
        !std::filesystem::exists(snapshotCacheFile(path_)))
        return;
    try {
        std::int64_t version = 0;
        const FileMarkers markers = readFileMarkers(*this, &version);
        snapshotCached = CacheState{markers, version, drawWrites_};
    } catch (const UserError&) {
    }
}

void HistoryDb::countAppend(std::uint64_t writesBefore, bool atEnd) {
    if (atEnd && snapshotCached && snapshotCached->drawWrites == writesBefore) {
        snapshotCached->drawWrites = drawWrites_;
        snapshotCached->appended = true;
    }
}

void HistoryDb::carrySnapshotCache(const FileMarkers& now, std::int64_t version) noexcept {
    const auto& cached = snapshotCached;
    if (!cached || version != cached->dataVersion || drawWrites_ != cached->drawWrites ||
        cached->markers == now)
        return;
    const FileMarkers& from = cached->markers;
    try {
        const auto read = transactionUnlessInOne(sql(), Transaction::Mode::Deferred);
        bool carried = false;
        if (now.draws == from.draws) {
            carried = history::carrySnapshotCache(path_, from, now);
        } else if (now.draws > from.draws && now.newest > from.newest) {
            const Snapshot appended = loadNewest(now.draws - from.draws);
            carried = appended.size() == now.draws - from.draws &&
                      appended.issues.front() > from.newest &&
                      history::carrySnapshotCache(path_, from, now, appended);
        }
        // The next draws appended go on from here.
        if (carried)
            snapshotCached = CacheState{now, version, drawWrites_};
    } catch (const std::exception&) {
    }
}

void HistoryDb::replaceAll(const std::vector<DrawRecord>& records) {
    // IDX is the rank in issue order, so it is known before the rows are written and no
    // second pass over the table is needed.
    std::vector<std::size_t> order(records.size());
    std::iota(order.begin(), order.end(), std::size_t{0});
    std::sort(order.begin(), order.end(),
              [&](std::size_t a, std::size_t b) { return records[a].issue < records[b].issue; });
    std::vector<std::int64_t> idx(records.size());
    for (std::size_t rank = 0; rank < order.size(); ++rank)
        idx[order[rank]] = static_cast<std::int64_t>(rank) + 1;

    auto transaction = transactionUnlessInOne(sql());
    sql().exec("DELETE FROM [Lishi]");
    insertRows(records, idx);
    if (transaction)
        transaction->commit();
}

void HistoryDb::clear() {
    auto transaction = transactionUnlessInOne(sql());
    sql().exec("DELETE FROM [Lishi]");
    if (transaction)
        transaction->commit();
}

void HistoryDb::RenumberIdx() {
    // One pass in issue order finds the rows whose IDX is off and only those are written: after
    // a draw is appended at the end that is none, and the pass reads two columns per row.
    std::vector<std::pair<std::int64_t, std::int64_t>> changes; // SQQH, new IDX
    auto transaction = transactionUnlessInOne(sql());
    {
        Statement scan(sql(), "SELECT [SQQH], [IDX] FROM [Lishi] ORDER BY [SQQH]");
        std::int64_t idx = 0;
        while (scan.step())
            if (++idx != scan.integer(1)) // a missing IDX reads as 0
                changes.emplace_back(scan.integer(0), idx);
    }
    Statement update(sql(), "UPDATE [Lishi] SET [IDX] = ? WHERE [SQQH] = ?");
    for (const auto& [issue, idx] : changes) {
        update.bind(1, idx).bind(2, issue).run();
        update.reset();
    }
    if (transaction)
        transaction->commit();
}

Snapshot HistoryDb::loadNewest(std::size_t count) {
    const auto read = transactionUnlessInOne(sql(), Transaction::Mode::Deferred);
    Snapshot snapshot;
    if (count == 0)
        return snapshot;
    std::int64_t from = kFirstIssue;
    {
        Statement at(sql(), "SELECT [SQQH] FROM [Lishi] ORDER BY [SQQH] DESC LIMIT 1 OFFSET ?");
        at.bind(1, static_cast<std::int64_t>(count - 1));
        if (at.step())
            from = at.integer(0);
    }
    const std::size_t total = drawCount();
    Statement query(sql(), rangeQuery());
    query.bind(1, from).bind(2, kLastIssue);
    snapshot.resize(*readDraws(query, snapshot, 0, kAnyCount, {}, total - std::min(total, count)));
    return snapshot;
}

Snapshot HistoryDb::loadSnapshot() {
    // One read transaction for the count and every row: its shared lock keeps writers from
    // committing until the load is done. Inside a caller's transaction the rows are read in
    // that one.
    const auto read = transactionUnlessInOne(sql(), Transaction::Mode::Deferred);
    // The cache beside the file holds the committed state of its markers; inside a caller's
    // transaction this connection may see another.
    std::optional<FileMarkers> markers;
    std::int64_t version = 0;
    if (read) {
        // A kill while the cache or its stamp was written leaves a temporary file as large.
        removeStaleTemporaryFiles(path_.parent_path());
        try {
            markers = readFileMarkers(*this, &version);
        } catch (const UserError&) {
            // Not readable as a file: the rows are read as ever, and their errors reported.
        }
        if (markers) {
            // Draws this connection appended since the cache was valid go onto its end.
            carrySnapshotCache(*markers, version);
            if (auto cached = readSnapshotCache(path_, *markers)) {
                snapshotCached = CacheState{*markers, version, drawWrites_};
                return std::move(*cached);
            }
        }
    }
    Snapshot snapshot;
    snapshot.resize(drawCount());
    // A second connection sees the committed state only, which differs from this connection's
    // inside a caller's write transaction.
    if (!(read && snapshot.size() >= kParallelLoadMinimum && loadInHalves(sql(), snapshot))) {
        Statement query(sql(), rangeQuery());
        query.bind(1, kFirstIssue).bind(2, kLastIssue);
        snapshot.resize(*readDraws(query, snapshot, 0, kAnyCount));
    }
    if (markers) {
        writeSnapshotCache(path_, *markers, snapshot);
        snapshotCached = CacheState{*markers, version, drawWrites_};
    }
    return snapshot;
}

} // namespace yilou::history
