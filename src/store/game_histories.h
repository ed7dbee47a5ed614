#pragma once

#include "core/file_names.h"

#include <filesystem>
#include <functional>
#include <optional>

namespace yilou::history {

/// Called before every file step of a switch with the step's number (0, 1, …); the kill test
/// stops a switch there.
using SwitchStepHook = std::function<void(int step)>;

/// The game (0..27) whose history is tabula.mdb in `dataDir`, as the data folder records it;
/// nothing before the first start that records it.
std::optional<int> currentHistoryGame(const std::filesystem::path& dataDir);

/// Makes `game`'s history tabula.mdb in `dataDir`. First finishes a switch that a kill
/// interrupted; a data folder that records no current game yet (its first start) gives its
/// tabula.mdb to `game` and moves nothing. Otherwise the current history is put away in
/// 彩种/<code>/ and `game`'s is brought in: the database with its journal files and lsbf.txt
/// are moved, the caches beside the database (".tabula.mdb.…") are dropped to be rebuilt, and a
/// game never chosen starts empty. A journal in 彩种 records the switch first, so that a kill at
/// any step leaves every history whole and the next call finishes it. Both programs call this
/// at start, before opening tabula.mdb, and for every choice of a game, with the database
/// closed. Holds the data folder's lock shared from then on (holdHistories), and alone for a
/// switch, which waits for no one: while another program has the histories open it is refused
/// (UserError) and nothing moves; a switch a kill interrupted is not finished under another
/// program either: after a few seconds' wait the start is refused. Throws UserError when a file
/// cannot be moved; nothing is lost then.
void chooseGameHistory(const std::filesystem::path& dataDir, int game,
                       const SwitchStepHook& beforeStep = {});

/// The folder that holds `game`'s tabula.mdb and lsbf.txt: the data folder for the current game,
/// 彩种/<code>/ for any other one.
std::filesystem::path gameHistoryFolder(const std::filesystem::path& dataDir, int game);

} // namespace yilou::history
