#include "app/overview/overview_page.h"

#include "app/dialogs/prompts.h"
#include "app/grid/figure_grid.h"
#include "app/overview/gap_histogram.h"
#include "app/overview/overview_model.h"
#include "app/overview/window_inputs.h"
#include "core/user_error.h"
#include "session/overview_grid.h"
#include "session/view_steps.h"

#include <QComboBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QItemSelectionModel>
#include <QLabel>
#include <QTableView>
#include <QVBoxLayout>

namespace yilou::app {

OverviewPage::OverviewPage(WindowInputs& inputs, QWidget* parent)
    : ViewPage(inputs, parent), place_(new QComboBox), grid_(new QTableView),
      model_(new OverviewModel(this)), histogram_(new GapHistogram) {
    setObjectName(QStringLiteral("overviewPage"));
    place_->setObjectName(QStringLiteral("cboOverviewPlace"));
    for (int place = analysis::kAnyPlace; place <= 5; ++place)
        place_->addItem(qs(session::placeCaption(place)), place);
    connect(place_, &QComboBox::currentIndexChanged, this, &OverviewPage::refresh);

    grid_->setObjectName(QStringLiteral("overviewGrid"));
    setUpFigureGrid(grid_, model_);
    connect(grid_->selectionModel(), &QItemSelectionModel::currentRowChanged, this,
            &OverviewPage::showSelected);

    auto* top = new QHBoxLayout;
    top->addWidget(caption(), 1);
    top->addWidget(new QLabel(QStringLiteral("位置")));
    top->addWidget(place_);
    auto* body = new QHBoxLayout;
    body->addWidget(grid_, 1);
    body->addWidget(histogram_);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(4, 4, 4, 4);
    layout->addLayout(top);
    layout->addLayout(body, 1);
}

void OverviewPage::refresh() {
    const QModelIndex current = grid_->currentIndex();
    const int shown = current.isValid() ? model_->figures(current.row()).value : -1;
    try {
        auto shown =
            session::showOverview(inputs_.snapshot(), inputs_.read(), place_->currentData().toInt(),
                                  inputs_.choices(), held_, inputs_.revision());
        caption()->setText(qs(shown.caption));
        model_->setResult(std::move(shown.result));
    } catch (const UserError& error) {
        caption()->setText(qs(error.what()));
        model_->clear();
    }
    fitColumnsToTexts(grid_, [this](int column) { return model_->longestText(column); });
    // The value in view stays selected when it is still listed.
    int row = 0;
    for (int r = 0; r < model_->rowCount(); ++r)
        if (model_->figures(r).value == shown)
            row = r;
    if (model_->rowCount() > 0)
        grid_->setCurrentIndex(model_->index(row, 0));
    showSelected();
}

void OverviewPage::showSelected() {
    const QModelIndex current = grid_->currentIndex();
    if (!current.isValid()) {
        histogram_->clear();
        return;
    }
    const auto& result = model_->result();
    const auto& figures = model_->figures(current.row());
    histogram_->setHistogram(
        QStringLiteral("遗漏分布：%1 %2")
            .arg(qs(session::overviewValueText(result.type, figures.value, result.sxIni)),
                 qs(session::placeCaption(result.place))),
        figures.histogram);
}

} // namespace yilou::app
