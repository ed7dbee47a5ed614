#pragma once

#include <QList>
#include <QString>
#include <functional>
#include <vector>

class QAbstractItemModel;
class QTableView;

namespace yilou::app {

/// The room a cell leaves beside its text.
inline constexpr int kFigureCellPadding = 12;

/// Sets up a grid of figures over `model` as the view pages show them: whole rows selected
/// one at a time, read only, alternate row colours, no row numbers, one line a row, sortable
/// by a click on any header, at first by the first column ascending.
void setUpFigureGrid(QTableView* grid, QAbstractItemModel* model);

/// The longest (in characters) of the texts of `column` in `rows`.
QString longestText(const std::vector<QList<QString>>& rows, int column);

/// Sizes each column of `grid` to its header and to `longestText(column)`, no wider than the
/// header's maximum section size: measuring every cell, as resizeColumnsToContents does, would
/// take longer than making the figures.
void fitColumnsToTexts(QTableView* grid, const std::function<QString(int)>& longestText);

} // namespace yilou::app
