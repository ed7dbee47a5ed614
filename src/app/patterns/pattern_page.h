#pragma once

#include "app/overview/view_page.h"
#include "session/pattern_steps.h"

class QComboBox;
class QModelIndex;
class QSplitter;
class QTableView;

namespace yilou::app {

class OverviewModel;
class PatternTrendPage;
class Prompts;
class ResultGridsPanel;

/// The page "形态走势": the pattern chosen in `cboPattern`, its overview over the window's range
/// (sortable by any column) above its trend chart. Clicking a value's row lists the draws of
/// the range that have it in the result grids, as a search does, with its figures beside them.
class PatternPage : public ViewPage {
    Q_OBJECT
public:
    PatternPage(WindowInputs& inputs, const Prompts& prompts, ResultGridsPanel& results,
                QWidget* parent = nullptr);

    QComboBox* pattern() const { return pattern_; }
    QTableView* grid() const { return grid_; }
    OverviewModel* model() const { return model_; }
    PatternTrendPage* trend() const { return trend_; }

    /// Lists the draws of the value in grid row `index` in the result grids.
    void showValueDraws(const QModelIndex& index);

protected:
    void refresh() override;
    void resizeEvent(QResizeEvent* event) override;

private:
    /// Beside the chart, the overview is given the width of its columns up to 大后比 (three
    /// fifths of the page at most), until the player moves the divider.
    void fitSplit();

    ResultGridsPanel& results_;
    QComboBox* pattern_;
    QTableView* grid_;
    OverviewModel* model_;
    PatternTrendPage* trend_;
    QSplitter* splitter_;
    analysis::PatternOverview overview_;
    int highestNumber_ = 11;
    session::HeldPatterns held_;
    bool splitMoved_ = false;
};

} // namespace yilou::app
