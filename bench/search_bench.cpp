// Speed of the omission search and the multi-position search over a million draws.
#include "analysis/match_plan.h"
#include "analysis/omission_search.h"
#include "support/history_generator.h"

#include <benchmark/benchmark.h>

namespace {

using namespace yilou;
using analysis::SearchRequest;
using analysis::SearchType;

constexpr std::size_t kDraws = 1000000;

const history::Snapshot& millionDraws() {
    static const history::Snapshot snapshot = [] {
        testing::GeneratedHistory settings;
        settings.draws = kDraws;
        settings.seed = 20170812;
        return testing::snapshotOf(testing::generateDraws(settings));
    }();
    return snapshot;
}

std::size_t snapshotBytes(const history::Snapshot& snapshot) {
    return sizeof snapshot + history::SnapshotStorage::bytes(snapshot.size());
}

/// A search of the whole history; `values[p]` 0 leaves position p + 1 unselected.
SearchRequest wholeHistory(SearchType type, bool freePosition, std::array<int, 5> values) {
    const auto& snapshot = millionDraws();
    SearchRequest request;
    request.type = type;
    request.freePosition = freePosition;
    for (int p = 0; p < 5; ++p)
        request.positions[p] = {values[p] != 0, values[p], std::to_string(values[p])};
    request.startIssue = snapshot.issues.front();
    request.endIssue = snapshot.issues.back();
    return request;
}

/// Times `search` alone: dropping the previous result is the caller's and stays outside.
template <typename Search> void timeSearch(benchmark::State& state, Search search) {
    std::size_t hits = 0;
    for (auto _ : state) {
        auto result = search();
        benchmark::DoNotOptimize(result);
        state.PauseTiming();
        hits = result.hits.size();
        result = {};
        state.ResumeTiming();
    }
    state.counters["hits"] = static_cast<double>(hits);
}

void omission(benchmark::State& state, SearchType type, bool freePosition,
              std::array<int, 5> values) {
    const SearchRequest request = wholeHistory(type, freePosition, values);
    timeSearch(state, [&] { return analysis::omissionSearch(millionDraws(), request); });
}

void multiPosition(benchmark::State& state, SearchType type, bool freePosition,
                   std::array<int, 5> values) {
    const SearchRequest request = wholeHistory(type, freePosition, values);
    timeSearch(state,
               [&] { return analysis::multiPositionSearch(millionDraws(), request, 2, "2"); });
}

/// The matching alone, without the grid rows: what the scan costs per condition.
void matchingOnly(benchmark::State& state, SearchType type, int need, std::array<int, 5> values) {
    const auto& snapshot = millionDraws();
    analysis::MatchPlan plan;
    plan.type = type;
    plan.need = need;
    for (int v : values)
        plan.freeTerms.push_back({v, 1});
    const analysis::IndexRange range{0, snapshot.size() - 1};
    std::size_t hits = 0;
    for (auto _ : state) {
        hits = analysis::matchingDraws(snapshot, plan, range).size();
        benchmark::DoNotOptimize(hits);
    }
    state.counters["hits"] = static_cast<double>(hits);
}

void snapshotSize(benchmark::State& state) {
    const auto& snapshot = millionDraws();
    for (auto _ : state)
        benchmark::DoNotOptimize(snapshot.size());
    state.counters["MB"] = static_cast<double>(snapshotBytes(snapshot)) / 1e6;
}

struct Case {
    const char* name;
    SearchType type;
    bool freePosition;
    std::array<int, 5> values; ///< 0 leaves the position unselected in the omission search
};

// Hit shares from 2 % to every draw: the rows of the result cost more than the matching.
constexpr Case kOmissionCases[] = {
    {"omission/fixed_tail_2", SearchType::Tail, false, {3, 0, 0, 0, 1}},
    {"omission/free_zodiac_3", SearchType::Zodiac, true, {5, 9, 2, 0, 0}},
    {"omission/fixed_sum_1", SearchType::DigitSum, false, {2, 0, 0, 0, 0}},
    {"omission/free_number_2", SearchType::Number, true, {3, 7, 0, 0, 0}},
    {"omission/free_number_1", SearchType::Number, true, {4, 0, 0, 0, 0}},
    {"omission/no_position_every_draw", SearchType::Number, true, {0, 0, 0, 0, 0}},
};
constexpr Case kMultiPositionCases[] = {
    {"multiPosition_k2/fixed_number", SearchType::Number, false, {1, 2, 3, 4, 5}},
    {"multiPosition_k2/free_tail", SearchType::Tail, true, {1, 1, 1, 1, 1}},
    {"multiPosition_k2/free_number_3_of_5", SearchType::Number, true, {1, 2, 3, 13, 14}},
    {"multiPosition_k2/free_number", SearchType::Number, true, {1, 2, 3, 4, 5}},
};

const bool registered = [] {
    benchmark::RegisterBenchmark("snapshotSize", snapshotSize)->Iterations(1);
    for (const Case& c : kOmissionCases)
        benchmark::RegisterBenchmark(c.name, omission, c.type, c.freePosition, c.values)
            ->Unit(benchmark::kMillisecond);
    for (const Case& c : kMultiPositionCases)
        benchmark::RegisterBenchmark(c.name, multiPosition, c.type, c.freePosition, c.values)
            ->Unit(benchmark::kMillisecond);
    benchmark::RegisterBenchmark("matchingOnly/five_values_k2", matchingOnly, SearchType::Number, 2,
                                 std::array<int, 5>{1, 2, 3, 4, 5})
        ->Unit(benchmark::kMillisecond);
    return true;
}();

} // namespace
