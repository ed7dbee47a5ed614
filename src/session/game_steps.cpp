#include "session/game_steps.h"

#include "core/user_error.h"
#include "session/messages.h"
#include "store/game_histories.h"
#include "store/history_db.h"

namespace yilou::session {

void useGameHistory(const std::filesystem::path& dataDir, int game) {
    history::chooseGameHistory(dataDir, game);
}

std::filesystem::path gameHistoryFolder(const std::filesystem::path& dataDir, int game) {
    return history::gameHistoryFolder(dataDir, game);
}

std::vector<GameHistorySummary> gameHistories(const std::filesystem::path& dataDir,
                                              const DrawsPerDay& drawsPerDay) {
    const auto current = history::currentHistoryGame(dataDir);
    std::vector<GameHistorySummary> summaries;
    for (int game = 0; game < history::kGameCount; ++game) {
        GameHistorySummary summary{game,        0, std::nullopt, drawsPerDay[game], current == game,
                                   std::nullopt};
        const auto file = history::gameHistoryFolder(dataDir, game) / history::kDatabaseFileName;
        if (std::filesystem::exists(file)) {
            try {
                history::HistoryDb db(file);
                summary.draws = db.drawCount();
                summary.newest = db.newestIssue();
            } catch (const UserError& error) {
                summary.problem = error.what();
            }
        }
        summaries.push_back(std::move(summary));
    }
    return summaries;
}

history::TextGrid gameHistoriesGrid(const std::vector<GameHistorySummary>& summaries) {
    history::TextGrid grid;
    grid.rows = summaries.size() + 1;
    grid.columns = 7;
    grid.cells = [&summaries](std::size_t row, std::vector<std::string>& cells) {
        if (row == 0) {
            cells.assign(messages::kGameHistoriesHeaders.begin(),
                         messages::kGameHistoriesHeaders.end());
            return;
        }
        const auto& summary = summaries[row - 1];
        const auto& game = history::gameAt(summary.game);
        cells = {std::to_string(summary.game),
                 std::string(game.name),
                 game.gameCode(),
                 summary.problem ? std::string(messages::kUnreadable)
                                 : std::to_string(summary.draws),
                 summary.newest ? history::issueText(*summary.newest) : std::string(),
                 std::to_string(summary.drawsPerDay),
                 summary.current ? std::string(messages::kCurrentGameMark) : std::string()};
    };
    return grid;
}

} // namespace yilou::session
