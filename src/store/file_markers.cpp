#include "store/file_markers.h"

#include "core/messages.h"
#include "core/system_error_text.h"
#include "core/user_error.h"
#include "store/history_db.h"

#include <array>
#include <cerrno>
#include <charconv>
#include <sqlite3.h>
#include <sys/stat.h>

namespace yilou::history {

namespace {

/// Where SQLite keeps the file change counter: big-endian, bytes 24..27 of the header.
constexpr std::size_t kChangeCounterOffset = 24;

/// Reads the counter through the connection's own descriptor and the file's identity by its
/// path, then makes sure that the path still names the connection's file. No descriptor of the
/// file is opened: closing one would drop every lock the process holds on it, the read lock of
/// the transaction the markers are read in included, and let a writer commit in the middle of
/// a load.
void readFile(HistoryDb& db, FileMarkers& markers) {
    const auto fail = [&](int error) {
        throw UserError(messages::cannotReadFile(db.path(), systemErrorText(error)));
    };
    sqlite3_file* file = nullptr;
    std::array<unsigned char, 4> counter{};
    if (sqlite3_file_control(db.sql().handle(), "main", SQLITE_FCNTL_FILE_POINTER, &file) !=
            SQLITE_OK ||
        !file || !file->pMethods ||
        file->pMethods->xRead(file, counter.data(), counter.size(), kChangeCounterOffset) !=
            SQLITE_OK)
        fail(EIO);
    struct stat status {};
    if (::stat(db.path().c_str(), &status) != 0)
        fail(errno);
    if (db.sql().fileMoved())
        fail(ENOENT);
    markers.changeCounter = std::uint32_t{counter[0]} << 24 | std::uint32_t{counter[1]} << 16 |
                            std::uint32_t{counter[2]} << 8 | counter[3];
    markers.device = status.st_dev;
    markers.inode = status.st_ino;
    markers.size = static_cast<std::uint64_t>(status.st_size);
    markers.modifiedNs =
        static_cast<std::int64_t>(status.st_mtim.tv_sec) * 1'000'000'000 + status.st_mtim.tv_nsec;
}

} // namespace

std::string FileMarkers::text() const {
    std::string out;
    const auto field = [&out](auto value, char after) {
        char digits[24];
        out.append(digits, std::to_chars(digits, digits + sizeof digits, value).ptr);
        out += after;
    };
    field(changeCounter, ' ');
    field(draws, ' ');
    field(newest, ' ');
    field(device, ' ');
    field(inode, ' ');
    field(size, ' ');
    field(modifiedNs, '\n');
    return out;
}

std::optional<FileMarkers> FileMarkers::parse(std::string_view text) {
    FileMarkers markers;
    const char* at = text.data();
    const char* const end = text.data() + text.size();
    bool fine = true;
    const auto field = [&](auto& value, char after) {
        const auto [next, error] = std::from_chars(at, end, value);
        fine = fine && error == std::errc{} && next != end && *next == after;
        at = fine ? next + 1 : end;
    };
    field(markers.changeCounter, ' ');
    field(markers.draws, ' ');
    field(markers.newest, ' ');
    field(markers.device, ' ');
    field(markers.inode, ' ');
    field(markers.size, ' ');
    field(markers.modifiedNs, '\n');
    if (!fine || at != end)
        return std::nullopt;
    return markers;
}

std::int64_t dataVersion(HistoryDb& db) {
    Statement query(db.sql(), "PRAGMA data_version");
    query.step();
    return query.integer(0);
}

FileMarkers readFileMarkers(HistoryDb& db, std::int64_t* version) {
    // Inside a read transaction nobody can commit, so the file is the state the counts are of.
    const auto read = transactionUnlessInOne(db.sql(), Transaction::Mode::Deferred);
    FileMarkers markers;
    markers.draws = db.drawCount();
    markers.newest = db.newestIssue().value_or(0);
    // In WAL mode a commit goes to the log and leaves the file as it was until a checkpoint.
    if (Statement mode(db.sql(), "PRAGMA journal_mode"); mode.step() && mode.text(0) == "wal")
        throw UserError(messages::stateNotInTheFile(db.path()));
    if (version)
        *version = dataVersion(db);
    readFile(db, markers);
    return markers;
}

} // namespace yilou::history
