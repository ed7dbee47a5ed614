#pragma once

#include "app/dialogs/prompts.h"
#include "core/snapshot.h"
#include "session/choices.h"
#include "session/history_steps.h"
#include "settings/settings_store.h"

#include <QMainWindow>
#include <QUrl>
#include <cstdint>
#include <filesystem>
#include <functional>
#include <memory>
#include <optional>
#include <set>
#include <string>

class QLabel;
class QPushButton;

namespace yilou::session {
struct Deletion;
struct SampleHistory;
} // namespace yilou::session

namespace yilou::app {

class AnalysisArea;
class AnalysisHandlers;
class CommandBar;
class FirstStartPanel;
class HistoryEntryPanel;
class HistoryGrid;
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
    /// Changes on every change of the history other than draws appended after the newest, so
    /// that a view made before may be advanced by the appended draws (session::HeldView).
    std::uint64_t historyRevision() const { return historyRevision_; }
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
    HistoryGrid* MSFlexGrid1() const { return MSFlexGrid1_; }

    /// Refills the history grid from the snapshot and scrolls to the newest draw when long.
    void AddHaoma();
    /// Proposes the next issue in `Text1` and shows the newest stored issue in `Text4`.
    void QihaoXianshi();

    /// How addresses and files are opened with the desktop's default application; tests put
    /// their own in. Calls `failed` when no program opened it, now or once the opener has
    /// given up.
    using UrlOpener = std::function<void(const QUrl&, std::function<void()> failed)>;
    void setUrlOpener(UrlOpener opener) { openUrl_ = std::move(opener); }
    /// Today's date as the window counts it (the next issue of an empty history, the online
    /// update, the zodiac year); tests put a fixed day in, so that none depends on when it runs.
    using Clock = std::function<history::CalendarDate()>;
    void setClock(Clock clock);
    /// Opens `file` with the desktop's default application; when none opens, says where it is.
    void showFile(const std::filesystem::path& file);

    // Settings and help (menu "设置", button Command9).
    void mnu11S5_Click(int index);
    void mnuSxcs_Click(int index);
    void mnuDscs_Click(int index);
    void mnuSetDay_Click();
    /// Asks for the current game's draws per day (1..120) and saves it.
    void mnuDayDraws_Click();
    void mnuUpdateUrl_Click();
    void Command9_Click();
    void mnuFrontPage_Click();
    void mnuDescrb_Click();
    void numYanshiDown_Click();
    void mnuAbout_Click();

    // The history side (menu "历史管理" and the history buttons).
    void cmdRdLst_Click();
    void Command21_Click();
    void Command3_Click();
    void mnuErase_Click();
    void mnuDlzd_Click();
    void mnuEszhzd_Click();
    void mnuClear_Click();
    void Command4_Click();
    void MaskEdBox1_Change(int index);
    void MaskEdBox1_KeyPress(int index);
    /// Enter in box `index`: in the fifth, the draw is stored (or refused with the reason).
    void MaskEdBox1_Enter(int index);
    /// Makes the sample's game the current one and replaces its history with the sample's draws
    /// (asking first when it has draws).
    void loadSample(const session::SampleHistory& sample);

signals:
    /// The history changed (import, typed draw, deletion, rebuild, clear); the analysis side
    /// refreshes its inputs (range, reference values) from snapshot(). `restart` when it was
    /// replaced or grew as a whole (import, sample, update): the range starts again.
    void historyChanged(bool restart = false);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void buildLayout();
    void wireMenus();
    void wireHistory();
    void startUp();
    /// Makes the current game's history tabula.mdb (finishing a switch a kill interrupted) and
    /// opens it: the connection, checked before anything is written, and its snapshot. A
    /// failure leaves no connection and is shown once the window is up.
    history::Snapshot openHistory();
    void updateTitle();
    /// Saves `draws` as the current game's draws per day and proposes the next issue by it.
    void setDayDraws(int draws);
    /// Shows, once per game in a run, the notice that the newest days of the history end
    /// earlier than the game's draws per day, with a button that sets them.
    void noticeDaysEndingEarlier();
    /// Captions the entries of 彩种选择 with the draws each game's history holds.
    void updateGameMenu();
    void updateStatus();
    void saveSettings();
    void openAddress(const QUrl& address);

    /// The open history database; when it could not be opened, asks whether to set the file
    /// aside and start a new one. Null when there is none to write to.
    history::HistoryDb* writableDb();
    /// Runs a change of the history off the window's thread with a progress dialog, the history
    /// commands disabled meanwhile; `work` returns the history as it is afterwards. A failure
    /// is shown and leaves the window's picture as it was. True when the work succeeded.
    bool changeHistory(const QString& label,
                       const std::function<history::Snapshot(history::HistoryDb&)>& work,
                       bool restart = false);
    /// The same for a change that takes itself off the window's thread (behind a dialog that
    /// can stop it, say).
    bool runHistoryChange(const std::function<history::Snapshot(history::HistoryDb&)>& change,
                          bool restart = false);
    /// Shows a new history: grid, next issue, status; the analysis side refreshes its inputs
    /// (historyChanged).
    void showHistory(history::Snapshot snapshot, bool restart);
    /// The input box of the update address template, with the current one to edit; an
    /// accepted text is saved (an empty one removes the template). Nothing when cancelled.
    std::optional<std::string> askUpdateUrl();
    /// Deletes by the session's one step; a deletion it refuses because no draw would be left
    /// is asked about and, when the user agrees, run again with `whenAllGo` Delete. Reports a
    /// compaction that failed afterwards.
    void runDeletion(const session::Deletion& deletion,
                     history::WhenAllDrawsGo whenAllGo = history::WhenAllDrawsGo::Refuse);
    /// Stores the draw typed into the five boxes under the issue in Text1; a refusal is shown
    /// and leaves the boxes as typed.
    void storeTypedDraw();
    /// After a change through db_: remembers the file as checked and carries the draws into the
    /// snapshot cache once the views have been brought up to date, so that the next start or
    /// command neither checks the file again nor reads the rows.
    void rememberOwnChanges();
    bool changing_ = false; ///< a change of the history is running
    void setHistoryCommandsEnabled(bool enabled);
    void showFailure(const std::exception& error);
    /// The zodiac year of the issue in Text1 (intSxYear), or this year when Text1 holds none.
    int intSxYear() const;

    std::filesystem::path dataFolder_;
    settings::SettingsStore settings_;
    session::Choices choices_;
    std::unique_ptr<history::HistoryDb> db_;
    history::Snapshot snapshot_;
    std::uint64_t historyRevision_ = 0;
    /// Why the database could not be opened at start-up, shown once the window is up.
    std::optional<std::string> openProblem_;
    Prompts prompts_{this};
    UrlOpener openUrl_;
    Clock today_ = history::today;
    /// True from a typed draw's storing until the next key press in an entry box.
    bool bolEntryReset_ = false;

    CommandBar* commands_ = nullptr;
    HistoryEntryPanel* entry_ = nullptr;
    AnalysisArea* analysis_ = nullptr;
    MainMenus* menus_ = nullptr;
    AnalysisHandlers* analysisHandlers_ = nullptr;
    HistoryGrid* MSFlexGrid1_ = nullptr;
    /// In the grid's place while the history is empty.
    FirstStartPanel* firstStart_ = nullptr;
    QWidget* dayDrawsNotice_ = nullptr;
    QLabel* dayDrawsNoticeText_ = nullptr;
    QPushButton* dayDrawsNoticeSet_ = nullptr;
    int dayDrawsNoticed_ = 0;    ///< the ordinal the notice offers
    std::set<int> gamesNoticed_; ///< the games whose notice was shown in this run
    QLabel* status_ = nullptr;
};

} // namespace yilou::app
