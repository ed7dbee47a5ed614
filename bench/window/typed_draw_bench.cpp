// A draw typed into the real window on 1,000,000 draws, offscreen, with one page of the analysis
// side in view: the time from the draw stored (frmMain::historyChanged) to that page's view
// updated, and to the window repainted; and from the last digit typed to the repaint. Medians
// of several draws, wall clock and processor time; one line per page.
#include "app/frm_main.h"
#include "app/overview/overview_page.h"
#include "app/overview/overview_pages.h"
#include "app/overview/trend_page.h"
#include "app/overview/window_inputs.h"
#include "app/patterns/pattern_page.h"
#include "app/plays/plays_page.h"
#include "bench_clock.h"
#include "generated_database.h"
#include "support/offscreen_application.h"
#include "support/temp_dir.h"

#include <QApplication>
#include <QCheckBox>
#include <QLineEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QTest>
#include <algorithm>
#include <cstdio>
#include <random>
#include <vector>

namespace {

constexpr std::size_t kDraws = 1000000;
constexpr int kRuns = 9;

using yilou::testing::now;
using yilou::testing::Times;

double median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

/// Five distinct numbers of 1..11 as the boxes take them: "0311070109".
QString randomDraw(std::mt19937& rng) {
    std::vector<int> numbers{1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11};
    std::shuffle(numbers.begin(), numbers.end(), rng);
    QString digits;
    for (int i = 0; i < 5; ++i)
        digits += QStringLiteral("%1").arg(numbers[i], 2, 10, QLatin1Char('0'));
    return digits;
}

} // namespace

int main(int argc, char** argv) {
    yilou::testing::OffscreenApplication application(argc, argv);
    yilou::testing::TempDir folder;
    yilou::testing::storeGeneratedDraws(folder.path(), kDraws);
    yilou::app::frmMain window(folder.path());
    window.resize(1366, 740);
    window.show();
    QApplication::setActiveWindow(&window);
    (void)QTest::qWaitForWindowActive(&window);
    auto* pages = window.findChild<yilou::app::OverviewPages*>();
    auto* firstBox = window.findChild<QLineEdit*>(QStringLiteral("MaskEdBox1(1)"));
    Times stored, updated;
    QObject::connect(&window, &yilou::app::frmMain::historyChanged, [&] { stored = now(); });
    // Connected after the pages: called once the page in view has shown the new history.
    QObject::connect(window.findChild<yilou::app::WindowInputs*>(),
                     &yilou::app::WindowInputs::changed, [&] { updated = now(); });
    std::mt19937 rng(20261207);

    // The trend chart and the pattern chart twice: their newest 50 draws, then every draw (全部);
    // the trend chart of every draw once more with its side columns (显示形态).
    const auto allDraws = [](QWidget* trendPage) {
        return trendPage->findChild<QPushButton*>(QStringLiteral("cmdTrendAll"));
    };
    auto* patterns = window.findChild<yilou::app::PatternPage*>();
    struct Shown {
        const char* name;
        QWidget* page;
        QAbstractButton* click = nullptr; ///< pressed before the page's draws
    };
    if (!allDraws(pages->trend()) || !allDraws(patterns))
        return 1;
    const std::vector<Shown> shown{
        {"遗漏总览", pages->overview()},
        {"走势图 (50)", pages->trend()},
        {"走势图 (全部)", pages->trend(), allDraws(pages->trend())},
        {"走势图 (全部, 显示形态)", pages->trend(),
         pages->trend()->findChild<QCheckBox*>(QStringLiteral("chkSideColumns"))},
        {"玩法遗漏", window.findChild<yilou::app::PlaysPage*>()},
        {"形态走势 (50)", patterns},
        {"形态走势 (全部)", patterns, allDraws(patterns)}};
    for (const auto& [name, page, click] : shown) {
        pages->tabs()->setCurrentWidget(page);
        if (click)
            click->click();
        QApplication::processEvents();
        std::vector<double> updateWall, updateCpu, wall, cpu, typedWall;
        for (int run = 0; run < kRuns; ++run) {
            const QString digits = randomDraw(rng);
            firstBox->setFocus();
            for (int i = 0; i < 9; ++i)
                QTest::keyClick(QApplication::focusWidget(), digits[i].toLatin1());
            QApplication::processEvents();
            const Times typed = now();
            QTest::keyClick(QApplication::focusWidget(), digits[9].toLatin1());
            QApplication::processEvents();
            page->repaint();
            const Times end = now();
            updateWall.push_back(updated.wall - stored.wall);
            updateCpu.push_back(updated.cpu - stored.cpu);
            wall.push_back(end.wall - stored.wall);
            cpu.push_back(end.cpu - stored.cpu);
            typedWall.push_back(end.wall - typed.wall);
        }
        std::printf("%s\tstored→updated %.2f ms wall\t%.2f ms cpu\tstored→painted %.2f ms "
                    "wall\t%.2f ms cpu\ttyped→painted %.1f ms wall\n",
                    name, median(updateWall), median(updateCpu), median(wall), median(cpu),
                    median(typedWall));
    }
    return 0;
}
