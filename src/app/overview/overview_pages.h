#pragma once

#include "app/dialogs/prompts.h"

#include <QObject>

class QTabWidget;

namespace yilou::app {

class OverviewPage;
class TrendPage;
class WindowInputs;
class frmMain;

/// Puts the pages "遗漏总览" and "走势图" beside the result grids of the window (which become
/// the first page of `resultTabs`) and answers the menu entry "检查缺失期号".
class OverviewPages : public QObject {
    Q_OBJECT
public:
    /// Called once the window's controls are in place.
    explicit OverviewPages(frmMain& window);

    QTabWidget* tabs() const { return tabs_; }
    OverviewPage* overview() const { return overview_; }
    TrendPage* trend() const { return trend_; }

    /// Shows the issues that the history lacks.
    void mnuMissing_Click();

private:
    frmMain& window_;
    Prompts prompts_;
    WindowInputs* inputs_;
    QTabWidget* tabs_;
    OverviewPage* overview_;
    TrendPage* trend_;
};

} // namespace yilou::app
