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
    std::string formatName = "table";

    OutputFormat format() const;
    std::filesystem::path dataDir() const;
    settings::SettingsStore& settings();
    /// The game and attribute rules of the stored settings.
    session::Choices choices();
    const history::Game& game();
    history::AttributeRules rules();
    /// The history database of the data folder, created with the folder when missing.
    history::HistoryDb& db();
    /// The same, before a change: refused when the file is damaged (history::prepareChange).
    history::HistoryDb& dbForChange();

private:
    std::optional<settings::SettingsStore> settings_;
    std::unique_ptr<history::HistoryDb> db_;
};

} // namespace yilou::cli
