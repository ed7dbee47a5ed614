#include "analysis/omission_search.h"
#include "analysis/ratio_text.h"
#include "core/user_error.h"

#include <gtest/gtest.h>

namespace yilou::analysis {
namespace {

using history::Letter;
using history::NumberOrder;
using history::Snapshot;

const auto kRules = history::AttributeRules::startup(1, 1);

/// `count` draws of the numbers 01 02 03 04 05 on consecutive issues from 17081201, except
/// those that `change` alters.
template <typename Change> Snapshot history(std::size_t count, Change change) {
    Snapshot snapshot;
    history::Issue issue = 17081201;
    for (std::size_t i = 0; i < count; ++i) {
        history::DrawRecord record = history::DeriveAttributes(issue, {1, 2, 3, 4, 5}, kRules);
        change(i, record);
        snapshot.push(record);
        issue = history::proposeNextIssue(issue, 84);
    }
    return snapshot;
}

/// Draws whose zodiac codes (drawn order) are the given ones, the numbers 1..5 beneath.
Snapshot zodiacHistory(const std::vector<history::PositionValues>& codes) {
    return history(codes.size(), [&](std::size_t i, history::DrawRecord& record) {
        record.drop[Letter::B] = codes[i];
    });
}

SearchRequest request(SearchType type, bool freePosition, std::vector<std::pair<int, int>> picks,
                      const Snapshot& snapshot) {
    SearchRequest r;
    r.type = type;
    r.freePosition = freePosition;
    for (const auto& [position, value] : picks) {
        r.positions[position - 1] = {true, value, std::to_string(value)};
    }
    r.startIssue = snapshot.issues.front();
    r.endIssue = snapshot.issues.back();
    return r;
}

std::vector<history::Issue> issuesOf(const SearchResult& result) {
    std::vector<history::Issue> out;
    for (const auto& row : result.hits)
        out.push_back(row.issue);
    return out;
}

std::vector<std::int32_t> gapsOf(const SearchResult& result) {
    std::vector<std::int32_t> out;
    for (const auto& row : result.hits)
        out.push_back(row.gap);
    return out;
}

// Hits at IDX 100, 103 and 110 of 115 draws, the range starting at IDX 100.
Snapshot workedExample() {
    return history(115, [](std::size_t i, history::DrawRecord& record) {
        if (i == 99 || i == 102 || i == 109)
            record = history::DeriveAttributes(record.issue, {7, 2, 3, 4, 5}, kRules);
    });
}

TEST(OmissionSearch, GapsRunFromTheRangeStartAndToTheNewestDraw) {
    const Snapshot snapshot = workedExample();
    for (const bool freePosition : {false, true}) {
        SearchRequest r = request(SearchType::Number, freePosition, {{1, 7}}, snapshot);
        r.startIssue = snapshot.issues[99];
        const SearchResult result = omissionSearch(snapshot, r);
        EXPECT_EQ(gapsOf(result), (std::vector<std::int32_t>{1, 3, 7}));
        EXPECT_EQ(result.hits.back().seq, 3);
        EXPECT_EQ(result.hits.front().issue, snapshot.issues[99]);
        EXPECT_EQ(result.texts(result.hits.front()),
                  (std::array<std::string, 5>{"7", "2", "3", "4", "5"}));
        EXPECT_EQ(result.summary.min, 1);
        EXPECT_EQ(result.summary.max, 7);
        EXPECT_EQ(result.summary.last, 6);
        EXPECT_EQ(result.summary.ratio, "1.16666666666667");
        EXPECT_EQ(result.summary.desc, freePosition ? "7 " : "07 ");

        // The current gap runs to the newest draw whatever the range end.
        r.endIssue = snapshot.issues[109];
        EXPECT_EQ(omissionSearch(snapshot, r).summary.last, 6);
    }
}

TEST(OmissionSearch, EdgeResultsOfTheSummary) {
    const Snapshot snapshot = workedExample();
    SearchRequest none = request(SearchType::Number, false, {{1, 9}}, snapshot);
    none.startIssue = snapshot.issues[99];
    const SearchResult empty = omissionSearch(snapshot, none);
    EXPECT_TRUE(empty.hits.empty());
    EXPECT_EQ(empty.summary.min, 32767);
    EXPECT_EQ(empty.summary.max, 32767);
    EXPECT_EQ(empty.summary.last, 115 + 1 - 99);
    EXPECT_EQ(empty.summary.ratio, "1927.47058823529");

    // No position selected: every draw of the range, one apart.
    SearchRequest all = request(SearchType::Number, true, {}, snapshot);
    all.startIssue = snapshot.issues[110];
    const SearchResult every = omissionSearch(snapshot, all);
    EXPECT_EQ(gapsOf(every), (std::vector<std::int32_t>(5, 1)));
    EXPECT_EQ(every.summary.desc, "");
    EXPECT_EQ(every.summary.last, 1);
    EXPECT_EQ(every.summary.ratio, "1");
}

TEST(OmissionSearch, FreeZodiacValueEnteredTwiceNeedsTwoOccurrences) {
    const Snapshot snapshot = zodiacHistory({{5, 5, 1, 2, 3}, {5, 1, 2, 3, 4}, {1, 5, 2, 5, 3}});
    const SearchRequest r = request(SearchType::Zodiac, true, {{1, 5}, {2, 5}}, snapshot);
    const SearchResult result = omissionSearch(snapshot, r);
    EXPECT_EQ(issuesOf(result), (std::vector{snapshot.issues[0], snapshot.issues[2]}));
    EXPECT_EQ(result.texts(result.hits[1]),
              (std::array<std::string, 5>{"鼠", "龙", "牛", "龙", "虎"}));
    EXPECT_EQ(gapsOf(result), (std::vector<std::int32_t>{1, 2}));
}

TEST(OmissionSearch, ZodiacCodeWithoutNameShowsItsNumber) {
    const Snapshot snapshot = zodiacHistory({{0, 12, 13, 1, 2}});
    SearchRequest r = request(SearchType::Zodiac, false, {}, snapshot);
    const SearchResult base1 = omissionSearch(snapshot, r);
    EXPECT_EQ(base1.texts(base1.hits[0]),
              (std::array<std::string, 5>{"0", "猪", "13", "鼠", "牛"}));
    r.sxIni = 0;
    const SearchResult base0 = omissionSearch(snapshot, r);
    EXPECT_EQ(base0.texts(base0.hits[0]),
              (std::array<std::string, 5>{"鼠", "12", "13", "牛", "虎"}));
}

TEST(OmissionSearch, FixedDigitSumIsHeadPlusTailOfThePosition) {
    Snapshot snapshot;
    snapshot.push(history::DeriveAttributes(17081201, {10, 3, 7, 1, 5}, kRules));
    snapshot.push(history::DeriveAttributes(17081202, {1, 3, 7, 10, 5}, kRules));
    snapshot.push(history::DeriveAttributes(17081203, {11, 3, 7, 10, 5}, kRules));
    const SearchResult ones =
        omissionSearch(snapshot, request(SearchType::DigitSum, false, {{1, 1}}, snapshot));
    EXPECT_EQ(issuesOf(ones), (std::vector{snapshot.issues[0], snapshot.issues[1]}));
    EXPECT_EQ(ones.texts(ones.hits[0]), (std::array<std::string, 5>{"1", "3", "7", "1", "5"}));
    const SearchResult twos =
        omissionSearch(snapshot, request(SearchType::DigitSum, false, {{1, 2}}, snapshot));
    EXPECT_EQ(issuesOf(twos), (std::vector{snapshot.issues[2]}));
}

TEST(OmissionSearch, SequenceOrderReadsTheSortedColumns) {
    Snapshot snapshot;
    snapshot.push(history::DeriveAttributes(17081201, {9, 3, 7, 1, 5}, kRules));
    SearchRequest r = request(SearchType::Number, false, {{1, 1}}, snapshot);
    EXPECT_TRUE(omissionSearch(snapshot, r).hits.empty());
    r.order = NumberOrder::Sorted;
    const SearchResult sorted = omissionSearch(snapshot, r);
    ASSERT_EQ(sorted.hits.size(), 1u);
    EXPECT_EQ(sorted.texts(sorted.hits[0]), (std::array<std::string, 5>{"1", "3", "5", "7", "9"}));
}

TEST(OmissionSearch, GapsBeyondSixteenBits) {
    const Snapshot snapshot = history(40000, [](std::size_t i, history::DrawRecord& record) {
        if (i == 0 || i == 39999)
            record.drop[Letter::A][0] = 7;
    });
    const SearchResult result =
        omissionSearch(snapshot, request(SearchType::Number, false, {{1, 7}}, snapshot));
    EXPECT_EQ(gapsOf(result), (std::vector<std::int32_t>{1, 39999}));
    EXPECT_EQ(result.summary.max, 39999);
    EXPECT_EQ(result.summary.ratio, "39999");
}

TEST(OmissionSearch, RangeErrorsAreReportedNotListedAsEmpty) {
    const Snapshot snapshot = workedExample();
    SearchRequest r = request(SearchType::Number, true, {{1, 7}}, snapshot);
    r.startIssue = snapshot.issues[5];
    r.endIssue = snapshot.issues[4];
    EXPECT_THROW(omissionSearch(snapshot, r), UserError);
    EXPECT_THROW(multiPositionSearch(snapshot, r, 2, "2"), UserError);
    r.startIssue = 30010101;
    r.endIssue = 30010184;
    EXPECT_THROW(omissionSearch(snapshot, r), UserError);
    EXPECT_THROW(omissionSearch(Snapshot{}, r), UserError);
}

TEST(MultiPositionSearch, AnyKOfTheFiveValuesCountedWithRepetition) {
    const Snapshot snapshot = zodiacHistory({
        {5, 1, 2, 3, 4},  // one 05 only
        {5, 5, 1, 2, 3},  // 05 twice
        {5, 7, 1, 2, 3},  // 05 and 07
        {7, 8, 1, 2, 3},  // 07 and 08
        {9, 1, 2, 3, 4},  // 09 only
        {5, 5, 7, 8, 9},  // all five
        {10, 11, 1, 2, 3} // none
    });
    SearchRequest r;
    r.type = SearchType::Zodiac;
    // The boxes' check marks play no part here.
    for (int p = 0; p < 5; ++p) {
        const int value = std::array{5, 5, 7, 8, 9}[p];
        r.positions[p] = {false, value, "0" + std::to_string(value)};
    }
    r.startIssue = snapshot.issues.front();
    r.endIssue = snapshot.issues.back();

    const SearchResult two = multiPositionSearch(snapshot, r, 2, "2");
    EXPECT_EQ(two.summary.desc, "05 05 07 08 09 (2)");
    const auto& is = snapshot.issues;
    EXPECT_EQ(issuesOf(two), (std::vector{is[1], is[2], is[3], is[5]}));
    EXPECT_EQ(issuesOf(multiPositionSearch(snapshot, r, 1, "1")),
              (std::vector{is[0], is[1], is[2], is[3], is[4], is[5]}));
    EXPECT_EQ(issuesOf(multiPositionSearch(snapshot, r, 5, "5")), (std::vector{is[5]}));

    // Fixed position: at least k positions hold their own value.
    r.freePosition = false;
    EXPECT_EQ(issuesOf(multiPositionSearch(snapshot, r, 2, "2")), (std::vector{is[1], is[5]}));
}

TEST(MultiPositionSearch, GroupSizeOutsideOneToFiveIsRefused) {
    const Snapshot snapshot = workedExample();
    const SearchRequest r = request(SearchType::Number, true, {{1, 7}}, snapshot);
    for (const int k : {-1, 0, 6, 7})
        EXPECT_THROW(multiPositionSearch(snapshot, r, k, std::to_string(k)), UserError) << k;
}

TEST(RatioText, ShortestDecimalWithFifteenSignificantDigits) {
    const std::pair<double, const char*> cases[] = {
        {10.0 / 3, "3.33333333333333"}, {4.0 / 2, "2"},
        {7.0 / 6, "1.16666666666667"},  {10.0 / 4, "2.5"},
        {2.0 / 3, "0.666666666666667"}, {1.0 / 1000000, "0.000001"},
        {32767.0 / 2, "16383.5"},       {9.9999999999999991, "10"},
        {1e20, "100000000000000000000"}};
    for (const auto& [value, text] : cases)
        EXPECT_EQ(ratioText(value), text);
}

} // namespace
} // namespace yilou::analysis
