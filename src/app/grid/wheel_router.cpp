#include "app/grid/wheel_router.h"

#include "app/grid/flex_grid.h"

#include <QApplication>
#include <QWheelEvent>

namespace yilou::app {

namespace {

constexpr int kNotch = 120;

FlexGrid* gridOf(QObject* object) {
    for (auto* widget = qobject_cast<QWidget*>(object); widget; widget = widget->parentWidget())
        if (auto* grid = qobject_cast<FlexGrid*>(widget))
            return grid;
    return nullptr;
}

} // namespace

WheelRouter::WheelRouter(QWidget* window) : QObject(window), window_(window) {
    qApp->installEventFilter(this);
}

bool WheelRouter::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() != QEvent::Wheel)
        return false;
    auto* widget = qobject_cast<QWidget*>(watched);
    if (!widget || widget->window() != window_)
        return false;
    FlexGrid* grid = gridOf(widget);
    if (!grid)
        grid = gridOf(QApplication::focusWidget());
    if (!grid || grid->window() != window_)
        return false;
    pendingDelta_ += static_cast<QWheelEvent*>(event)->angleDelta().y();
    const int notches = pendingDelta_ / kNotch;
    pendingDelta_ -= notches * kNotch;
    // Turned away from the user (positive) moves towards the top.
    grid->scrollRows(-notches);
    return true;
}

} // namespace yilou::app
