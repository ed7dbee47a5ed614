#include "session/pattern_steps.h"
#include "session/play_steps.h"
#include "session/view_steps.h"
#include "support/history_generator.h"
#include "support/test_seed.h"

#include <algorithm>
#include <gtest/gtest.h>

namespace yilou::session {
namespace {

using analysis::Pattern;
using analysis::SearchType;
using testing::chance;
using testing::uniform;

/// What the views of a window ask for; changed now and then by the walk below.
struct Options {
    ViewRequest view;
    int place = analysis::kAnyPlace;
    int trendPlace = analysis::kAnyPlace;
    std::size_t trendRows = analysis::kAllDraws;
    std::string play = "r2";
    Pattern pattern = Pattern::Sum;
};

void expectSameTrend(const analysis::TrendChart& held, const analysis::TrendChart& full) {
    EXPECT_EQ(held.issues, full.issues);
    EXPECT_EQ(held.numbers, full.numbers);
    ASSERT_EQ(held.blocks.size(), full.blocks.size());
    for (std::size_t b = 0; b < held.blocks.size(); ++b) {
        EXPECT_EQ(held.blocks[b].hitRows, full.blocks[b].hitRows);
        EXPECT_EQ(held.blocks[b].hitBefore, full.blocks[b].hitBefore);
        EXPECT_EQ(held.blocks[b].view.rows, full.blocks[b].view.rows);
    }
}

// A window keeps its views and advances them by the draws typed after the newest one. After
// every step of a random walk of appended and deleted draws, imports of another history at
// least as long, a number of a stored draw changed, 止 set or cleared alone, and now and then
// another range or option, each view it holds equals the view made afresh over the same
// history. Every run walks under a new seed.
TEST(HeldViews, EqualAFreshViewAfterEveryAppendAndDeletion) {
    const std::uint64_t seed = testing::walkSeed();
    SCOPED_TRACE("seed " + std::to_string(seed) + " (rerun with YILOU_TEST_SEED)");
    testing::Rng rng(seed);
    auto records = testing::generateDraws(1600, seed);
    std::size_t stored = 300;
    auto snapshot = testing::snapshotOf({records.begin(), records.begin() + stored});
    std::uint64_t revision = 0;
    const Choices choices;
    const int highest = choices.game().highestNumber;

    Options options;
    HeldOverview overview;
    HeldTrend trend;
    HeldPlays plays;
    HeldPatterns patterns;
    HeldPatternTrend patternTrend;
    // The chart shown last, as a page's view holds it while the next one is made: advancing the
    // held chart must leave it as it was.
    std::shared_ptr<const analysis::TrendChart> shownChart, shownPatternChart;
    std::size_t shownRows = 0, shownPatternRows = 0;

    // The history read again after a change, as the window takes it: the revision moves unless
    // the new history extends the one the views saw.
    const auto readAgain = [&] {
        auto next = testing::snapshotOf({records.begin(), records.begin() + stored});
        if (!extendsHistory(snapshot, next))
            ++revision;
        snapshot = std::move(next);
    };
    const auto issueAt = [&](std::size_t i) { return history::issueText(snapshot.issues[i]); };
    for (int step = 0; step < 1000; ++step) {
        SCOPED_TRACE(step);
        const int what = uniform(rng, 0, 99);
        if (what < 66 && stored < records.size()) {
            for (int n = chance(rng, 0.1) ? 3 : 1; n > 0 && stored < records.size(); --n)
                snapshot.push(records[stored++]);
        } else if (what < 84 && stored > 40) {
            stored -= static_cast<std::size_t>(uniform(rng, 1, 3));
            readAgain();
        } else if (what < 87) {
            // An import: other draws on the same issues, as many or more.
            records = testing::generateDraws(records.size(), rng());
            stored =
                std::min(records.size(), stored + static_cast<std::size_t>(uniform(rng, 0, 5)));
            readAgain();
        } else if (what < 90) {
            // One number of one stored draw changed to one the draw does not hold.
            auto& draw = records[static_cast<std::size_t>(uniform(rng, 0, int(stored) - 1))];
            auto numbers = draw.drop[history::Letter::A];
            int number = uniform(rng, 1, highest);
            while (std::find(numbers.begin(), numbers.end(), number) != numbers.end())
                number = number % highest + 1;
            numbers[static_cast<std::size_t>(uniform(rng, 0, 4))] = number;
            draw =
                history::DeriveAttributes(draw.issue, numbers, testing::GeneratedHistory{}.rules);
            readAgain();
        } else if (what < 93) {
            // 止 set before the newest draw, or cleared, on its own.
            options.view.end = options.view.end.empty() ? issueAt(stored - 10) : "";
        } else {
            options.view.type = static_cast<SearchType>(uniform(rng, 0, 5));
            options.view.order =
                chance(rng, 0.5) ? history::NumberOrder::Drop : history::NumberOrder::Sorted;
            options.view.start = chance(rng, 0.5) ? "" : issueAt(uniform(rng, 0, 20));
            // Now and then a range that ends before the newest draw, or the newest N (前 N 期).
            options.view.end = chance(rng, 0.15) ? issueAt(stored - 10) : "";
            options.view.last = chance(rng, 0.2) ? 25 : analysis::kAllDraws;
            options.place = uniform(rng, 0, 5);
            options.trendPlace = chance(rng, 0.2) ? kEachPosition : uniform(rng, 0, 5);
            options.trendRows = chance(rng, 0.5) ? 30 : analysis::kAllDraws;
            options.play = chance(rng, 0.5) ? "r2" : "q3z";
            options.pattern = static_cast<Pattern>(uniform(rng, 0, analysis::kPatternCount - 1));
        }

        {
            const auto held =
                showOverview(snapshot, options.view, options.place, choices, overview, revision);
            const auto full = showOverview(snapshot, options.view, options.place, choices);
            EXPECT_EQ(held.result.rows, full.result.rows);
            EXPECT_EQ(held.caption, full.caption);
        }
        {
            auto request = options.view;
            request.last = std::min(request.last, options.trendRows);
            const auto held =
                showTrend(snapshot, request, options.trendPlace, choices, trend, revision);
            const auto full = showTrend(snapshot, request, options.trendPlace, choices);
            expectSameTrend(*held.chart, *full.chart);
            EXPECT_EQ(held.footer, full.footer);
            if (shownChart) {
                EXPECT_EQ(shownChart->rowCount(), shownRows);
            }
            shownChart = held.chart;
            shownRows = shownChart->rowCount();
        }
        {
            PlayRequest request;
            request.play = options.play;
            request.from = options.view.start;
            request.to = options.view.end;
            const auto held = showPlays(snapshot, request, choices, plays, revision);
            const auto full = showPlays(snapshot, request, choices);
            EXPECT_EQ(held.board.rows, full.board.rows);
            EXPECT_EQ(held.caption, full.caption);
        }
        {
            const auto range = viewRange(snapshot, options.view, choices);
            const auto held =
                patternOverviewView(snapshot, options.pattern, range, highest, patterns, revision);
            const auto full = patternOverviewView(
                snapshot, analysis::patternOverview(snapshot, options.pattern, range, highest));
            EXPECT_EQ(held.overview.rows, full.overview.rows);
            EXPECT_EQ(held.cells, full.cells);

            const auto heldTrend =
                patternTrendView(snapshot, options.pattern, range, options.trendRows, highest,
                                 patternTrend, revision);
            const auto fullTrend =
                patternTrendView(snapshot, options.pattern, range, options.trendRows, highest);
            expectSameTrend(*heldTrend.chart, *fullTrend.chart);
            if (shownPatternChart) {
                EXPECT_EQ(shownPatternChart->rowCount(), shownPatternRows);
            }
            shownPatternChart = heldTrend.chart;
            shownPatternRows = shownPatternChart->rowCount();
        }
        if (HasFailure())
            return;
    }
}

// Only a history that holds every draw of the earlier one, unchanged, and more after them keeps
// the views the window holds.
TEST(HeldViews, OnlyAnExtendedHistoryKeepsThem) {
    const auto records = testing::generateDraws(30, 5);
    const auto first = [&](std::size_t count) {
        return testing::snapshotOf({records.begin(), records.begin() + count});
    };
    const auto before = first(20);
    auto otherNumbers = records;
    otherNumbers[7] = records[8];
    otherNumbers[7].issue = records[7].issue;
    auto otherIssue = records;
    otherIssue.erase(otherIssue.begin() + 5);
    struct Case {
        const char* name;
        history::Snapshot after;
        bool extends;
    };
    const Case cases[] = {
        {"draws appended", first(23), true},
        {"the same draws", first(20), false},
        {"draws deleted", first(19), false},
        {"a number changed", testing::snapshotOf({otherNumbers.begin(), otherNumbers.end()}),
         false},
        {"a draw removed between", testing::snapshotOf(otherIssue), false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(extendsHistory(before, c.after), c.extends);
    }
}

} // namespace
} // namespace yilou::session
