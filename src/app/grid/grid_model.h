#pragma once

#include "core/text_grid.h"

#include <QAbstractTableModel>
#include <QStringList>
#include <functional>

class QTableView;

namespace yilou::app {

/// A grid's contents over data the caller keeps: the headers (the grid's row 0) and a function
/// that gives the text of a data cell. Grid row r ≥ 1 is model row r − 1. Cells are formatted
/// when the view asks for them, so a grid of a million rows costs only what is on screen.
class GridModel : public QAbstractTableModel {
    Q_OBJECT
public:
    using CellText = std::function<QString(int row, int column)>;

    explicit GridModel(QStringList headers, QObject* parent = nullptr);
    /// A model whose headers are the grid's row 0.
    static GridModel* headedBy(const history::TextGrid& grid, QObject* parent);

    /// Shows `rows` rows whose cells `cellText` gives; the whole grid is new.
    void reset(int rows, CellText cellText);
    /// Shows the rows of `grid` after its headers; `grid` must outlive them.
    void show(const history::TextGrid& grid);
    /// The data grew or shrank at its end (a draw stored or deleted) and nothing else changed.
    void resizeAtEnd(int rows);
    /// Shows the header row only.
    void clear();
    /// Numbers are right-aligned; set the columns that hold text.
    void setTextColumns(QList<int> columns);

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation,
                        int role = Qt::DisplayRole) const override;

    /// The text of grid cell (row, column), row 0 being the header.
    QString gridText(int row, int column) const;
    /// Rows of the grid, the header row included.
    int gridRows() const { return rows_ + 1; }

private:
    QStringList headers_;
    QList<int> textColumns_;
    int rows_ = 0;
    CellText cellText_;
};

/// Sets `view` up as a page's read-only grid over `model`: whole rows selected, rows one line
/// high, no row headers.
void setUpRowGrid(QTableView* view, GridModel* model);

} // namespace yilou::app
