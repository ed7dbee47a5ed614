#include "analysis/reference_lookup.h"
#include "core/user_error.h"

#include <gtest/gtest.h>

namespace yilou::analysis {
namespace {

using history::NumberOrder;
using history::Snapshot;

Snapshot daysAroundMonthAndYearEnds() {
    const auto rules = history::AttributeRules::startup(1, 1);
    Snapshot snapshot;
    for (const history::Issue issue :
         {17081283, 17081284, 17083184, 17090101, 17090102, 17123184, 18010101})
        snapshot.push(history::DeriveAttributes(issue, {11, 10, 3, 7, 1}, rules));
    return snapshot;
}

TEST(ReferenceLookup, EndIssueBeforeTheReferenceDraw) {
    const Snapshot snapshot = daysAroundMonthAndYearEnds();
    const std::pair<history::Issue, const char*> cases[] = {
        {17081284, "2017081283"}, // within a day
        {17090101, "2017083184"}, // first draw of the month
        {18010101, "2017123184"}, // first draw of the year
        {17090150, "2017090101"}, // missing: counts back from the draw found (090102)
        {17090201, "2017090101"}, // missing first draw of a day: the draw found stays out
    };
    for (const auto& [reference, end] : cases)
        EXPECT_EQ(
            YSJS(snapshot, reference, true, SearchType::Number, NumberOrder::Drop, 1, 84).endIssue,
            end)
            << reference;
    EXPECT_EQ(
        YSJS(snapshot, 17081284, false, SearchType::Number, NumberOrder::Drop, 1, 84).endIssue,
        "2018010101");
}

TEST(ReferenceLookup, ValuesOfTheNewestDrawNotAfterTheReference) {
    const auto rules = history::AttributeRules::startup(1, 1);
    Snapshot snapshot;
    snapshot.push(history::DeriveAttributes(17081201, {1, 2, 3, 4, 5}, rules));
    snapshot.push(history::DeriveAttributes(17081203, {11, 10, 3, 7, 1}, rules));
    snapshot.push(history::DeriveAttributes(17081205, {6, 7, 8, 9, 10}, rules));

    const ReferenceLookup missing =
        YSJS(snapshot, 17081204, false, SearchType::Number, NumberOrder::Drop, 1, 84);
    EXPECT_EQ(missing.referenceIndex, 1u);
    EXPECT_EQ(missing.values, (std::array<int, 5>{11, 10, 3, 7, 1}));
    EXPECT_EQ(missing.texts, (std::array<std::string, 5>{"11", "10", "3", "7", "1"}));

    const ReferenceLookup sums =
        YSJS(snapshot, 17081203, false, SearchType::DigitSum, NumberOrder::Drop, 1, 84);
    EXPECT_EQ(sums.values, (std::array<int, 5>{2, 1, 3, 7, 1}));
    const ReferenceLookup sorted =
        YSJS(snapshot, 17081203, false, SearchType::Tail, NumberOrder::Sorted, 1, 84);
    EXPECT_EQ(sorted.values, (std::array<int, 5>{1, 3, 7, 0, 1}));

    // 2017: 01 is 鸡, 02 猴, 03 羊, 04 马, 05 蛇.
    const ReferenceLookup zodiac =
        YSJS(snapshot, 17081201, false, SearchType::Zodiac, NumberOrder::Drop, 1, 84);
    EXPECT_EQ(zodiac.values, (std::array<int, 5>{10, 9, 8, 7, 6}));
    EXPECT_EQ(zodiac.texts, (std::array<std::string, 5>{"鸡", "猴", "羊", "马", "蛇"}));
}

TEST(ReferenceLookup, RefusesAnIssueBeforeTheOldestDrawOrAnEmptyHistory) {
    const Snapshot snapshot = daysAroundMonthAndYearEnds();
    EXPECT_THROW(YSJS(snapshot, 17081282, true, SearchType::Number, NumberOrder::Drop, 1, 84),
                 UserError);
    EXPECT_THROW(YSJS(Snapshot{}, 17081284, true, SearchType::Number, NumberOrder::Drop, 1, 84),
                 UserError);
}

} // namespace
} // namespace yilou::analysis
