// The trend chart page's drawing on a history of 1,000,000 draws, offscreen: the chart of every
// draw ("全部") at the five positions, then one frame of a 1366×500 view at the top, middle
// and end, and a scroll of one page at a time through 200 pages. Wall-clock figures, the best of
// a few runs.
#include "app/overview/trend_view.h"
#include "session/view_steps.h"
#include "support/history_generator.h"

#include <QApplication>
#include <QPixmap>
#include <QScrollBar>
#include <algorithm>
#include <chrono>
#include <cstdio>

namespace {

using Clock = std::chrono::steady_clock;

double millisecondsSince(Clock::time_point start) {
    return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
}

} // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    constexpr int kRuns = 3;
    const auto snapshot = yilou::testing::snapshotOf(yilou::testing::generateDraws(1'000'000));

    // The page's step: every draw of the history, a block for each position.
    const yilou::session::ViewRequest request;
    const yilou::session::Choices choices;
    double chartMs = 1e9;
    yilou::session::TrendShown shown;
    for (int run = 0; run < kRuns; ++run) {
        const auto start = Clock::now();
        shown =
            yilou::session::showTrend(snapshot, request, yilou::session::kEachPosition, choices);
        chartMs = std::min(chartMs, millisecondsSince(start));
    }

    yilou::app::TrendView view;
    view.resize(1366, 500);
    view.setGuideLines(true);
    view.setChart(std::move(shown));
    view.show();
    QApplication::processEvents();
    QPixmap frame(view.viewport()->size());
    QScrollBar* bar = view.verticalScrollBar();
    double frameMs = 1e9, pageMs = 1e9;
    for (int run = 0; run < kRuns; ++run) {
        for (const int at : {0, bar->maximum() / 2, bar->maximum()}) {
            bar->setValue(at);
            const auto start = Clock::now();
            view.viewport()->render(&frame);
            frameMs = std::min(frameMs, millisecondsSince(start));
        }
        bar->setValue(0);
        const auto start = Clock::now();
        for (int page = 0; page < 200; ++page) {
            bar->setValue(bar->value() + bar->pageStep());
            view.viewport()->render(&frame);
        }
        pageMs = std::min(pageMs, millisecondsSince(start) / 200);
    }
    std::printf("trend chart, 1,000,000 rows, five blocks: %.1f ms\n", chartMs);
    std::printf("one frame of the view (1366x500): %.2f ms\n", frameMs);
    std::printf("scrolling, per page: %.2f ms\n", pageMs);
    return 0;
}
