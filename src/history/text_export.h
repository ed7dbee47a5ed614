#pragma once

#include "history/snapshot.h"

#include <filesystem>

namespace yilou::history {

/// Writes the history to dataDir/"更新至<newest stored issue>期历史号码.txt", replacing a file
/// of that name: one line per draw in issue order, the ten-digit issue, a blank, the five
/// numbers in drawn order each as two digits followed by a blank, and CR LF. Returns the path.
/// An empty history writes no file (UserError).
std::filesystem::path exportHistoryText(const Snapshot& snapshot,
                                        const std::filesystem::path& dataDir);

/// Writes the same text to `target` as well, whole or not at all. Refuses (UserError, nothing
/// written) a target that is the database file of `dataDir`, one of its journal files or the
/// backup file lsbf.txt, under whatever path or link it is named.
void exportHistoryTextTo(const Snapshot& snapshot, const std::filesystem::path& target,
                         const std::filesystem::path& dataDir);

} // namespace yilou::history
