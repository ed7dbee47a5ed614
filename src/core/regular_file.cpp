#include "core/regular_file.h"

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace yilou::history {

int openRegularFile(const std::filesystem::path& file, int flags) {
    const int fd = ::open(file.c_str(), flags | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
    if (fd < 0)
        return -1;
    struct stat status {};
    if (::fstat(fd, &status) != 0 || !S_ISREG(status.st_mode)) {
        ::close(fd);
        return -1;
    }
    return fd;
}

std::optional<std::string> readRegularFileStart(const std::filesystem::path& file,
                                                std::size_t most) {
    const int fd = openRegularFile(file, O_RDONLY);
    if (fd < 0)
        return std::nullopt;
    std::string text(most, '\0');
    std::size_t got = 0;
    while (got < most) {
        const ssize_t read = ::read(fd, text.data() + got, most - got);
        if (read < 0 && errno == EINTR)
            continue;
        if (read < 0) {
            ::close(fd);
            return std::nullopt;
        }
        if (read == 0)
            break;
        got += static_cast<std::size_t>(read);
    }
    ::close(fd);
    text.resize(got);
    return text;
}

} // namespace yilou::history
