#include "app/grid/flex_grid.h"

#include "app/grid/grid_model.h"

#include <QContextMenuEvent>
#include <QHeaderView>
#include <QScrollBar>

namespace yilou::app {

FlexGrid::FlexGrid(const QString& name, GridModel* model, QWidget* parent)
    : QTableView(parent), model_(model) {
    setObjectName(name);
    setModel(model);
    setVerticalScrollMode(ScrollPerItem);
    setSelectionBehavior(SelectRows);
    setSelectionMode(SingleSelection);
    setEditTriggers(NoEditTriggers);
    setWordWrap(false);
    setAlternatingRowColors(true);
    verticalHeader()->hide();
    verticalHeader()->setDefaultSectionSize(fontMetrics().height() + 4);
    verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    horizontalHeader()->setHighlightSections(false);
    horizontalHeader()->setStretchLastSection(true);
    horizontalHeader()->setSectionsClickable(true);
    connect(horizontalHeader(), &QHeaderView::sectionClicked, this, &FlexGrid::columnClicked);
}

void FlexGrid::setTwipsWidths(std::span<const int> twips) {
    const double scale = logicalDpiX() / 96.0;
    for (std::size_t c = 0; c < twips.size(); ++c)
        setColumnWidth(static_cast<int>(c), static_cast<int>(twipsToPixels(twips[c]) * scale));
}

int FlexGrid::rows() const {
    return model_->gridRows();
}

int FlexGrid::topRow() const {
    return verticalScrollBar()->value() + 1;
}

void FlexGrid::setTopRow(int row) {
    verticalScrollBar()->setValue(row - 1);
}

void FlexGrid::scrollRows(int rows) {
    verticalScrollBar()->setValue(verticalScrollBar()->value() + rows);
}

void FlexGrid::showNewestWhenLong() {
    if (rows() <= 39)
        return;
    newestPending_ = !isVisible();
    // After a reset the rows are laid out later, and until then the scroll range is the old
    // grid's: lay them out now so that the newest row can be reached.
    executeDelayedItemsLayout();
    setTopRow(rows() - 1);
    followsEnd_ = true;
}

void FlexGrid::updateGeometries() {
    QScrollBar* bar = verticalScrollBar();
    // A grid that shows its newest rows goes on showing them, whole, when its height or its
    // rows change; one scrolled elsewhere by the user stays where it is.
    bool toEnd = followsEnd_ && bar->value() == bar->maximum();
    QTableView::updateGeometries();
    if (newestPending_ && viewport()->height() > 0) {
        newestPending_ = false;
        toEnd = true;
    }
    if (toEnd)
        bar->setValue(bar->maximum());
}

void FlexGrid::contextMenuEvent(QContextMenuEvent* event) {
    emit contextMenuAsked(event->globalPos());
}

void FlexGrid::mouseDoubleClickEvent(QMouseEvent* event) {
    QTableView::mouseDoubleClickEvent(event);
    emit doubleClicked();
}

} // namespace yilou::app
