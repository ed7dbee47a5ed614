#include "analysis/draw_patterns.h"
#include "analysis/pattern_overview.h"
#include "analysis/pattern_trend.h"
#include "overview_reference.h"
#include "support/history_generator.h"
#include "support/test_seed.h"

#include <algorithm>
#include <gtest/gtest.h>
#include <map>
#include <numeric>
#include <tuple>

namespace yilou::analysis {
namespace {

using history::PositionValues;
using history::Snapshot;
using testing::Rng;
using testing::uniform;

/// A draw's value of a pattern as the patterns are defined; `previous`: the numbers of the
/// previous stored draw, none for the oldest.
std::optional<int> referenceValue(Pattern pattern, const PositionValues& d,
                                  const std::optional<PositionValues>& previous, int highest) {
    const auto count = [&d](auto holds) { return int(std::count_if(d.begin(), d.end(), holds)); };
    const auto has = [&d](int n) { return std::find(d.begin(), d.end(), n) != d.end(); };
    const auto [low, high] = std::minmax_element(d.begin(), d.end());
    const auto [low3, high3] = std::minmax_element(d.begin(), d.begin() + 3);
    switch (pattern) {
    case Pattern::Sum:
        return std::accumulate(d.begin(), d.end(), 0);
    case Pattern::Span:
        return *high - *low;
    case Pattern::Odd:
        return count([](int n) { return n % 2 == 1; });
    case Pattern::Big:
        return count([highest](int n) { return n >= (highest == 11 ? 6 : 7); });
    case Pattern::Prime:
        return count(
            [](int n) { return n == 1 || n == 2 || n == 3 || n == 5 || n == 7 || n == 11; });
    case Pattern::Mod3:
        return 100 * count([](int n) { return n % 3 == 0; }) +
               10 * count([](int n) { return n % 3 == 1; }) +
               count([](int n) { return n % 3 == 2; });
    case Pattern::Consecutive:
        return count([&has](int n) { return has(n + 1); });
    case Pattern::Repeat:
        if (!previous)
            return std::nullopt;
        return count([&previous](int n) {
            return std::find(previous->begin(), previous->end(), n) != previous->end();
        });
    case Pattern::Sum3:
        return d[0] + d[1] + d[2];
    case Pattern::Span3:
        return *high3 - *low3;
    }
    return std::nullopt;
}

std::optional<int> referenceValueAt(const Snapshot& snapshot, Pattern pattern, std::size_t i,
                                    int highest) {
    const auto previous = i > 0 ? std::optional(snapshot.numbers(i - 1)) : std::nullopt;
    return referenceValue(pattern, snapshot.numbers(i), previous, highest);
}

Snapshot randomHistory(Rng& rng, int highest, std::size_t draws) {
    testing::GeneratedHistory settings;
    settings.draws = draws;
    settings.seed = rng();
    settings.highestNumber = highest;
    settings.missingShare = uniform(rng, 0, 1) ? 0.0 : 0.2;
    return testing::snapshotOf(testing::generateDraws(settings));
}

IndexRange randomRange(Rng& rng, const Snapshot& snapshot) {
    const int last = int(snapshot.size()) - 1;
    // A third of the ranges start at the oldest draw, which has no 重号.
    const int first = uniform(rng, 0, 2) ? uniform(rng, 0, last) : 0;
    return {std::size_t(first), std::size_t(uniform(rng, first, last))};
}

constexpr auto kAllPatterns = [] {
    std::array<Pattern, kPatternCount> all{};
    for (int p = 0; p < kPatternCount; ++p)
        all[std::size_t(p)] = static_cast<Pattern>(p);
    return all;
}();

std::string traceOf(std::uint64_t seed) {
    return "seed " + std::to_string(seed) + " (rerun with YILOU_TEST_SEED)";
}

// Every ordered draw of the game (and for 重号 every pair of draws) against the engine's values
// and odds.
TEST(PatternOdds, CountEveryDrawOfTheGame) {
    for (const int highest : {11, 12}) {
        std::map<Pattern, std::map<int, std::int64_t>> counts;
        std::int64_t draws = 0;
        std::vector<PositionValues> sets;
        forEveryOrderedDraw(highest, [&](const PositionValues& d) {
            ++draws;
            if (std::is_sorted(d.begin(), d.end()))
                sets.push_back(d);
            for (const Pattern p : kAllPatterns)
                if (p != Pattern::Repeat)
                    ++counts[p][*referenceValue(p, d, std::nullopt, highest)];
        });
        for (const auto& previous : sets)
            for (const auto& draw : sets)
                ++counts[Pattern::Repeat]
                        [*referenceValue(Pattern::Repeat, draw, previous, highest)];
        const auto pairs = std::int64_t(sets.size() * sets.size());

        for (const Pattern p : kAllPatterns) {
            SCOPED_TRACE(std::string(patternKey(p)) + " of " + std::to_string(highest));
            const PatternOdds odds = patternOdds(p, highest);
            std::vector<int> values;
            for (const auto& [value, count] : counts[p])
                values.push_back(value);
            ASSERT_EQ(odds.values, values);
            for (std::size_t v = 0; v < values.size(); ++v)
                EXPECT_DOUBLE_EQ(odds.probabilities[v],
                                 double(counts[p][values[v]]) /
                                     double(p == Pattern::Repeat ? pairs : draws));
            EXPECT_NEAR(std::accumulate(odds.probabilities.begin(), odds.probabilities.end(), 0.0),
                        1.0, 1e-12);
        }
    }
}

struct ValueListCase {
    Pattern pattern;
    int highest;
    std::size_t count;
    const char* first;
    const char* last;
};

void PrintTo(const ValueListCase& c, std::ostream* out) {
    *out << patternKey(c.pattern) << " of " << c.highest;
}

class PatternValueList : public ::testing::TestWithParam<ValueListCase> {};

TEST_P(PatternValueList, FromTheSmallestToTheLargestValue) {
    const ValueListCase& c = GetParam();
    const auto values = patternOdds(c.pattern, c.highest).values;
    ASSERT_EQ(values.size(), c.count);
    EXPECT_EQ(patternValueLabel(c.pattern, values.front()), c.first);
    EXPECT_EQ(patternValueLabel(c.pattern, values.back()), c.last);
    EXPECT_EQ(patternFromKey(patternKey(c.pattern)), c.pattern);
}

INSTANTIATE_TEST_SUITE_P(
    Games, PatternValueList,
    ::testing::Values(ValueListCase{Pattern::Sum, 11, 31, "15", "45"},
                      ValueListCase{Pattern::Sum, 12, 36, "15", "50"},
                      ValueListCase{Pattern::Span, 12, 8, "4", "11"},
                      // Residues 0, 1, 2: three, four and four numbers of 11; four each of 12.
                      ValueListCase{Pattern::Mod3, 11, 16, "0:1:4", "3:2:0"},
                      ValueListCase{Pattern::Mod3, 12, 18, "0:1:4", "4:1:0"},
                      ValueListCase{Pattern::Sum3, 12, 28, "6", "33"},
                      ValueListCase{Pattern::Span3, 12, 10, "2", "11"}),
    [](const auto& info) {
        return std::string(patternKey(info.param.pattern)) + std::to_string(info.param.highest);
    });

struct HandCase {
    const char* name;
    int highest;
    std::vector<PositionValues> draws;
    std::array<const char*, kPatternCount> labels; ///< of the newest draw; "" for none
};

void PrintTo(const HandCase& c, std::ostream* out) {
    *out << c.name;
}

class PatternsByHand : public ::testing::TestWithParam<HandCase> {};

TEST_P(PatternsByHand, NewestDrawReads) {
    const HandCase& c = GetParam();
    Snapshot snapshot;
    history::Issue issue = 17081201;
    for (const auto& numbers : c.draws)
        snapshot.push(history::DeriveAttributes(issue++, numbers, {}));
    const IndexRange newest{snapshot.size() - 1, snapshot.size() - 1};
    const DrawPatternValues values = drawPatternValues(snapshot, newest, c.highest).front();
    for (const Pattern p : kAllPatterns) {
        const int value = values[std::size_t(p)];
        EXPECT_EQ(value == kNoPatternValue ? "" : patternValueLabel(p, value),
                  c.labels[std::size_t(p)])
            << patternKey(p);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Draws, PatternsByHand,
    ::testing::Values(
        // sum, span, odd, big, prime, mod3, consecutive, repeat, sum3, span3
        HandCase{"OneToFiveAlone",
                 11,
                 {{1, 2, 3, 4, 5}},
                 {"15", "4", "3:2", "0:5", "4:1", "1:2:2", "4", "", "6", "2"}},
        HandCase{"WholePreviousDrawAgain",
                 11,
                 {{3, 7, 1, 9, 11}, {11, 9, 7, 3, 1}},
                 {"31", "10", "5:0", "3:2", "4:1", "2:2:1", "0", "5", "27", "4"}},
        // 06 is big of 11 numbers, small of 12.
        HandCase{"BigOfTwelve",
                 12,
                 {{1, 2, 3, 4, 5}, {10, 6, 12, 7, 2}},
                 {"37", "10", "1:4", "3:2", "2:3", "2:2:1", "1", "1", "28", "6"}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(PatternOverview, MatchesTheDefinitions) {
    const std::uint64_t seed = testing::testSeed();
    SCOPED_TRACE(traceOf(seed));
    Rng rng(seed);
    for (int h = 0; h < 6; ++h) {
        const int highest = 11 + h % 2;
        const Snapshot snapshot = randomHistory(rng, highest, std::size_t(uniform(rng, 30, 300)));
        const IndexRange range = randomRange(rng, snapshot);
        SCOPED_TRACE("history " + std::to_string(h));
        const auto draws = drawPatternValues(snapshot, range, highest);
        for (std::size_t i = range.first; i <= range.last; ++i)
            for (const Pattern p : kAllPatterns)
                ASSERT_EQ(draws[i - range.first][std::size_t(p)],
                          referenceValueAt(snapshot, p, i, highest).value_or(kNoPatternValue))
                    << patternKey(p) << " at " << i;

        const PatternTallies tallies(snapshot, range, highest);
        for (const Pattern p : kAllPatterns) {
            SCOPED_TRACE(patternKey(p));
            const PatternOverview overview = tallies.overview(snapshot, p);
            const PatternOdds odds = patternOdds(p, highest);
            ASSERT_EQ(overview.rows.size(), odds.values.size());
            const std::size_t counted = range.size() - (p == Pattern::Repeat && range.first == 0);
            for (std::size_t v = 0; v < odds.values.size(); ++v) {
                const auto held = [&](std::size_t i) {
                    return referenceValueAt(snapshot, p, i, highest) == odds.values[v];
                };
                EXPECT_EQ(overview.rows[v],
                          referenceOverviewRow(snapshot, range, odds.values[v],
                                               odds.probabilities[v], counted, held));
                // The draws holding it, as the search lists its hits.
                std::vector<std::tuple<history::Issue, PositionValues, std::int32_t>> hits,
                    expected;
                for (const HitRow& hit : patternHits(snapshot, p, odds.values[v], range, highest))
                    hits.emplace_back(hit.issue,
                                      PositionValues{hit.values[0], hit.values[1], hit.values[2],
                                                     hit.values[3], hit.values[4]},
                                      hit.gap);
                std::size_t previous = range.first;
                for (std::size_t i = range.first; i <= range.last; ++i)
                    if (held(i)) {
                        expected.emplace_back(snapshot.issues[i], snapshot.numbers(i),
                                              std::int32_t(i + 1 - previous));
                        previous = i + 1;
                    }
                EXPECT_EQ(hits, expected) << odds.values[v];
            }
        }
    }
}

TEST(PatternTallies, AppendedDrawsGiveTheFiguresOfTheLongerRange) {
    const std::uint64_t seed = testing::testSeed();
    SCOPED_TRACE(traceOf(seed));
    Rng rng(seed);
    for (int h = 0; h < 4; ++h) {
        testing::GeneratedHistory settings;
        settings.draws = 200;
        settings.seed = rng();
        settings.highestNumber = 11 + h % 2;
        const auto records = testing::generateDraws(settings);
        const std::size_t start = std::size_t(uniform(rng, 1, 60));
        Snapshot snapshot = testing::snapshotOf({records.begin(), records.begin() + long(start)});
        const IndexRange range{h < 2 ? 0 : std::size_t(uniform(rng, 0, int(start) - 1)), start - 1};
        PatternTallies tallies(snapshot, range, settings.highestNumber);
        for (const std::size_t step :
             {std::size_t(1), std::size_t(1), std::size_t(37), 200 - start - 39}) {
            for (std::size_t i = 0; i < step; ++i)
                snapshot.push(records[snapshot.size()]);
            tallies.append(snapshot);
            const PatternTallies whole(snapshot, {range.first, snapshot.size() - 1},
                                       settings.highestNumber);
            ASSERT_EQ(tallies.range().last, snapshot.size() - 1);
            for (const Pattern p : kAllPatterns)
                ASSERT_EQ(tallies.overview(snapshot, p).rows, whole.overview(snapshot, p).rows)
                    << patternKey(p) << " after " << snapshot.size() << " draws";
        }
    }
}

TEST(PatternTrend, CellsMatchAWalkBackThroughTheDefinitions) {
    const std::uint64_t seed = testing::testSeed();
    SCOPED_TRACE(traceOf(seed));
    Rng rng(seed);
    for (int h = 0; h < 4; ++h) {
        const int highest = 11 + h % 2;
        const Snapshot snapshot = randomHistory(rng, highest, std::size_t(uniform(rng, 30, 300)));
        const IndexRange range = randomRange(rng, snapshot);
        const std::size_t rows = uniform(rng, 0, 3) ? std::size_t(uniform(rng, 1, 60)) : kAllDraws;
        SCOPED_TRACE("history " + std::to_string(h));
        for (const Pattern p : kAllPatterns) {
            SCOPED_TRACE(patternKey(p));
            const TrendChart trend = patternTrend(snapshot, p, range, rows, highest);
            ASSERT_EQ(trend.view.last, range.last);
            ASSERT_EQ(trend.rowCount(), std::min(rows, range.size()));
            ASSERT_EQ(trend.values, patternOdds(p, highest).values);
            ASSERT_EQ(trend.blocks.size(), 1u);
            for (std::size_t v = 0; v < trend.values.size(); ++v)
                for (std::size_t r = 0; r < trend.rowCount(); ++r) {
                    std::size_t back = trend.view.first + r + 1;
                    while (back > 0 &&
                           referenceValueAt(snapshot, p, back - 1, highest) != trend.values[v])
                        --back;
                    ASSERT_EQ(trend.misses(0, v, r), std::int32_t(trend.view.first + r + 1 - back))
                        << "value " << trend.values[v] << " row " << r;
                }
            // The footer is the overview of the chart's draws, but its 最大遗漏 also counts the
            // stretch from the last hit to the chart's end.
            auto footer = patternOverview(snapshot, p, trend.view, highest).rows;
            for (std::size_t v = 0; v < footer.size(); ++v) {
                std::int32_t open = std::int32_t(trend.rowCount()) + 1;
                for (std::size_t r = 0; r < trend.rowCount(); ++r)
                    if (trend.misses(0, v, r) == 0)
                        open = std::int32_t(trend.rowCount() - r);
                footer[v].maxGap = std::max(footer[v].hits ? footer[v].maxGap : 0, open);
            }
            EXPECT_EQ(trend.blocks[0].view.rows, footer);
        }

        // The basic trend chart's side columns, its numbers in ascending order.
        TrendRequest request;
        request.order = history::NumberOrder::Sorted;
        request.range = range;
        request.rows = rows;
        request.highestNumber = highest;
        const TrendChart chart = trendChart(snapshot, request);
        for (std::size_t r = 0; r < chart.rowCount(); ++r) {
            const auto side = trendSideValues(chart.numbers[r], highest);
            for (std::size_t k = 0; k < kTrendSidePatterns.size(); ++k)
                EXPECT_EQ(side[k], referenceValueAt(snapshot, kTrendSidePatterns[k],
                                                    chart.view.first + r, highest));
        }
    }
}

} // namespace
} // namespace yilou::analysis
