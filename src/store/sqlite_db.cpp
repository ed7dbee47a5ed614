#include "store/sqlite_db.h"

#include "core/messages.h"
#include "core/user_error.h"

#include <sqlite3.h>

namespace yilou::history {

namespace {

/// What a failure with SQLite result `code` means to the user.
std::string failureDescription(int code) {
    switch (code & 0xff) { // the primary code of an extended one
    case SQLITE_BUSY:
    case SQLITE_LOCKED:
        return messages::databaseBusy();
    case SQLITE_CORRUPT:
    case SQLITE_NOTADB:
        return messages::databaseDamagedOrForeign();
    case SQLITE_FULL:
        return messages::diskFull();
    case SQLITE_READONLY:
    case SQLITE_PERM:
    case SQLITE_CANTOPEN:
        return messages::cannotOpenOrWriteDatabase();
    case SQLITE_IOERR:
        return messages::databaseReadWriteError();
    default:
        return messages::databaseOperationFailed();
    }
}

/// The failure with the file, its meaning and SQLite's message; the SQL is left out, it tells
/// the user nothing.
[[noreturn]] void throwFailure(const std::filesystem::path& file, std::string_view action, int code,
                               const std::string& detail) {
    throw UserError(messages::databaseFailure(action, file, failureDescription(code), detail));
}

/// Whether SQLite refuses `file` for the length of its full path, which the system may take.
bool longerThanSqliteTakes(const std::filesystem::path& file) {
    const sqlite3_vfs* vfs = sqlite3_vfs_find(nullptr);
    std::error_code error;
    const auto full = std::filesystem::absolute(file, error);
    return vfs && !error && full.native().size() >= static_cast<std::size_t>(vfs->mxPathname);
}

} // namespace

SqliteDb::SqliteDb(const std::filesystem::path& file, Access access) : path_(file) {
    // A connection is used by one thread at a time, so SQLite's per-call mutex would only
    // cost time (a fifth of loading a long history).
    const int flags = access == Access::ReadOnly ? SQLITE_OPEN_READONLY
                                                 : SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE;
    if (const int rc = sqlite3_open_v2(file.c_str(), &db_, flags | SQLITE_OPEN_NOMUTEX, nullptr);
        rc != SQLITE_OK) {
        const std::string detail = db_ ? sqlite3_errmsg(db_) : sqlite3_errstr(rc);
        sqlite3_close(db_);
        db_ = nullptr;
        if ((rc & 0xff) == SQLITE_CANTOPEN && longerThanSqliteTakes(file))
            throw UserError(messages::databaseFailure({}, file, messages::pathTooLong(), detail));
        throwFailure(file, {}, rc, detail);
    }
    sqlite3_busy_timeout(db_, 5000);
}

SqliteDb::~SqliteDb() {
    sqlite3_close(db_);
}

bool SqliteDb::fileMoved() const {
    int moved = 0;
    return sqlite3_file_control(db_, "main", SQLITE_FCNTL_HAS_MOVED, &moved) != SQLITE_OK ||
           moved != 0;
}

void SqliteDb::fail(std::string_view action) const {
    throwFailure(path_, action, sqlite3_extended_errcode(db_), sqlite3_errmsg(db_));
}

void SqliteDb::exec(std::string_view sql, std::string_view action) {
    const std::string text(sql);
    if (sqlite3_exec(db_, text.c_str(), nullptr, nullptr, nullptr) != SQLITE_OK)
        fail(action);
}

Statement::Statement(SqliteDb& db, std::string_view sql) : db_(db) {
    if (sqlite3_prepare_v2(db.handle(), sql.data(), static_cast<int>(sql.size()), &stmt_,
                           nullptr) != SQLITE_OK)
        db.fail();
}

Statement::~Statement() {
    sqlite3_finalize(stmt_);
}

Statement& Statement::bind(int index, std::int64_t value) {
    if (sqlite3_bind_int64(stmt_, index, value) != SQLITE_OK)
        db_.fail();
    return *this;
}

Statement& Statement::bind(int index, double value) {
    if (sqlite3_bind_double(stmt_, index, value) != SQLITE_OK)
        db_.fail();
    return *this;
}

Statement& Statement::bind(int index, std::string_view text) {
    if (sqlite3_bind_text(stmt_, index, text.data(), static_cast<int>(text.size()),
                          SQLITE_TRANSIENT) != SQLITE_OK)
        db_.fail();
    return *this;
}

bool Statement::step() {
    const int rc = sqlite3_step(stmt_);
    if (rc == SQLITE_ROW)
        return true;
    if (rc == SQLITE_DONE)
        return false;
    db_.fail();
}

void Statement::run() {
    while (step()) {
    }
}

void Statement::reset() {
    sqlite3_reset(stmt_);
}

std::int64_t Statement::integer(int column) const {
    return sqlite3_column_int64(stmt_, column);
}

double Statement::real(int column) const {
    return sqlite3_column_double(stmt_, column);
}

std::string Statement::text(int column) const {
    const auto* data = sqlite3_column_text(stmt_, column);
    return data ? std::string(reinterpret_cast<const char*>(data),
                              static_cast<std::size_t>(sqlite3_column_bytes(stmt_, column)))
                : std::string();
}

bool Statement::isNull(int column) const {
    return sqlite3_column_type(stmt_, column) == SQLITE_NULL;
}

Transaction::Transaction(SqliteDb& db, Mode mode) : db_(db) {
    db_.exec(mode == Mode::Immediate ? "BEGIN IMMEDIATE" : "BEGIN");
}

Transaction::~Transaction() {
    if (!done_)
        sqlite3_exec(db_.handle(), "ROLLBACK", nullptr, nullptr, nullptr);
}

void Transaction::commit() {
    db_.exec("COMMIT");
    done_ = true;
}

std::optional<Transaction> transactionUnlessInOne(SqliteDb& db, Transaction::Mode mode) {
    if (!sqlite3_get_autocommit(db.handle()))
        return std::nullopt;
    return std::optional<Transaction>(std::in_place, db, mode);
}

} // namespace yilou::history
