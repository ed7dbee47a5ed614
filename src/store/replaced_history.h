#pragma once

#include "core/snapshot.h"

#include <filesystem>

namespace yilou::history {

/// Saves `draws`, a history that is about to be replaced as a whole, to the data folder as a
/// history text file (writeHistoryText) named "替换前历史号码_YYYYMMDD-HHMMSS.txt" after this
/// machine's local time; when that name is taken, "-2", "-3" … go before ".txt", so that an
/// earlier copy is never overwritten. Returns the path; a failure is a UserError.
std::filesystem::path saveReplacedHistory(const Snapshot& draws,
                                          const std::filesystem::path& dataDir);

} // namespace yilou::history
