#include "app/grid/figure_grid.h"

#include <QHeaderView>
#include <QTableView>

namespace yilou::app {

void setUpFigureGrid(QTableView* grid, QAbstractItemModel* model) {
    grid->setModel(model);
    grid->setSelectionBehavior(QAbstractItemView::SelectRows);
    grid->setSelectionMode(QAbstractItemView::SingleSelection);
    grid->setEditTriggers(QAbstractItemView::NoEditTriggers);
    grid->setAlternatingRowColors(true);
    grid->setWordWrap(false);
    grid->verticalHeader()->hide();
    grid->verticalHeader()->setDefaultSectionSize(grid->fontMetrics().height() + 4);
    grid->horizontalHeader()->setHighlightSections(false);
    grid->horizontalHeader()->setSortIndicator(0, Qt::AscendingOrder);
    grid->setSortingEnabled(true);
}

} // namespace yilou::app
