#include "store/snapshot_cache.h"

#include "core/regular_file.h"

#include <algorithm>
#include <array>
#include <atomic>
#include <cerrno>
#include <cstddef>
#include <cstring>
#include <ctime>
#include <fcntl.h>
#include <span>
#include <string>
#include <sys/stat.h>
#include <unistd.h>

namespace yilou::history {

namespace {

/// A checksum of 64-bit words: a multiply-xor mix per word in four lanes, so that the words
/// of one lane follow each other while the lanes run side by side. It goes on block by block, so
/// that draws appended to a column continue its checksum; the tail of less than a block is
/// mixed in only by finish().
class Checksum {
public:
    using Lanes = std::array<std::uint64_t, 4>;
    static constexpr std::size_t kBlock = 32;

    Checksum() = default;
    /// Goes on from the state `lanes` of a checksum of the blocks before.
    explicit Checksum(const Lanes& lanes) : lanes_(lanes) {}
    const Lanes& lanes() const { return lanes_; }

    /// Adds the whole blocks of `bytes` and returns the rest.
    std::span<const char> add(std::span<const char> bytes) {
        std::size_t i = 0;
        for (; i + kBlock <= bytes.size(); i += kBlock)
            for (std::size_t lane = 0; lane < 4; ++lane)
                mix(lanes_[lane], word(bytes.data() + i + 8 * lane, 8));
        return bytes.subspan(i);
    }
    /// The checksum of `length` bytes: the blocks added, then `tail` (less than a block).
    std::uint64_t finish(std::span<const char> tail, std::uint64_t length) const {
        Lanes lanes = lanes_;
        for (std::size_t i = 0; i < tail.size(); i += 8)
            mix(lanes[0], word(tail.data() + i, std::min<std::size_t>(8, tail.size() - i)));
        std::uint64_t out = length;
        for (std::uint64_t lane : lanes)
            mix(out, lane);
        return out;
    }

private:
    static std::uint64_t word(const char* bytes, std::size_t size) {
        std::uint64_t out = 0;
        std::memcpy(&out, bytes, size);
        return out;
    }
    static void mix(std::uint64_t& state, std::uint64_t word) {
        const std::uint64_t mixed = (state ^ word) * 0x9E3779B97F4A7C15u;
        state = mixed ^ mixed >> 29;
    }
    Lanes lanes_{0x243F6A8885A308D3u, 0x13198A2E03707344u, 0xA4093822299F31D0u,
                 0x082EFA98EC4E6C89u};
};

/// The file is a header page, then the draws laid out as SnapshotStorage lays them out for the
/// header's capacity: the issues, then each column, every one `capacity` draws long, so that
/// each part is read into the snapshot's storage in one piece. The room after the draws takes
/// appended ones.
constexpr std::array<char, 8> kMagic{'Y', 'L', 'C', 'O', 'L', 'S', '0', '3'};
constexpr std::size_t kMarkersBytes = 128;
constexpr std::size_t kHeaderBytes = 4096;
/// The parts of the draws: the issues, then the columns.
constexpr std::size_t kParts = 1 + SnapshotStorage::kColumnCount;

/// The checksum of one part: its lanes after its whole blocks, and finish() over its tail.
struct PartCheck {
    Checksum::Lanes lanes{};
    std::uint64_t sum = 0;
};

struct Header {
    std::array<char, 8> magic{};
    std::array<char, kMarkersBytes> markers{}; ///< FileMarkers::text(), zero-padded
    std::uint64_t draws = 0;
    std::uint64_t capacity = 0;
    std::array<PartCheck, kParts> parts{};
    /// The checksum of the fields above, so that a torn write of the header shows.
    std::uint64_t check = 0;

    std::uint64_t fileSize() const { return kHeaderBytes + SnapshotStorage::bytes(capacity); }
    std::uint64_t ownCheck() const {
        const std::span bytes(reinterpret_cast<const char*>(this), offsetof(Header, check));
        Checksum checksum;
        const auto tail = checksum.add(bytes);
        return checksum.finish(tail, bytes.size());
    }
};
static_assert(sizeof(Header) <= kHeaderBytes);

/// The room of a cache for `draws` draws: as many again as a sixteenth of them, at least 4096,
/// rounded to whole pages so that every column starts on a page.
std::uint64_t capacityFor(std::uint64_t draws) {
    constexpr std::uint64_t kPage = 4096;
    const std::uint64_t room = draws + std::max<std::uint64_t>(kPage, draws / 16);
    return (room + kPage - 1) / kPage * kPage;
}

/// The bytes a draw takes in part `part`.
std::size_t width(std::size_t part) {
    return part == 0 ? sizeof(Issue) : 1;
}

/// Where part `part` starts in a cache of room for `capacity` draws.
off_t partOffset(std::size_t part, std::uint64_t capacity) {
    return static_cast<off_t>(kHeaderBytes + capacity * (part == 0 ? 0 : sizeof(Issue) + part - 1));
}

/// The first `count` draws of part `part` of `snapshot`, as bytes.
std::span<const char> partBytes(const Snapshot& snapshot, std::size_t part, std::size_t count) {
    if (part == 0)
        return {reinterpret_cast<const char*>(snapshot.issues.data()), count * sizeof(Issue)};
    const std::size_t column = part - 1;
    const auto& values =
        snapshot.columns[column / (kLetterCount * 5)][column / 5 % kLetterCount][column % 5];
    return {reinterpret_cast<const char*>(values.data()), count};
}

bool readAll(int fd, char* data, std::size_t size, off_t offset) {
    while (size > 0) {
        const ssize_t got = ::pread(fd, data, size, offset);
        if (got < 0 && errno == EINTR)
            continue;
        if (got <= 0)
            return false;
        data += got;
        size -= static_cast<std::size_t>(got);
        offset += got;
    }
    return true;
}

bool writeAll(int fd, const char* data, std::size_t size, off_t offset) {
    while (size > 0) {
        const ssize_t put = ::pwrite(fd, data, size, offset);
        if (put < 0 && errno == EINTR)
            continue;
        if (put <= 0)
            return false;
        data += put;
        size -= static_cast<std::size_t>(put);
        offset += put;
    }
    return true;
}

std::array<char, kMarkersBytes> markersField(const FileMarkers& markers) {
    std::array<char, kMarkersBytes> field{};
    const std::string text = markers.text();
    std::memcpy(field.data(), text.data(), std::min(text.size(), field.size()));
    return field;
}

/// Whether `header`, of a file of `fileSize` bytes, is whole and of the state `markers`.
bool headerOf(const Header& header, std::uint64_t fileSize, const FileMarkers& markers) {
    return header.magic == kMagic && header.check == header.ownCheck() &&
           header.markers == markersField(markers) && header.draws == markers.draws &&
           header.draws <= header.capacity && header.capacity % 4096 == 0 &&
           header.capacity <= fileSize && fileSize == header.fileSize();
}

/// Distinguishes the temporary files of several writers in one process.
std::atomic<unsigned> writerCount{0};

/// A name beside `target` for a temporary file, which removeStaleTemporaryFiles clears after a
/// kill.
std::filesystem::path temporaryFor(const std::filesystem::path& target) {
    return target.parent_path() /
           ("." + target.filename().string() + "." + std::to_string(::getpid()) + "-" +
            std::to_string(writerCount++) + ".tmp");
}

/// Where a load remembers the cache file it found whole (fileStamp).
std::filesystem::path checkedCacheFile(const std::filesystem::path& database) {
    return snapshotCacheFile(database).string() + ".checked";
}

/// What tells the cache file `status` is of from any file that has been written since: the
/// boot, the device and inode, the size and the change and modification times in ns (a change
/// time no program can set). Empty when the boot is not known.
std::string fileStamp(const struct stat& status) {
    static const std::string boot = [] {
        std::string id(64, '\0');
        const int fd = ::open("/proc/sys/kernel/random/boot_id", O_RDONLY | O_CLOEXEC);
        const ssize_t got = fd < 0 ? -1 : ::read(fd, id.data(), id.size());
        if (fd >= 0)
            ::close(fd);
        id.resize(got > 1 ? static_cast<std::size_t>(got) - 1 : 0); // without its newline
        return id;
    }();
    if (boot.empty())
        return {};
    const auto ns = [](const timespec& time) {
        return std::to_string(time.tv_sec * 1'000'000'000LL + time.tv_nsec);
    };
    return boot + " " + std::to_string(status.st_dev) + " " + std::to_string(status.st_ino) + " " +
           std::to_string(status.st_size) + " " + ns(status.st_ctim) + " " + ns(status.st_mtim);
}

/// Whether `stamp` is the one remembered in checkedCacheFile.
bool checkedBefore(const std::filesystem::path& database, const std::string& stamp) {
    return !stamp.empty() && readRegularFileStart(checkedCacheFile(database), stamp.size() + 1) ==
                                 std::optional(stamp);
}

/// Whether `before` and `after`, of one file, show that nothing wrote to it in between: a write
/// sets the change time, which no program can set back.
bool unchanged(const struct stat& before, const struct stat& after) {
    const auto same = [](const timespec& a, const timespec& b) {
        return a.tv_sec == b.tv_sec && a.tv_nsec == b.tv_nsec;
    };
    return before.st_size == after.st_size && same(before.st_ctim, after.st_ctim) &&
           same(before.st_mtim, after.st_mtim);
}

/// Where part `part` of the draws lies in `storage`.
char* partData(const SnapshotStorage& storage, std::size_t part) {
    return part == 0 ? reinterpret_cast<char*>(storage.issues())
                     : reinterpret_cast<char*>(storage.column(part - 1));
}

/// Remembers the stamp of a cache file found whole, written to a temporary file and renamed.
/// Files are stamped by a clock that moves in ticks of a few ms, so a write within the tick of
/// the file's last one would leave its times as they are: the stamp is remembered only once
/// that tick is over (else the next load checks the file again). Failures are ignored.
void rememberChecked(const std::filesystem::path& database, const struct stat& status,
                     const std::string& stamp) {
    timespec now{};
    ::clock_gettime(CLOCK_REALTIME_COARSE, &now);
    const auto after = [](const timespec& a, const timespec& b) {
        return a.tv_sec != b.tv_sec ? a.tv_sec > b.tv_sec : a.tv_nsec > b.tv_nsec;
    };
    if (stamp.empty() || !after(now, status.st_ctim))
        return;
    const auto target = checkedCacheFile(database);
    const auto temporary = temporaryFor(target);
    const int fd = ::open(temporary.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0644);
    if (fd < 0)
        return;
    const bool written = writeAll(fd, stamp.data(), stamp.size(), 0);
    if (::close(fd) != 0 || !written || ::rename(temporary.c_str(), target.c_str()) != 0)
        ::unlink(temporary.c_str());
}

} // namespace

std::filesystem::path snapshotCacheFile(const std::filesystem::path& database) {
    return database.parent_path() / ("." + database.filename().string() + ".columns");
}

std::optional<Snapshot> readSnapshotCache(const std::filesystem::path& database,
                                          const FileMarkers& markers) {
    const int fd = openRegularFile(snapshotCacheFile(database), O_RDONLY);
    if (fd < 0)
        return std::nullopt;
    // The draws are copied out rather than mapped: another program writing over the file in
    // place, or cutting it short, then changes nothing in a snapshot already loaded from it.
    struct stat status {};
    struct stat afterwards {};
    Header header;
    std::shared_ptr<SnapshotStorage> storage;
    bool whole = ::fstat(fd, &status) == 0 &&
                 readAll(fd, reinterpret_cast<char*>(&header), sizeof header, 0) &&
                 headerOf(header, static_cast<std::uint64_t>(status.st_size), markers);
    if (whole) {
        storage = SnapshotStorage::owned(header.capacity);
        for (std::size_t part = 0; whole && part < kParts; ++part)
            whole = readAll(fd, partData(*storage, part), header.draws * width(part),
                            partOffset(part, header.capacity));
        // A write meanwhile may have left bytes of two files in the copy.
        whole = whole && ::fstat(fd, &afterwards) == 0 && unchanged(status, afterwards);
    }
    ::close(fd);
    if (!whole)
        return std::nullopt;
    storage->used.store(header.draws, std::memory_order_relaxed);
    const Snapshot snapshot(storage, header.draws);
    // Every column is checked once after the file was written; a file not written since (its
    // stamp) holds what was checked.
    const std::string stamp = fileStamp(status);
    if (checkedBefore(database, stamp))
        return snapshot;
    for (std::size_t part = 0; part < kParts; ++part) {
        const auto bytes = partBytes(snapshot, part, snapshot.size());
        Checksum checksum;
        const auto tail = checksum.add(bytes);
        if (checksum.lanes() != header.parts[part].lanes ||
            checksum.finish(tail, bytes.size()) != header.parts[part].sum)
            return std::nullopt;
    }
    rememberChecked(database, status, stamp);
    return snapshot;
}

void writeSnapshotCache(const std::filesystem::path& database, const FileMarkers& markers,
                        const Snapshot& snapshot) noexcept {
    const auto target = snapshotCacheFile(database);
    const auto temporary = temporaryFor(target);
    const int fd = ::open(temporary.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0644);
    if (fd < 0)
        return;
    Header header;
    header.magic = kMagic;
    header.markers = markersField(markers);
    header.draws = snapshot.size();
    header.capacity = capacityFor(snapshot.size());
    // The room after the draws is left a hole.
    bool written = ::ftruncate(fd, static_cast<off_t>(header.fileSize())) == 0;
    for (std::size_t part = 0; written && part < kParts; ++part) {
        const auto bytes = partBytes(snapshot, part, snapshot.size());
        Checksum checksum;
        const auto tail = checksum.add(bytes);
        header.parts[part] = {checksum.lanes(), checksum.finish(tail, bytes.size())};
        written = writeAll(fd, bytes.data(), bytes.size(), partOffset(part, header.capacity));
    }
    header.check = header.ownCheck();
    written = written && writeAll(fd, reinterpret_cast<const char*>(&header), sizeof header, 0);
    written = ::close(fd) == 0 && written;
    if (!written || ::rename(temporary.c_str(), target.c_str()) != 0)
        ::unlink(temporary.c_str());
}

bool carrySnapshotCache(const std::filesystem::path& database, const FileMarkers& from,
                        const FileMarkers& to, const Snapshot& appended) noexcept {
    const int fd = openRegularFile(snapshotCacheFile(database), O_RDWR);
    if (fd < 0)
        return false;
    Header header;
    struct stat status {};
    bool carried = ::fstat(fd, &status) == 0 &&
                   readAll(fd, reinterpret_cast<char*>(&header), sizeof header, 0) &&
                   headerOf(header, static_cast<std::uint64_t>(status.st_size), from) &&
                   header.draws + appended.size() == to.draws && to.draws <= header.capacity;
    // The appended draws go into the room after the draws first; until the header below is
    // written its markers are those of a state the database has left, and no load takes it.
    for (std::size_t part = 0; carried && !appended.empty() && part < kParts; ++part) {
        const std::size_t have = header.draws * width(part);
        PartCheck& check = header.parts[part];
        // The bytes after the part's last whole block, which its checksum goes on with.
        std::string bytes(have % Checksum::kBlock, '\0');
        const off_t offset = partOffset(part, header.capacity);
        carried = readAll(fd, bytes.data(), bytes.size(),
                          offset + static_cast<off_t>(have - bytes.size())) &&
                  Checksum(check.lanes).finish(bytes, have) == check.sum;
        const auto added = partBytes(appended, part, appended.size());
        bytes.append(added.data(), added.size());
        Checksum checksum(check.lanes);
        const auto tail = checksum.add(bytes);
        check = {checksum.lanes(), checksum.finish(tail, have + added.size())};
        carried =
            carried && writeAll(fd, added.data(), added.size(), offset + static_cast<off_t>(have));
    }
    // One write of the header: a reader finds the old one, whose markers no longer match the
    // database, the new one, or a torn one that fails its check.
    header.draws = to.draws;
    header.markers = markersField(to);
    header.check = header.ownCheck();
    carried = carried && writeAll(fd, reinterpret_cast<const char*>(&header), sizeof header, 0);
    return ::close(fd) == 0 && carried;
}

} // namespace yilou::history
