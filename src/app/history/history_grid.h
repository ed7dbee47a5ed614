#pragma once

#include "app/grid/flex_grid.h"
#include "core/snapshot.h"

namespace yilou::app {

/// `MSFlexGrid1`: the history, one row per draw in issue order, over the window's snapshot
/// (which must outlive the grid's use of it).
class HistoryGrid : public FlexGrid {
    Q_OBJECT
public:
    HistoryGrid(const history::Snapshot& snapshot, QWidget* parent = nullptr);

    /// Shows the snapshot anew and brings the newest draw into view when the grid is long.
    void showAll();
    /// The snapshot grew or shrank at its end only.
    void showChangedEnd();
    /// The width the grid needs to show its columns without scrolling sideways.
    int naturalWidth() const;

private:
    const history::Snapshot& snapshot_;
};

} // namespace yilou::app
