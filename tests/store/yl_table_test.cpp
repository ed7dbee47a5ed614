#include "store/yl_table.h"
#include "support/temp_dir.h"
#include "support/yl_row_printer.h"

#include <gtest/gtest.h>

namespace yilou::history {
namespace {

using yilou::testing::TempDir;

std::vector<std::string> contentsOf(const std::vector<YlRow>& rows) {
    std::vector<std::string> out;
    for (const auto& row : rows)
        out.push_back(row.content);
    return out;
}

// Stored in this order; every column has ties so the stored order shows through.
const std::vector<YlRow> kRows{
    {"03 07", 2, 9, 4, 2.25f}, {"01 02", 1, 9, 6, 1.5f}, {"猪 鼠", 1, 3, 4, 0.75f},
    {"02 11", 32767, 0, 8, 0}, {"01 10", 2, 3, 1, 3.0f}, {"01 02", 1, 4, 3, 1.333333f},
};

TEST(YlTable, SortsAscendingByTheClickedColumnKeepingStoredOrderOnTies) {
    TempDir dir;
    HistoryDb db(dir / kDatabaseFileName);
    storeYlRows(db, kRows);

    struct Case {
        YlSortColumn column;
        std::vector<std::size_t> order; // indexes into kRows
    };
    const std::vector<Case> cases{
        {YlSortColumn::Content, {1, 5, 4, 3, 0, 2}}, // bytes: digits before CJK names
        {YlSortColumn::Min, {1, 2, 5, 0, 4, 3}},     {YlSortColumn::Max, {3, 2, 4, 5, 0, 1}},
        {YlSortColumn::Last, {4, 5, 0, 2, 1, 3}},    {YlSortColumn::Ratio, {3, 2, 5, 1, 0, 4}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(static_cast<int>(c.column));
        std::vector<YlRow> expected;
        for (std::size_t i : c.order)
            expected.push_back(kRows[i]);
        EXPECT_EQ(readYlRows(db, c.column), expected);
        // A second click gives the same order.
        EXPECT_EQ(readYlRows(db, c.column), expected);
    }
}

// A second click on a header: the keys descend, ties still in the order the rows had.
TEST(YlTable, SortsDescendingKeepingTheOrderOfTies) {
    const std::vector<std::pair<YlSortColumn, std::vector<std::size_t>>> cases{
        {YlSortColumn::Min, {3, 0, 4, 1, 2, 5}},
        {YlSortColumn::Last, {3, 1, 0, 2, 5, 4}},
    };
    for (const auto& [column, order] : cases) {
        std::vector<YlRow> expected;
        for (std::size_t i : order)
            expected.push_back(kRows[i]);
        EXPECT_EQ(sortYlRows(kRows, column, true), expected) << static_cast<int>(column);
    }
}

TEST(YlTable, StoringReplacesEveryRowAndTheRowsOutliveTheConnection) {
    TempDir dir;
    {
        HistoryDb db(dir / kDatabaseFileName);
        storeYlRows(db, kRows);
        storeYlRows(db, {kRows[3], kRows[0]});
    }
    HistoryDb db(dir / kDatabaseFileName);
    EXPECT_EQ(contentsOf(readYlRows(db, YlSortColumn::Min)),
              (std::vector<std::string>{"03 07", "02 11"}));
    storeYlRows(db, {});
    EXPECT_TRUE(readYlRows(db, YlSortColumn::Last).empty());
}

TEST(YlTable, RatioShowsUpToSevenSignificantDigits) {
    const std::vector<std::pair<float, std::string>> cases{
        {4.0f / 3.0f, "1.333333"},  {0.5f, "0.5"},       {2.0f, "2"},   {0.0f, "0"},
        {2.0f / 3.0f, "0.6666667"}, {32767.0f, "32767"}, {0.1f, "0.1"},
    };
    for (const auto& [ratio, text] : cases)
        EXPECT_EQ(sglLlrText(ratio), text);
}

} // namespace
} // namespace yilou::history
