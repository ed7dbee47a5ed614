#pragma once

#include "app/dialogs/prompts.h"
#include "session/file_steps.h"

#include <QObject>
#include <cstddef>

namespace yilou::app {

class frmMain;

/// The spreadsheet export of the window's grids: the menu entry `mnuDcls` and a double click on
/// `MSFlexGrid1`, `MSFlexGrid2` or `MSFlexGrid3` write the grid as it shows it to its workbook
/// in the data folder and open it with the desktop's default application.
class GridExports : public QObject {
    Q_OBJECT
public:
    /// Grids of at least this many data rows export behind a progress dialog that can stop
    /// them; smaller ones under the busy cursor.
    static constexpr std::size_t kRowsWithProgress = 100000;

    /// Called once the window's grids are in place.
    explicit GridExports(frmMain& window);

    void mnuDcls_Click();
    void MSFlexGrid1_DblClick();
    void MSFlexGrid2_DblClick();
    void MSFlexGrid3_DblClick();

    /// Writes `grid` to the workbook of `which`; a failure is shown with the engine's message
    /// and leaves the previous workbook as it was, and so does the user's Cancel.
    void exportGrid(history::ExportedGrid which, history::TextGrid grid);

private:
    frmMain& window_;
    Prompts prompts_;
};

} // namespace yilou::app
