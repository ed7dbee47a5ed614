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

/// The header: the kind and layout of the file, the markers as text, the number of draws and
/// the checksum of everything after the header.
constexpr std::array<char, 8> kMagic{'Y', 'L', 'C', 'O', 'L', 'S', '0', '1'};
constexpr std::size_t kMarkersBytes = 128;

struct Header {
    std::array<char, 8> magic{};
    std::array<char, kMarkersBytes> markers{}; ///< FileMarkers::text(), zero-padded
    std::uint64_t draws = 0;
    std::uint64_t checksum = 0;
};

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
    std::uint64_t value() const {
        return lanes_[0] ^ lanes_[1] * 3 ^ lanes_[2] * 5 ^ lanes_[3] * 7;
    }

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
    std::array<std::uint64_t, 4> lanes_{0x243F6A8885A308D3u, 0x13198A2E03707344u,
                                        0xA4093822299F31D0u, 0x082EFA98EC4E6C89u};
};

/// The parts of a snapshot after the header, in file order: the issues, then every column.
template <typename Snap, typename Action> void forEachPart(Snap& snapshot, Action action) {
    action(std::span(reinterpret_cast<std::conditional_t<std::is_const_v<Snap>, const char, char>*>(
                         snapshot.issues.data()),
                     snapshot.issues.size() * sizeof(Issue)));
    for (auto& order : snapshot.columns)
        for (auto& letter : order)
            for (auto& column : letter)
                action(std::span(
                    reinterpret_cast<std::conditional_t<std::is_const_v<Snap>, const char, char>*>(
                        column.data()),
                    column.size()));
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

bool writeAll(int fd, const char* data, std::size_t size) {
    while (size > 0) {
        const ssize_t put = ::write(fd, data, size);
        if (put < 0 && errno == EINTR)
            continue;
        if (put <= 0)
            return false;
        data += put;
        size -= static_cast<std::size_t>(put);
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
        ::fstat(fd, &status) == 0 &&
        static_cast<std::uint64_t>(status.st_size) ==
            sizeof header + header.draws * (sizeof(Issue) + 2 * kLetterCount * 5)) {
        Snapshot snapshot;
        snapshot.resize(header.draws);
        off_t offset = sizeof header;
        bool read = true;
        Checksum checksum;
        forEachPart(snapshot, [&](std::span<char> part) {
            read = read && readAll(fd, part.data(), part.size(), offset);
            offset += static_cast<off_t>(part.size());
            checksum.add(part);
        });
        if (read && checksum.value() == header.checksum)
            out = std::move(snapshot);
    }
    ::close(fd);
    return out;
}

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
    Checksum checksum;
    forEachPart(snapshot, [&](std::span<const char> part) { checksum.add(part); });
    header.checksum = checksum.value();
    bool written = writeAll(fd, reinterpret_cast<const char*>(&header), sizeof header);
    forEachPart(snapshot, [&](std::span<const char> part) {
        written = written && writeAll(fd, part.data(), part.size());
    });
    written = ::close(fd) == 0 && written;
    if (!written || ::rename(temporary.c_str(), target.c_str()) != 0)
        ::unlink(temporary.c_str());
}

void carrySnapshotCache(const std::filesystem::path& database, const FileMarkers& from,
                        const FileMarkers& to) noexcept {
    const int fd = ::open(snapshotCacheFile(database).c_str(), O_RDWR | O_CLOEXEC);
    if (fd < 0)
        return;
    Header header;
    if (readAll(fd, reinterpret_cast<char*>(&header), sizeof header, 0) && header.magic == kMagic &&
        header.markers == markersField(from) && header.draws == to.draws) {
        // One write of a few bytes: a reader finds the old markers, which no longer match the
        // file, or the new ones.
        const auto field = markersField(to);
        [[maybe_unused]] const ssize_t written =
            ::pwrite(fd, field.data(), field.size(), offsetof(Header, markers));
    }
    ::close(fd);
}

} // namespace yilou::history
