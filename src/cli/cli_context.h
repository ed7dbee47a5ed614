#pragma once

#include "cli/output.h"
#include "core/draw_record.h"
#include "core/games.h"
#include "session/choices.h"
#include "session/history_steps.h"
#include "settings/settings_store.h"

#include <filesystem>
#include <memory>
#include <optional>
#include <ostream>
#include <string>

namespace yilou::cli {

/// The --format of `filter` alone: its tickets one a line, as betting apps take them.
inline constexpr const char* kTicketLinesFormat = "text";

/// What every command needs: the streams, the global options, the settings and the history
/// database, opened on first use.
class CliContext {
public:
    CliContext(std::ostream& out, std::ostream& err) : out(out), err(err) {}
    /// Remembers the database as checked after this program's changes (rememberOwnChanges).
    ~CliContext();
    CliContext(const CliContext&) = delete;
    CliContext& operator=(const CliContext&) = delete;

    std::ostream& out;
    std::ostream& err;
    std::string dataDirOption;
    /// --game: the game whose history the command reads and writes; empty for the current game.
    std::string gameOption;
    std::string formatName = "table";

    OutputFormat format() const;
    std::filesystem::path dataDir() const;
    settings::SettingsStore& settings();
    /// The game of --game, or the current game.
    int gameIndex();
    /// The game (that of gameIndex()) and attribute rules of the stored settings.
    session::Choices choices();
    history::Game game();
    history::AttributeRules rules();
    /// Finishes an interrupted switch of the games' histories and makes the current game's
    /// history tabula.mdb (history::chooseGameHistory); before any history is opened.
    void openGameHistories();
    /// The history database of gameIndex(), created with the folders when missing.
    history::HistoryDb& db();
    /// Closes the database (remembering this program's changes) before a switch of histories.
    void closeDb();
    /// The folder of that database, which holds its lsbf.txt.
    std::filesystem::path historyDir();
    /// The same, before a change: refused when the file is damaged (history::prepareChange).
    history::HistoryDb& dbForChange();

private:
    std::optional<settings::SettingsStore> settings_;
    std::unique_ptr<history::HistoryDb> db_;
};

} // namespace yilou::cli
