#include "analysis/trend_chart.h"
#include "support/history_generator.h"
#include "support/test_seed.h"

#include <algorithm>
#include <gtest/gtest.h>

namespace yilou::analysis {
namespace {

using history::Letter;
using history::NumberOrder;
using history::Snapshot;

bool holds(const Snapshot& snapshot, SearchType type, NumberOrder order, int place, int value,
           std::size_t index) {
    const Letter letter = searchTypeInfo(type).letter;
    if (place != kAnyPlace)
        return snapshot.value(order, letter, place - 1, index) == value;
    for (int p = 0; p < 5; ++p)
        if (snapshot.value(NumberOrder::Drop, letter, p, index) == value)
            return true;
    return false;
}

/// The draws since the value's last hit at or before the draw, walking back through the
/// whole history; 0 on a hit.
std::int32_t referenceMisses(const Snapshot& snapshot, const TrendRequest& request, int place,
                             int value, std::size_t index) {
    std::size_t back = index + 1;
    while (back > 0 && !holds(snapshot, request.type, request.order, place, value, back - 1))
        --back;
    return static_cast<std::int32_t>(index + 1 - back);
}

TEST(TrendChart, CellsMatchAWalkBackThroughTheHistory) {
    const std::uint64_t seed = testing::testSeed();
    SCOPED_TRACE("seed " + std::to_string(seed) + " (rerun with YILOU_TEST_SEED)");
    testing::Rng rng(seed);
    const auto uniform = [&rng](int low, int high) { return testing::uniform(rng, low, high); };
    for (int h = 0; h < 4; ++h) {
        testing::GeneratedHistory settings;
        settings.draws = static_cast<std::size_t>(uniform(60, 300));
        settings.seed = rng();
        settings.highestNumber = uniform(11, 12);
        const Snapshot snapshot = testing::snapshotOf(testing::generateDraws(settings));
        for (int t = 0; t < kSearchTypeCount; ++t) {
            TrendRequest request;
            request.type = static_cast<SearchType>(t);
            request.order = uniform(0, 1) ? NumberOrder::Drop : NumberOrder::Sorted;
            request.places = {kAnyPlace, 1, 2, 3, 4, 5};
            request.highestNumber = settings.highestNumber;
            const int last = int(snapshot.size()) - 1;
            request.range.first = std::size_t(uniform(0, last));
            request.range.last = std::size_t(uniform(int(request.range.first), last));
            request.rows = uniform(0, 3) ? std::size_t(uniform(1, 60)) : kAllDraws;
            SCOPED_TRACE("history " + std::to_string(h) + " type " + std::to_string(t));

            const TrendChart chart = trendChart(snapshot, request);
            ASSERT_EQ(chart.view.last, request.range.last);
            ASSERT_EQ(chart.rowCount(),
                      std::min(request.rows, request.range.last - request.range.first + 1));
            for (std::size_t b = 0; b < chart.blocks.size(); ++b) {
                const TrendBlock& block = chart.blocks[b];
                ASSERT_EQ(block.view.rows.size(), chart.values.size());
                for (std::size_t v = 0; v < chart.values.size(); ++v) {
                    std::int32_t hits = 0;
                    // The longest stretch without the value among the rows, in gaps: the first
                    // from the IDX before the chart, the last to one past its last row.
                    auto previous = std::int32_t(chart.view.before());
                    std::int32_t longest = 0;
                    for (std::size_t r = 0; r < chart.rowCount(); ++r) {
                        const std::int32_t misses = chart.misses(b, v, r);
                        ASSERT_EQ(misses, referenceMisses(snapshot, request, block.place,
                                                          chart.values[v], chart.view.first + r))
                            << "place " << block.place << " value " << chart.values[v] << " row "
                            << r;
                        if (misses == 0) {
                            ++hits;
                            const auto idx = std::int32_t(chart.view.first + 1 + r);
                            longest = std::max(longest, idx - previous);
                            previous = idx;
                        }
                    }
                    longest = std::max(longest, std::int32_t(chart.view.last) + 2 - previous);
                    // The bottom rows count the same hits and stretches.
                    EXPECT_EQ(block.view.rows[v].hits, hits);
                    EXPECT_EQ(block.view.rows[v].maxGap, longest) << chart.values[v];
                }
            }
        }
    }
}

TEST(TrendChart, NewestRowsOfTheRangeWithTheirFigures) {
    // 05 anywhere: draws 1, 4, 6 and 8 of ten; 11 never.
    Snapshot snapshot;
    history::Issue issue = 17081201;
    for (const history::PositionValues& numbers :
         std::vector<history::PositionValues>{{1, 2, 3, 4, 5},
                                              {1, 6, 7, 8, 9},
                                              {1, 2, 10, 3, 4},
                                              {1, 5, 6, 7, 8},
                                              {3, 1, 9, 10, 2},
                                              {2, 1, 4, 5, 6},
                                              {1, 7, 8, 9, 10},
                                              {3, 2, 1, 5, 6},
                                              {1, 4, 7, 8, 9},
                                              {10, 1, 2, 3, 4}}) {
        snapshot.push(history::DeriveAttributes(issue++, numbers, {}));
    }
    TrendRequest request;
    request.range = {0, 8}; // to draw 9
    request.rows = 4;       // draws 6..9
    const TrendChart chart = trendChart(snapshot, request);
    EXPECT_EQ(chart.issues, (std::vector<history::Issue>{17081206, 17081207, 17081208, 17081209}));
    EXPECT_EQ(chart.numbers[1], (std::array<std::int8_t, 5>{1, 7, 8, 9, 10}));
    const std::size_t five = 4;
    const std::size_t eleven = 10;
    std::vector<std::int32_t> fives, elevens;
    for (std::size_t r = 0; r < chart.rowCount(); ++r) {
        fives.push_back(chart.misses(0, five, r));
        elevens.push_back(chart.misses(0, eleven, r));
    }
    EXPECT_EQ(fives, (std::vector<std::int32_t>{0, 1, 0, 1}));
    // Never hit: counted from the start of the history.
    EXPECT_EQ(elevens, (std::vector<std::int32_t>{6, 7, 8, 9}));

    const OverviewRow& fiveFigures = chart.blocks[0].view.rows[five];
    EXPECT_EQ(fiveFigures.hits, 2);
    EXPECT_EQ(fiveFigures.meanGap, 1.5); // gaps 1 (from draw 6) and 2
    EXPECT_EQ(fiveFigures.maxGap, 2);
    // 最大遗漏 counts the stretch after the last hit: 10 stands in draw 7 alone, 11 nowhere.
    EXPECT_EQ(chart.blocks[0].view.rows[9].maxGap, 3);
    EXPECT_EQ(chart.blocks[0].view.rows[eleven].maxGap, 5);
    EXPECT_EQ(fiveFigures.maxRun, 1);

    request.rows = kAllDraws;
    EXPECT_EQ(trendChart(snapshot, request).rowCount(), 9u);
}

} // namespace
} // namespace yilou::analysis
