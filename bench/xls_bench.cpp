// The spreadsheet export of the history grid on generated histories of 100,000 and 1,000,000
// draws: the time from the history in memory to the workbook in place (synced to the disk),
// and the peak memory of the export in a process of its own.

#include "peak_memory.h"
#include "session/grid_text.h"
#include "support/history_generator.h"
#include "support/temp_dir.h"
#include "workbook/spreadsheet_export.h"

#include <benchmark/benchmark.h>
#include <map>

namespace {

using namespace yilou;

const history::Snapshot& generatedHistory(std::size_t draws) {
    static std::map<std::size_t, history::Snapshot> cache;
    auto [entry, added] = cache.try_emplace(draws);
    if (added)
        entry->second = testing::snapshotOf(testing::generateDraws(draws));
    return entry->second;
}

void exportHistoryGrid(const history::Snapshot& snapshot, const std::filesystem::path& folder) {
    history::exportSpreadsheet(folder, history::ExportedGrid::History,
                               session::historyTextGrid(snapshot));
}

// Wall time: the export ends with the file synced to the disk.
void BM_ExportHistorySpreadsheet(benchmark::State& state) {
    const auto& snapshot = generatedHistory(static_cast<std::size_t>(state.range(0)));
    testing::TempDir folder;
    for (auto _ : state)
        exportHistoryGrid(snapshot, folder.path());
    state.counters["file_MB"] =
        static_cast<double>(std::filesystem::file_size(folder / "lishi.xls")) / (1 << 20);
}
BENCHMARK(BM_ExportHistorySpreadsheet)
    ->Arg(100000)
    ->Arg(1000000)
    ->UseRealTime()
    ->Unit(benchmark::kMillisecond);

// The exporting process holds the history (start_MB, with the benchmark process) and what the
// export adds on top of it (peak_MB is the whole high-water mark).
void BM_ExportHistorySpreadsheetPeakMemory(benchmark::State& state) {
    const auto& snapshot = generatedHistory(static_cast<std::size_t>(state.range(0)));
    testing::TempDir folder;
    for (auto _ : state) {
        const auto figures = bench::runInChild([&] { exportHistoryGrid(snapshot, folder.path()); });
        if (!figures) {
            state.SkipWithError("the export process failed");
            return;
        }
        state.SetIterationTime(figures->seconds);
        state.counters["start_MB"] = figures->startMb;
        state.counters["peak_MB"] = figures->peakMb;
    }
}
BENCHMARK(BM_ExportHistorySpreadsheetPeakMemory)
    ->Arg(1000000)
    ->Iterations(1)
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond);

} // namespace
