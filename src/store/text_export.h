#pragma once

#include "core/snapshot.h"

#include <filesystem>

namespace yilou::history {

/// Writes the history to dataDir/"更新至<newest stored issue>期历史号码.txt", replacing a file
/// of that name: one line per draw in issue order, the ten-digit issue, a blank, the five
/// numbers in drawn order each as two digits followed by a blank, and CR LF. Returns the path.
/// An empty history writes no file (UserError).
std::filesystem::path exportHistoryText(const Snapshot& snapshot,
                                        const std::filesystem::path& dataDir);

} // namespace yilou::history
