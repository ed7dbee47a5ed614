#pragma once

#include "core/draw_record.h"
#include "store/history_db.h"

#include <cstddef>
#include <filesystem>

namespace yilou::history {

/// The backup file in the data folder from which the history is rebuilt.
inline constexpr const char* kBackupFileName = "lsbf.txt";

/// Writes the `count` oldest draws to dataDir/lsbf.txt, in issue order, one line each: the
/// stored issue, a blank, the five numbers in drawn order each as two digits followed by a
/// blank, and a line feed ("17081284 03 11 07 01 09 \n"). The file is complete and closed when
/// this returns; any failure is a UserError.
void writeBackupFile(HistoryDb& db, const std::filesystem::path& dataDir, std::size_t count);

/// Rebuilds the history from dataDir/lsbf.txt in one transaction, with the attributes derived
/// anew by `rules`; the lines are read as a history text file of stored draws
/// (LineRules::storedDraws), so the current game has no say in what comes back. Refuses,
/// leaving the history as it was (UserError), when the file is missing or unreadable or holds
/// a line that cannot be stored: a rebuild must not lose a draw. An empty file empties the
/// history.
void Dqzd(HistoryDb& db, const std::filesystem::path& dataDir, const AttributeRules& rules);

} // namespace yilou::history
