#include "store/file_markers.h"

#include "core/messages.h"
#include "core/system_error_text.h"
#include "core/user_error.h"
#include "store/history_db.h"

#include <array>
#include <cerrno>
#include <charconv>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace yilou::history {

namespace {

/// Where SQLite keeps the file change counter: big-endian, bytes 24..27 of the header.
constexpr std::size_t kChangeCounterOffset = 24;

/// Reads the counter and the file's identity through one descriptor, so that both are of the
/// same file even when the path is replaced meanwhile.
void readFile(const std::filesystem::path& path, FileMarkers& markers) {
    const auto fail = [&] {
        throw UserError(messages::cannotReadFile(path, systemErrorText(errno)));
    };
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0)
        fail();
    std::array<unsigned char, 4> counter{};
    struct stat status {};
    const bool read = ::pread(fd, counter.data(), counter.size(), kChangeCounterOffset) >= 0 &&
                      ::fstat(fd, &status) == 0;
    const int error = errno;
    ::close(fd);
    if (!read) {
        errno = error;
        fail();
    }
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
    if (version)
        *version = dataVersion(db);
    readFile(db.path(), markers);
    return markers;
}

} // namespace yilou::history
