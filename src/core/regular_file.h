#pragma once

#include <cstddef>
#include <filesystem>
#include <optional>
#include <string>

namespace yilou::history {

/// Opens `file` with the open(2) `flags` (close-on-exec added) and gives the descriptor when it
/// is a regular file; -1 when it cannot be opened or is anything else. A FIFO or a device put
/// in its place is never waited on: the open does not block and nothing is read from it.
int openRegularFile(const std::filesystem::path& file, int flags);

/// The first `most` bytes (or fewer) of `file` when it is a regular file that can be read.
std::optional<std::string> readRegularFileStart(const std::filesystem::path& file,
                                                std::size_t most);

} // namespace yilou::history
