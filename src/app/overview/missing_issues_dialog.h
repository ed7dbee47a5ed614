#pragma once

#include "session/view_steps.h"

#include <QDialog>

class QLabel;

namespace yilou::app {

class FlexGrid;
class GridModel;

/// "检查缺失期号": the runs of issues the history lacks by the game's draws a day, one run a
/// row, with their total; stored issues that fit no day of the schedule are named below.
class MissingIssuesDialog : public QDialog {
    Q_OBJECT
public:
    explicit MissingIssuesDialog(session::MissingShown shown, QWidget* parent = nullptr);

    QLabel* summary() const { return summary_; }
    FlexGrid* grid() const { return grid_; }

private:
    session::MissingShown shown_;
    QLabel* summary_;
    GridModel* model_;
    FlexGrid* grid_;
};

} // namespace yilou::app
