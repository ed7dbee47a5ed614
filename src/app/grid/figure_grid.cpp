#include "app/grid/figure_grid.h"

#include <QFontMetrics>
#include <QHeaderView>
#include <QTableView>
#include <algorithm>

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

QString longestText(const std::vector<QList<QString>>& rows, int column) {
    QString longest;
    for (const auto& texts : rows)
        if (texts[column].size() > longest.size())
            longest = texts[column];
    return longest;
}

void fitColumnsToTexts(QTableView* grid, const std::function<QString(int)>& longestText) {
    auto* header = grid->horizontalHeader();
    const QFontMetrics metrics = grid->fontMetrics();
    for (int c = 0; c < grid->model()->columnCount(); ++c) {
        const int cells = metrics.horizontalAdvance(longestText(c)) + kFigureCellPadding;
        header->resizeSection(
            c, std::min(std::max(header->sectionSizeHint(c), cells), header->maximumSectionSize()));
    }
}

} // namespace yilou::app
