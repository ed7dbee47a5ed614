#pragma once

#include "app/dialogs/prompts.h"
#include "session/search_steps.h"
#include "settings/settings_store.h"

#include <QObject>
#include <array>
#include <exception>
#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace yilou::history {
class HistoryDb;
}

namespace yilou::app {

class AnalysisArea;
class frmMain;

/// The handlers of the analysis side of frmMain: the search options, the tab strip and the
/// reference issue, the two searches, the combination panel and the grouped calculation. They keep
/// the names of the controls and events they answer and the search state of the window; every rule
/// they apply is the engine's or the session layer's, and every refusal is shown with the engine's
/// message, the grids left as they were.
class AnalysisHandlers : public QObject {
    Q_OBJECT
public:
    /// Wires the analysis controls of `window` and brings them to the stored settings and the
    /// window's history.
    explicit AnalysisHandlers(frmMain& window);

    // Search options (the three option frames and the first tab's value boxes).
    void Option1_Click(int index);
    void Option2_Click(int index);
    void Option3_Click(int index);
    void Text22_LostFocus(int index);

    // The tab strip and the reference issue of the second tab.
    void TabStrip1_Click(int index);
    void YSJS();
    void Text4_LostFocus();
    /// Enter in Text4: the reference draw's values at once.
    void Text4_Enter();
    /// A click on row `row` (0 = the oldest draw) of the history grid.
    void MSFlexGrid1_Click(int row);
    void Check4_Click();
    void MaskEdBox2_Change();

    // The searches.
    void Command1_Click();
    void Command2_Click();
    void Combo1_LostFocus();

    // The combination panel and the grouped calculation.
    void Check6_Click(int index);
    void cmdZH_Click(int index);
    void Command5_Click();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void wire();
    void startUp();
    /// The window's settings or history changed: the panel and the position values follow.
    void choicesChanged();
    /// The history changed: the result grids and the reference values are emptied, then the
    /// position values and the range follow; `restart` for a history replaced or grown as a
    /// whole.
    void historyChanged(bool restart);
    /// Brings the position values up to date: from the first tab's boxes, or by YSJS on the
    /// second tab.
    void refreshPositions();
    /// Shows, captions and counts the combination boxes of the current type and game.
    void refreshPanel();
    void recount();
    /// Reads value box p of the first tab into intPosValue; an unreadable text keeps the value.
    void readValueBox(int p);
    /// Sets 起 and 止 by the range rule of 检索期选择 and 仅检索该期前 (session::rangeBoxes); an
    /// N that is not a count limits nothing, and is said when `sayProblem`.
    void applyRange(bool restart = false, bool sayProblem = false);

    bool bolManualTab() const;
    analysis::SearchType searchType() const;
    analysis::SearchRequest searchRequest() const;
    /// Runs the lost-focus handler of the box that has the focus, if one of the watched boxes.
    void leaveTypedBox();
    /// Runs a search over the current request and shows it, or shows why it was refused.
    void
    runSearch(const std::function<analysis::SearchResult(const analysis::SearchRequest&)>& search);
    /// The open history database; a window without one has no history (UserError).
    history::HistoryDb& database() const;
    void save(const std::function<void(settings::SettingsStore&)>& change);
    void showProblem(const std::exception& error) const;

    frmMain& window_;
    AnalysisArea& area_;
    settings::SettingsStore settings_;
    Prompts prompts_;

    // The search state of the window.
    bool bolZyw = true;
    bool bolLdm = true;
    int intLei = 0;
    int intZhWSetup = 2;
    std::array<int, 6> intPosValue{}; ///< indexes 1..5
    /// Why the reference issue of the second tab gave no values, while it does not.
    std::optional<std::string> referenceProblem_;
    /// The codes the combination boxes stand for (box i: entry i − 1); its size is intSelMax.
    std::vector<int> boxCodes_;
    int intSelCount = 0;
};

} // namespace yilou::app
