#include "history/history_db.h"

#include "history/user_error.h"

#include <algorithm>
#include <numeric>
#include <string>

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

std::optional<Issue> singleIssue(SqliteDb& db, const char* sql) {
    Statement query(db, sql);
    if (query.step() && !query.isNull(0))
        return static_cast<Issue>(query.integer(0));
    return std::nullopt;
}

} // namespace

HistoryDb::HistoryDb(const std::filesystem::path& file) : path_(file) {
    open();
}

void HistoryDb::open() {
    db_.emplace(path_);
    db_->exec("PRAGMA foreign_keys = OFF");
    createSchema();
}

SqliteDb& HistoryDb::sql() {
    if (!db_)
        throw UserError("数据库文件 " + path_.string() + " 未能重新打开，请重新启动程序。");
    return *db_;
}

void HistoryDb::withConnectionClosed(const std::function<void()>& work) {
    db_.reset();
    try {
        work();
    } catch (...) {
        open();
        throw;
    }
    open();
}

void HistoryDb::createSchema() {
    Statement version(sql(), "PRAGMA user_version");
    version.step();
    const auto current = version.integer(0);
    version.reset();
    if (current >= kSchemaVersion)
        return;

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
    Statement query(sql(), "SELECT COUNT(*) FROM [Lishi]");
    query.step();
    return static_cast<std::size_t>(query.integer(0));
}

std::optional<Issue> HistoryDb::oldestIssue() {
    return singleIssue(sql(), "SELECT MIN([SQQH]) FROM [Lishi]");
}

std::optional<Issue> HistoryDb::newestIssue() {
    return singleIssue(sql(), "SELECT MAX([SQQH]) FROM [Lishi]");
}

bool HistoryDb::contains(Issue issue) {
    Statement query(sql(), "SELECT 1 FROM [Lishi] WHERE [SQQH] = ?");
    query.bind(1, std::int64_t{issue});
    return query.step();
}

void HistoryDb::insertRows(const std::vector<DrawRecord>& records,
                           const std::vector<std::int64_t>& idx) {
    const auto columns = positionColumns();
    std::string text = "INSERT INTO [Lishi] ([SQQH], [IDX], " + joined(columns);
    for (const char* name : kTextColumns)
        text += ", [" + std::string(name) + "]";
    text += ") VALUES (?, ?";
    for (std::size_t i = 0; i < columns.size() + kTextColumns.size(); ++i)
        text += ", ?";
    text += ")";

    Statement insert(sql(), text);
    for (std::size_t r = 0; r < records.size(); ++r) {
        const DrawRecord& record = records[r];
        int index = 1;
        insert.bind(index++, std::int64_t{record.issue});
        insert.bind(index++, idx[r]);
        for (int o = 0; o < 2; ++o)
            for (const auto& values : record.set(static_cast<NumberOrder>(o)).values)
                for (int v : values)
                    insert.bind(index++, std::int64_t{v});
        insert.bind(index++, txtHisLst(record.drop[Letter::A]));
        for (const auto& list : occurrenceColumns(record.drop))
            insert.bind(index++, list);
        try {
            insert.run();
        } catch (const UserError&) {
            if (contains(record.issue))
                throw UserError("期号 " + issueText(record.issue) + " 已经存在，未保存。");
            throw;
        }
        insert.reset();
    }
}

void HistoryDb::appendDraw(const DrawRecord& record) {
    Transaction transaction(sql());
    if (contains(record.issue))
        throw UserError("期号 " + issueText(record.issue) + " 已经存在，未保存。");
    const auto newest = newestIssue();
    const bool atEnd = !newest || record.issue > *newest;
    insertRows({record}, {static_cast<std::int64_t>(drawCount()) + 1});
    // A draw older than the newest one shifts the numbering of every later draw.
    if (!atEnd)
        RenumberIdx();
    transaction.commit();
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

    Transaction transaction(sql());
    sql().exec("DELETE FROM [Lishi]");
    insertRows(records, idx);
    transaction.commit();
}

void HistoryDb::clear() {
    Transaction transaction(sql());
    sql().exec("DELETE FROM [Lishi]");
    transaction.commit();
}

void HistoryDb::RenumberIdx() {
    sql().exec("UPDATE [Lishi] SET [IDX] = ranked.n FROM (SELECT [SQQH] AS issue, "
               "ROW_NUMBER() OVER (ORDER BY [SQQH]) AS n FROM [Lishi]) AS ranked "
               "WHERE [Lishi].[SQQH] = ranked.issue AND [Lishi].[IDX] IS NOT ranked.n");
}

Snapshot HistoryDb::loadSnapshot() {
    // Only the values that no other value determines are read (see recordFromStored): 16 of
    // the 61 columns, which loads a long history several times faster.
    std::vector<std::string> columns;
    appendPositionColumns(columns, kOrderPrefix[0], "ABH");
    Statement query(sql(), "SELECT [SQQH], " + joined(columns) + " FROM [Lishi] ORDER BY [SQQH]");
    Snapshot snapshot;
    snapshot.reserve(drawCount());
    std::array<PositionValues, 3> stored{}; // numbers, zodiac codes, segment codes
    // Draws are handed over in blocks: one draw at a time writes to 61 columns at once.
    constexpr std::size_t kBlock = 4096;
    std::vector<DrawRecord> block;
    block.reserve(kBlock);
    while (query.step()) {
        const auto issue = static_cast<Issue>(query.integer(0));
        int column = 1;
        for (auto& values : stored)
            for (int& v : values) {
                const auto value = query.integer(column);
                if (value < -128 || value > 127)
                    throw UserError("历史数据库中期号 " + issueText(issue) + " 的 " +
                                    columns[column - 1] + " 值 " + std::to_string(value) +
                                    " 超出范围，无法读取。");
                v = static_cast<int>(value);
                ++column;
            }
        block.push_back(recordFromStored(issue, stored[0], stored[1], stored[2]));
        if (block.size() == kBlock) {
            snapshot.append(block);
            block.clear();
        }
    }
    snapshot.append(block);
    return snapshot;
}

} // namespace yilou::history
