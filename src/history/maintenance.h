#pragma once

#include "history/draw_record.h"
#include "history/games.h"
#include "history/history_db.h"

#include <cstddef>
#include <filesystem>

namespace yilou::history {

/// The name of the compacted copy while the database file is being compacted.
inline constexpr const char* kCompactCopyFileName = "tabulaTmp.mdb";

/// Deletes the newest draw and compacts the file. False when the history is empty.
bool deleteNewestDraw(HistoryDb& db);

/// Keeps the draws up to and including `keepUpTo` and deletes the later ones: the draws that
/// remain are written to lsbf.txt, the history is rebuilt from it (Dqzd) and the file is
/// compacted. `keepUpTo` ≤ 0 deletes nothing and touches nothing. Returns the draws removed.
std::size_t deleteAfter(HistoryDb& db, Issue keepUpTo, const std::filesystem::path& dataDir,
                        const Game& game, const AttributeRules& rules);

/// Deletes the newest `count` draws (all of them when the history is shorter) the same way as
/// deleteAfter. `count` 0 deletes nothing. Returns the draws removed.
std::size_t deleteNewestDraws(HistoryDb& db, std::size_t count,
                              const std::filesystem::path& dataDir, const Game& game,
                              const AttributeRules& rules);

/// Compacts the database file, so that it does not keep the space of deleted rows: the
/// database is copied compactly to tabulaTmp.mdb in the same folder, the copy is checked and
/// flushed to disk, and one rename puts it in place of tabula.mdb. On any failure the original
/// file stays as it was and a UserError says so. The connection of `db` is reopened.
void CompactDb(HistoryDb& db);

} // namespace yilou::history
