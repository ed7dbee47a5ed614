#pragma once

#include "core/draw_record.h"
#include "core/user_error.h"
#include "store/history_db.h"

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

/// Whether a deletion that would leave no draw may go ahead: only when the user confirmed it
/// (the command line's --yes, the window's confirmation). Every deletion, whatever it was asked
/// to delete, follows this one rule.
enum class WhenAllDrawsGo { Refuse, Delete };

/// Thrown, with nothing changed, by a deletion that would remove all `count` stored draws
/// under WhenAllDrawsGo::Refuse; the front end asks and calls again with Delete.
class DeletionEmptiesHistory : public UserError {
public:
    explicit DeletionEmptiesHistory(std::size_t count);
    std::size_t count;
};

/// What precedes every change of the history: refuses a damaged file (HistoryDb::checkIntact)
/// and removes the temporary files that killed writes of this program left beside it. The full
/// check runs only when the file's markers (FileMarkers) differ from those remembered beside it
/// (checkedMarkersFile) by the last check or by rememberOwnChanges; a check that passes
/// remembers them.
void prepareChange(HistoryDb& db);

/// Where the markers of the last check of `database` are remembered: a hidden file beside it,
/// ".tabula.mdb.checked". Deleting it only makes the next change check the file.
std::filesystem::path checkedMarkersFile(const std::filesystem::path& database);

/// After this program's changes through `db`: when the file was found intact before them and no
/// other connection has committed since, remembers its markers as checked, so that the next
/// change need not check it again; when the changes left the draws as the snapshot cache holds
/// them (grouped results stored) or appended draws after them, carries the cache over to the
/// file's new state (HistoryDb::carrySnapshotCache). Failures are ignored: at worst the next
/// change checks, the next load reads the database.
void rememberOwnChanges(HistoryDb& db) noexcept;

/// Deletes the newest draw and compacts the file. Removes nothing when the history is empty;
/// the only draw goes only under WhenAllDrawsGo::Delete.
DeletionResult deleteNewestDraw(HistoryDb& db, WhenAllDrawsGo whenAllGo = WhenAllDrawsGo::Refuse);

/// Keeps the draws up to and including `keepUpTo` and deletes the later ones: in one
/// transaction, holding the write lock from the first read on, the draws that remain are
/// written to lsbf.txt and the history is rebuilt from it (Dqzd); then the file is compacted.
/// `keepUpTo` ≤ 0 deletes nothing and touches nothing; an issue before the oldest draw
/// empties the history only under WhenAllDrawsGo::Delete.
DeletionResult deleteAfter(HistoryDb& db, Issue keepUpTo, const std::filesystem::path& dataDir,
                           const AttributeRules& rules,
                           WhenAllDrawsGo whenAllGo = WhenAllDrawsGo::Refuse);

/// Deletes the newest `count` draws the same way as deleteAfter; a count that takes them all
/// empties the history only under WhenAllDrawsGo::Delete. `count` 0 deletes nothing.
DeletionResult deleteNewestDraws(HistoryDb& db, std::size_t count,
                                 const std::filesystem::path& dataDir, const AttributeRules& rules,
                                 WhenAllDrawsGo whenAllGo = WhenAllDrawsGo::Refuse);

/// Deletes every draw, under WhenAllDrawsGo::Delete only when there are any; the file is not
/// compacted.
DeletionResult clearHistory(HistoryDb& db, WhenAllDrawsGo whenAllGo = WhenAllDrawsGo::Refuse);

/// Compacts the database file in place, so that it does not keep the space of deleted rows.
/// SQLite rebuilds the file in one transaction under its rollback journal and the locks every
/// other connection respects, so a failure or a kill leaves the file as it was and other programs
/// using the file keep working. Any failure (the file busy, the disk full) is a UserError.
void CompactDb(HistoryDb& db);

} // namespace yilou::history
