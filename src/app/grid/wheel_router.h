#pragma once

#include <QObject>

namespace yilou::app {

/// The mouse wheel over the window's grids: one notch moves a grid one row, the grid under the
/// pointer or, with the pointer over no grid, the grid that has the keyboard focus. Installed
/// on the application, it looks only at wheel events for widgets inside `window`.
class WheelRouter : public QObject {
    Q_OBJECT
public:
    explicit WheelRouter(QWidget* window);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QWidget* window_;
    int pendingDelta_ = 0; ///< eighths of a degree not yet turned into a row
};

} // namespace yilou::app
