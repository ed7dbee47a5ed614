// The analysis side of the real window on 1,000,000 draws, offscreen: the time from a click on
// a search or calculation button (or a result grid's header) to the grids repainted with the
// result, median of several runs. Prints one line per case.
#include "app/frm_main.h"
#include "app/grid/flex_grid.h"
#include "store/history_db.h"
#include "support/history_generator.h"
#include "support/offscreen_application.h"
#include "support/temp_dir.h"

#include <QApplication>
#include <QComboBox>
#include <QHeaderView>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QTest>
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <functional>
#include <vector>

namespace {

constexpr std::size_t kDraws = 1000000;
constexpr int kRuns = 7;

using Clock = std::chrono::steady_clock;

/// Median milliseconds of `action` followed by a repaint of both result grids.
double timed(yilou::app::frmMain& window, const std::function<void()>& action) {
    auto* grid2 = window.findChild<yilou::app::FlexGrid*>(QStringLiteral("MSFlexGrid2"));
    auto* grid3 = window.findChild<yilou::app::FlexGrid*>(QStringLiteral("MSFlexGrid3"));
    std::vector<double> times;
    for (int run = 0; run < kRuns; ++run) {
        QApplication::processEvents();
        const auto start = Clock::now();
        action();
        grid2->viewport()->repaint();
        grid3->viewport()->repaint();
        times.push_back(std::chrono::duration<double, std::milli>(Clock::now() - start).count());
    }
    std::sort(times.begin(), times.end());
    return times[times.size() / 2];
}

template <typename Widget> Widget* find(yilou::app::frmMain& window, const char* name) {
    return window.findChild<Widget*>(QString::fromUtf8(name));
}

void click(yilou::app::frmMain& window, const char* name) {
    QTest::mouseClick(find<QWidget>(window, name), Qt::LeftButton);
}

/// Types the first tab's values (empty: position not selected) and lets the window read them.
void enterValues(yilou::app::frmMain& window, const std::vector<const char*>& values) {
    for (int p = 1; p <= 5; ++p) {
        const QString index = QStringLiteral("(%1)").arg(p);
        const char* value = p <= static_cast<int>(values.size()) ? values[p - 1] : "";
        window.findChild<QLineEdit*>(QStringLiteral("Text22") + index)
            ->setText(QString::fromUtf8(value));
        auto* check = window.findChild<QAbstractButton*>(QStringLiteral("Check11") + index);
        check->setChecked(*value != '\0');
    }
    click(window, "Option2(4)"); // an option click reads the boxes again
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
    auto* grid2 = find<yilou::app::FlexGrid>(window, "MSFlexGrid2");
    auto* grid3 = find<yilou::app::FlexGrid>(window, "MSFlexGrid3");
    // The case, the data rows of the grid it fills, the median time.
    const auto report = [](const char* what, const yilou::app::FlexGrid* grid, double ms) {
        std::printf("%s\t%d\t%.1f ms\n", what, grid->rows() - 1, ms);
    };

    enterValues(window, {"3"});
    report("检索, free 号码, one value", grid2, timed(window, [&] { click(window, "Command1"); }));
    enterValues(window, {});
    report("检索, no position (every draw)", grid2,
           timed(window, [&] { click(window, "Command1"); }));
    enterValues(window, {"1", "2", "3", "4", "5"});
    report("分部检索 k = 2, free 号码 01-05", grid2,
           timed(window, [&] { click(window, "Command2"); }));

    click(window, "cmdZH(0)");
    find<QComboBox>(window, "Combo2")->setCurrentText(QStringLiteral("5"));
    report("分组计算, 11 numbers, k = 5 (stored into YL)", grid3,
           timed(window, [&] { click(window, "Command5"); }));
    auto* header = grid3->horizontalHeader();
    report("MSFlexGrid3 re-sorted by 最大遗漏", grid3, timed(window, [&] {
               QTest::mouseClick(header->viewport(), Qt::LeftButton, {},
                                 QPoint(header->sectionViewportPosition(2) + 4, 4));
           }));

    click(window, "Command2");
    int step = 0;
    report("MSFlexGrid2 scrolled by a page among the hits", grid2, timed(window, [&] {
               auto* bar = grid2->verticalScrollBar();
               bar->setValue(bar->maximum() / 2 + (++step) * bar->pageStep());
           }));
    return 0;
}
