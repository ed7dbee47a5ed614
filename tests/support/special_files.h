#pragma once

#include <filesystem>
#include <sys/types.h>

namespace yilou::testing {

/// The files a write must never replace.
enum class SpecialFile {
    Fifo,
    Socket,
    Device, ///< a character device like /dev/null (its own node: the real one is never touched)
};

/// Creates a special file of `kind` at `file`. Returns false when the system does not allow it
/// (a device node needs root), and the caller leaves that case out.
bool makeSpecialFile(const std::filesystem::path& file, SpecialFile kind);

/// The id of a process that has ended: temporary files named after it belong to nobody.
pid_t endedProcessId();

} // namespace yilou::testing
