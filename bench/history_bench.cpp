// History engine figures on synthetic histories of 300,000 and 1,000,000 draws: text import,
// snapshot loading, renumbering, compaction and the peak memory of an import. The text files
// and databases are made once per size in a temporary folder.

#include "core/issue.h"
#include "peak_memory.h"
#include "store/history_db.h"
#include "store/maintenance.h"
#include "store/text_import.h"
#include "support/history_generator.h"
#include "support/temp_dir.h"

#include <benchmark/benchmark.h>
#include <cstdio>
#include <filesystem>
#include <map>
#include <stdexcept>
#include <string>

namespace {

using namespace yilou::history;

const AttributeRules kRules = AttributeRules::startup(1, 1);

struct Prepared {
    std::filesystem::path text;     ///< the history as a text file
    std::filesystem::path database; ///< a database holding the same history
};

yilou::testing::TempDir& benchDir() {
    static yilou::testing::TempDir dir;
    return dir;
}

/// Writes `draws` random draws as a history text file, a block at a time, so that the process
/// stays small for the memory figure.
void writeHistoryText(const std::filesystem::path& file, std::size_t draws) {
    std::FILE* out = std::fopen(file.c_str(), "wb");
    if (!out)
        throw std::runtime_error("cannot write " + file.string());
    yilou::testing::GeneratedHistory block;
    block.firstIssue = 10010101;
    for (std::size_t written = 0; written < draws; written += block.draws) {
        block.draws = std::min<std::size_t>(10000, draws - written);
        block.seed = written + 1;
        const auto records = yilou::testing::generateDraws(block);
        for (const auto& record : records) {
            const std::string line =
                issueText(record.issue) + " " + txtHisLst(record.drop[Letter::A]) + "\n";
            std::fwrite(line.data(), 1, line.size(), out);
        }
        block.firstIssue = proposeNextIssue(records.back().issue, block.drawsPerDay);
    }
    if (std::fclose(out) != 0)
        throw std::runtime_error("cannot write " + file.string());
}

const Prepared& prepared(std::size_t draws, bool withDatabase = true) {
    static std::map<std::size_t, Prepared> cache;
    auto [entry, added] = cache.try_emplace(draws);
    Prepared& data = entry->second;
    if (added) {
        const auto folder = benchDir() / std::to_string(draws);
        std::filesystem::create_directories(folder);
        data.text = folder / "history.txt";
        writeHistoryText(data.text, draws);
    }
    if (withDatabase && data.database.empty()) {
        data.database = benchDir() / std::to_string(draws) / kDatabaseFileName;
        HistoryDb db(data.database);
        importHistoryFile(db, data.text, gameAt(0), kRules);
    }
    return data;
}

// Peak memory of a 1M-line import into a new database, in a child process that does nothing
// but the import: its resident-set high-water mark is reset when it starts (what it shares
// with the benchmark process is reported as start_MB) and read when the import is done.
void BM_ImportPeakMemory(benchmark::State& state) {
    const auto draws = static_cast<std::size_t>(state.range(0));
    const Prepared& data = prepared(draws, false);
    const auto folder = benchDir() / ("memory-" + std::to_string(draws));
    for (auto _ : state) {
        std::filesystem::remove_all(folder);
        std::filesystem::create_directories(folder);
        const auto figures = yilou::bench::runInChild([&] {
            HistoryDb db(folder / kDatabaseFileName);
            importHistoryFile(db, data.text, gameAt(0), kRules);
        });
        if (!figures) {
            state.SkipWithError("the import process failed");
            return;
        }
        state.SetIterationTime(figures->seconds);
        state.counters["start_MB"] = figures->startMb;
        state.counters["peak_MB"] = figures->peakMb;
    }
    std::filesystem::remove_all(folder);
}
BENCHMARK(BM_ImportPeakMemory)
    ->Arg(1000000)
    ->Iterations(1)
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond);

// Reading and checking the text file alone: the parsing share of an import.
void BM_ReadHistoryText(benchmark::State& state) {
    const Prepared& data = prepared(static_cast<std::size_t>(state.range(0)), false);
    for (auto _ : state)
        benchmark::DoNotOptimize(readHistoryText(data.text, gameAt(0)));
}
BENCHMARK(BM_ReadHistoryText)->Arg(300000)->Arg(1000000)->Unit(benchmark::kMillisecond);

// End to end: read, check, derive and replace a history of the same size in one transaction.
void BM_TextImport(benchmark::State& state) {
    const Prepared& data = prepared(static_cast<std::size_t>(state.range(0)));
    HistoryDb db(data.database);
    for (auto _ : state)
        benchmark::DoNotOptimize(importHistoryFile(db, data.text, gameAt(0), kRules));
}
BENCHMARK(BM_TextImport)->Arg(300000)->Arg(1000000)->Iterations(2)->Unit(benchmark::kMillisecond);

void BM_LoadSnapshot(benchmark::State& state) {
    HistoryDb db(prepared(static_cast<std::size_t>(state.range(0))).database);
    for (auto _ : state)
        benchmark::DoNotOptimize(db.loadSnapshot());
}
// Wall time: the load runs on two threads.
BENCHMARK(BM_LoadSnapshot)->Arg(300000)->Arg(1000000)->UseRealTime()->Unit(benchmark::kMillisecond);

// What `history --tail 5` reads.
void BM_LoadNewest(benchmark::State& state) {
    HistoryDb db(prepared(static_cast<std::size_t>(state.range(0))).database);
    for (auto _ : state)
        benchmark::DoNotOptimize(db.loadNewest(5));
}
BENCHMARK(BM_LoadNewest)->Arg(1000000)->Unit(benchmark::kMicrosecond);

// The check that precedes every change made from the command line.
void BM_CheckIntact(benchmark::State& state) {
    HistoryDb db(prepared(static_cast<std::size_t>(state.range(0))).database);
    for (auto _ : state)
        db.checkIntact();
}
BENCHMARK(BM_CheckIntact)->Arg(300000)->Arg(1000000)->Unit(benchmark::kMillisecond);

// Renumbering when every IDX is right already: the pass after appending the newest draw.
void BM_RenumberIdxUnchanged(benchmark::State& state) {
    HistoryDb db(prepared(static_cast<std::size_t>(state.range(0))).database);
    for (auto _ : state)
        db.RenumberIdx();
}
BENCHMARK(BM_RenumberIdxUnchanged)->Arg(300000)->Arg(1000000)->Unit(benchmark::kMillisecond);

// Renumbering when every IDX is wrong, as after storing a draw older than all others: every
// row is rewritten.
void BM_RenumberIdxAll(benchmark::State& state) {
    HistoryDb db(prepared(static_cast<std::size_t>(state.range(0))).database);
    for (auto _ : state) {
        state.PauseTiming();
        db.sql().exec("UPDATE [Lishi] SET [IDX] = 0");
        state.ResumeTiming();
        db.RenumberIdx();
    }
}
BENCHMARK(BM_RenumberIdxAll)
    ->Arg(300000)
    ->Arg(1000000)
    ->Iterations(1)
    ->Unit(benchmark::kMillisecond);

// Compaction in place of a database holding the whole history.
void BM_CompactDb(benchmark::State& state) {
    HistoryDb db(prepared(static_cast<std::size_t>(state.range(0))).database);
    for (auto _ : state)
        CompactDb(db);
}
BENCHMARK(BM_CompactDb)->Arg(300000)->Arg(1000000)->Iterations(2)->Unit(benchmark::kMillisecond);

} // namespace
