#pragma once

#include "app/overview/view_page.h"
#include "session/view_steps.h"

class QComboBox;
class QTableView;

namespace yilou::app {

class GapHistogram;
class OverviewModel;

/// The page "遗漏总览": the overview of every value of the window's search type at the place
/// chosen in `cboOverviewPlace` (任意位, 第1位 … 第5位), sortable by any column, with the gap
/// histogram of the selected value beside it.
class OverviewPage : public ViewPage {
    Q_OBJECT
public:
    OverviewPage(WindowInputs& inputs, QWidget* parent = nullptr);

    QComboBox* place() const { return place_; }
    QTableView* grid() const { return grid_; }
    OverviewModel* model() const { return model_; }
    GapHistogram* histogram() const { return histogram_; }

protected:
    void refresh() override;

private:
    /// Shows the histogram of the selected row.
    void showSelected();

    QComboBox* place_;
    QTableView* grid_;
    OverviewModel* model_;
    GapHistogram* histogram_;
    session::HeldOverview held_;
};

} // namespace yilou::app
