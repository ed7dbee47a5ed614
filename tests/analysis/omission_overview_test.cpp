#include "analysis/omission_overview.h"
#include "analysis/omission_search.h"
#include "analysis/ratio_text.h"
#include "overview_reference.h"
#include "support/history_generator.h"
#include "support/test_seed.h"

#include <gtest/gtest.h>
#include <map>
#include <tuple>

namespace yilou::analysis {

namespace {

using history::AttributeRules;
using history::Issue;
using history::Letter;
using history::NumberOrder;
using history::Snapshot;
using testing::Rng;
using testing::uniform;

Letter letterOf(SearchType type) {
    return searchTypeInfo(type).letter;
}

bool holds(const Snapshot& snapshot, SearchType type, NumberOrder order, int place, int value,
           std::size_t index) {
    if (place != kAnyPlace)
        return snapshot.value(order, letterOf(type), place - 1, index) == value;
    for (int p = 0; p < 5; ++p)
        if (snapshot.value(NumberOrder::Drop, letterOf(type), p, index) == value)
            return true;
    return false;
}

/// The odds by their definition: every ordered draw of five distinct numbers, derived as the
/// history derives a stored draw, counted per letter, order, place and value.
class OddsReference {
public:
    double probability(SearchType type, NumberOrder order, int place, int value, Issue issue,
                       const AttributeRules& rules, int highestNumber) {
        const Key key{history::SetZodiacYear(issue), rules.sxIni, rules.dsIni, rules.zodiac.code,
                      highestNumber};
        auto found = tables_.find(key);
        if (found == tables_.end())
            found = tables_.emplace(key, count(issue, rules, highestNumber)).first;
        const Table& table = found->second;
        if (value < 0 || value >= kValues)
            return 0;
        return double(table.favourable[cell(letterOf(type), order, place, value)]) /
               double(table.draws);
    }

private:
    using Key = std::tuple<int, int, int, std::array<int, 12>, int>;
    static constexpr int kValues = 64; // every attribute value lies in 0..12
    struct Table {
        std::int64_t draws = 0;
        std::vector<std::int64_t> favourable =
            std::vector<std::int64_t>(history::kLetterCount * 2 * 6 * kValues, 0);
    };

    static std::size_t cell(Letter letter, NumberOrder order, int place, int value) {
        return ((std::size_t(letter) * 2 + std::size_t(order)) * 6 + std::size_t(place)) * kValues +
               std::size_t(value);
    }

    static Table count(Issue issue, const AttributeRules& rules, int highestNumber) {
        Table table;
        forEveryOrderedDraw(highestNumber, [&](const history::PositionValues& n) {
            ++table.draws;
            const auto record = history::DeriveAttributes(issue, n, rules);
            for (int l = 0; l < history::kLetterCount; ++l) {
                const auto letter = static_cast<Letter>(l);
                std::uint64_t anywhere = 0;
                for (const NumberOrder order : {NumberOrder::Drop, NumberOrder::Sorted})
                    for (int p = 0; p < 5; ++p) {
                        const int value = record.set(order)[letter][p];
                        ++table.favourable[cell(letter, order, p + 1, value)];
                        anywhere |= std::uint64_t{1} << value;
                    }
                for (int value = 0; value < kValues; ++value)
                    if (anywhere >> value & 1)
                        for (const NumberOrder order : {NumberOrder::Drop, NumberOrder::Sorted})
                            ++table.favourable[cell(letter, order, kAnyPlace, value)];
            }
        });
        return table;
    }

    std::map<Key, Table> tables_;
};

/// The omission search for the value alone: at the place (fixed) or anywhere (free).
SummaryRow searchSummary(const Snapshot& snapshot, const OverviewRequest& overview, int value) {
    SearchRequest request;
    request.type = overview.type;
    request.order = overview.order;
    request.freePosition = overview.place == kAnyPlace;
    const int position = overview.place == kAnyPlace ? 0 : overview.place - 1;
    request.positions[position] = {true, value, std::to_string(value)};
    request.startIssue = snapshot.issues[overview.range.first];
    request.endIssue = snapshot.issues[overview.range.last];
    return omissionSearch(snapshot, request).summary;
}

TEST(OverviewDifferential, MatchesTheSearchAndTheDefinitions) {
    const std::uint64_t seed = testing::testSeed();
    SCOPED_TRACE("seed " + std::to_string(seed) + " (rerun with YILOU_TEST_SEED)");
    Rng rng(seed);
    OddsReference odds;
    for (int h = 0; h < 6; ++h) {
        testing::GeneratedHistory settings;
        settings.draws = static_cast<std::size_t>(uniform(rng, 40, 400));
        settings.seed = rng();
        settings.highestNumber = uniform(rng, 11, 12);
        // Some histories cross the Spring Festival of 2018 (16 February).
        settings.firstIssue = uniform(rng, 0, 1) ? 18021101 : 17081201;
        settings.drawsPerDay = uniform(rng, 0, 1) ? 84 : 20;
        settings.missingShare = uniform(rng, 0, 1) ? 0.0 : 0.2;
        const int sxIni = uniform(rng, 0, 1);
        settings.rules = AttributeRules::startup(sxIni, uniform(rng, 0, 1));
        if (uniform(rng, 0, 2) == 0)
            settings.rules.zodiac = history::ZodiacCodes::positional(2017, sxIni);
        const Snapshot snapshot = testing::snapshotOf(testing::generateDraws(settings));
        for (int t = 0; t < kSearchTypeCount; ++t)
            for (const NumberOrder order : {NumberOrder::Drop, NumberOrder::Sorted})
                for (int place = kAnyPlace; place <= 5; ++place) {
                    OverviewRequest request;
                    request.type = static_cast<SearchType>(t);
                    request.order = order;
                    request.place = place;
                    const int last = int(snapshot.size()) - 1;
                    request.range.first = std::size_t(uniform(rng, 0, last));
                    request.range.last = std::size_t(uniform(rng, int(request.range.first), last));
                    request.highestNumber = settings.highestNumber;
                    request.rules = settings.rules;
                    SCOPED_TRACE("history " + std::to_string(h) + " type " + std::to_string(t) +
                                 " place " + std::to_string(place));
                    const OverviewResult result = omissionOverview(snapshot, request);
                    ASSERT_EQ(result.rows.size(),
                              selectableCodes(request.type, request.highestNumber,
                                              request.rules.sxIni, request.rules.dsIni)
                                  .size());
                    for (const OverviewRow& row : result.rows) {
                        const SummaryRow search = searchSummary(snapshot, request, row.value);
                        EXPECT_EQ(row.currentGap, search.last) << row.value;
                        if (row.hits) {
                            EXPECT_EQ(row.minGap, search.min) << row.value;
                            EXPECT_EQ(row.maxGap, search.max) << row.value;
                            EXPECT_EQ(ratioText(*row.ratio), search.ratio) << row.value;
                        } else {
                            // The search's 32767 stands for no hit; the overview has no smallest
                            // gap and no 大后比, and the whole stretch is its longest.
                            EXPECT_EQ(search.min, 32767) << row.value;
                            EXPECT_FALSE(row.minGap) << row.value;
                            EXPECT_FALSE(row.ratio) << row.value;
                            EXPECT_EQ(row.maxGap, row.currentGap) << row.value;
                        }
                        const double p = odds.probability(request.type, order, place, row.value,
                                                          snapshot.issues[request.range.last],
                                                          request.rules, request.highestNumber);
                        auto expected = referenceOverviewRow(
                            snapshot, request.range, row.value, p, request.range.size(),
                            [&](std::size_t i) {
                                return holds(snapshot, request.type, order, place, row.value, i);
                            });
                        // Possible: some draw of the game holds the value somewhere.
                        expected.possible =
                            odds.probability(request.type, order, kAnyPlace, row.value,
                                             snapshot.issues[request.range.last], request.rules,
                                             request.highestNumber) > 0;
                        EXPECT_EQ(row, expected);
                    }
                }
    }
}

// Hand-made histories: draws on consecutive issues of one day from draw 01.
Snapshot historyOf(const std::vector<history::PositionValues>& draws, Issue first = 17081201,
                   const AttributeRules& rules = {}) {
    Snapshot snapshot;
    Issue issue = first;
    for (const auto& numbers : draws) {
        snapshot.push(history::DeriveAttributes(issue, numbers, rules));
        issue = history::proposeNextIssue(issue, 84);
    }
    return snapshot;
}

OverviewRow rowFor(const Snapshot& snapshot, OverviewRequest request, int value) {
    if (request.range.last == 0)
        request.range.last = snapshot.size() - 1;
    for (const auto& row : omissionOverview(snapshot, request).rows)
        if (row.value == value)
            return row;
    ADD_FAILURE() << "no row for " << value;
    return {};
}

const std::vector<history::PositionValues> kTenDraws{
    {1, 2, 3, 4, 5}, {1, 6, 7, 8, 9},  {1, 2, 10, 3, 4}, {1, 5, 6, 7, 8}, {3, 1, 9, 10, 2},
    {2, 1, 4, 5, 6}, {1, 7, 8, 9, 10}, {3, 2, 1, 5, 6},  {1, 4, 7, 8, 9}, {10, 1, 2, 3, 4}};

TEST(OverviewByHand, ValueThatNeverHits) {
    const Snapshot snapshot = historyOf(kTenDraws);
    const OverviewRow row = rowFor(snapshot, {}, 11);
    OverviewRow expected;
    expected.value = 11;
    expected.probability = 5.0 / 11;
    expected.expectedHits = 10 * (5.0 / 11);
    // No smallest gap and no 大后比; the longest gap is the whole stretch without it. 理论遗漏
    // follows from the chance alone.
    expected.currentGap = 11;
    expected.maxGap = 11;
    expected.theoreticalGap = 11.0 / 5;
    EXPECT_EQ(row, expected);
}

TEST(OverviewByHand, ValueThatHitsInEveryDraw) {
    const Snapshot snapshot = historyOf(kTenDraws);
    const OverviewRow row = rowFor(snapshot, {}, 1);
    EXPECT_EQ(row.hits, 10);
    EXPECT_EQ(row.minGap, 1);
    EXPECT_EQ(row.maxGap, 1);
    EXPECT_EQ(row.currentGap, 1);
    EXPECT_EQ(row.meanGap, 1.0);
    EXPECT_EQ(row.lastGap, 1);
    EXPECT_DOUBLE_EQ(*row.theoreticalGap, 2.2);
    EXPECT_EQ(row.dueChance, 1.0);
    // Of the equal gaps the newest.
    EXPECT_EQ(row.maxGapSpan, (IssueSpan{17081210, 17081210}));
    EXPECT_EQ(row.maxRun, 10);
    EXPECT_EQ(row.currentRun, 10);
    EXPECT_EQ(row.histogram[0], 10);
}

TEST(OverviewByHand, LongestGapIsTheFirst) {
    // At position 1, 03 stands in draws 5 and 8, 10 in draw 10 alone.
    const Snapshot snapshot = historyOf(kTenDraws);
    OverviewRequest request;
    request.place = 1;
    const OverviewRow three = rowFor(snapshot, request, 3);
    EXPECT_EQ(three.maxGap, 5);
    EXPECT_EQ(three.maxGapSpan, (IssueSpan{17081201, 17081205}));
    EXPECT_EQ(three.lastGap, 3);
    EXPECT_EQ(three.currentGap, 3);
    EXPECT_EQ(three.meanGap, 4.0);
    EXPECT_EQ(three.dueChance, 0.75);
    EXPECT_DOUBLE_EQ(*three.theoreticalGap, 11.0);
    EXPECT_EQ(three.histogram[2] + three.histogram[4], 2);
    const OverviewRow ten = rowFor(snapshot, request, 10);
    EXPECT_EQ(ten.maxGapSpan, (IssueSpan{17081201, 17081210}));
    EXPECT_EQ(ten.currentRun, 1);
}

TEST(OverviewByHand, RangeThatStartsInsideAGap) {
    // 04 anywhere: draws 1, 3, 6, 9 and 10; the range starts at draw 4.
    const Snapshot snapshot = historyOf(kTenDraws);
    OverviewRequest request;
    request.range = {3, 9};
    const OverviewRow row = rowFor(snapshot, request, 4);
    EXPECT_EQ(row.hits, 3);
    EXPECT_EQ(row.minGap, 1);
    EXPECT_EQ(row.maxGap, 3);
    EXPECT_EQ(row.maxGapSpan, (IssueSpan{17081207, 17081209}));
    EXPECT_EQ(row.meanGap, 7.0 / 3); // gaps 3 (from draw 4), 3, 1
    EXPECT_DOUBLE_EQ(row.expectedHits, 7 * 5.0 / 11);
    EXPECT_EQ(row.histogram[0], 1);
    EXPECT_EQ(row.histogram[2], 2);
    EXPECT_EQ(row.maxRun, 2);
    EXPECT_EQ(row.currentRun, 2);
}

TEST(OverviewByHand, ZodiacYearChangeInsideTheRange) {
    // The Spring Festival of 2018 falls on 16 February: 11 is 猪 on the 15th and 01 is 狗 from
    // the 16th. Under the newest draw's year no number is 猪, so its odds are 0.
    Snapshot snapshot;
    const auto rules = AttributeRules::startup(1, 1);
    snapshot.push(history::DeriveAttributes(18021584, {11, 2, 3, 4, 5}, rules));
    snapshot.push(history::DeriveAttributes(18021601, {1, 6, 7, 8, 9}, rules));
    snapshot.push(history::DeriveAttributes(18021602, {1, 2, 3, 4, 5}, rules));
    OverviewRequest request;
    request.type = SearchType::Zodiac;
    request.rules = rules;
    const int pig = 1 + 11;
    const int dog = 1 + 10;
    const OverviewRow pigRow = rowFor(snapshot, request, pig);
    EXPECT_EQ(pigRow.hits, 1);
    EXPECT_EQ(pigRow.probability, 0);
    EXPECT_EQ(pigRow.expectedHits, 0);
    EXPECT_FALSE(pigRow.theoreticalGap);
    EXPECT_EQ(pigRow.meanGap, 1.0);
    const OverviewRow dogRow = rowFor(snapshot, request, dog);
    EXPECT_EQ(dogRow.hits, 2);
    EXPECT_EQ(dogRow.maxGapSpan, (IssueSpan{18021584, 18021601}));
    EXPECT_DOUBLE_EQ(dogRow.probability, 5.0 / 11);
}

// A value that no number of the game takes in the zodiac year of the range's newest draw is
// marked impossible, whatever its figures: in an 11-number game the zodiac of 12 that year.
TEST(OverviewByHand, ValueNoNumberTakesIsImpossible) {
    struct Case {
        const char* name;
        int highestNumber;
        AttributeRules rules;
        std::vector<int> impossible;
    };
    const auto positional = [] {
        auto rules = AttributeRules::startup(0, 1);
        rules.zodiac = history::ZodiacCodes::positional(2017, 0);
        return rules;
    };
    // 2018021602 lies in the year of 狗: 01 is 狗, 11 is 鸡 and 12 would be 猪.
    for (const Case& c : {Case{"ElevenNumbers", 11, AttributeRules::startup(1, 1), {12}},
                          Case{"TwelveNumbers", 12, AttributeRules::startup(1, 1), {}},
                          Case{"CountedFromTheYear", 11, positional(), {10}}}) {
        SCOPED_TRACE(c.name);
        Snapshot snapshot;
        snapshot.push(history::DeriveAttributes(18021584, {11, 2, 3, 4, 5}, c.rules));
        snapshot.push(history::DeriveAttributes(18021602, {1, 2, 3, 4, 5}, c.rules));
        OverviewRequest request;
        request.type = SearchType::Zodiac;
        request.highestNumber = c.highestNumber;
        request.rules = c.rules;
        request.range.last = 1;
        std::vector<int> impossible;
        for (const auto& row : omissionOverview(snapshot, request).rows)
            if (!row.possible)
                impossible.push_back(row.value);
        EXPECT_EQ(impossible, c.impossible);
    }
}

TEST(OverviewByHand, TwelveNumberGame) {
    const Snapshot snapshot = historyOf({{12, 1, 2, 3, 4}, {5, 6, 7, 8, 9}, {12, 11, 10, 9, 8}});
    OverviewRequest request;
    request.highestNumber = 12;
    request.range.last = 2;
    const auto result = omissionOverview(snapshot, request);
    ASSERT_EQ(result.rows.size(), 12u);
    const OverviewRow& twelve = result.rows.back();
    EXPECT_EQ(twelve.value, 12);
    EXPECT_EQ(twelve.hits, 2);
    EXPECT_EQ(twelve.maxGap, 2);
    EXPECT_DOUBLE_EQ(*twelve.theoreticalGap, 12.0 / 5);
}

struct OddsCase {
    const char* name;
    SearchType type;
    NumberOrder order;
    int place;
    int highestNumber;
    int value;
    double probability;
};

class Odds : public ::testing::TestWithParam<OddsCase> {};

TEST_P(Odds, CountEveryDrawOfTheGame) {
    const OddsCase& c = GetParam();
    const auto odds = placeProbabilities(c.type, c.order, c.place, {c.value}, c.highestNumber,
                                         17081201, AttributeRules::startup(1, 1));
    EXPECT_DOUBLE_EQ(odds.front(), c.probability);
}

INSTANTIATE_TEST_SUITE_P(
    Games, Odds,
    ::testing::Values(
        OddsCase{"NumberAnywhere", SearchType::Number, NumberOrder::Drop, 0, 11, 7, 5.0 / 11},
        OddsCase{"NumberAtADrawnPosition", SearchType::Number, NumberOrder::Drop, 3, 11, 7,
                 1.0 / 11},
        // The smallest of five is 01 in C(10,4) of the C(11,5) sets.
        OddsCase{"SmallestIsOne", SearchType::Number, NumberOrder::Sorted, 1, 11, 1, 210.0 / 462},
        OddsCase{"ThirdSmallestIsSix", SearchType::Number, NumberOrder::Sorted, 3, 11, 6,
                 100.0 / 462},
        OddsCase{"SortedCannotHold", SearchType::Number, NumberOrder::Sorted, 1, 11, 8, 0},
        // Head 1 anywhere unless all five come from 01..09.
        OddsCase{"HeadOneAnywhere", SearchType::Head, NumberOrder::Drop, 0, 11, 1, 1 - 126.0 / 462},
        OddsCase{"TailOneAtAPosition", SearchType::Tail, NumberOrder::Drop, 2, 11, 1, 2.0 / 11},
        OddsCase{"SumTwoAtAPosition", SearchType::DigitSum, NumberOrder::Drop, 1, 12, 2, 2.0 / 12},
        OddsCase{"ThirdSegmentAnywhere", SearchType::Segment, NumberOrder::Drop, 0, 12, 3,
                 1 - 56.0 / 792},
        OddsCase{"TwelveAnywhere", SearchType::Number, NumberOrder::Drop, 0, 12, 12, 5.0 / 12}),
    [](const auto& info) { return std::string(info.param.name); });

} // namespace
} // namespace yilou::analysis
