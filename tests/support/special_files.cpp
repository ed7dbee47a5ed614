#include "support/special_files.h"

#include <cstring>
#include <stdexcept>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <sys/un.h>
#include <sys/wait.h>
#include <unistd.h>

namespace yilou::testing {

bool makeSpecialFile(const std::filesystem::path& file, SpecialFile kind) {
    switch (kind) {
    case SpecialFile::Fifo:
        return ::mkfifo(file.c_str(), 0644) == 0;
    case SpecialFile::Socket: {
        sockaddr_un address{};
        address.sun_family = AF_UNIX;
        if (file.native().size() >= sizeof address.sun_path)
            throw std::runtime_error("socket path too long: " + file.string());
        std::strcpy(address.sun_path, file.c_str());
        const int fd = ::socket(AF_UNIX, SOCK_STREAM, 0);
        const bool bound =
            fd >= 0 && ::bind(fd, reinterpret_cast<sockaddr*>(&address), sizeof address) == 0;
        ::close(fd); // the socket file stays
        return bound;
    }
    case SpecialFile::Device:
        break;
    }
    return ::mknod(file.c_str(), S_IFCHR | 0666, makedev(1, 3)) == 0;
}

pid_t endedProcessId() {
    const pid_t child = ::fork();
    if (child < 0)
        throw std::runtime_error("cannot fork");
    if (child == 0)
        ::_exit(0);
    ::waitpid(child, nullptr, 0);
    return child;
}

} // namespace yilou::testing
