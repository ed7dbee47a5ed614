// The page 玩法遗漏 of the real window on 1,000,000 draws, offscreen: the time from choosing a
// play in the combo (or typing a 胆, or a click on a header) to the grid repainted with the
// board, median of several runs, wall clock and processor time. Prints one line per case.
#include "analysis/play_type.h"
#include "app/frm_main.h"
#include "app/overview/overview_pages.h"
#include "app/plays/play_board_model.h"
#include "app/plays/plays_page.h"
#include "bench_clock.h"
#include "session/messages.h"
#include "store/history_db.h"
#include "support/history_generator.h"
#include "support/offscreen_application.h"
#include "support/temp_dir.h"

#include <QApplication>
#include <QComboBox>
#include <QHeaderView>
#include <QLineEdit>
#include <QTabWidget>
#include <QTableView>
#include <QTest>
#include <algorithm>
#include <cstdio>
#include <functional>
#include <string>
#include <vector>

namespace {

constexpr std::size_t kDraws = 1000000;
constexpr int kRuns = 7;

using yilou::testing::now;
using yilou::testing::Times;

/// Medians of `prepare` (untimed), then `action` followed by a repaint of the grid.
Times timed(QTableView* grid, const std::function<void()>& prepare,
            const std::function<void()>& action) {
    std::vector<double> wall, cpu;
    for (int run = 0; run < kRuns; ++run) {
        prepare();
        QApplication::processEvents();
        const Times start = now();
        action();
        grid->viewport()->repaint();
        const Times end = now();
        wall.push_back(end.wall - start.wall);
        cpu.push_back(end.cpu - start.cpu);
    }
    std::sort(wall.begin(), wall.end());
    std::sort(cpu.begin(), cpu.end());
    return {wall[kRuns / 2], cpu[kRuns / 2]};
}

} // namespace

int main(int argc, char** argv) {
    yilou::testing::OffscreenApplication application(argc, argv);
    yilou::testing::TempDir folder;
    {
        yilou::history::HistoryDb db(folder / yilou::history::kDatabaseFileName);
        db.replaceAll(yilou::testing::generateDraws(kDraws));
    }
    yilou::app::frmMain window(folder.path());
    window.resize(1366, 740);
    window.show();
    QApplication::setActiveWindow(&window);
    (void)QTest::qWaitForWindowActive(&window);
    auto* page = window.findChild<yilou::app::PlaysPage*>();
    window.findChild<yilou::app::OverviewPages*>()->tabs()->setCurrentWidget(page);
    QApplication::processEvents();
    auto* combo = page->play();
    auto* grid = page->grid();
    const auto report = [page](const std::string& what, Times ms) {
        std::printf("%s\t%d\t%.1f ms wall\t%.1f ms cpu\n", what.c_str(), page->model()->rowCount(),
                    ms.wall, ms.cpu);
    };

    for (const auto play : yilou::analysis::allPlays()) {
        const int index = static_cast<int>(play);
        const auto away = [&] { combo->setCurrentIndex(index == 0 ? 1 : 0); };
        const auto choose = [&] { combo->setCurrentIndex(index); };
        report(std::string(yilou::messages::playName(play)), timed(grid, away, choose));
    }

    combo->setCurrentIndex(static_cast<int>(yilou::analysis::Play::Any5));
    const auto clear = [&] { page->bankers()->clear(); };
    const auto type = [&] { page->bankers()->setText(QStringLiteral("3,7")); };
    report("任选五, 胆 03 07 typed", timed(grid, clear, type));
    clear();

    auto* header = grid->horizontalHeader();
    int column = 0;
    const auto next = [&] { column = column == 3 ? 7 : 3; };
    const auto click = [&] {
        const QPoint at(header->sectionViewportPosition(column) + 4, 4);
        QTest::mouseClick(header->viewport(), Qt::LeftButton, {}, at);
    };
    report("任选五, re-sorted by a header click", timed(grid, next, click));
    return 0;
}
