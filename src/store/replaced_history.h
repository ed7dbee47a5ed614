#pragma once

#include "core/snapshot.h"
#include "store/history_db.h"

#include <filesystem>

namespace yilou::history {

/// Saves `draws`, a history that is about to be replaced as a whole, to the data folder as a
/// history text file (writeHistoryText) named "替换前历史号码_YYYYMMDD-HHMMSS.txt" after this
/// machine's local time; when that name is taken, "-2", "-3" … go before ".txt", so that an
/// earlier copy is never overwritten. Returns the path; a failure is a UserError.
std::filesystem::path saveReplacedHistory(const Snapshot& draws,
                                          const std::filesystem::path& dataDir);

/// The history saved before it was replaced.
struct ReplacedHistory {
    std::size_t draws = 0;      ///< how many draws it held
    std::filesystem::path file; ///< where they were saved; empty when there were none
};

/// Saves the draws `db` holds (saveReplacedHistory) before a step replaces them all; an empty
/// history is not saved. A copy that cannot be written is a UserError saying that the history
/// was left as it was, so that no draw is replaced without its copy.
ReplacedHistory saveHistoryBeforeReplacing(HistoryDb& db, const std::filesystem::path& dataDir);

} // namespace yilou::history
