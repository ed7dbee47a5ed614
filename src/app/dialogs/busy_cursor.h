#pragma once

#include <QGuiApplication>

namespace yilou::app {

/// Shows the busy cursor over the application while alive: for short work on the window's
/// thread.
class BusyCursor {
public:
    BusyCursor() { QGuiApplication::setOverrideCursor(Qt::WaitCursor); }
    ~BusyCursor() { QGuiApplication::restoreOverrideCursor(); }
    BusyCursor(const BusyCursor&) = delete;
    BusyCursor& operator=(const BusyCursor&) = delete;
};

} // namespace yilou::app
