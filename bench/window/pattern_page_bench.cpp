// The page 形态走势 in the real window on a history of 1,000,000 draws, offscreen: from a click
// (on the page's tab, on another pattern in the combo, on a row of the overview) until the page
// or the result grids are painted again. Wall-clock figures, the best of a few runs; the
// database is generated once in a temporary folder.
#include "app/analysis/analysis_area.h"
#include "app/analysis/result_grids_panel.h"
#include "app/frm_main.h"
#include "app/grid/grid_model.h"
#include "app/overview/overview_model.h"
#include "app/overview/overview_pages.h"
#include "app/patterns/pattern_page.h"
#include "generated_database.h"
#include "support/offscreen_application.h"
#include "support/temp_dir.h"

#include <QApplication>
#include <QComboBox>
#include <QTabWidget>
#include <QTableView>
#include <QTest>
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <functional>

namespace {

using Clock = std::chrono::steady_clock;

/// The best of `runs` of `click`, each until `painted` is painted again.
double bestOf(int runs, const std::function<void(int run)>& click, QWidget& painted) {
    double best = 1e9;
    for (int run = 0; run < runs; ++run) {
        const auto start = Clock::now();
        click(run);
        QApplication::processEvents();
        painted.repaint();
        best =
            std::min(best, std::chrono::duration<double, std::milli>(Clock::now() - start).count());
    }
    return best;
}

} // namespace

int main(int argc, char** argv) {
    yilou::testing::OffscreenApplication application(argc, argv);
    constexpr std::size_t kDraws = 1'000'000;
    constexpr int kRuns = 5;
    yilou::testing::TempDir dir;
    yilou::testing::storeGeneratedDraws(dir.path(), kDraws);
    yilou::app::frmMain window(dir.path());
    window.resize(1366, 740);
    window.show();
    QApplication::processEvents();
    auto* tabs = window.findChild<yilou::app::OverviewPages*>()->tabs();
    auto* page = window.findChild<yilou::app::PatternPage*>();
    auto* results = window.analysis()->results;

    // Each time the page is shown again after the history changed under it, it reads it anew.
    const double shown = bestOf(
        kRuns,
        [&](int) {
            tabs->setCurrentIndex(0);
            emit window.historyChanged();
            QApplication::processEvents();
            tabs->setCurrentWidget(page);
        },
        *page);
    const double pattern = bestOf(
        kRuns, [&](int run) { page->pattern()->setCurrentIndex(run % 2 ? 0 : 5); }, *page);
    page->pattern()->setCurrentIndex(0); // 和值: its middle values are hit most
    QApplication::processEvents();
    const double row = bestOf(
        kRuns,
        [&](int run) {
            tabs->setCurrentWidget(page);
            QApplication::processEvents();
            const QModelIndex index = page->model()->index(10 + run, 0);
            QTest::mouseClick(page->grid()->viewport(), Qt::LeftButton, {},
                              page->grid()->visualRect(index).center());
        },
        *results);
    std::printf("history of %zu draws, best of %d runs\n", kDraws, kRuns);
    std::printf("page shown after a change of the history (overview and trend of 50): %.1f ms\n",
                shown);
    std::printf("another pattern chosen (overview and trend of 50):                  %.1f ms\n",
                pattern);
    std::printf("a row clicked, its draws in the result grids (%d rows):          %.1f ms\n",
                results->searchModel->rowCount(), row);
    return 0;
}
