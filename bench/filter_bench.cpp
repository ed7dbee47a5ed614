// The ticket filter (缩水) over a million draws, and back-tests (回测) of 任选五 with an omission
// condition over the newest 10,000 and 100,000 of them.
#include "analysis/ticket_filter.h"
#include "million_draws.h"

#include <benchmark/benchmark.h>

namespace {

using namespace yilou;
using analysis::Play;

/// A player's rule: the sum, two or three odd numbers, and the current omission.
analysis::TicketConditions rule(Play play) {
    analysis::TicketConditions conditions;
    conditions.odd = analysis::CountSet(0b1100);
    conditions.omission = analysis::ValueRange{10, 1'000'000};
    if (play <= Play::Any8)
        conditions.sum = analysis::ValueRange{25 * analysis::playSize(play) / 5,
                                              35 * analysis::playSize(play) / 5};
    return conditions;
}

void filterNow(benchmark::State& state, Play play) {
    const auto& snapshot = bench::millionDrawsWithHoles();
    const auto conditions = rule(play);
    for (auto _ : state)
        benchmark::DoNotOptimize(analysis::filterTickets(snapshot, play, 11, conditions));
}

void backtest(benchmark::State& state, std::size_t draws) {
    const auto& snapshot = bench::millionDrawsWithHoles();
    const auto conditions = rule(Play::Any5);
    for (auto _ : state)
        benchmark::DoNotOptimize(analysis::backtest(snapshot, Play::Any5, 11, conditions, draws));
}

const bool registered = [] {
    for (const Play play : analysis::allPlays())
        benchmark::RegisterBenchmark(
            ("filter/" + std::string(analysis::playKey(play)) + "/now").c_str(), filterNow, play)
            ->Unit(benchmark::kMillisecond);
    for (const std::size_t draws : {10'000, 100'000})
        benchmark::RegisterBenchmark(("filter/backtest_r5/" + std::to_string(draws)).c_str(),
                                     backtest, draws)
            ->Unit(benchmark::kMillisecond);
    return true;
}();

} // namespace
