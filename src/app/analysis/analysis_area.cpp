#include "app/analysis/analysis_area.h"

#include "app/analysis/combination_panel.h"
#include "app/analysis/position_input_panel.h"
#include "app/analysis/range_panel.h"
#include "app/analysis/result_grids_panel.h"
#include "app/analysis/search_options_panel.h"
#include "app/analysis/search_panel.h"

#include <QHBoxLayout>
#include <QVBoxLayout>

namespace yilou::app {

AnalysisArea::AnalysisArea(QWidget* parent) : QWidget(parent) {
    options = new SearchOptionsPanel;
    range = new RangePanel;
    positions = new PositionInputPanel;
    search = new SearchPanel;
    combination = new CombinationPanel;
    results = new ResultGridsPanel;

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(options);
    auto* middle = new QHBoxLayout;
    middle->addWidget(positions);
    auto* right = new QVBoxLayout;
    right->addWidget(range);
    right->addWidget(search);
    middle->addLayout(right);
    middle->addStretch();
    layout->addLayout(middle);
    layout->addWidget(combination);
    layout->addWidget(results, 1);
}

} // namespace yilou::app
