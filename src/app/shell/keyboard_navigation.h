#pragma once

#include <QObject>

namespace yilou::app {

class frmMain;

/// The window without the mouse: Tab follows the screen from the top left to the bottom right
/// through every control (an option frame is one stop, its buttons chosen with the arrow keys),
/// a grid is one Tab stop whose rows the arrow keys walk and which keeps the rows in view when
/// entered, F10 opens the menu bar and Ctrl+1 … Ctrl+9 choose the pages below. The captions'
/// Alt letters do the rest.
class KeyboardNavigation : public QObject {
    Q_OBJECT
public:
    /// Called once every control and page of the window is in place.
    explicit KeyboardNavigation(frmMain& window);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void orderTabStops();
    void makeGridsSingleStops();
    void stopAtCheckedOptions();
    void openMenuBar();
    /// Ctrl+1 … Ctrl+9 choose the first nine pages; each tab's tooltip names its keys.
    void choosePagesByDigits();

    frmMain& window_;
};

} // namespace yilou::app
