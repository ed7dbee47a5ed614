#include "app/analysis/result_grids_panel.h"

#include "app/dialogs/prompts.h"
#include "app/grid/flex_grid.h"
#include "app/grid/grid_model.h"
#include "session/grid_text.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QScrollBar>
#include <QSplitter>
#include <algorithm>
#include <memory>

namespace yilou::app {

namespace {

template <typename Grid> QStringList headersOf() {
    QStringList headers;
    for (const auto& header : Grid::headers())
        headers << qs(header);
    return headers;
}

/// `textOf(*data)`, holding `data` for as long as the text grid lives.
template <typename Data, typename TextOf>
history::TextGrid keeping(std::shared_ptr<const Data> data, TextOf textOf) {
    history::TextGrid grid = textOf(*data);
    grid.cells = [data, cells = std::move(grid.cells)](
                     std::size_t row, std::vector<std::string>& texts) { cells(row, texts); };
    return grid;
}

/// The width that shows all `columns` of `grid` beside its scroll bar.
int columnsWidth(const FlexGrid* grid, int columns) {
    int width = grid->verticalScrollBar()->sizeHint().width() + 4;
    for (int c = 0; c < columns; ++c)
        width += grid->columnWidth(c);
    return width;
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
    // The detail grid keeps the width of its columns; the result grid, whose texts (groups,
    // ratios) are the longer ones, takes the rest.
    const int detailWidth = columnsWidth(MSFlexGrid2, session::SearchGrid::kColumns);
    splitter->setSizes({detailWidth, detailWidth});
    // The result grid is never narrower than its columns (大后比 is the last), on a small
    // screen the detail grid scrolls instead.
    MSFlexGrid3->setMinimumWidth(columnsWidth(MSFlexGrid3, session::ResultGrid::kColumns));
    splitter->setStretchFactor(0, 0);
    splitter->setStretchFactor(1, 1);
    layout->addWidget(splitter);
    connect(MSFlexGrid3, &FlexGrid::columnClicked, this, &ResultGridsPanel::sortResults);
    clear();
}

void ResultGridsPanel::clear() {
    searchModel->clear();
    resultModel->clear();
    groups_.reset();
    sortColumn_ = -1;
    markOrder();
    searchText_ =
        keeping(std::make_shared<const analysis::SearchResult>(), session::searchTextGrid);
    resultText_ =
        keeping(std::make_shared<const std::vector<history::YlRow>>(), session::ylTextGrid);
}

void ResultGridsPanel::showSearch(analysis::SearchResult result) {
    // The models keep the result; cells are written when the view shows them.
    auto kept = std::make_shared<const analysis::SearchResult>(std::move(result));
    searchModel->reset(static_cast<int>(kept->hits.size()), [kept](int row, int column) {
        return qs(session::SearchGrid::cell(*kept, static_cast<std::size_t>(row), column));
    });
    resultModel->reset(1, [kept](int, int column) {
        return qs(session::ResultGrid::cell(kept->summary, column));
    });
    groups_.reset();
    sortColumn_ = -1;
    markOrder();
    searchText_ = keeping(kept, session::searchTextGrid);
    resultText_ = keeping(kept, [](const analysis::SearchResult& result) {
        return session::summaryTextGrid(result.summary);
    });
    emit shown();
}

void ResultGridsPanel::showGroups(std::vector<history::YlRow> rows, history::YlSortColumn order) {
    sortColumn_ = static_cast<int>(order);
    descending_ = false;
    showGroupRows(std::move(rows));
    // Room for the indicator beside each header's text.
    auto* header = MSFlexGrid3->horizontalHeader();
    for (int c = 0; c < session::ResultGrid::kColumns; ++c)
        MSFlexGrid3->setColumnWidth(
            c, std::max(MSFlexGrid3->columnWidth(c), header->sectionSizeHint(c)));
    emit shown();
}

void ResultGridsPanel::sortResults(int column) {
    descending_ = column == sortColumn_ && !descending_;
    sortColumn_ = column;
    if (groups_)
        showGroupRows(
            session::sortGroups(*groups_, static_cast<history::YlSortColumn>(column), descending_));
    else
        markOrder(); // one summary row: its order is all there is to show
}

void ResultGridsPanel::showGroupRows(std::vector<history::YlRow> rows) {
    auto kept = std::make_shared<const std::vector<history::YlRow>>(std::move(rows));
    resultModel->reset(static_cast<int>(kept->size()), [kept](int row, int column) {
        return qs(session::ResultGrid::cell((*kept)[static_cast<std::size_t>(row)], column));
    });
    resultText_ = keeping(kept, session::ylTextGrid);
    groups_ = std::move(kept);
    markOrder();
}

void ResultGridsPanel::markOrder() {
    auto* header = MSFlexGrid3->horizontalHeader();
    header->setSortIndicatorShown(sortColumn_ >= 0);
    if (sortColumn_ >= 0)
        header->setSortIndicator(sortColumn_,
                                 descending_ ? Qt::DescendingOrder : Qt::AscendingOrder);
}

} // namespace yilou::app
