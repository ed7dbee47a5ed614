#include "session/grid_text.h"

#include <gtest/gtest.h>

namespace yilou::session {
namespace {

using Rows = std::vector<std::vector<std::string>>;

Rows rowsOf(const history::TextGrid& grid) {
    Rows rows;
    std::vector<std::string> cells(grid.columns);
    for (std::size_t row = 0; row < grid.rows; ++row) {
        grid.cells(row, cells);
        rows.push_back(cells);
    }
    return rows;
}

TEST(GridText, HistoryCellsAreTheIssueAndPlainNumbers) {
    history::Snapshot snapshot;
    snapshot.push(history::DeriveAttributes(17081284, {3, 11, 7, 1, 9}, {}));
    EXPECT_EQ(HistoryGrid::cell(snapshot, 0, 0), "2017081284");
    EXPECT_EQ(HistoryGrid::cell(snapshot, 0, 1), "3");
    EXPECT_EQ(HistoryGrid::cell(snapshot, 0, 2), "11");
    EXPECT_EQ(HistoryGrid::headers()[5], "落5码");
}

TEST(GridText, YlCellsInTheirTextForms) {
    const history::YlRow row{"01 03", 1, 4, 3, 4.0f / 3};
    EXPECT_EQ(ResultGrid::cell(row, 0), "01 03");
    EXPECT_EQ(ResultGrid::cell(row, 3), "3");
    EXPECT_EQ(ResultGrid::cell(row, 4), "1.333333");
}

// The row-by-row grids the table format and the spreadsheet export read: the headers, then
// the rows of what they are made from, in order.
TEST(GridText, TextGridsAreTheHeadersAndThenTheRows) {
    history::Snapshot snapshot;
    const history::Snapshot noDraws;
    snapshot.push(history::DeriveAttributes(17081284, {3, 11, 7, 1, 9}, {}));
    snapshot.push(history::DeriveAttributes(17081285, {10, 2, 4, 6, 8}, {}));
    analysis::SearchResult search;
    search.hits = {{17081284, {3, 11, 7, 1, 9}, 0, 1}, {17081285, {10, 2, 4, 6, 8}, 1, 2}};
    search.summary = {"03 07", 1, 9, 4, "2.25", {3, 7}};
    const std::vector<history::YlRow> yl{{"01 02", 0, 7, 7, 1}, {"01 03", 1, 4, 3, 4.0f / 3}}, none;
    const Rows historyHeaders{{"期号", "落1码", "落2码", "落3码", "落4码", "落5码"}};
    const std::vector<std::string> resultHeaders{"号码（分组）", "最小遗漏", "最大遗漏", "最后遗漏",
                                                 "大后比"};
    struct Case {
        const char* name;
        history::TextGrid grid;
        Rows rows;
    };
    const std::vector<Case> cases{
        {"history",
         historyTextGrid(snapshot),
         {historyHeaders[0],
          {"2017081284", "3", "11", "7", "1", "9"},
          {"2017081285", "10", "2", "4", "6", "8"}}},
        {"history without draws", historyTextGrid(noDraws), historyHeaders},
        {"search",
         searchTextGrid(search),
         {{"期号", "平1位", "平2位", "平3位", "平4位", "平5位", "遗漏次数", "序号"},
          {"2017081284", "3", "11", "7", "1", "9", "0", "1"},
          {"2017081285", "10", "2", "4", "6", "8", "1", "2"}}},
        {"summary",
         summaryTextGrid(search.summary),
         {resultHeaders, {"03 07", "1", "9", "4", "2.25"}}},
        {"yl",
         ylTextGrid(yl),
         {resultHeaders, {"01 02", "0", "7", "7", "1"}, {"01 03", "1", "4", "3", "1.333333"}}},
        {"yl without rows", ylTextGrid(none), {resultHeaders}},
    };
    for (const auto& test : cases) {
        SCOPED_TRACE(test.name);
        EXPECT_EQ(test.grid.columns, test.rows[0].size());
        EXPECT_EQ(rowsOf(test.grid), test.rows);
    }
}

} // namespace
} // namespace yilou::session
