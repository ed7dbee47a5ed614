// One draw appended to a million: the views a window holds advanced by it (engine part and the
// session step a page calls), each beside the full pass it replaces.
#include "analysis/overview_tallies.h"
#include "analysis/pattern_overview.h"
#include "analysis/pattern_trend.h"
#include "analysis/play_board.h"
#include "analysis/trend_chart.h"
#include "session/pattern_steps.h"
#include "session/play_steps.h"
#include "session/view_steps.h"
#include "support/history_generator.h"

#include <benchmark/benchmark.h>

namespace {

using namespace yilou;

constexpr std::size_t kDraws = 1'000'000;
/// Draws appended one per iteration after the million.
constexpr std::size_t kAppended = 2'000;

const std::vector<history::DrawRecord>& draws() {
    static const auto records = [] {
        testing::GeneratedHistory settings;
        settings.draws = kDraws + kAppended;
        settings.seed = 20261207;
        return testing::generateDraws(settings);
    }();
    return records;
}

const history::Snapshot& million() {
    static const auto snapshot = testing::snapshotOf({draws().begin(), draws().begin() + kDraws});
    return snapshot;
}

constexpr analysis::IndexRange kWhole{0, kDraws - 1};

/// Times `advance(snapshot)` right after each of kAppended draws is stored in a copy of the
/// million. `advance` was set up on the million as it is.
template <typename Advance>
void afterEachDraw(benchmark::State& state, history::Snapshot& snapshot, Advance&& advance) {
    std::size_t next = kDraws;
    for (auto _ : state) {
        snapshot.push(draws()[next++]);
        advance(snapshot);
    }
}

analysis::OverviewRequest overviewRequest() {
    analysis::OverviewRequest request;
    request.range = kWhole;
    return request;
}

analysis::TrendRequest trendRequest(std::size_t rows) {
    analysis::TrendRequest request;
    request.range = kWhole;
    request.rows = rows;
    return request;
}

// Engine: the running figures advanced by one draw, then read as the view's rows.

void EngineOverview(benchmark::State& state) {
    auto snapshot = million();
    analysis::OverviewTallies tallies(snapshot, overviewRequest());
    afterEachDraw(state, snapshot, [&](const history::Snapshot& s) {
        tallies.append(s);
        benchmark::DoNotOptimize(tallies.result(s));
    });
}
BENCHMARK(EngineOverview)->Iterations(kAppended)->Unit(benchmark::kMicrosecond);

void EngineTrend(benchmark::State& state, std::size_t rows) {
    auto snapshot = million();
    analysis::TrendTallies tallies(snapshot, trendRequest(rows));
    afterEachDraw(state, snapshot, [&](const history::Snapshot& s) {
        tallies.append(s);
        benchmark::DoNotOptimize(tallies.chart().view);
    });
}
BENCHMARK_CAPTURE(EngineTrend, rows50, 50)->Iterations(kAppended)->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(EngineTrend, all, analysis::kAllDraws)
    ->Iterations(kAppended)
    ->Unit(benchmark::kMicrosecond);

void EnginePlays(benchmark::State& state, analysis::Play play) {
    auto snapshot = million();
    const analysis::Play plays[] = {play};
    analysis::PlayTallies tallies(snapshot, kWhole, 11, plays);
    afterEachDraw(state, snapshot, [&](const history::Snapshot& s) {
        tallies.append(s);
        benchmark::DoNotOptimize(tallies.board(s, play));
    });
}
BENCHMARK_CAPTURE(EnginePlays, r5, analysis::Play::Any5)
    ->Iterations(kAppended)
    ->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(EnginePlays, q3z, analysis::Play::Front3Direct)
    ->Iterations(kAppended)
    ->Unit(benchmark::kMicrosecond);

void EnginePatterns(benchmark::State& state) {
    auto snapshot = million();
    analysis::PatternTallies tallies(snapshot, kWhole, 11);
    analysis::PatternTrendTallies trend(snapshot, analysis::Pattern::Sum, kWhole, 50, 11);
    afterEachDraw(state, snapshot, [&](const history::Snapshot& s) {
        tallies.append(s);
        trend.append(s);
        benchmark::DoNotOptimize(tallies.overview(s, analysis::Pattern::Sum));
    });
}
BENCHMARK(EnginePatterns)->Iterations(kAppended)->Unit(benchmark::kMicrosecond);

// Session: the steps the pages call, with what they hold, after each draw; and as a full pass.

/// Every step the window's pages call, with their default options: 遗漏总览 at any place, 走势图
/// of the newest 50, 玩法遗漏 of 任选二, 形态走势 of 和值 (overview and chart of 50).
struct Pages {
    session::HeldOverview overview;
    session::HeldTrend trend;
    session::HeldPlays plays;
    session::HeldPatterns patterns;
    session::HeldPatternTrend patternTrend;

    void show(const history::Snapshot& snapshot, bool held) {
        const session::Choices choices;
        const session::ViewRequest request;
        auto trendRequest = request;
        trendRequest.last = 50;
        session::PlayRequest plays;
        plays.play = "r2";
        const auto range = session::viewRange(snapshot, request, choices);
        const auto sum = analysis::Pattern::Sum;
        if (held) {
            benchmark::DoNotOptimize(
                session::showOverview(snapshot, request, 0, choices, overview, 0));
            benchmark::DoNotOptimize(
                session::showTrend(snapshot, trendRequest, 0, choices, trend, 0));
            benchmark::DoNotOptimize(session::showPlays(snapshot, plays, choices, this->plays, 0));
            benchmark::DoNotOptimize(
                session::patternOverviewView(snapshot, sum, range, 11, patterns, 0));
            benchmark::DoNotOptimize(
                session::patternTrendView(snapshot, sum, range, 50, 11, patternTrend, 0));
        } else {
            benchmark::DoNotOptimize(session::showOverview(snapshot, request, 0, choices));
            benchmark::DoNotOptimize(session::showTrend(snapshot, trendRequest, 0, choices));
            benchmark::DoNotOptimize(session::showPlays(snapshot, plays, choices));
            benchmark::DoNotOptimize(session::patternOverviewView(
                snapshot, analysis::patternOverview(snapshot, sum, range, 11)));
            benchmark::DoNotOptimize(session::patternTrendView(snapshot, sum, range, 50, 11));
        }
    }
};

void SessionStepsHeld(benchmark::State& state) {
    auto snapshot = million();
    Pages pages;
    pages.show(snapshot, true);
    afterEachDraw(state, snapshot, [&](const history::Snapshot& s) { pages.show(s, true); });
}
BENCHMARK(SessionStepsHeld)->Iterations(kAppended)->Unit(benchmark::kMicrosecond);

/// 走势图 of every draw (全部): the step shares the million-row chart it holds with the page,
/// which lets it go before the next draw, so that the chart grows in place.
void SessionTrendAllHeld(benchmark::State& state) {
    auto snapshot = million();
    const session::Choices choices;
    session::HeldTrend held;
    const auto show = [&](const history::Snapshot& s) {
        benchmark::DoNotOptimize(session::showTrend(s, {}, 0, choices, held, 0));
    };
    show(snapshot);
    afterEachDraw(state, snapshot, show);
}
BENCHMARK(SessionTrendAllHeld)->Iterations(200)->Unit(benchmark::kMillisecond);

/// 形态走势 和值 of every draw (全部), shared with the page in the same way.
void SessionPatternTrendAllHeld(benchmark::State& state) {
    auto snapshot = million();
    session::HeldPatternTrend held;
    const auto show = [&](const history::Snapshot& s) {
        const analysis::IndexRange all{0, s.size() - 1};
        benchmark::DoNotOptimize(session::patternTrendView(s, analysis::Pattern::Sum, all,
                                                           analysis::kAllDraws, 11, held, 0));
    };
    show(snapshot);
    afterEachDraw(state, snapshot, show);
}
BENCHMARK(SessionPatternTrendAllHeld)->Iterations(200)->Unit(benchmark::kMillisecond);

void SessionStepsFullPass(benchmark::State& state) {
    Pages pages;
    for (auto _ : state)
        pages.show(million(), false);
}
BENCHMARK(SessionStepsFullPass)->Unit(benchmark::kMillisecond);

// The full passes the engine figures replace.

void FullOverview(benchmark::State& state) {
    for (auto _ : state)
        benchmark::DoNotOptimize(analysis::omissionOverview(million(), overviewRequest()));
}
BENCHMARK(FullOverview)->Unit(benchmark::kMillisecond);

void FullTrendAll(benchmark::State& state) {
    for (auto _ : state)
        benchmark::DoNotOptimize(
            analysis::trendChart(million(), trendRequest(analysis::kAllDraws)));
}
BENCHMARK(FullTrendAll)->Unit(benchmark::kMillisecond);

void FullPatternTrendAll(benchmark::State& state) {
    for (auto _ : state)
        benchmark::DoNotOptimize(analysis::patternTrend(million(), analysis::Pattern::Sum, kWhole,
                                                        analysis::kAllDraws, 11));
}
BENCHMARK(FullPatternTrendAll)->Unit(benchmark::kMillisecond);

void FullPlays(benchmark::State& state, analysis::Play play) {
    for (auto _ : state)
        benchmark::DoNotOptimize(analysis::playBoard(million(), play, kWhole, 11));
}
BENCHMARK_CAPTURE(FullPlays, r5, analysis::Play::Any5)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(FullPlays, q3z, analysis::Play::Front3Direct)->Unit(benchmark::kMillisecond);

void FullPatterns(benchmark::State& state) {
    for (auto _ : state)
        benchmark::DoNotOptimize(
            analysis::patternOverview(million(), analysis::Pattern::Sum, kWhole, 11));
}
BENCHMARK(FullPatterns)->Unit(benchmark::kMillisecond);

} // namespace
