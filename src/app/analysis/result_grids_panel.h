#pragma once

#include <QWidget>

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

    GridModel* searchModel;
    GridModel* resultModel;
    FlexGrid* MSFlexGrid2;
    FlexGrid* MSFlexGrid3;
    QSplitter* splitter;
};

} // namespace yilou::app
