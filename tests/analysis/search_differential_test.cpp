#include "analysis/omission_search.h"
#include "core/user_error.h"
#include "search_oracle.h"
#include "support/history_generator.h"
#include "support/temp_dir.h"
#include "support/test_seed.h"

#include <gtest/gtest.h>
#include <random>

namespace yilou::analysis {
namespace {

using history::Letter;
using history::NumberOrder;
using history::Snapshot;
using testing::chance;
using testing::Rng;
using testing::uniform;

/// A value for a position box: mostly one that some draw holds, else repeats, values at and
/// past the ends of the type's range, and values no draw can hold.
int randomValue(const Snapshot& snapshot, const SearchRequest& request, int p, Rng& rng) {
    const int pick = uniform(rng, 0, 9);
    if (pick <= 5) {
        const auto draw = static_cast<std::size_t>(uniform(rng, 0, int(snapshot.size()) - 1));
        const int position = uniform(rng, 0, 4);
        if (request.type == SearchType::DigitSum)
            return snapshot.value(request.order, Letter::E, position, draw) +
                   snapshot.value(request.order, Letter::F, position, draw);
        return snapshot.value(request.order, searchTypeInfo(request.type).letter, position, draw);
    }
    if (pick <= 7 && p > 0)
        return request.positions[uniform(rng, 0, p - 1)].value;
    if (pick <= 8) {
        const SearchTypeInfo& info = searchTypeInfo(request.type);
        if (request.type == SearchType::Number)
            return uniform(rng, -1, 14);
        return uniform(rng, info.minValue - 2, info.maxValue + 2);
    }
    static constexpr int odd[] = {-128, -1, 0, 13, 99, 100, 127, 128, 300};
    return odd[uniform(rng, 0, 8)];
}

SearchRequest randomRequest(const Snapshot& snapshot, int sxIni, Rng& rng) {
    SearchRequest request;
    request.type = static_cast<SearchType>(uniform(rng, 0, kSearchTypeCount - 1));
    request.order = chance(rng, 0.5) ? NumberOrder::Drop : NumberOrder::Sorted;
    request.freePosition = chance(rng, 0.5);
    // Now and then the names are shown with the other zodiac base, so some codes have none.
    request.sxIni = chance(rng, 0.9) ? sxIni : 1 - sxIni;
    for (int p = 0; p < 5; ++p) {
        PositionInput& box = request.positions[p];
        box.selected = chance(rng, 0.55);
        box.value = randomValue(snapshot, request, p, rng);
        char text[16];
        std::snprintf(text, sizeof text, chance(rng, 0.5) ? "%02d" : "%d", box.value);
        box.text = text;
    }
    const int last = int(snapshot.size()) - 1;
    const int first = chance(rng, 0.3) ? 0 : uniform(rng, 0, last);
    const int end = chance(rng, 0.3) ? last : uniform(rng, first, last);
    request.startIssue = snapshot.issues[first];
    request.endIssue = chance(rng, 0.2) ? 99123199 : snapshot.issues[end] + uniform(rng, 0, 1);
    return request;
}

void expectSame(const SearchResult& actual, const yilou::testing::OracleResult& expected) {
    ASSERT_EQ(actual.hits.size(), expected.hits.size());
    for (std::size_t r = 0; r < actual.hits.size(); ++r) {
        const HitRow& a = actual.hits[r];
        const yilou::testing::OracleRow& e = expected.hits[r];
        SCOPED_TRACE("row " + std::to_string(r + 1));
        ASSERT_EQ(a.issue, e.issue);
        ASSERT_EQ(actual.texts(a), e.texts);
        ASSERT_EQ(a.gap, e.gap);
        ASSERT_EQ(a.seq, e.seq);
    }
    EXPECT_EQ(actual.summary.desc, expected.summary.desc);
    EXPECT_EQ(actual.summary.min, expected.summary.min);
    EXPECT_EQ(actual.summary.max, expected.summary.max);
    EXPECT_EQ(actual.summary.last, expected.summary.last);
    EXPECT_EQ(actual.summary.ratio, expected.summary.ratio);
}

/// A random history: 11- or 12-number game, zodiac and segment bases 0 or 1, start-up or
/// positional zodiac codes, sometimes holes in the issue schedule and short days.
testing::GeneratedHistory randomHistory(Rng& rng) {
    testing::GeneratedHistory settings;
    settings.draws = static_cast<std::size_t>(uniform(rng, 50, 300));
    settings.seed = rng();
    settings.drawsPerDay = chance(rng, 0.5) ? 84 : 12;
    settings.highestNumber = chance(rng, 0.5) ? 11 : 12;
    settings.firstIssue = chance(rng, 0.5) ? 17012201 : 18123001;
    settings.missingShare = chance(rng, 0.5) ? 0.0 : 0.15;
    const int sxIni = uniform(rng, 0, 1);
    settings.rules = history::AttributeRules::startup(sxIni, uniform(rng, 0, 1));
    if (chance(rng, 0.3))
        settings.rules.zodiac = history::ZodiacCodes::positional(2017, sxIni);
    return settings;
}

constexpr int kHistories = 8;
constexpr int kCasesPerHistory = 140;

TEST(SearchDifferential, MatchesTheStatementsOnTheDatabase) {
    const std::uint64_t seed = testing::testSeed();
    SCOPED_TRACE("seed " + std::to_string(seed) + " (rerun with YILOU_TEST_SEED)");
    Rng rng(seed);
    int multiCases = 0;
    for (int h = 0; h < kHistories; ++h) {
        const auto settings = randomHistory(rng);
        const auto records = testing::generateDraws(settings);
        testing::TempDir dir;
        testing::SearchOracle oracle(dir / history::kDatabaseFileName, records, settings.rules);
        const Snapshot snapshot = oracle.db().loadSnapshot();
        for (int c = 0; c < kCasesPerHistory; ++c) {
            SCOPED_TRACE("history " + std::to_string(h) + " case " + std::to_string(c));
            const SearchRequest request = randomRequest(snapshot, settings.rules.sxIni, rng);
            if (chance(rng, 0.5)) {
                ASSERT_NO_FATAL_FAILURE(
                    expectSame(omissionSearch(snapshot, request), oracle.Command1_Click(request)));
                continue;
            }
            ++multiCases;
            const int k = uniform(rng, 0, 7);
            const std::string kText = std::to_string(k);
            const auto expected = oracle.Command2_Click(request, k, kText);
            if (k < 1 || k > 5) {
                // The program refuses what the statements would show as an empty grid.
                EXPECT_TRUE(expected.hits.empty());
                EXPECT_THROW(multiPositionSearch(snapshot, request, k, kText), UserError);
                continue;
            }
            ASSERT_NO_FATAL_FAILURE(
                expectSame(multiPositionSearch(snapshot, request, k, kText), expected));
        }
    }
    EXPECT_GT(multiCases, 0);
}

TEST(SearchDifferential, StartThatIsNotStoredCountsFromTheNextStoredDraw) {
    const std::uint64_t seed = testing::testSeed();
    SCOPED_TRACE("seed " + std::to_string(seed) + " (rerun with YILOU_TEST_SEED)");
    Rng rng(seed);
    auto settings = randomHistory(rng);
    settings.missingShare = 0.3;
    const auto records = testing::generateDraws(settings);
    testing::TempDir dir;
    testing::SearchOracle oracle(dir / history::kDatabaseFileName, records, settings.rules);
    const Snapshot snapshot = oracle.db().loadSnapshot();
    for (int c = 0; c < 60; ++c) {
        SCOPED_TRACE("case " + std::to_string(c));
        SearchRequest request = randomRequest(snapshot, settings.rules.sxIni, rng);
        const auto first = static_cast<std::size_t>(uniform(rng, 1, int(snapshot.size()) - 1));
        // An ordinal 00 is no issue and is refused.
        if (snapshot.issues[first] - 1 == snapshot.issues[first - 1] ||
            !history::isPlausibleIssue(snapshot.issues[first] - 1))
            continue;
        // Typed: an issue the history lacks; expected: the range from the next stored one.
        request.startIssue = snapshot.issues[first] - 1;
        request.endIssue = 99123199;
        SearchRequest stored = request;
        stored.startIssue = snapshot.issues[first];
        ASSERT_NO_FATAL_FAILURE(
            expectSame(omissionSearch(snapshot, request), oracle.Command1_Click(stored)));
        ASSERT_NO_FATAL_FAILURE(expectSame(multiPositionSearch(snapshot, request, 2, "2"),
                                           oracle.Command2_Click(stored, 2, "2")));
    }
}

} // namespace
} // namespace yilou::analysis
