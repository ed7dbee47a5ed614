#pragma once

#include "core/text_grid.h"
#include "session/search_steps.h"

#include <QWidget>
#include <memory>
#include <vector>

class QSplitter;

namespace yilou::app {

class FlexGrid;
class GridModel;

/// The result grids side by side: `MSFlexGrid2` (the hits of a search) and `MSFlexGrid3` (a
/// search's summary row or the grouped results), each over its own GridModel.
class ResultGridsPanel : public QWidget {
    Q_OBJECT
public:
    explicit ResultGridsPanel(QWidget* parent = nullptr);

    /// A search: its hits in MSFlexGrid2, its summary row in MSFlexGrid3.
    void showSearch(analysis::SearchResult result);
    /// Rows of YL in MSFlexGrid3, sorted ascending by `order`, which the header marks.
    void showGroups(std::vector<history::YlRow> rows, history::YlSortColumn order);
    /// A click on MSFlexGrid3's header: sorts the rows it shows by that column, ascending, or
    /// reversed when it is already sorted by it; the header marks the direction. A search's
    /// summary stays what it is.
    void sortResults(int column);

    /// Both grids with their header row alone, as before the first search.
    void clear();

    /// What MSFlexGrid2 and MSFlexGrid3 show, as rows of texts that keep what they read alive
    /// (they may be read on another thread while the grids show something else).
    const history::TextGrid& searchText() const { return searchText_; }
    const history::TextGrid& resultText() const { return resultText_; }

signals:
    /// New results are in the grids.
    void shown();

public:
    GridModel* searchModel;
    GridModel* resultModel;
    FlexGrid* MSFlexGrid2;
    FlexGrid* MSFlexGrid3;
    QSplitter* splitter;

private:
    /// Shows `rows` in MSFlexGrid3 as they are, the header marking their order.
    void showGroupRows(std::vector<history::YlRow> rows);
    void markOrder();

    /// The grouped rows MSFlexGrid3 shows, in the order shown; null while it shows a summary.
    std::shared_ptr<const std::vector<history::YlRow>> groups_;
    int sortColumn_ = -1;
    bool descending_ = false;
    history::TextGrid searchText_;
    history::TextGrid resultText_;
};

} // namespace yilou::app
