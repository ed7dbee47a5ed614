// Online update figures on a generated results page of 2,000 draws of a 97-draw game (about
// 2 MB of markup): reading the page (charset, body text, issue search) and storing the draws
// that a 16-day update of an empty history wants (17 days, 1,649 draws), which is the largest
// request there is. The fetch is left out, except in the last figure, which reads the page
// from a file: address.

#include "online/page_text.h"
#include "session/online_update.h"
#include "store/history_db.h"
#include "support/history_generator.h"
#include "support/results_page.h"
#include "support/temp_dir.h"
#include "support/text_files.h"

#include <benchmark/benchmark.h>

namespace {

using namespace yilou::history;
using namespace yilou::session;

constexpr int kChongqing = 10; // 97 draws a day
constexpr int kKeepDays = 16;
const CalendarDate kToday{2017, 9, 29};

struct UpdatePage {
    std::string html;
    UpdatePlan plan;
};

/// 2,000 draws from 2017-09-09 on, ending with today's last draw.
const UpdatePage& updatePage() {
    static const UpdatePage page = [] {
        yilou::testing::GeneratedHistory settings;
        settings.draws = 2000;
        settings.drawsPerDay = 97;
        settings.firstIssue = 17090938;
        std::vector<yilou::testing::PageRow> rows;
        for (const DrawRecord& record : yilou::testing::generateDraws(settings))
            rows.push_back(yilou::testing::pageRow(record.issue, record.drop[Letter::A]));
        yilou::testing::PageStyle style;
        style.fillerCells = 8;
        return UpdatePage{yilou::testing::resultsPage(rows, style),
                          planUpdate({}, kToday, kKeepDays, gameAt(kChongqing))};
    }();
    return page;
}

PageDraws readPage(const UpdatePage& page) {
    const std::string text = pageText(page.html, pageCharset(page.html, "text/html"));
    return findPageDraws(text, page.plan, gameAt(kChongqing));
}

void BM_ReadUpdatePage(benchmark::State& state) {
    const UpdatePage& page = updatePage();
    std::size_t found = 0;
    for (auto _ : state)
        found = readPage(page).draws.size();
    state.counters["page_MB"] = static_cast<double>(page.html.size()) / (1024.0 * 1024.0);
    state.counters["draws"] = static_cast<double>(found);
}
BENCHMARK(BM_ReadUpdatePage)->Unit(benchmark::kMillisecond);

void BM_ReadAndStoreUpdatePage(benchmark::State& state) {
    const UpdatePage& page = updatePage();
    yilou::testing::TempDir dir;
    HistoryDb db(dir / kDatabaseFileName);
    const AttributeRules rules = AttributeRules::startup(1, 1);
    for (auto _ : state) {
        state.PauseTiming();
        db.clear();
        state.ResumeTiming();
        storePageDraws(db, readPage(page), rules);
    }
    state.counters["stored"] = static_cast<double>(db.drawCount());
}
BENCHMARK(BM_ReadAndStoreUpdatePage)->Unit(benchmark::kMillisecond);

void BM_UpdateFromSavedPage(benchmark::State& state) {
    yilou::testing::TempDir dir;
    yilou::testing::writeFile(dir / "page.html", updatePage().html);
    HistoryDb db(dir / kDatabaseFileName);
    UpdateRequest request;
    request.urlTemplate = "file://" + (dir / "page.html").string();
    request.today = kToday;
    request.keepDays = kKeepDays;
    request.game = gameAt(kChongqing);
    for (auto _ : state) {
        state.PauseTiming();
        db.clear();
        state.ResumeTiming();
        updateHistoryOnline(db, request);
    }
}
BENCHMARK(BM_UpdateFromSavedPage)->Unit(benchmark::kMillisecond);

} // namespace
