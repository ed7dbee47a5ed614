// Speed of the draw patterns over a million draws: the overview of all ten patterns against a
// one-pass reference written out by hand, an appended draw, the pattern trend chart and the
// values of every draw.
#include "analysis/pattern_overview.h"
#include "analysis/pattern_trend.h"
#include "million_draws.h"

#include <benchmark/benchmark.h>
#include <bit>
#include <memory>
#include <numeric>

namespace {

using namespace yilou;
using analysis::Pattern;
using bench::millionDrawsWithHoles;

constexpr int kHighest = 11;

analysis::IndexRange wholeHistory() {
    return {0, millionDrawsWithHoles().size() - 1};
}

/// The one-pass reference: the same figures of the same ten patterns of an 11-number game,
/// written out for this game alone. Each value is worked out from the five numbers as it is
/// defined and indexes a record of figures per value, updated as the engine updates its own.
namespace reference {

// The first record of each pattern; 012路 by c0 · 5 + c1.
constexpr int kSum = 0;          // 15..45
constexpr int kSpan = 31;        // 4..10
constexpr int kOdd = 38;         // 0..5
constexpr int kBig = 44;         // 0..5
constexpr int kPrime = 50;       // 0..5
constexpr int kMod3 = 56;        // c0 0..3, c1 0..4
constexpr int kConsecutive = 76; // 0..4
constexpr int kRepeat = 81;      // 0..5
constexpr int kSum3 = 87;        // 6..30
constexpr int kSpan3 = 112;      // 2..10
constexpr int kValues = 121;

struct Figures {
    std::uint32_t last = 0;
    std::uint32_t run = 0;
    std::uint32_t lastGap = 0;
    std::uint32_t minGap = UINT32_MAX;
    std::uint32_t maxGap = 0;
    std::uint32_t maxGapEnd = 0;
    std::uint32_t maxRun = 0;
    std::array<std::uint32_t, 22> histogram{}; ///< by gap, longer than 20 in entry 21
};

using Tallies = std::array<Figures, kValues>;

inline void hit(Figures& f, std::uint32_t idx) {
    const std::uint32_t gap = idx - f.last;
    f.last = idx;
    f.lastGap = gap;
    f.run = 1 + (f.run & -static_cast<std::uint32_t>(gap == 1)); // a branch here is a coin toss
    if (gap < f.minGap)
        f.minGap = gap;
    if (gap >= f.maxGap) {
        f.maxGap = gap;
        f.maxGapEnd = idx;
    }
    if (f.run > f.maxRun)
        f.maxRun = f.run;
    ++f.histogram[std::min(gap, 21u)];
}

void pass(const history::Snapshot& snapshot, Tallies& tallies) {
    std::array<const std::int8_t*, 5> c{};
    for (int p = 0; p < 5; ++p)
        c[p] = snapshot.column(history::NumberOrder::Drop, history::Letter::A, p).data();
    // The numbers of each kind as bit sets: a kind's count is the count of the draw's bits.
    constexpr auto bits = [](auto holds) {
        std::uint32_t set = 0;
        for (int n = 1; n <= kHighest; ++n)
            set |= std::uint32_t{holds(n)} << n;
        return set;
    };
    constexpr std::uint32_t kOddSet = bits([](int n) { return n % 2 == 1; });
    constexpr std::uint32_t kBigSet = bits([](int n) { return n > 5; });
    constexpr std::uint32_t kPrimeSet =
        bits([](int n) { return n == 1 || n == 2 || n == 3 || n == 5 || n == 7 || n == 11; });
    constexpr std::uint32_t kResidue0Set = bits([](int n) { return n % 3 == 0; });
    constexpr std::uint32_t kResidue1Set = bits([](int n) { return n % 3 == 1; });
    std::uint32_t previous = 0;
    for (std::size_t i = 0; i < snapshot.size(); ++i) {
        const int d[5] = {c[0][i], c[1][i], c[2][i], c[3][i], c[4][i]};
        const std::uint32_t mask = 1u << d[0] | 1u << d[1] | 1u << d[2] | 1u << d[3] | 1u << d[4];
        const int sum = d[0] + d[1] + d[2] + d[3] + d[4];
        const int odd = std::popcount(mask & kOddSet);
        const int big = std::popcount(mask & kBigSet);
        const int prime = std::popcount(mask & kPrimeSet);
        const int r0 = std::popcount(mask & kResidue0Set);
        const int r1 = std::popcount(mask & kResidue1Set);
        const int span = std::bit_width(mask) - 1 - std::countr_zero(mask);
        const int consecutive = std::popcount(mask & mask >> 1);
        const int sum3 = d[0] + d[1] + d[2];
        const int span3 = std::max({d[0], d[1], d[2]}) - std::min({d[0], d[1], d[2]});
        const auto idx = static_cast<std::uint32_t>(i + 1);
        hit(tallies[kSum + sum - 15], idx);
        hit(tallies[kSpan + span - 4], idx);
        hit(tallies[kOdd + odd], idx);
        hit(tallies[kBig + big], idx);
        hit(tallies[kPrime + prime], idx);
        hit(tallies[kMod3 + r0 * 5 + r1], idx);
        hit(tallies[kConsecutive + consecutive], idx);
        if (i > 0)
            hit(tallies[kRepeat + std::popcount(mask & previous)], idx);
        hit(tallies[kSum3 + sum3 - 6], idx);
        hit(tallies[kSpan3 + span3 - 2], idx);
        previous = mask;
    }
}

/// Whether the reference and the engine count the same hits, longest gaps and longest runs.
bool agrees(const history::Snapshot& snapshot, const Tallies& tallies) {
    const analysis::PatternTallies engine(snapshot, wholeHistory(), kHighest);
    std::array<std::int64_t, 3> engineSums{}, referenceSums{};
    for (int p = 0; p < analysis::kPatternCount; ++p)
        for (const auto& row : engine.overview(snapshot, static_cast<Pattern>(p)).rows)
            if (row.hits)
                engineSums = {engineSums[0] + row.hits, engineSums[1] + row.maxGap,
                              engineSums[2] + row.maxRun};
    for (const Figures& f : tallies)
        referenceSums = {referenceSums[0] +
                             std::accumulate(f.histogram.begin(), f.histogram.end(), 0),
                         referenceSums[1] + f.maxGap, referenceSums[2] + f.maxRun};
    return engineSums == referenceSums;
}

} // namespace reference

void overviewOfAllTen(benchmark::State& state) {
    const auto& snapshot = millionDrawsWithHoles();
    for (auto _ : state) {
        const analysis::PatternTallies tallies(snapshot, wholeHistory(), kHighest);
        for (int p = 0; p < analysis::kPatternCount; ++p)
            benchmark::DoNotOptimize(tallies.overview(snapshot, static_cast<Pattern>(p)));
    }
}

void onePassReference(benchmark::State& state) {
    const auto& snapshot = millionDrawsWithHoles();
    auto tallies = std::make_unique<reference::Tallies>();
    for (auto _ : state) {
        *tallies = {};
        reference::pass(snapshot, *tallies);
        benchmark::DoNotOptimize(tallies->data());
    }
    if (!reference::agrees(snapshot, *tallies))
        state.SkipWithError("the reference and the engine disagree");
}

/// The newest draw appended to the tallies of all before it, and one pattern's rows made: a
/// copy of the tallies is taken each time, so that each iteration appends the same draw.
void appendOneDraw(benchmark::State& state) {
    const auto& snapshot = millionDrawsWithHoles();
    const analysis::PatternTallies before(snapshot, {0, snapshot.size() - 2}, kHighest);
    for (auto _ : state) {
        analysis::PatternTallies tallies = before;
        tallies.append(snapshot);
        benchmark::DoNotOptimize(tallies.overview(snapshot, Pattern::Sum));
    }
}

void trend(benchmark::State& state, Pattern pattern) {
    const auto& snapshot = millionDrawsWithHoles();
    for (auto _ : state)
        benchmark::DoNotOptimize(
            analysis::patternTrend(snapshot, pattern, wholeHistory(), 500, kHighest));
}

void drawValues(benchmark::State& state) {
    const auto& snapshot = millionDrawsWithHoles();
    for (auto _ : state)
        benchmark::DoNotOptimize(analysis::drawPatternValues(snapshot, wholeHistory(), kHighest));
}

const bool registered = [] {
    const auto ms = benchmark::kMillisecond;
    benchmark::RegisterBenchmark("patterns/overview_all_ten", overviewOfAllTen)->Unit(ms);
    benchmark::RegisterBenchmark("patterns/one_pass_reference", onePassReference)->Unit(ms);
    benchmark::RegisterBenchmark("patterns/append_one_draw", appendOneDraw)
        ->Unit(benchmark::kMicrosecond);
    for (const Pattern pattern : {Pattern::Sum, Pattern::Mod3, Pattern::Repeat})
        benchmark::RegisterBenchmark(
            ("patterns/trend500/" + std::string(analysis::patternKey(pattern))).c_str(), trend,
            pattern)
            ->Unit(ms);
    benchmark::RegisterBenchmark("patterns/draw_values_all", drawValues)->Unit(ms);
    return true;
}();

} // namespace
