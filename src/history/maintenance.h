#pragma once

#include "history/draw_record.h"
#include "history/games.h"
#include "history/history_db.h"

#include <cstddef>
#include <filesystem>
#include <optional>
#include <string>

namespace yilou::history {

/// What a deletion did. The draws are deleted and committed before the file is compacted, so
/// a compaction that fails does not undo them; it is reported beside them.
struct DeletionResult {
    std::size_t removed = 0;
    /// Why the file could not be compacted afterwards, ready to show as a warning.
    std::optional<std::string> compactionProblem;
};

/// Deletes the newest draw and compacts the file. Removes nothing when the history is empty.
DeletionResult deleteNewestDraw(HistoryDb& db);

/// Keeps the draws up to and including `keepUpTo` and deletes the later ones: in one
/// transaction, holding the write lock from the first read on, the draws that remain are
/// written to lsbf.txt and the history is rebuilt from it (Dqzd); then the file is compacted.
/// `keepUpTo` ≤ 0 deletes nothing and touches nothing.
DeletionResult deleteAfter(HistoryDb& db, Issue keepUpTo, const std::filesystem::path& dataDir,
                           const Game& game, const AttributeRules& rules);

/// Deletes the newest `count` draws (all of them when the history is shorter) the same way as
/// deleteAfter. `count` 0 deletes nothing.
DeletionResult deleteNewestDraws(HistoryDb& db, std::size_t count,
                                 const std::filesystem::path& dataDir, const Game& game,
                                 const AttributeRules& rules);

/// Compacts the database file in place, so that it does not keep the space of deleted rows.
/// SQLite rebuilds the file in one transaction under its rollback journal and the locks every
/// other connection respects, so a failure or a kill leaves the file as it was and other programs
/// using the file keep working. Any failure (the file busy, the disk full) is a UserError.
void CompactDb(HistoryDb& db);

} // namespace yilou::history
