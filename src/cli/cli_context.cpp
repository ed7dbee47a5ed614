#include "cli/cli_context.h"

#include "session/game_steps.h"
#include "session/typed_input.h"
#include "settings/data_folder.h"

namespace yilou::cli {

OutputFormat CliContext::format() const {
    if (formatName == "csv")
        return OutputFormat::Csv;
    if (formatName == "json")
        return OutputFormat::Json;
    return OutputFormat::Table;
}

std::filesystem::path CliContext::dataDir() const {
    return dataDirOption.empty() ? settings::defaultDataFolder()
                                 : std::filesystem::path(dataDirOption);
}

settings::SettingsStore& CliContext::settings() {
    if (!settings_)
        settings_.emplace();
    return *settings_;
}

int CliContext::gameIndex() {
    return gameOption.empty() ? settings().GsZl() : session::parseGame(gameOption);
}

session::Choices CliContext::choices() {
    const int game = gameIndex();
    return {game, settings().SxIni(), settings().DsIni(), std::nullopt, settings().dayDraws(game)};
}

history::Game CliContext::game() {
    return choices().game();
}

history::AttributeRules CliContext::rules() {
    return choices().rules();
}

CliContext::~CliContext() {
    closeDb();
}

void CliContext::closeDb() {
    if (db_)
        history::rememberOwnChanges(*db_);
    db_.reset();
}

void CliContext::openGameHistories() {
    settings::prepareDataFolder(dataDir());
    session::useGameHistory(dataDir(), settings().GsZl());
}

history::HistoryDb& CliContext::db() {
    if (!db_) {
        openGameHistories();
        const auto folder = session::gameHistoryFolder(dataDir(), gameIndex());
        // A game's first history; a folder that cannot be made fails the open, which says so.
        std::error_code ignored;
        std::filesystem::create_directories(folder, ignored);
        db_ = std::make_unique<history::HistoryDb>(folder / history::kDatabaseFileName);
    }
    return *db_;
}

std::filesystem::path CliContext::historyDir() {
    return db().path().parent_path();
}

history::HistoryDb& CliContext::dbForChange() {
    history::prepareChange(db());
    return db();
}

} // namespace yilou::cli
