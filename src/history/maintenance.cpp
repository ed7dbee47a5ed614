#include "history/maintenance.h"

#include "history/backup.h"
#include "history/user_error.h"

#include <algorithm>
#include <array>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <string>
#include <unistd.h>

namespace yilou::history {

namespace {

constexpr std::array<const char*, 2> kTables{"Lishi", "YL"};

std::size_t rowCount(SqliteDb& db, const char* table) {
    Statement query(db, "SELECT COUNT(*) FROM [" + std::string(table) + "]");
    query.step();
    return static_cast<std::size_t>(query.integer(0));
}

std::size_t countUpTo(HistoryDb& db, Issue issue) {
    Statement query(db.sql(), "SELECT COUNT(*) FROM [Lishi] WHERE [SQQH] <= ?");
    query.bind(1, std::int64_t{issue});
    query.step();
    return static_cast<std::size_t>(query.integer(0));
}

/// Keeps the `keep` oldest draws by way of the backup file, as every multi-draw deletion does.
std::size_t keepOldest(HistoryDb& db, std::size_t keep, const std::filesystem::path& dataDir,
                       const Game& game, const AttributeRules& rules) {
    const std::size_t before = db.drawCount();
    writeBackupFile(db, dataDir, keep);
    Dqzd(db, dataDir, game, rules);
    CompactDb(db);
    return before - db.drawCount();
}

/// Flushes a file or folder to the disk; 0 or the errno of the failure.
int syncToDisk(const std::filesystem::path& path) {
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0)
        return errno;
    const int error = ::fsync(fd) == 0 ? 0 : errno;
    ::close(fd);
    return error;
}

/// The copy must be a sound database holding every row of the original.
void checkCopy(const std::filesystem::path& copy, const std::array<std::size_t, 2>& rows) {
    SqliteDb db(copy);
    Statement check(db, "PRAGMA integrity_check");
    if (!check.step() || check.text(0) != "ok")
        throw UserError("压缩后的副本 " + copy.string() + " 未通过完整性检查");
    for (std::size_t t = 0; t < kTables.size(); ++t)
        if (rowCount(db, kTables[t]) != rows[t])
            throw UserError("压缩后的副本 " + copy.string() + " 的表 " + kTables[t] +
                            " 行数与原数据库不同");
}

} // namespace

bool deleteNewestDraw(HistoryDb& db) {
    {
        Transaction transaction(db.sql());
        const auto newest = db.newestIssue();
        if (!newest)
            return false;
        Statement remove(db.sql(), "DELETE FROM [Lishi] WHERE [SQQH] = ?");
        remove.bind(1, std::int64_t{*newest});
        remove.run();
        transaction.commit();
    }
    // The newest draw had the highest IDX, so the others keep theirs.
    CompactDb(db);
    return true;
}

std::size_t deleteAfter(HistoryDb& db, Issue keepUpTo, const std::filesystem::path& dataDir,
                        const Game& game, const AttributeRules& rules) {
    if (keepUpTo <= 0)
        return 0;
    return keepOldest(db, countUpTo(db, keepUpTo), dataDir, game, rules);
}

std::size_t deleteNewestDraws(HistoryDb& db, std::size_t count,
                              const std::filesystem::path& dataDir, const Game& game,
                              const AttributeRules& rules) {
    if (count == 0)
        return 0;
    const std::size_t total = db.drawCount();
    return keepOldest(db, total - std::min(total, count), dataDir, game, rules);
}

void CompactDb(HistoryDb& db) {
    const std::filesystem::path original = db.path();
    const std::filesystem::path copy = original.parent_path() / kCompactCopyFileName;
    std::error_code ignored;
    try {
        // A regular file here is left over from an interrupted compaction; anything else is
        // not ours to remove, and the copy below then fails.
        if (std::filesystem::is_regular_file(copy, ignored))
            std::filesystem::remove(copy);
        std::array<std::size_t, 2> rows{};
        for (std::size_t t = 0; t < kTables.size(); ++t)
            rows[t] = rowCount(db.sql(), kTables[t]);
        {
            Statement vacuum(db.sql(), "VACUUM INTO ?");
            vacuum.bind(1, copy.string()).run();
        } // finished, so that the connection can be closed
        checkCopy(copy, rows);
        if (const int error = syncToDisk(copy))
            throw UserError("无法将 " + copy.string() + " 写入磁盘：" + std::strerror(error));
        db.withConnectionClosed([&] { std::filesystem::rename(copy, original); });
    } catch (const std::exception& error) {
        if (std::filesystem::is_regular_file(copy, ignored))
            std::filesystem::remove(copy, ignored);
        throw UserError("整理数据库文件失败，数据库文件 " + original.string() + " 保持原样：" +
                        error.what());
    }
    // The rename is done and atomic; flushing the folder only makes it durable sooner, so its
    // failure loses nothing.
    syncToDisk(original.parent_path().empty() ? "." : original.parent_path());
}

} // namespace yilou::history
