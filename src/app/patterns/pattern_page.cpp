#include "app/patterns/pattern_page.h"

#include "app/analysis/result_grids_panel.h"
#include "app/dialogs/prompts.h"
#include "app/grid/figure_grid.h"
#include "app/overview/overview_model.h"
#include "app/overview/window_inputs.h"
#include "app/patterns/pattern_trend_page.h"
#include "core/user_error.h"
#include "session/messages.h"
#include "session/pattern_steps.h"

#include <QComboBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QSplitter>
#include <QStyle>
#include <QTableView>
#include <QVBoxLayout>
#include <algorithm>

namespace yilou::app {

namespace {

/// The least height at which the overview stands above the chart.
constexpr int kStackedHeight = 520;

QList<QString> qTexts(const auto& texts) {
    QList<QString> list;
    for (const auto& text : texts)
        list << qs(text);
    return list;
}

} // namespace

PatternPage::PatternPage(WindowInputs& inputs, const Prompts& prompts, ResultGridsPanel& results,
                         QWidget* parent)
    : ViewPage(inputs, parent), results_(results), pattern_(new QComboBox), grid_(new QTableView),
      model_(new OverviewModel(this)), trend_(new PatternTrendPage(inputs, prompts, *pattern_)),
      splitter_(new QSplitter(Qt::Horizontal)) {
    setObjectName(QStringLiteral("patternPage"));
    pattern_->setObjectName(QStringLiteral("cboPattern"));
    for (int p = 0; p < analysis::kPatternCount; ++p)
        pattern_->addItem(qs(messages::patternName(static_cast<analysis::Pattern>(p))), p);
    connect(pattern_, &QComboBox::currentIndexChanged, this, &PatternPage::refresh);

    grid_->setObjectName(QStringLiteral("patternGrid"));
    setUpFigureGrid(grid_, model_);
    grid_->setToolTip(QStringLiteral("单击一行，在检索结果中列出该值出现的各期"));
    connect(grid_, &QTableView::clicked, this, &PatternPage::showValueDraws);

    // One row of controls over both: the pattern, then the chart's (N, toggles, picture).
    auto* top = new QHBoxLayout;
    top->addWidget(new QLabel(QStringLiteral("形态")));
    top->addWidget(pattern_);
    top->addSpacing(12);
    QLayout* chartControls = trend_->layout()->takeAt(0)->layout();
    chartControls->setParent(nullptr);
    top->addLayout(chartControls, 1);
    auto* overview = new QWidget;
    auto* overviewLayout = new QVBoxLayout(overview);
    overviewLayout->setContentsMargins(0, 0, 0, 0);
    overviewLayout->addWidget(caption());
    overviewLayout->addWidget(grid_, 1);
    trend_->layout()->setContentsMargins(0, 0, 0, 0);
    splitter_->addWidget(overview);
    splitter_->addWidget(trend_);
    splitter_->setChildrenCollapsible(false);
    connect(splitter_, &QSplitter::splitterMoved, this, [this] { splitMoved_ = true; });
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(4, 4, 4, 4);
    layout->addLayout(top);
    layout->addWidget(splitter_, 1);
}

void PatternPage::resizeEvent(QResizeEvent* event) {
    ViewPage::resizeEvent(event);
    // The overview above the chart when both have room for some rows, else beside it.
    const auto orientation = height() >= kStackedHeight ? Qt::Vertical : Qt::Horizontal;
    if (splitter_->orientation() != orientation) {
        splitter_->setOrientation(orientation);
        splitter_->setSizes({2, 3});
    }
    fitSplit();
}

void PatternPage::fitSplit() {
    if (splitMoved_ || splitter_->orientation() != Qt::Horizontal)
        return;
    constexpr int kRatio = static_cast<int>(session::OverviewColumn::Ratio);
    const auto* header = grid_->horizontalHeader();
    const int columns = header->sectionPosition(kRatio) + header->sectionSize(kRatio) +
                        2 * grid_->frameWidth() +
                        grid_->style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, grid_);
    const int room = splitter_->width() - splitter_->handleWidth();
    const int overview = std::min(columns, room * 3 / 5);
    splitter_->setSizes({overview, room - overview});
}

void PatternPage::refresh() {
    const auto pattern = static_cast<analysis::Pattern>(pattern_->currentData().toInt());
    try {
        highestNumber_ = inputs_.choices().game().highestNumber;
        auto shown = session::patternOverviewView(inputs_.snapshot(), pattern, inputs_.range(),
                                                  highestNumber_, held_, inputs_.revision());
        caption()->setText(captionWithWarnings(shown.caption, shown.warnings));
        std::vector<QList<QString>> texts;
        for (const auto& cells : shown.cells)
            texts.push_back(qTexts(cells));
        overview_ = std::move(shown.overview);
        model_->setRows(overview_.rows, qTexts(shown.headers), std::move(texts));
    } catch (const UserError& error) {
        caption()->setText(qs(error.what()));
        overview_ = {};
        model_->setRows({}, qTexts(session::patternOverviewHeaders(pattern)), {});
    }
    fitColumnsToTexts(grid_, [this](int column) { return model_->longestText(column); });
    fitSplit();
}

void PatternPage::showValueDraws(const QModelIndex& index) {
    if (!index.isValid())
        return;
    results_.showSearch(session::patternValueSearch(
        inputs_.snapshot(), overview_, model_->figures(index.row()).value, highestNumber_));
}

} // namespace yilou::app
