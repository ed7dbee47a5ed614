#include "app/analysis/result_grids_panel.h"

#include "app/dialogs/prompts.h"
#include "app/grid/flex_grid.h"
#include "app/grid/grid_model.h"
#include "session/grid_text.h"

#include <QHBoxLayout>
#include <QSplitter>

namespace yilou::app {

namespace {

template <typename Grid> QStringList headersOf() {
    QStringList headers;
    for (const auto& header : Grid::headers())
        headers << qs(header);
    return headers;
}

} // namespace

ResultGridsPanel::ResultGridsPanel(QWidget* parent) : QWidget(parent) {
    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    searchModel = new GridModel(headersOf<session::SearchGrid>(), this);
    resultModel = new GridModel(headersOf<session::ResultGrid>(), this);
    resultModel->setTextColumns({0});
    MSFlexGrid2 = new FlexGrid(QStringLiteral("MSFlexGrid2"), searchModel);
    MSFlexGrid2->setToolTip(QStringLiteral("鼠标双击列表可以将列表导出到EXCEL"));
    MSFlexGrid2->setTwipsWidths(session::SearchGrid::kWidths);
    MSFlexGrid3 = new FlexGrid(QStringLiteral("MSFlexGrid3"), resultModel);
    MSFlexGrid3->setTwipsWidths(session::ResultGrid::kWidths);
    splitter = new QSplitter(Qt::Horizontal);
    splitter->addWidget(MSFlexGrid2);
    splitter->addWidget(MSFlexGrid3);
    splitter->setStretchFactor(0, 3);
    splitter->setStretchFactor(1, 2);
    layout->addWidget(splitter);
}

} // namespace yilou::app
