#include "store/history_lock.h"

#include "core/file_names.h"

#include <cerrno>
#include <fcntl.h>
#include <map>
#include <mutex>
#include <sys/file.h>
#include <unistd.h>

namespace yilou::history {

namespace {

namespace fs = std::filesystem;

/// The lock file's descriptor per data folder; -1 where it cannot be opened.
std::map<fs::path, int>& heldLocks() {
    static std::map<fs::path, int> locks;
    return locks;
}

std::mutex& heldLocksMutex() {
    static std::mutex mutex;
    return mutex;
}

int lockWaiting(int descriptor, int operation) {
    int result = 0;
    while ((result = ::flock(descriptor, operation)) != 0 && errno == EINTR) {
    }
    return result;
}

int openLockFile(const fs::path& dataDir) {
    const fs::path file = dataDir / kHistoriesLockFile;
    int descriptor = ::open(file.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0644);
    if (descriptor < 0)
        descriptor = ::open(file.c_str(), O_RDONLY | O_CLOEXEC);
    // Waits only while another program switches the histories.
    if (descriptor >= 0 && lockWaiting(descriptor, LOCK_SH) != 0) {
        ::close(descriptor);
        descriptor = -1;
    }
    return descriptor;
}

/// The caller holds heldLocksMutex().
int heldLock(const fs::path& dataDir) {
    std::error_code error;
    fs::path key = fs::weakly_canonical(dataDir, error);
    if (error)
        key = fs::absolute(dataDir);
    auto& locks = heldLocks();
    if (const auto found = locks.find(key); found != locks.end())
        return found->second;
    return locks[key] = openLockFile(dataDir);
}

} // namespace

void holdHistories(const fs::path& dataDir) {
    const std::lock_guard guard(heldLocksMutex());
    heldLock(dataDir);
}

bool whileHistoriesAlone(const fs::path& dataDir, const std::function<void()>& change) {
    const std::lock_guard guard(heldLocksMutex());
    const int descriptor = heldLock(dataDir);
    if (descriptor < 0) {
        change();
        return true;
    }
    const bool alone = ::flock(descriptor, LOCK_EX | LOCK_NB) == 0;
    if (alone) {
        try {
            change();
        } catch (...) {
            lockWaiting(descriptor, LOCK_SH);
            throw;
        }
    }
    // A refused conversion has dropped the shared lock too.
    lockWaiting(descriptor, LOCK_SH);
    return alone;
}

} // namespace yilou::history
