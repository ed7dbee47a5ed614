#pragma once

#include "app/frm_main.h"
#include "support/temp_dir.h"

#include <QList>
#include <QString>
#include <QStringList>
#include <filesystem>
#include <memory>
#include <vector>

namespace yilou::app {
class FlexGrid;
}

namespace yilou::testing {

/// A data folder and a settings store of their own for each test, and the window on them.
class WindowFixture {
public:
    WindowFixture();
    ~WindowFixture();

    /// The day the window takes for today, whenever the test runs.
    static constexpr history::CalendarDate kToday{2024, 3, 15};

    /// Stores `count` consecutive draws from 2017-08-12 draw 01 (84 a day) before the window
    /// opens.
    void storeDraws(int count);
    /// Puts a copy of the history database `file` in the data folder before the window opens.
    void copyHistory(const std::filesystem::path& file);
    /// (Re)builds the window on the data folder, its clock at kToday; opened addresses are
    /// recorded, and opening succeeds unless `openerWorks` is false.
    app::frmMain& open(bool openerWorks = true);
    /// Makes the window the active one, as the user's clicks and focus changes need.
    void activate();

    app::frmMain& window() { return *window_; }
    const std::filesystem::path& folder() const { return dir_.path(); }
    const std::vector<QString>& opened() const { return opened_; }

    /// A control of the window by its object name; fails the test when there is none.
    template <typename Widget> Widget* find(const QString& name) const {
        return window_->findChild<Widget*>(name);
    }
    /// Triggers the menu entry (QAction) of that object name.
    void trigger(const QString& name);

private:
    TempDir dir_;
    std::unique_ptr<app::frmMain> window_;
    std::vector<QString> opened_;
};

/// Clears the user settings store the tests point at.
void clearSettings();

/// The grid as the user reads it: every data row's cells.
QList<QStringList> gridRows(const app::FlexGrid* grid);

} // namespace yilou::testing
