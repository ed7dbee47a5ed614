#include "core/atomic_file.h"

#include "core/messages.h"
#include "core/system_error_text.h"
#include "core/user_error.h"

#include <atomic>
#include <cerrno>
#include <charconv>
#include <csignal>
#include <fcntl.h>
#include <fstream>
#include <string>
#include <sys/stat.h>
#include <unistd.h>

namespace yilou::history {

namespace {

/// Distinguishes the temporary files of several writers in one process.
std::atomic<unsigned> writerCount{0};

/// Links followed before a target counts as a loop, as the system counts them.
constexpr int kMostLinks = 40;

/// Flushes a folder's entries to the disk, so that a rename in it survives a power cut.
void syncFolder(const std::filesystem::path& folder) {
    const int fd =
        ::open(folder.empty() ? "." : folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0)
        return;
    ::fsync(fd); // the file itself is complete either way
    ::close(fd);
}

/// The process of a temporary file's name ".<target>.<pid>-<n>.tmp", or 0 for other names and,
/// when `target` is given, for those of other targets.
pid_t writerOf(std::string_view name, std::string_view target) {
    if (!name.starts_with('.') || !name.ends_with(".tmp"))
        return 0;
    name.remove_suffix(4);
    const auto dot = name.rfind('.');
    const auto dash = name.rfind('-');
    if (dot == std::string_view::npos || dash == std::string_view::npos || dash < dot)
        return 0;
    if (!target.empty() && name.substr(1, dot - 1) != target)
        return 0;
    pid_t pid = 0;
    const char* end = name.data() + dash;
    const auto [ptr, error] = std::from_chars(name.data() + dot + 1, end, pid);
    return error == std::errc() && ptr == end ? pid : 0;
}

} // namespace

void removeStaleTemporaryFiles(const std::filesystem::path& folder, std::string_view target) {
    std::error_code error;
    for (std::filesystem::directory_iterator entry(folder.empty() ? "." : folder, error), end;
         !error && entry != end; entry.increment(error)) {
        const pid_t pid = writerOf(entry->path().filename().string(), target);
        if (pid <= 0 || pid == ::getpid())
            continue;
        if (::kill(pid, 0) == 0 || errno != ESRCH) // alive, or not ours to ask about
            continue;
        std::error_code ignored;
        std::filesystem::remove(entry->path(), ignored);
    }
}

std::filesystem::path replaceableFile(const std::filesystem::path& file) {
    std::filesystem::path path = file;
    for (int links = 0;; ++links) {
        struct stat status {};
        if (::lstat(path.c_str(), &status) != 0 || S_ISREG(status.st_mode))
            return path; // a new file, or one that the write's own calls will report
        if (!S_ISLNK(status.st_mode))
            throw UserError(messages::cannotWriteFile(path, messages::notARegularFile()));
        std::error_code error;
        const auto named = std::filesystem::read_symlink(path, error);
        if (links == kMostLinks || error)
            throw UserError(
                messages::cannotWriteFile(file, systemErrorText(error ? error.value() : ELOOP)));
        path = path.parent_path() / named; // an absolute link replaces the folder
    }
}

AtomicFile::AtomicFile(const std::filesystem::path& file) : path_(replaceableFile(file)) {
    const auto folder = path_.parent_path();
    const std::string name = path_.filename().string();
    removeStaleTemporaryFiles(folder, name);
    // A hidden name beside the target: the rename must not cross file systems. O_EXCL keeps
    // an existing file of that name, which a crashed writer may have left, untouched.
    int fd = -1;
    for (int attempt = 0; fd < 0 && attempt < 100; ++attempt) {
        temporary_ = folder / ("." + name + "." + std::to_string(::getpid()) + "-" +
                               std::to_string(writerCount++) + ".tmp");
        fd = ::open(temporary_.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd < 0 && errno != EEXIST)
            break;
    }
    if (fd < 0)
        fail(errno);
    const auto abandon = [&] {
        const int error = errno;
        ::close(fd);
        ::unlink(temporary_.c_str());
        fail(error);
    };
    struct stat previous {};
    if (::stat(path_.c_str(), &previous) == 0) {
        // Only root may give a file away; anyone keeps the mode, read-only included.
        [[maybe_unused]] const int owner = ::fchown(fd, previous.st_uid, previous.st_gid);
        if (::fchmod(fd, previous.st_mode & 07777) != 0)
            abandon();
    }
    file_ = ::fdopen(fd, "wb");
    if (!file_)
        abandon();
}

AtomicFile::~AtomicFile() {
    discard();
}

void AtomicFile::discard() {
    if (!file_)
        return;
    std::fclose(file_);
    file_ = nullptr;
    ::unlink(temporary_.c_str());
}

void AtomicFile::write(std::string_view text) {
    if (std::fwrite(text.data(), 1, text.size(), file_) != text.size())
        fail(errno);
}

void AtomicFile::writeAt(std::uint64_t offset, std::string_view bytes) {
    if (std::fflush(file_) != 0)
        fail(errno);
    while (!bytes.empty()) {
        const ssize_t written =
            ::pwrite(::fileno(file_), bytes.data(), bytes.size(), static_cast<off_t>(offset));
        if (written < 0) {
            if (errno == EINTR)
                continue;
            fail(errno);
        }
        bytes.remove_prefix(static_cast<std::size_t>(written));
        offset += static_cast<std::uint64_t>(written);
    }
}

void AtomicFile::close() {
    if (std::fflush(file_) != 0 || std::ferror(file_))
        fail(errno);
    if (::fsync(::fileno(file_)) != 0)
        fail(errno);
    std::FILE* file = file_;
    file_ = nullptr;
    if (std::fclose(file) != 0) {
        const int error = errno;
        ::unlink(temporary_.c_str());
        fail(error);
    }
    if (::rename(temporary_.c_str(), path_.c_str()) != 0) {
        const int error = errno;
        ::unlink(temporary_.c_str());
        fail(error);
    }
    syncFolder(path_.parent_path());
}

void AtomicFile::fail(int error) {
    discard();
    throw UserError(messages::cannotWriteFile(path_, systemErrorText(error)));
}

void copyFileWhole(const std::filesystem::path& from, const std::filesystem::path& to) {
    std::ifstream in(from, std::ios::binary);
    if (!in)
        throw UserError(messages::cannotReadFile(from, systemErrorText(errno)));
    AtomicFile out(to);
    std::string block(1 << 20, '\0');
    while (in) {
        in.read(block.data(), static_cast<std::streamsize>(block.size()));
        out.write(std::string_view(block.data(), static_cast<std::size_t>(in.gcount())));
    }
    if (in.bad())
        throw UserError(messages::cannotReadFile(from, systemErrorText(errno)));
    out.close();
}

} // namespace yilou::history
