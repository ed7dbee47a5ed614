#pragma once

class QAbstractItemModel;
class QTableView;

namespace yilou::app {

/// Sets up a grid of figures over `model` as the view pages show them: whole rows selected
/// one at a time, read only, alternate row colours, no row numbers, one line a row, sortable
/// by a click on any header, at first by the first column ascending.
void setUpFigureGrid(QTableView* grid, QAbstractItemModel* model);

} // namespace yilou::app
