// The grouped combination calculation: all eleven numbers in groups of five (462 combinations),
// over a million draws, and against the statement-by-statement database method on 10,000.
#include "analysis/grouped_combination.h"
#include "support/grouped_oracle.h"
#include "support/history_generator.h"
#include "support/temp_dir.h"

#include <benchmark/benchmark.h>
#include <chrono>

namespace {

using namespace yilou;

/// A generated history of `draws` draws, built in slices so the full records never sit in
/// memory at once.
history::Snapshot generatedSnapshot(std::size_t draws) {
    constexpr std::size_t kSlice = 100'000;
    history::Snapshot snapshot;
    snapshot.reserve(draws);
    testing::GeneratedHistory settings;
    for (std::uint64_t slice = 1; snapshot.size() < draws; ++slice) {
        settings.draws = std::min(kSlice, draws - snapshot.size());
        settings.seed = slice;
        for (const auto& record : testing::generateDraws(settings))
            snapshot.push(record);
        settings.firstIssue = history::proposeNextIssue(snapshot.issues.back(), 84);
    }
    return snapshot;
}

analysis::GroupRequest allNumbersInFives(const history::Snapshot& snapshot) {
    analysis::GroupRequest request;
    request.type = analysis::SearchType::Number;
    request.codes = {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11};
    request.k = 5;
    request.startIssue = snapshot.issues.front();
    request.endIssue = snapshot.issues.back();
    return request;
}

void BM_GroupedAllNumbersInFives(benchmark::State& state) {
    static const auto snapshot = generatedSnapshot(static_cast<std::size_t>(state.range(0)));
    const auto request = allNumbersInFives(snapshot);
    for (auto _ : state)
        benchmark::DoNotOptimize(analysis::P6Count(snapshot, request));
    state.counters["draws"] = static_cast<double>(snapshot.size());
}
BENCHMARK(BM_GroupedAllNumbersInFives)->Arg(1'000'000)->Unit(benchmark::kMillisecond);

/// The database method on 10,000 draws; the engine is timed on the same history afterwards and
/// the counter `speedup` is the database time over the engine time.
void BM_GroupedDatabaseMethodVsEngine(benchmark::State& state) {
    testing::GeneratedHistory settings;
    settings.draws = 10'000;
    const auto records = testing::generateDraws(settings);
    const auto snapshot = testing::snapshotOf(records);
    testing::TempDir dir;
    history::HistoryDb db(dir / history::kDatabaseFileName);
    db.replaceAll(records);
    const auto request = allNumbersInFives(snapshot);

    using Clock = std::chrono::steady_clock;
    std::chrono::duration<double> databaseTime{};
    for (auto _ : state) {
        const auto start = Clock::now();
        benchmark::DoNotOptimize(testing::oracleGroupedRows(db, request));
        databaseTime += Clock::now() - start;
    }
    constexpr int kEngineRuns = 2000;
    const auto start = Clock::now();
    for (int i = 0; i < kEngineRuns; ++i)
        benchmark::DoNotOptimize(analysis::P6Count(snapshot, request));
    const std::chrono::duration<double> engineTime = (Clock::now() - start) / kEngineRuns;

    const double database = databaseTime.count() / static_cast<double>(state.iterations());
    state.counters["database_ms"] = database * 1e3;
    state.counters["engine_us"] = engineTime.count() * 1e6;
    state.counters["speedup"] = database / engineTime.count();
}
BENCHMARK(BM_GroupedDatabaseMethodVsEngine)->Iterations(1)->Unit(benchmark::kMillisecond);

} // namespace
