#pragma once

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

struct sqlite3;
struct sqlite3_stmt;

namespace yilou::history {

class SqliteDb;

/// A prepared statement; binds are 1-based, columns 0-based, as in SQLite.
class Statement {
public:
    Statement(SqliteDb& db, std::string_view sql);
    ~Statement();
    Statement(const Statement&) = delete;
    Statement& operator=(const Statement&) = delete;

    Statement& bind(int index, std::int64_t value);
    Statement& bind(int index, double value);
    Statement& bind(int index, std::string_view text);
    /// Steps once; true while a row is available.
    bool step();
    /// Steps to the end, for statements that return no rows.
    void run();
    void reset();

    std::int64_t integer(int column) const;
    double real(int column) const;
    std::string text(int column) const;
    bool isNull(int column) const;

private:
    SqliteDb& db_;
    sqlite3_stmt* stmt_ = nullptr;
};

/// One open SQLite connection. Errors throw UserError naming the file, with a Chinese
/// description of the failure and SQLite's own message in brackets for diagnosis. A connection
/// is used by one thread at a time.
class SqliteDb {
public:
    enum class Access { ReadWrite, ReadOnly };

    /// Opens `file`; ReadWrite creates it if it is missing, ReadOnly fails instead.
    explicit SqliteDb(const std::filesystem::path& file, Access access = Access::ReadWrite);
    ~SqliteDb();
    SqliteDb(const SqliteDb&) = delete;
    SqliteDb& operator=(const SqliteDb&) = delete;

    /// Runs `sql`; `action` (读取, 保存, 整理, …) names in the error message what failed.
    void exec(std::string_view sql, std::string_view action = {});
    sqlite3* handle() const { return db_; }
    const std::filesystem::path& path() const { return path_; }
    /// Whether the file the connection reads is no longer the one at its path (renamed,
    /// deleted or replaced since it was opened). In doubt, yes.
    bool fileMoved() const;
    /// Throws the error of the call that just failed on this connection.
    [[noreturn]] void fail(std::string_view action = {}) const;

private:
    std::filesystem::path path_;
    sqlite3* db_ = nullptr;
};

/// Begins a transaction that rolls back unless commit() is called. Immediate takes the write
/// lock at once; Deferred takes the shared lock at the first read and holds it to the end, so
/// every read in it sees one committed state.
class Transaction {
public:
    enum class Mode { Immediate, Deferred };

    explicit Transaction(SqliteDb& db, Mode mode = Mode::Immediate);
    ~Transaction();
    Transaction(const Transaction&) = delete;
    Transaction& operator=(const Transaction&) = delete;
    void commit();

private:
    SqliteDb& db_;
    bool done_ = false;
};

/// A transaction of its own when `db` is in none; inside a caller's transaction nothing, so
/// that the work becomes part of that one, which commits or rolls back as a whole.
std::optional<Transaction>
transactionUnlessInOne(SqliteDb& db, Transaction::Mode mode = Transaction::Mode::Immediate);

} // namespace yilou::history
