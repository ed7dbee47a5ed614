#pragma once

#include "core/games.h"
#include "core/issue.h"
#include "core/text_grid.h"

#include <array>
#include <cstddef>
#include <filesystem>
#include <optional>
#include <vector>

namespace yilou::session {

/// The draws per day in force for every game, in game order (the setting of each game).
using DrawsPerDay = std::array<int, history::kGameCount>;

/// Makes `game`'s history tabula.mdb in the data folder, first finishing a switch a kill
/// interrupted (history::chooseGameHistory): at start, before tabula.mdb is opened, and for
/// every choice of a game, with the database closed.
void useGameHistory(const std::filesystem::path& dataDir, int game);

/// The folder of `game`'s tabula.mdb and lsbf.txt: the data folder for the current game.
std::filesystem::path gameHistoryFolder(const std::filesystem::path& dataDir, int game);

/// One game's stored history, as the menu and `games` show it.
struct GameHistorySummary {
    int game = 0;
    std::size_t draws = 0;
    std::optional<history::Issue> newest;
    int drawsPerDay = 0;
    bool current = false;
    /// Why the history could not be read (a damaged file); the counts are 0 then.
    std::optional<std::string> problem;
};

/// Every game's history kept in the data folder; a game never chosen has none (0 draws). Files
/// are only read.
std::vector<GameHistorySummary> gameHistories(const std::filesystem::path& dataDir,
                                              const DrawsPerDay& drawsPerDay);

/// The summaries as a grid: 序号, 彩种, 代码, 期数, 最新期号, 每天期数, 当前.
history::TextGrid gameHistoriesGrid(const std::vector<GameHistorySummary>& summaries);

} // namespace yilou::session
