#pragma once

#include "app/overview/view_page.h"
#include "session/play_steps.h"
#include "settings/settings_store.h"

class QComboBox;
class QLineEdit;
class QTableView;
class QTimer;

namespace yilou::app {

class PlayBoardModel;
class Prompts;

/// The page "玩法遗漏": the board of the play chosen in `cboPlay` (kept in the settings) over
/// the window's range, only the combinations holding the numbers of the 胆 box when it has
/// any, sortable by any column either way. 当前遗漏 cells at twice and three times 理论遗漏
/// are tinted, as the legend beside the controls shows. A double click on the grid exports it
/// as shown to Wanfa.xls and opens it.
class PlaysPage : public ViewPage {
    Q_OBJECT
public:
    PlaysPage(WindowInputs& inputs, const Prompts& prompts, QWidget* parent = nullptr);

    QComboBox* play() const { return play_; }
    QLineEdit* bankers() const { return bankers_; }
    QTableView* grid() const { return grid_; }
    PlayBoardModel* model() const { return model_; }

    /// Exports the grid as shown (the double click).
    void exportBoard();

protected:
    void refresh() override;

private:
    /// Shows the chosen play's board and keeps the choice in the settings.
    void choosePlay();
    /// Writes the settings to their file, after the board is up: the write waits for the disk
    /// (tens of milliseconds), and a scroll through the plays writes once.
    void saveChoice();

    const Prompts& prompts_;
    settings::SettingsStore settings_;
    QComboBox* play_;
    QLineEdit* bankers_;
    QTableView* grid_;
    PlayBoardModel* model_;
    QTimer* save_;
    session::HeldPlays held_;
};

} // namespace yilou::app
