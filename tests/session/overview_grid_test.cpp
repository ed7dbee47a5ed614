#include "session/overview_grid.h"

#include <gtest/gtest.h>

namespace yilou::session {
namespace {

using analysis::IssueSpan;
using analysis::OverviewResult;
using analysis::OverviewRow;
using analysis::SearchType;

TEST(OverviewGrid, CellTexts) {
    OverviewResult result;
    OverviewRow row;
    row.value = 3;
    row.expectedHits = 1599.5454;
    row.maxGap = row.currentGap = 40;
    EXPECT_EQ(overviewCellText(result, row, OverviewColumn::Value), "03");
    EXPECT_EQ(overviewCellText(result, row, OverviewColumn::ExpectedHits), "1599.55");
    // Without a hit these figures do not exist: never the search's 32767.
    for (const auto column :
         {OverviewColumn::MinGap, OverviewColumn::Ratio, OverviewColumn::MeanGap,
          OverviewColumn::LastGap, OverviewColumn::TheoreticalGap, OverviewColumn::DueChance,
          OverviewColumn::MaxGapSpan})
        EXPECT_EQ(overviewCellText(result, row, column), "—");
    EXPECT_EQ(overviewCellText(result, row, OverviewColumn::MaxGap), "40");
    row.minGap = 2;
    row.ratio = 10.0 / 3;
    row.meanGap = 7.0 / 3;
    row.maxGapSpan = IssueSpan{17081201, 17081205};
    EXPECT_EQ(overviewCellText(result, row, OverviewColumn::MinGap), "2");
    EXPECT_EQ(overviewCellText(result, row, OverviewColumn::Ratio), "3.33333333333333");
    EXPECT_EQ(overviewCellText(result, row, OverviewColumn::MeanGap), "2.33");
    EXPECT_EQ(overviewCellText(result, row, OverviewColumn::MaxGapSpan), "2017081201～2017081205");

    result.type = SearchType::Zodiac;
    result.sxIni = 1;
    row.value = 12;
    EXPECT_EQ(overviewCellText(result, row, OverviewColumn::Value), "猪");
    EXPECT_EQ(overviewHeader(OverviewColumn::Value, SearchType::Zodiac), "生肖");
    EXPECT_EQ(overviewHeader(OverviewColumn::DueChance, SearchType::Zodiac), "欲出几率");
    EXPECT_EQ(placeCaption(analysis::kAnyPlace), "任意位");
    EXPECT_EQ(placeCaption(3), "第3位");
}

TEST(OverviewGrid, SortEitherWayWithMissingFiguresLast) {
    std::vector<OverviewRow> rows(4);
    for (int i = 0; i < 4; ++i)
        rows[i].value = i + 1;
    rows[0].meanGap = 3.0;
    rows[2].meanGap = 1.5;
    rows[1].currentGap = rows[3].currentGap = 9;
    rows[0].currentGap = 12;
    rows[2].currentGap = 4;
    const auto order = [&rows](OverviewColumn column, bool descending = false) {
        auto sorted = rows;
        sortOverviewRows(sorted, column, descending);
        std::vector<int> values;
        for (const auto& row : sorted)
            values.push_back(row.value);
        return values;
    };
    EXPECT_EQ(order(OverviewColumn::MeanGap), (std::vector<int>{3, 1, 2, 4}));
    EXPECT_EQ(order(OverviewColumn::CurrentGap), (std::vector<int>{3, 2, 4, 1}));
    EXPECT_EQ(order(OverviewColumn::MeanGap, true), (std::vector<int>{1, 3, 2, 4}));
    EXPECT_EQ(order(OverviewColumn::CurrentGap, true), (std::vector<int>{1, 2, 4, 3}));
    // A value no number can take is never the most overdue: it goes last by every figure and
    // its current gap reads 不可能.
    rows[0].possible = false;
    EXPECT_EQ(order(OverviewColumn::CurrentGap, true), (std::vector<int>{2, 4, 3, 1}));
    EXPECT_EQ(order(OverviewColumn::MeanGap), (std::vector<int>{3, 1, 2, 4}));
    EXPECT_EQ(order(OverviewColumn::Value, true), (std::vector<int>{4, 3, 2, 1}));
    EXPECT_EQ(overviewFigureText(rows[0], OverviewColumn::CurrentGap), "不可能");
    EXPECT_EQ(overviewColumnFromKey("dueChance"), OverviewColumn::DueChance);
    EXPECT_FALSE(overviewColumnFromKey("欲出几率"));
}

} // namespace
} // namespace yilou::session
