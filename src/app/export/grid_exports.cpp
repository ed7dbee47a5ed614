#include "app/export/grid_exports.h"

#include "app/analysis/analysis_area.h"
#include "app/analysis/result_grids_panel.h"
#include "app/dialogs/background_task.h"
#include "app/dialogs/busy_cursor.h"
#include "app/frm_main.h"
#include "app/grid/flex_grid.h"
#include "app/history/history_grid.h"
#include "app/shell/main_menus.h"
#include "session/grid_text.h"
#include "session/messages.h"

#include <QAction>
#include <optional>

namespace yilou::app {

GridExports::GridExports(frmMain& window) : QObject(&window), window_(window), prompts_(&window) {
    connect(window.menus()->mnuDcls, &QAction::triggered, this, &GridExports::mnuDcls_Click);
    connect(window.MSFlexGrid1(), &FlexGrid::doubleClicked, this,
            &GridExports::MSFlexGrid1_DblClick);
    const auto* results = window.analysis()->results;
    connect(results->MSFlexGrid2, &FlexGrid::doubleClicked, this,
            &GridExports::MSFlexGrid2_DblClick);
    connect(results->MSFlexGrid3, &FlexGrid::doubleClicked, this,
            &GridExports::MSFlexGrid3_DblClick);
}

void GridExports::mnuDcls_Click() {
    exportGrid(history::ExportedGrid::History, session::historyTextGrid(window_.snapshot()));
}

void GridExports::MSFlexGrid1_DblClick() {
    mnuDcls_Click();
}

void GridExports::MSFlexGrid2_DblClick() {
    exportGrid(history::ExportedGrid::Search, window_.analysis()->results->searchText());
}

void GridExports::MSFlexGrid3_DblClick() {
    exportGrid(history::ExportedGrid::Group, window_.analysis()->results->resultText());
}

void GridExports::exportGrid(history::ExportedGrid which, history::TextGrid grid) {
    const auto folder = window_.dataFolder();
    std::optional<session::ExportShown> done;
    try {
        if (grid.rows > kRowsWithProgress) {
            const QString label =
                qs(messages::exportingWorkbook(history::spreadsheetFileName(which)));
            runStoppable(&window_, label, [&](const ProgressReport& report) {
                done = session::exportWorkbook(folder, which, grid, report);
            });
        } else {
            BusyCursor busy;
            done = session::exportWorkbook(folder, which, grid);
        }
    } catch (const std::exception& error) {
        prompts_.warn(messages::kNoticeTitle, error.what());
        return;
    }
    if (!done)
        return;
    if (done->sheets > 1)
        prompts_.inform(messages::kNoticeTitle, done->report);
    window_.showFile(done->file);
}

} // namespace yilou::app
