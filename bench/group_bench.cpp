// The grouped combination calculation: all eleven numbers in groups of five (462 combinations),
// over a million draws, and against the statement-by-statement database method on 10,000.
#include "analysis/gap_stats.h"
#include "analysis/grouped_combination.h"
#include "million_draws.h"
#include "support/grouped_oracle.h"
#include "support/history_generator.h"
#include "support/temp_dir.h"

#include <algorithm>
#include <benchmark/benchmark.h>
#include <bit>
#include <chrono>
#include <ctime>

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

/// The one-pass table reference, for the eleven numbers only: every k-combination of numbers
/// has an index, and the 11-bit mask of a draw's numbers indexes the list of the combinations
/// the draw hits. Gives the gap statistics per combination, in no particular order.
std::vector<analysis::GapStats> tableReference(const history::Snapshot& snapshot, int k) {
    constexpr std::uint32_t kMasks = 1u << 11;
    std::vector<std::uint32_t> indexOf(kMasks);
    std::size_t combinations = 0;
    for (std::uint32_t mask = 0; mask < kMasks; ++mask)
        if (std::popcount(mask) == k)
            indexOf[mask] = static_cast<std::uint32_t>(combinations++);
    std::vector<std::uint32_t> offsets(kMasks + 1), hits;
    for (std::uint32_t mask = 0; mask < kMasks; ++mask) {
        for (std::uint32_t part = mask; part; part = (part - 1) & mask)
            if (std::popcount(part) == k)
                hits.push_back(indexOf[part]);
        offsets[mask + 1] = static_cast<std::uint32_t>(hits.size());
    }

    std::vector<analysis::GapStats> stats(combinations, analysis::GapStats(0));
    std::array<const std::int8_t*, 5> columns{};
    for (int p = 0; p < 5; ++p)
        columns[p] = snapshot.column(history::NumberOrder::Drop, history::Letter::A, p).data();
    for (std::size_t i = 0; i < snapshot.size(); ++i) {
        std::uint32_t mask = 0;
        for (const std::int8_t* column : columns)
            mask |= 1u << (column[i] - 1);
        for (std::uint32_t h = offsets[mask]; h < offsets[mask + 1]; ++h)
            stats[hits[h]].hit(i + 1);
    }
    return stats;
}

/// CPU time of the calling thread in seconds: on a machine shared with other work the wall
/// time of a single-threaded pass mostly measures the others.
double threadSeconds() {
    timespec now{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
    return static_cast<double>(now.tv_sec) + static_cast<double>(now.tv_nsec) * 1e-9;
}

/// All eleven numbers in groups of k over a million draws, the engine and the table reference
/// timed in turn in every iteration (thread CPU time); counters: the medians and their ratio.
void BM_GroupedEngineVsTableReference(benchmark::State& state) {
    const auto& snapshot = bench::millionDrawsWithHoles();
    auto request = allNumbersInFives(snapshot);
    request.k = static_cast<int>(state.range(0));
    std::vector<double> engine, reference;
    for (auto _ : state) {
        double start = threadSeconds();
        benchmark::DoNotOptimize(analysis::P6Count(snapshot, request));
        engine.push_back(threadSeconds() - start);
        start = threadSeconds();
        benchmark::DoNotOptimize(tableReference(snapshot, request.k));
        reference.push_back(threadSeconds() - start);
    }
    const auto median = [](std::vector<double> times) {
        std::nth_element(times.begin(), times.begin() + times.size() / 2, times.end());
        return times[times.size() / 2];
    };
    state.counters["engine_ms"] = median(engine) * 1e3;
    state.counters["reference_ms"] = median(reference) * 1e3;
    state.counters["ratio"] = median(engine) / median(reference);
}
BENCHMARK(BM_GroupedEngineVsTableReference)
    ->DenseRange(1, 6)
    ->Iterations(21)
    ->Unit(benchmark::kMillisecond);

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
