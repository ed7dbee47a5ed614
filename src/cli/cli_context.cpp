#include "cli/cli_context.h"

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

session::Choices CliContext::choices() {
    return {settings().GsZl(), settings().SxIni(), settings().DsIni(), std::nullopt};
}

const history::Game& CliContext::game() {
    return choices().game();
}

history::AttributeRules CliContext::rules() {
    return choices().rules();
}

CliContext::~CliContext() {
    if (db_)
        history::rememberOwnChanges(*db_);
}

history::HistoryDb& CliContext::db() {
    if (!db_) {
        settings::prepareDataFolder(dataDir());
        db_ = std::make_unique<history::HistoryDb>(dataDir() / history::kDatabaseFileName);
    }
    return *db_;
}

history::HistoryDb& CliContext::dbForChange() {
    history::prepareChange(db());
    return db();
}

} // namespace yilou::cli
