#pragma once

#include <QWidget>

namespace yilou::app {

class CombinationPanel;
class PositionInputPanel;
class RangePanel;
class ResultGridsPanel;
class SearchOptionsPanel;
class SearchPanel;

/// The analysis side of the window: the option rows at their natural height above the result
/// grids, which take the remaining space.
class AnalysisArea : public QWidget {
    Q_OBJECT
public:
    explicit AnalysisArea(QWidget* parent = nullptr);

    SearchOptionsPanel* options;
    RangePanel* range;
    PositionInputPanel* positions;
    SearchPanel* search;
    CombinationPanel* combination;
    ResultGridsPanel* results;
};

} // namespace yilou::app
