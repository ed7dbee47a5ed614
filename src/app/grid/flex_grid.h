#pragma once

#include <QTableView>
#include <span>

namespace yilou::app {

class GridModel;

/// The window's grids: a table view whose header row is row 0 of the grid and whose data rows
/// are rows 1.., with column widths given in twips (15 twips a pixel at 96 dpi, scaled with the
/// screen). Rows scroll one at a time.
class FlexGrid : public QTableView {
    Q_OBJECT
public:
    FlexGrid(const QString& name, GridModel* model, QWidget* parent = nullptr);

    GridModel* gridModel() const { return model_; }
    void setTwipsWidths(std::span<const int> twips);

    /// Rows of the grid, the header row included.
    int rows() const;
    /// The first data row in view, as a grid row (1 is the first data row).
    int topRow() const;
    /// Scrolls so that grid row `row` is the first in view, as far as the grid allows.
    void setTopRow(int row);
    /// Moves the view by `rows` rows (negative: towards the top); the grid limits it.
    void scrollRows(int rows);
    /// When the grid holds more than 39 rows, brings its last row into view and keeps it there
    /// while the view stays at the end.
    void showNewestWhenLong();

signals:
    /// A right click on the grid, at this global position.
    void contextMenuAsked(const QPoint& globalPosition);
    /// A double click anywhere on the grid (the export to a spreadsheet).
    void doubleClicked();
    /// A click on a column header (a click on a cell only selects it).
    void columnClicked(int column);

protected:
    void contextMenuEvent(QContextMenuEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void updateGeometries() override;

private:
    GridModel* model_;
    /// Scroll to the end as soon as the view has its size (before it is shown it has none).
    bool newestPending_ = false;
    /// The grid was brought to its newest rows (showNewestWhenLong) and keeps them in view.
    bool followsEnd_ = false;
};

/// Twips to pixels at 96 dpi.
constexpr int twipsToPixels(int twips) {
    return (twips + 7) / 15;
}

} // namespace yilou::app
