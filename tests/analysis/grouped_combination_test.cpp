#include "analysis/grouped_combination.h"
#include "core/games.h"
#include "core/user_error.h"
#include "support/history_generator.h"
#include "support/yl_row_printer.h"

#include <algorithm>
#include <gtest/gtest.h>
#include <numeric>
#include <set>

namespace yilou::analysis {
namespace {

using history::YlRow;

constexpr history::Issue kFirstIssue = 17081201;

/// Draws on consecutive issues from 2017081201 (IDX 1, 2, …).
history::Snapshot historyOf(const std::vector<history::PositionValues>& draws, int sxIni = 1) {
    std::vector<history::DrawRecord> records;
    for (std::size_t i = 0; i < draws.size(); ++i)
        records.push_back(history::DeriveAttributes(kFirstIssue + static_cast<int>(i), draws[i],
                                                    history::AttributeRules::startup(sxIni, 1)));
    return testing::snapshotOf(records);
}

history::Issue issueOfIdx(int idx) {
    return kFirstIssue + idx - 1;
}

GroupRequest request(SearchType type, std::vector<int> codes, int k, int startIdx, int endIdx) {
    GroupRequest out;
    out.type = type;
    out.codes = std::move(codes);
    out.k = k;
    out.startIssue = issueOfIdx(startIdx);
    out.endIssue = issueOfIdx(endIdx);
    return out;
}

// Ten draws. 05 stands in draws 2, 5 and 6; 07 in draws 5, 6 and 9; 10 only in draw 1.
const std::vector<history::PositionValues> kTenDraws{
    {1, 2, 3, 4, 10}, {5, 1, 2, 3, 4}, {1, 2, 3, 4, 6}, {1, 2, 3, 4, 8}, {5, 7, 1, 2, 3},
    {7, 5, 1, 2, 3},  {1, 2, 3, 4, 6}, {1, 2, 3, 4, 8}, {7, 1, 2, 3, 4}, {1, 2, 3, 4, 6},
};

TEST(GroupedCombination, GapsCountFromTheDrawBeforeTheRangeAndToTheNewestDraw) {
    const auto snapshot = historyOf(kTenDraws);
    // 05 over draws 2..8: gaps 1, 3, 1; current omission 10 + 1 − 6 although the range ends at 8.
    const auto rows = P6Count(snapshot, request(SearchType::Number, {5, 7}, 1, 2, 8));
    ASSERT_EQ(rows.size(), 2u);
    EXPECT_EQ(rows[0], (YlRow{"05", 1, 3, 5, 0.6f}));
    // 07 over draws 2..8 is hit in 5 and 6; draw 9 lies after the range.
    EXPECT_EQ(rows[1], (YlRow{"07", 1, 4, 5, 0.8f}));

    // Both together: draws 5 and 6.
    const auto pair = P6Count(snapshot, request(SearchType::Number, {5, 7}, 2, 1, 10));
    EXPECT_EQ(pair, (std::vector<YlRow>{{"05 07", 1, 5, 5, 1.0f}}));
}

TEST(GroupedCombination, CombinationsComeInEnumerationOrder) {
    const auto snapshot = historyOf(kTenDraws);
    const auto rows = P6Count(snapshot, request(SearchType::Number, {1, 2, 3}, 2, 1, 10));
    ASSERT_EQ(rows.size(), 3u);
    EXPECT_EQ(rows[0].content, "01 02");
    EXPECT_EQ(rows[1].content, "01 03");
    EXPECT_EQ(rows[2].content, "02 03");
}

// The codes offered are exactly those that draws of the game hold under the bases in force.
TEST(SelectableCodes, AreTheCodesDrawsCanHold) {
    const std::pair<SearchType, history::Letter> types[] = {
        {SearchType::Number, history::Letter::A},   {SearchType::Zodiac, history::Letter::B},
        {SearchType::Head, history::Letter::E},     {SearchType::Tail, history::Letter::F},
        {SearchType::DigitSum, history::Letter::G}, {SearchType::Segment, history::Letter::H},
    };
    for (int gameIndex : {0, 27}) {
        const history::Game& game = history::gameAt(gameIndex);
        for (const auto& [base, positional] :
             std::vector<std::pair<int, bool>>{{0, false}, {1, false}, {0, true}}) {
            // Codes by zodiac as at start-up, or by position from the zodiac of 2017.
            std::array<std::set<int>, history::kLetterCount> held;
            history::AttributeRules rules = history::AttributeRules::startup(base, base);
            if (positional)
                rules.zodiac = history::ZodiacCodes::positional(2017, base);
            for (int year = 2010; year <= 2022; ++year) {
                for (int first = 1; first + 4 <= game.highestNumber; ++first) {
                    const auto record = history::DeriveAttributes(
                        history::makeIssue({year, 6, 1}, 1),
                        {first, first + 1, first + 2, first + 3, first + 4}, rules);
                    for (int letter = 0; letter < history::kLetterCount; ++letter)
                        held[letter].insert(record.drop.values[letter].begin(),
                                            record.drop.values[letter].end());
                }
            }
            for (const auto& [type, letter] : types) {
                SCOPED_TRACE(std::string(game.name) + " base " + std::to_string(base) + " type " +
                             std::to_string(static_cast<int>(type)));
                const auto codes = selectableCodes(type, game.highestNumber, base, base);
                EXPECT_TRUE(std::is_sorted(codes.begin(), codes.end()));
                const auto& expected = held[static_cast<int>(letter)];
                EXPECT_EQ(std::set<int>(codes.begin(), codes.end()), expected);
                EXPECT_EQ(codes.size(), expected.size());
            }
        }
    }
}

TEST(GroupedCombination, ValueThatNeverOccursAndValueInEveryDraw) {
    const auto snapshot = historyOf(kTenDraws);
    // Number 12 never occurs: 32767 / 0 / newest − start + 2 / 0.
    EXPECT_EQ(P6Count(snapshot, request(SearchType::Number, {12}, 1, 3, 7)),
              (std::vector<YlRow>{{"12", 32767, 0, 10 - 3 + 2, 0.0f}}));
    // Every draw of 01..11 holds a number with head digit 0.
    EXPECT_EQ(P6Count(snapshot, request(SearchType::Head, {0}, 1, 4, 10)),
              (std::vector<YlRow>{{"0", 1, 1, 1, 1.0f}}));
}

TEST(GroupedCombination, AttributeTypesMatchTheirCodesAndLabelThem) {
    const auto snapshot = historyOf(kTenDraws);
    // Head digit 1: only draw 1 holds a number from 10 up.
    EXPECT_EQ(P6Count(snapshot, request(SearchType::Head, {1}, 1, 1, 10)),
              (std::vector<YlRow>{{"1", 1, 1, 10, 0.1f}}));

    // 2017 is the year of 鸡 (01): 03 is 羊, 08 虎, 07 兔. Zodiac k is stored as SxIni + k, and
    // code 3 is 虎 under SxIni 1 (draws 4 and 8), 兔 under 0 (draws 5, 6, 9).
    for (int sxIni : {0, 1}) {
        SCOPED_TRACE(sxIni);
        const auto zodiac = historyOf(kTenDraws, sxIni);
        auto ticked = request(SearchType::Zodiac, {7 + sxIni, 3, 12, 0}, 1, 1, 10);
        ticked.sxIni = sxIni;
        const auto rows = P6Count(zodiac, ticked);
        ASSERT_EQ(rows.size(), 4u);
        EXPECT_EQ(rows[0], (YlRow{"羊", 1, 1, 1, 1.0f}));
        const YlRow box3 =
            sxIni == 1 ? YlRow{"虎", 4, 4, 3, 4.0f / 3.0f} : YlRow{"兔", 1, 5, 2, 2.5f};
        EXPECT_EQ(rows[1], box3);
        // A code that names no zodiac after the shift is shown as its number.
        EXPECT_EQ(rows[2].content, sxIni == 0 ? "12" : "猪");
        EXPECT_EQ(rows[3].content, sxIni == 0 ? "鼠" : "0");
    }
}

TEST(GroupedCombination, StartIssueThatIsNotStoredBeginsAtTheNextStoredDraw) {
    std::vector<history::DrawRecord> records;
    const std::vector<history::Issue> issues{17081201, 17081202, 17081205, 17081206, 17081207};
    for (std::size_t i = 0; i < issues.size(); ++i)
        records.push_back(history::DeriveAttributes(issues[i], kTenDraws[i + 4],
                                                    history::AttributeRules::startup(1, 1)));
    const auto snapshot = testing::snapshotOf(records);
    GroupRequest gap = request(SearchType::Number, {5, 7, 6}, 1, 1, 1);
    gap.startIssue = 17081203;
    gap.endIssue = 17081299;
    GroupRequest stored = gap;
    stored.startIssue = 17081205;
    EXPECT_EQ(P6Count(snapshot, gap), P6Count(snapshot, stored));
    // 06 is in the draw at IDX 3, the first of the range: its first gap is 1.
    EXPECT_EQ(P6Count(snapshot, gap)[2], (YlRow{"06", 1, 1, 3, 1.0f / 3.0f}));
}

TEST(GroupedCombination, RefusesRequestsThatCannotGiveAResult) {
    const auto snapshot = historyOf(kTenDraws);
    struct Case {
        const char* what;
        GroupRequest request;
    };
    std::vector<Case> cases{
        {"group size 0", request(SearchType::Number, {1, 2}, 0, 1, 10)},
        {"group size 7", request(SearchType::Number, {1, 2, 3, 4, 5, 6, 7, 8}, 7, 1, 10)},
        {"fewer codes than the group size", request(SearchType::Number, {1, 2}, 3, 1, 10)},
        {"nothing ticked", request(SearchType::Number, {}, 1, 1, 10)},
        {"end before start", request(SearchType::Number, {1, 2}, 1, 5, 4)},
        {"code given twice", request(SearchType::Number, {1, 5, 1}, 1, 1, 10)},
    };
    std::vector<int> many(kMaxGroupCodes + 1);
    std::iota(many.begin(), many.end(), 0);
    cases.push_back({"too many codes", request(SearchType::Tail, many, 1, 1, 10)});
    cases.push_back({"range without draws", request(SearchType::Number, {1}, 1, 1, 10)});
    cases.back().request.startIssue = 17081211;
    cases.back().request.endIssue = 17081220;
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        EXPECT_THROW(P6Count(snapshot, c.request), UserError);
    }
    EXPECT_THROW(P6Count(history::Snapshot{}, request(SearchType::Number, {1}, 1, 1, 1)),
                 UserError);
}

} // namespace
} // namespace yilou::analysis
