#pragma once

#include "core/snapshot.h"

#include <filesystem>

namespace yilou::history {

/// Writes the draws of `snapshot` to `file` as a whole (AtomicFile), replacing it: one line
/// per draw in issue order, the ten-digit issue, a blank, the five numbers in drawn order each
/// as two digits followed by a blank, and CR LF. A history text file that an import reads back.
void writeHistoryText(const Snapshot& snapshot, const std::filesystem::path& file);

/// Writes the history to dataDir/"更新至<newest stored issue>期历史号码.txt" (writeHistoryText).
/// Returns the path. An empty history writes no file (UserError).
std::filesystem::path exportHistoryText(const Snapshot& snapshot,
                                        const std::filesystem::path& dataDir);

} // namespace yilou::history
