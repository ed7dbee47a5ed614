#include "store/snapshot_cache.h"

#include <algorithm>
#include <array>
#include <cerrno>
#include <cstddef>
#include <cstring>
#include <fcntl.h>
#include <span>
#include <string>
#include <sys/stat.h>
#include <unistd.h>

namespace yilou::history {

namespace {

/// The header: the kind and layout of the file, the markers as text, the number of draws, in how
/// many segments they follow it and the state of the checksum after the last segment. A segment
/// is its number of draws, then their issues, then every column of them; a cache is written as
/// one segment and draws appended later add one each.
constexpr std::array<char, 8> kMagic{'Y', 'L', 'C', 'O', 'L', 'S', '0', '2'};
constexpr std::size_t kMarkersBytes = 128;
/// Appends beyond this many segments are left to the next load, which writes one.
constexpr std::uint64_t kMostSegments = 64;
/// The bytes a draw takes in a segment.
constexpr std::uint64_t kDrawBytes = sizeof(Issue) + 2 * kLetterCount * 5;

/// A checksum of 64-bit words: a multiply-xor mix per word in four lanes, so that the words
/// of one lane follow each other while the lanes run side by side; a part's tail is padded with
/// zeros.
class Checksum {
public:
    void add(std::span<const char> bytes) {
        std::size_t i = 0;
        for (; i + 32 <= bytes.size(); i += 32)
            for (std::size_t lane = 0; lane < 4; ++lane)
                mix(lane, word(bytes.data() + i + 8 * lane, 8));
        for (; i < bytes.size(); i += 8)
            mix(0, word(bytes.data() + i, std::min<std::size_t>(8, bytes.size() - i)));
    }
    using Lanes = std::array<std::uint64_t, 4>;
    Checksum() = default;
    /// Goes on from the state `lanes` of a checksum of what came before.
    explicit Checksum(const Lanes& lanes) : lanes_(lanes) {}
    const Lanes& lanes() const { return lanes_; }

private:
    static std::uint64_t word(const char* bytes, std::size_t size) {
        std::uint64_t out = 0;
        std::memcpy(&out, bytes, size);
        return out;
    }
    void mix(std::size_t lane, std::uint64_t word) {
        std::uint64_t state = (lanes_[lane] ^ word) * 0x9E3779B97F4A7C15u;
        lanes_[lane] = state ^ state >> 29;
    }
    Lanes lanes_{0x243F6A8885A308D3u, 0x13198A2E03707344u, 0xA4093822299F31D0u,
                 0x082EFA98EC4E6C89u};
};

struct Header {
    std::array<char, 8> magic{};
    std::array<char, kMarkersBytes> markers{}; ///< FileMarkers::text(), zero-padded
    std::uint64_t draws = 0;
    std::uint64_t segments = 0;
    Checksum::Lanes checksum{};

    std::uint64_t fileSize() const { return sizeof(Header) + segments * 8 + draws * kDrawBytes; }
};

/// The parts of draws first .. first + count − 1 of a snapshot, in segment order: their issues,
/// then every column.
template <typename Snap, typename Action>
void forEachPart(Snap& snapshot, std::size_t first, std::size_t count, Action action) {
    using Byte = std::conditional_t<std::is_const_v<Snap>, const char, char>;
    action(
        std::span(reinterpret_cast<Byte*>(snapshot.issues.data() + first), count * sizeof(Issue)));
    for (auto& order : snapshot.columns)
        for (auto& letter : order)
            for (auto& column : letter)
                action(std::span(reinterpret_cast<Byte*>(column.data() + first), count));
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

} // namespace

std::filesystem::path snapshotCacheFile(const std::filesystem::path& database) {
    return database.parent_path() / ("." + database.filename().string() + ".columns");
}

std::optional<Snapshot> readSnapshotCache(const std::filesystem::path& database,
                                          const FileMarkers& markers) {
    const int fd = ::open(snapshotCacheFile(database).c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0)
        return std::nullopt;
    std::optional<Snapshot> out;
    Header header;
    struct stat status {};
    if (readAll(fd, reinterpret_cast<char*>(&header), sizeof header, 0) && header.magic == kMagic &&
        header.markers == markersField(markers) && header.draws == markers.draws &&
        header.segments <= kMostSegments && ::fstat(fd, &status) == 0 &&
        static_cast<std::uint64_t>(status.st_size) == header.fileSize()) {
        Snapshot snapshot;
        snapshot.resize(header.draws);
        off_t offset = sizeof header;
        bool read = true;
        Checksum checksum;
        std::uint64_t first = 0;
        for (std::uint64_t segment = 0; read && segment < header.segments; ++segment) {
            std::uint64_t count = 0;
            read = readAll(fd, reinterpret_cast<char*>(&count), sizeof count, offset) &&
                   count <= header.draws - first;
            offset += sizeof count;
            checksum.add({reinterpret_cast<const char*>(&count), sizeof count});
            if (read)
                forEachPart(snapshot, first, count, [&](std::span<char> part) {
                    read = read && readAll(fd, part.data(), part.size(), offset);
                    offset += static_cast<off_t>(part.size());
                    checksum.add(part);
                });
            first += count;
        }
        if (read && first == header.draws && checksum.lanes() == header.checksum)
            out = std::move(snapshot);
    }
    ::close(fd);
    return out;
}

namespace {

/// Writes draws first .. first + count − 1 of `snapshot` as one segment at `offset` of `fd`,
/// going on with `checksum`.
bool writeSegment(int fd, off_t offset, const Snapshot& snapshot, std::size_t first,
                  std::size_t count, Checksum& checksum) {
    const std::uint64_t size = count;
    checksum.add({reinterpret_cast<const char*>(&size), sizeof size});
    bool written = writeAll(fd, reinterpret_cast<const char*>(&size), sizeof size, offset);
    offset += sizeof size;
    forEachPart(snapshot, first, count, [&](std::span<const char> part) {
        checksum.add(part);
        written = written && writeAll(fd, part.data(), part.size(), offset);
        offset += static_cast<off_t>(part.size());
    });
    return written;
}

} // namespace

void writeSnapshotCache(const std::filesystem::path& database, const FileMarkers& markers,
                        const Snapshot& snapshot) noexcept {
    const auto target = snapshotCacheFile(database);
    // The name of a temporary file that removeStaleTemporaryFiles clears after a kill.
    const auto temporary = target.parent_path() / ("." + target.filename().string() + "." +
                                                   std::to_string(::getpid()) + "-0.tmp");
    const int fd = ::open(temporary.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
    if (fd < 0)
        return;
    Header header;
    header.magic = kMagic;
    header.markers = markersField(markers);
    header.draws = snapshot.size();
    header.segments = 1;
    Checksum checksum;
    bool written = writeSegment(fd, sizeof header, snapshot, 0, snapshot.size(), checksum);
    header.checksum = checksum.lanes();
    written = writeAll(fd, reinterpret_cast<const char*>(&header), sizeof header, 0) && written;
    written = ::close(fd) == 0 && written;
    if (!written || ::rename(temporary.c_str(), target.c_str()) != 0)
        ::unlink(temporary.c_str());
}

bool carrySnapshotCache(const std::filesystem::path& database, const FileMarkers& from,
                        const FileMarkers& to, const Snapshot& appended) noexcept {
    const int fd = ::open(snapshotCacheFile(database).c_str(), O_RDWR | O_CLOEXEC);
    if (fd < 0)
        return false;
    bool carried = false;
    Header header;
    struct stat status {};
    if (readAll(fd, reinterpret_cast<char*>(&header), sizeof header, 0) && header.magic == kMagic &&
        header.markers == markersField(from) && header.draws == from.draws &&
        header.draws + appended.size() == to.draws && ::fstat(fd, &status) == 0 &&
        static_cast<std::uint64_t>(status.st_size) == header.fileSize()) {
        bool written = true;
        if (!appended.empty()) {
            // The segment goes after the end first; until the header below is written, the
            // file's size no longer matches it, and a kill leaves a cache no load takes.
            Checksum checksum(header.checksum);
            written = header.segments < kMostSegments &&
                      writeSegment(fd, status.st_size, appended, 0, appended.size(), checksum);
            header.draws += appended.size();
            header.segments += 1;
            header.checksum = checksum.lanes();
        }
        // One write of the header: a reader finds the old one, whose markers no longer match
        // the database, or the new one.
        header.markers = markersField(to);
        carried = written && writeAll(fd, reinterpret_cast<const char*>(&header), sizeof header, 0);
    }
    return ::close(fd) == 0 && carried;
}

} // namespace yilou::history
