#pragma once

#include "app/dialogs/prompts.h"
#include "app/settings/settings_store.h"
#include "history/history_db.h"
#include "history/snapshot.h"
#include "session/choices.h"

#include <QMainWindow>
#include <filesystem>
#include <memory>
#include <optional>
#include <string>

class QLabel;

namespace yilou::app {

class AnalysisArea;
class AnalysisHandlers;
class CommandBar;
class FlexGrid;
class GridModel;
class HistoryEntryPanel;
class MainMenus;

/// The main window. It holds the open history and the settings of this run, builds the panels
/// and wires their controls to the handlers, which keep the names of the controls and events
/// they answer (`cmdRdLst_Click`, `mnu11S5_Click` …) and leave every rule to the engine and
/// the session layer.
class frmMain : public QMainWindow {
    Q_OBJECT
public:
    explicit frmMain(const std::filesystem::path& dataFolder, QWidget* parent = nullptr);
    ~frmMain() override;

    /// The history as the window shows it (one snapshot, in issue order).
    const history::Snapshot& snapshot() const { return snapshot_; }
    /// The settings in force: game, zodiac and segment bases.
    const session::Choices& choices() const { return choices_; }
    const std::filesystem::path& dataFolder() const { return dataFolder_; }
    /// The open history database; null when it could not be opened.
    history::HistoryDb* database() const { return db_.get(); }

    // The panels, for the handlers of the analysis side and for tests.
    CommandBar* commands() const { return commands_; }
    HistoryEntryPanel* entry() const { return entry_; }
    AnalysisArea* analysis() const { return analysis_; }
    MainMenus* menus() const { return menus_; }
    FlexGrid* MSFlexGrid1() const { return MSFlexGrid1_; }

    /// Refills the history grid from the snapshot and scrolls to the newest draw when long.
    void AddHaoma();
    /// Proposes the next issue in `Text1` and shows the newest stored issue in `Text4`.
    void QihaoXianshi();

signals:
    /// The history changed (import, typed draw, deletion, rebuild, clear); the analysis side
    /// refreshes its inputs (range, reference values) from snapshot().
    void historyChanged();

private:
    void buildLayout();
    void wireMenus();
    void startUp();
    void updateTitle();
    void updateStatus();

    // Placeholders of commands that come with their own features.
    void Command21_Click();
    void mnuDcls_Click();

    std::filesystem::path dataFolder_;
    SettingsStore settings_;
    session::Choices choices_;
    std::unique_ptr<history::HistoryDb> db_;
    history::Snapshot snapshot_;
    /// Why the database could not be opened at start-up, shown once the window is up.
    std::optional<std::string> openProblem_;
    Prompts prompts_{this};

    CommandBar* commands_ = nullptr;
    HistoryEntryPanel* entry_ = nullptr;
    AnalysisArea* analysis_ = nullptr;
    MainMenus* menus_ = nullptr;
    AnalysisHandlers* analysisHandlers_ = nullptr;
    GridModel* historyModel_ = nullptr;
    FlexGrid* MSFlexGrid1_ = nullptr;
    QLabel* status_ = nullptr;
};

} // namespace yilou::app
