// Speed of the omission overview, the trend chart and the missing-issue check over a million
// draws.
#include "analysis/omission_overview.h"
#include "analysis/trend_chart.h"
#include "core/missing_issues.h"
#include "million_draws.h"

#include <benchmark/benchmark.h>

namespace {

using namespace yilou;
using analysis::SearchType;

using bench::millionDrawsWithHoles;

analysis::IndexRange wholeHistory() {
    return {0, millionDrawsWithHoles().size() - 1};
}

/// The overview of `type` at the places from `firstPlace` to `lastPlace`, one call each.
void overview(benchmark::State& state, SearchType type, int firstPlace, int lastPlace) {
    const auto& snapshot = millionDrawsWithHoles();
    analysis::OverviewRequest request;
    request.type = type;
    request.range = wholeHistory();
    for (auto _ : state)
        for (int place = firstPlace; place <= lastPlace; ++place) {
            request.place = place;
            benchmark::DoNotOptimize(analysis::omissionOverview(snapshot, request));
        }
}

void trend(benchmark::State& state, SearchType type, std::vector<int> places) {
    const auto& snapshot = millionDrawsWithHoles();
    analysis::TrendRequest request;
    request.type = type;
    request.places = std::move(places);
    request.range = wholeHistory();
    request.rows = 500;
    for (auto _ : state)
        benchmark::DoNotOptimize(analysis::trendChart(snapshot, request));
}

void missingIssues(benchmark::State& state) {
    const auto& snapshot = millionDrawsWithHoles();
    std::int64_t total = 0;
    for (auto _ : state) {
        const auto missing = history::findMissingIssues(snapshot.issues, 84);
        total = missing.total;
        benchmark::DoNotOptimize(missing);
    }
    state.counters["missing"] = static_cast<double>(total);
}

const bool registered = [] {
    const auto ms = benchmark::kMillisecond;
    benchmark::RegisterBenchmark("overview/number_all_six_places", overview, SearchType::Number, 0,
                                 5)
        ->Unit(ms);
    benchmark::RegisterBenchmark("overview/number_anywhere", overview, SearchType::Number, 0, 0)
        ->Unit(ms);
    benchmark::RegisterBenchmark("overview/number_position_1", overview, SearchType::Number, 1, 1)
        ->Unit(ms);
    benchmark::RegisterBenchmark("overview/tail_all_six_places", overview, SearchType::Tail, 0, 5)
        ->Unit(ms);
    benchmark::RegisterBenchmark("trend500/number_anywhere", trend, SearchType::Number,
                                 std::vector<int>{0})
        ->Unit(ms);
    benchmark::RegisterBenchmark("trend500/number_six_blocks", trend, SearchType::Number,
                                 std::vector<int>{0, 1, 2, 3, 4, 5})
        ->Unit(ms);
    benchmark::RegisterBenchmark("missingIssues", missingIssues)->Unit(ms);
    return true;
}();

} // namespace
