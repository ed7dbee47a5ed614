#pragma once

#include <csignal>
#include <cstdint>
#include <sys/resource.h>

namespace yilou::testing {

/// While alive, no file of this process can grow beyond `bytes`: a write past it fails (EFBIG)
/// the way a write to a full disk fails, part-way through.
class FileSizeLimit {
public:
    explicit FileSizeLimit(std::uint64_t bytes) {
        getrlimit(RLIMIT_FSIZE, &previous_);
        // By default the signal of an oversized write ends the process; the write's error
        // is what is being tested.
        previousHandler_ = std::signal(SIGXFSZ, SIG_IGN);
        rlimit limit = previous_;
        limit.rlim_cur = static_cast<rlim_t>(bytes);
        setrlimit(RLIMIT_FSIZE, &limit);
    }
    ~FileSizeLimit() {
        setrlimit(RLIMIT_FSIZE, &previous_);
        std::signal(SIGXFSZ, previousHandler_);
    }
    FileSizeLimit(const FileSizeLimit&) = delete;
    FileSizeLimit& operator=(const FileSizeLimit&) = delete;

private:
    rlimit previous_{};
    void (*previousHandler_)(int) = nullptr;
};

} // namespace yilou::testing
