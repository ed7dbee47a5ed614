#include "analysis/omission_overview.h"
#include "analysis/play_board.h"
#include "analysis/play_reference.h"
#include "support/history_generator.h"
#include "support/test_seed.h"

#include <algorithm>
#include <gtest/gtest.h>
#include <map>

namespace yilou::analysis {

// Found by the test framework beside the types it prints.
void PrintTo(const PlayCombination& combination, std::ostream* out) {
    for (int j = 0; j < combination.size; ++j)
        *out << (j ? " " : "") << int(combination.numbers[j]);
}

void PrintTo(const PlayRow& row, std::ostream* out) {
    PrintTo(row.combination, out);
    *out << ": hits " << row.hits << " expected " << row.expectedHits << " current "
         << row.currentGap << " last " << row.lastGap.value_or(-1) << " mean "
         << row.meanGap.value_or(-1) << " min " << row.minGap.value_or(-1) << " max " << row.maxGap
         << " ratio " << row.ratio.value_or(-1) << " theory " << row.theoreticalGap << " due "
         << row.dueChance.value_or(-1) << " recent " << row.recentHits[0] << '/'
         << row.recentHits[1] << '/' << row.recentHits[2] << " issue " << row.lastIssue.value_or(0);
}

namespace {

using history::PositionValues;
using history::Snapshot;
using testing::Rng;
using testing::uniform;

PlayCombination combinationOf(const std::vector<int>& numbers) {
    PlayCombination out;
    for (const int number : numbers)
        out.numbers[out.size++] = std::int8_t(number);
    return out;
}

/// The chance of one combination, by counting the ordered draws of five distinct numbers that
/// hit it.
double probabilityByDefinition(Play play, int n) {
    static std::map<std::pair<Play, int>, double> known;
    if (const auto found = known.find({play, n}); found != known.end())
        return found->second;
    const PlayCombination c = playCombinations(play, n).front();
    std::int64_t draws = 0, favourable = 0;
    PositionValues d{};
    // Each position takes every number that the ones before it do not hold.
    const auto draw = [&](const auto& next, int p) -> void {
        if (p == 5) {
            ++draws;
            favourable += hitsByDefinition(play, c, d);
            return;
        }
        for (d[p] = 1; d[p] <= n; ++d[p])
            if (std::find(d.begin(), d.begin() + p, d[p]) == d.begin() + p)
                next(next, p + 1);
    };
    draw(draw, 0);
    return known[{play, n}] = double(favourable) / double(draws);
}

/// A board by its definition: every combination tested against every draw of the range.
std::vector<PlayRow> rowsByDefinition(const Snapshot& snapshot, Play play, IndexRange range, int n,
                                      double p) {
    std::vector<PlayRow> rows;
    for (const PlayCombination& c : playCombinations(play, n)) {
        PlayRow row;
        row.combination = c;
        std::vector<std::int32_t> gaps;
        auto previous = std::int32_t(range.first); // the IDX before the range
        for (std::size_t i = range.first; i <= range.last; ++i) {
            if (!hitsByDefinition(play, c, snapshot.numbers(i)))
                continue;
            gaps.push_back(std::int32_t(i + 1) - previous);
            previous = std::int32_t(i + 1);
            for (std::size_t w = 0; w < kRecentDraws.size(); ++w)
                row.recentHits[w] += range.last - i < kRecentDraws[w];
        }
        row.hits = std::int32_t(gaps.size());
        row.expectedHits = double(range.size()) * p;
        row.theoreticalGap = 1 / p;
        row.currentGap = std::int32_t(snapshot.size()) + 1 - previous;
        row.maxGap = row.currentGap;
        if (!gaps.empty()) {
            std::int32_t sum = 0;
            for (const auto gap : gaps)
                sum += gap;
            row.lastGap = gaps.back();
            row.meanGap = double(sum) / row.hits;
            row.minGap = *std::min_element(gaps.begin(), gaps.end());
            row.maxGap = *std::max_element(gaps.begin(), gaps.end());
            row.ratio = double(row.maxGap) / row.currentGap;
            row.dueChance = row.currentGap / *row.meanGap;
            row.lastIssue = snapshot.issues[std::size_t(previous) - 1];
        }
        rows.push_back(row);
    }
    return rows;
}

IndexRange randomRange(Rng& rng, std::size_t size) {
    const auto first = std::size_t(uniform(rng, 0, int(size) - 1));
    // Half of them end at the newest draw, where the current gaps end too.
    if (testing::chance(rng, 0.5))
        return {first, size - 1};
    return {first, std::size_t(uniform(rng, int(first), int(size) - 1))};
}

void expectSameRows(const std::vector<PlayRow>& rows, const std::vector<PlayRow>& expected) {
    ASSERT_EQ(rows.size(), expected.size());
    for (std::size_t r = 0; r < rows.size(); ++r)
        ASSERT_EQ(rows[r], expected[r]) << "row " << r;
}

TEST(PlayTypes, CombinationsKeysAndCounts) {
    struct Case {
        Play play;
        std::string_view key;
        std::size_t eleven, twelve; // combinations for N = 11 and 12
    };
    const Case cases[] = {
        {Play::Any1, "r1", 11, 12},           {Play::Any2, "r2", 55, 66},
        {Play::Any3, "r3", 165, 220},         {Play::Any4, "r4", 330, 495},
        {Play::Any5, "r5", 462, 792},         {Play::Any6, "r6", 462, 924},
        {Play::Any7, "r7", 330, 792},         {Play::Any8, "r8", 165, 495},
        {Play::Front1, "q1", 11, 12},         {Play::Front2Direct, "q2z", 110, 132},
        {Play::Front2Group, "q2x", 55, 66},   {Play::Front3Direct, "q3z", 990, 1320},
        {Play::Front3Group, "q3x", 165, 220},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.key));
        EXPECT_EQ(playKey(c.play), c.key);
        EXPECT_EQ(playOfKey(c.key), c.play);
        for (const int n : {11, 12}) {
            const auto combinations = playCombinations(c.play, n);
            EXPECT_EQ(combinations.size(), n == 11 ? c.eleven : c.twelve);
            EXPECT_EQ(combinationCount(c.play, n), combinations.size());
            EXPECT_EQ(playProbability(c.play, n), probabilityByDefinition(c.play, n));
            // Numbers of the game, distinct, ascending unless in drawn order, and the
            // combinations strictly ascending: with the counts above, each one once.
            for (std::size_t i = 0; i < combinations.size(); ++i) {
                const auto begin = combinations[i].numbers.begin();
                const auto end = begin + combinations[i].size;
                ASSERT_EQ(combinations[i].size, playSize(c.play));
                ASSERT_TRUE(std::all_of(begin, end, [&](int v) {
                    return v >= 1 && v <= n && std::count(begin, end, v) == 1;
                }));
                ASSERT_TRUE(isOrdered(c.play) || std::is_sorted(begin, end));
                ASSERT_TRUE(i == 0 || combinations[i - 1].numbers < combinations[i].numbers);
            }
        }
    }
    EXPECT_EQ(playOfKey("r9"), std::nullopt);
}

// Every board of random ranges of random histories, against the board by definition: 11 and
// 12 numbers, and a 12-number history read as an 11-number game (its 12s are no number). One
// range is long enough for the scan to take its draws in two blocks.
TEST(PlayBoards, MatchTheirDefinition) {
    const std::uint64_t seed = testing::testSeed();
    SCOPED_TRACE("seed " + std::to_string(seed) + " (rerun with YILOU_TEST_SEED)");
    Rng rng(seed);
    struct Case {
        int drawn, read; // numbers of the history's game, and of the game it is read as
        bool twoBlocks;  // the first range holds 1,050 draws
    };
    for (const Case c : {Case{11, 11, true}, Case{12, 12, false}, Case{12, 11, false}}) {
        for (int round = 0; round < 3; ++round) {
            const bool twoBlocks = c.twoBlocks && round == 0;
            const Snapshot snapshot =
                randomHistory(rng(), c.drawn, std::size_t(twoBlocks ? 1100 : uniform(rng, 1, 260)));
            const IndexRange range =
                twoBlocks ? IndexRange{40, 1089} : randomRange(rng, snapshot.size());
            SCOPED_TRACE("N " + std::to_string(c.drawn) + " read as " + std::to_string(c.read) +
                         ", draws " + std::to_string(snapshot.size()) + ", range " +
                         std::to_string(range.first) + ".." + std::to_string(range.last));
            const PlayTallies all(snapshot, range, c.read, allPlays());
            for (const Play play : allPlays()) {
                SCOPED_TRACE(std::string(playKey(play)));
                const PlayBoard board = all.board(snapshot, play);
                EXPECT_EQ(board.from, snapshot.issues[range.first]);
                EXPECT_EQ(board.to, snapshot.issues[range.last]);
                EXPECT_EQ(board.draws, range.size());
                EXPECT_EQ(board.probability, probabilityByDefinition(play, c.read));
                expectSameRows(board.rows, rowsByDefinition(snapshot, play, range, c.read,
                                                            probabilityByDefinition(play, c.read)));
                // One play alone is the same pass.
                expectSameRows(playBoard(snapshot, play, range, c.read).rows, board.rows);
            }
        }
    }
}

// 任选一 is the overview of the numbers anywhere, 前一 that of the numbers at place 1, also where
// a history holds a number of another game.
TEST(PlayBoards, AnyOneAndFrontOneAreTheOverviews) {
    const std::uint64_t seed = testing::testSeed();
    SCOPED_TRACE("seed " + std::to_string(seed) + " (rerun with YILOU_TEST_SEED)");
    Rng rng(seed);
    // The history's game and the game it is read as.
    for (const auto& [drawn, n] : {std::pair{11, 11}, std::pair{12, 12}, std::pair{12, 11}})
        for (int round = 0; round < 4; ++round) {
            const Snapshot snapshot =
                randomHistory(rng(), drawn, std::size_t(uniform(rng, 1, 400)));
            OverviewRequest request;
            request.range = randomRange(rng, snapshot.size());
            request.highestNumber = n;
            for (const auto& [play, place] :
                 {std::pair{Play::Any1, kAnyPlace}, std::pair{Play::Front1, 1}}) {
                SCOPED_TRACE(std::string(playKey(play)) + " N " + std::to_string(drawn) + " as " +
                             std::to_string(n) + " range " + std::to_string(request.range.first) +
                             ".." + std::to_string(request.range.last));
                request.place = place;
                const auto overview = omissionOverview(snapshot, request).rows;
                const auto board = playBoard(snapshot, play, request.range, n).rows;
                ASSERT_EQ(board.size(), overview.size());
                for (std::size_t v = 0; v < board.size(); ++v) {
                    const PlayRow& row = board[v];
                    const OverviewRow& expected = overview[v];
                    EXPECT_EQ(row.combination, combinationOf({expected.value}));
                    EXPECT_EQ(row.hits, expected.hits);
                    EXPECT_EQ(row.expectedHits, expected.expectedHits);
                    EXPECT_EQ(row.currentGap, expected.currentGap);
                    EXPECT_EQ(row.lastGap, expected.lastGap);
                    EXPECT_EQ(row.meanGap, expected.meanGap);
                    EXPECT_EQ(row.dueChance, expected.dueChance);
                    EXPECT_EQ(std::optional(row.theoreticalGap), expected.theoreticalGap);
                    EXPECT_EQ(row.minGap, expected.minGap);
                    EXPECT_EQ(row.maxGap, expected.maxGap);
                    EXPECT_EQ(row.ratio, expected.ratio);
                }
            }
        }
}

TEST(PlayBoards, HandCases) {
    const Snapshot eleven = historyOf({{1, 2, 3, 4, 5}, //
                                       {1, 2, 3, 4, 6},
                                       {3, 1, 2, 4, 7},
                                       {11, 10, 9, 8, 7}});
    const Snapshot twelve = historyOf({{12, 5, 1, 2, 3}, {6, 7, 8, 9, 10}});
    struct Figures {
        std::int32_t hits, currentGap;
        std::optional<std::int32_t> minGap;
        std::int32_t maxGap;
        std::optional<double> ratio;
        std::optional<history::Issue> lastIssue;
    };
    struct Case {
        const Snapshot& snapshot;
        int n;
        Play play;
        IndexRange range;
        std::vector<int> combination;
        Figures expected;
    };
    const std::vector<Case> cases{
        // Hits every draw of a range that ends before the newest draw.
        {eleven, 11, Play::Any4, {0, 2}, {1, 2, 3, 4}, {3, 2, 1, 1, 0.5, 24010103}},
        // Never hits: no smallest gap and no ratio, the largest gap is the current one.
        {eleven, 11, Play::Any2, {0, 2}, {10, 11}, {0, 5, {}, 5, {}, {}}},
        // Hits every draw up to the newest.
        {eleven, 11, Play::Any1, {2, 3}, {7}, {2, 1, 1, 1, 1.0, 24010104}},
        // A range of one draw: hit, 直选 in drawn order, 直选 in another order.
        {eleven, 11, Play::Front1, {2, 2}, {3}, {1, 2, 1, 1, 0.5, 24010103}},
        {eleven, 11, Play::Front2Direct, {2, 2}, {3, 1}, {1, 2, 1, 1, 0.5, 24010103}},
        {eleven, 11, Play::Front2Direct, {2, 2}, {1, 3}, {0, 3, {}, 3, {}, {}}},
        // 组选 in any order; 任选八 holds the five drawn.
        {eleven, 11, Play::Front3Group, {0, 3}, {1, 2, 3}, {3, 2, 1, 1, 0.5, 24010103}},
        {eleven, 11, Play::Any8, {0, 3}, {1, 2, 3, 4, 5, 6, 7, 8}, {3, 2, 1, 1, 0.5, 24010103}},
        // 12 numbers.
        {twelve, 12, Play::Any1, {0, 1}, {12}, {1, 2, 1, 1, 0.5, 24010101}},
        {twelve, 12, Play::Front3Direct, {0, 1}, {12, 5, 1}, {1, 2, 1, 1, 0.5, 24010101}},
        // A 12 read in an 11-number game is no number: the other four still count.
        {twelve, 11, Play::Any5, {0, 1}, {6, 7, 8, 9, 10}, {1, 1, 2, 2, 2.0, 24010102}},
        {twelve, 11, Play::Any4, {0, 1}, {1, 2, 3, 5}, {1, 2, 1, 1, 0.5, 24010101}},
    };
    for (std::size_t i = 0; i < cases.size(); ++i) {
        const Case& c = cases[i];
        SCOPED_TRACE("case " + std::to_string(i));
        const auto rows = playBoard(c.snapshot, c.play, c.range, c.n).rows;
        const auto row = std::find_if(rows.begin(), rows.end(), [&](const PlayRow& r) {
            return r.combination == combinationOf(c.combination);
        });
        ASSERT_NE(row, rows.end());
        EXPECT_EQ(row->hits, c.expected.hits);
        EXPECT_EQ(row->currentGap, c.expected.currentGap);
        EXPECT_EQ(row->minGap, c.expected.minGap);
        EXPECT_EQ(row->maxGap, c.expected.maxGap);
        EXPECT_EQ(row->ratio, c.expected.ratio);
        EXPECT_EQ(row->lastIssue, c.expected.lastIssue);
        EXPECT_EQ(row->meanGap.has_value(), c.expected.hits > 0);
        EXPECT_EQ(row->recentHits[0], c.expected.hits);
    }
}

// Draws appended to the history one at a time and several at once, to a range that ends at
// the newest draw (it grows, and its recent windows move on) and to one that ends earlier.
TEST(PlayBoards, AppendedDrawsGiveTheBoardsOfTheLongerHistory) {
    const std::uint64_t seed = testing::testSeed();
    SCOPED_TRACE("seed " + std::to_string(seed) + " (rerun with YILOU_TEST_SEED)");
    for (const int n : {11, 12}) {
        testing::GeneratedHistory settings;
        settings.seed = seed;
        settings.highestNumber = n;
        settings.draws = 175;
        const auto records = testing::generateDraws(settings);
        Snapshot snapshot = testing::snapshotOf(std::vector(records.begin(), records.begin() + 95));
        std::vector<PlayTallies> tallies;
        for (const IndexRange range : {IndexRange{0, 94}, IndexRange{40, 94}, IndexRange{10, 60}})
            tallies.emplace_back(snapshot, range, n, allPlays());
        for (std::size_t next = 95; next < records.size();) {
            // One draw at a time until the first range passes 100 draws, then nine at once.
            const std::size_t end = std::min(records.size(), next + (next < 103 ? 1 : 9));
            for (; next < end; ++next)
                snapshot.push(records[next]);
            for (PlayTallies& appended : tallies) {
                appended.append(snapshot);
                const IndexRange range = appended.range();
                SCOPED_TRACE("N " + std::to_string(n) + " draws " +
                             std::to_string(snapshot.size()) + " range " +
                             std::to_string(range.first) + ".." + std::to_string(range.last));
                ASSERT_EQ(range.last, range.first == 10 ? 60 : snapshot.size() - 1);
                const PlayTallies recomputed(snapshot, range, n, allPlays());
                for (const Play play : allPlays()) {
                    SCOPED_TRACE(std::string(playKey(play)));
                    expectSameRows(appended.board(snapshot, play).rows,
                                   recomputed.board(snapshot, play).rows);
                }
            }
        }
    }
}

TEST(PlayBoards, KeepRowsHoldingEveryNumber) {
    const Snapshot snapshot = historyOf({{1, 2, 3, 4, 5}});
    struct Case {
        Play play;
        std::vector<int> numbers;
        std::vector<std::vector<int>> kept;
    };
    const Case cases[] = {
        {Play::Any2, {7, 3}, {{3, 7}}},
        {Play::Front2Direct, {1, 2}, {{1, 2}, {2, 1}}},
        {Play::Any1, {1, 2}, {}}, // no single number holds both
        {Play::Any3, {12}, {}},   // no number of the game
        {Play::Any7, {1, 2, 3, 4, 5, 6, 7}, {{1, 2, 3, 4, 5, 6, 7}}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(playKey(c.play)));
        auto rows = playBoard(snapshot, c.play, {0, 0}, 11).rows;
        keepRowsHolding(rows, c.numbers);
        ASSERT_EQ(rows.size(), c.kept.size());
        for (std::size_t r = 0; r < rows.size(); ++r)
            EXPECT_EQ(rows[r].combination, combinationOf(c.kept[r]));
    }
    auto rows = playBoard(snapshot, Play::Any3, {0, 0}, 11).rows;
    keepRowsHolding(rows, {});
    EXPECT_EQ(rows.size(), 165u);
}

} // namespace
} // namespace yilou::analysis
