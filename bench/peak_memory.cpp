#include "peak_memory.h"

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <sys/wait.h>
#include <unistd.h>

namespace yilou::bench {

namespace {

/// A "VmRSS"/"VmHWM" figure of /proc/self/status in kB, or -1.
long statusKb(const char* key) {
    std::FILE* status = std::fopen("/proc/self/status", "r");
    if (!status)
        return -1;
    char line[256];
    long value = -1;
    const std::size_t length = std::strlen(key);
    while (std::fgets(line, sizeof line, status))
        if (std::strncmp(line, key, length) == 0 && line[length] == ':')
            value = std::strtol(line + length + 1, nullptr, 10);
    std::fclose(status);
    return value;
}

} // namespace

std::optional<ChildFigures> runInChild(const std::function<void()>& work) {
    int channel[2];
    if (pipe(channel) != 0)
        return std::nullopt;
    const auto start = std::chrono::steady_clock::now();
    const pid_t child = fork();
    if (child == 0) {
        if (std::FILE* reset = std::fopen("/proc/self/clear_refs", "w")) {
            std::fputs("5", reset);
            std::fclose(reset);
        }
        long figures[2] = {statusKb("VmRSS"), 0};
        try {
            work();
        } catch (...) {
            _exit(1);
        }
        figures[1] = statusKb("VmHWM");
        const bool sent = write(channel[1], figures, sizeof figures) == sizeof figures;
        _exit(sent ? 0 : 1);
    }
    close(channel[1]);
    long figures[2] = {-1, -1};
    const bool received = read(channel[0], figures, sizeof figures) == sizeof figures;
    close(channel[0]);
    int status = 0;
    if (child < 0 || waitpid(child, &status, 0) != child || !WIFEXITED(status) ||
        WEXITSTATUS(status) != 0 || !received)
        return std::nullopt;
    const std::chrono::duration<double> elapsed = std::chrono::steady_clock::now() - start;
    return ChildFigures{elapsed.count(), static_cast<double>(figures[0]) / 1024.0,
                        static_cast<double>(figures[1]) / 1024.0};
}

} // namespace yilou::bench
