// Printing a search of 454,557 hits on the command line, as json and as csv, into /dev/null
// through a stream as the program's standard output is one: the output alone, the search is
// made once.
#include "analysis/omission_search.h"
#include "cli/search_output.h"
#include "million_draws.h"

#include <benchmark/benchmark.h>
#include <fstream>

namespace {

using namespace yilou;

/// Number 04 at a free position over the million draws.
const analysis::SearchResult& searchOfOneNumber() {
    static const analysis::SearchResult result = [] {
        const auto& snapshot = bench::millionDrawsWithHoles();
        analysis::SearchRequest request;
        request.type = analysis::SearchType::Number;
        request.freePosition = true;
        request.positions[0] = {true, 4, "04"};
        request.startIssue = snapshot.issues.front();
        request.endIssue = snapshot.issues.back();
        return analysis::omissionSearch(snapshot, request);
    }();
    return result;
}

void BM_PrintSearch(benchmark::State& state, cli::OutputFormat format) {
    const auto& result = searchOfOneNumber();
    std::ofstream out("/dev/null");
    for (auto _ : state) {
        cli::printSearchResult(out, format, result);
        out.flush();
    }
    state.counters["rows"] = static_cast<double>(result.hits.size());
}
BENCHMARK_CAPTURE(BM_PrintSearch, json, cli::OutputFormat::Json)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_PrintSearch, csv, cli::OutputFormat::Csv)->Unit(benchmark::kMillisecond);

} // namespace
