#include "core/draw_record.h"
#include "core/games.h"
#include "core/user_error.h"
#include "session/pattern_steps.h"
#include "support/history_generator.h"

#include <gtest/gtest.h>

namespace yilou::session {
namespace {

using analysis::Pattern;

const history::Game& game11() {
    return history::games()[0];
}

const history::Snapshot& history200() {
    static const auto snapshot = testing::snapshotOf(testing::generateDraws(200));
    return snapshot;
}

std::string issueAt(std::size_t index) {
    return history::issueText(history200().issues[index]);
}

struct RequestCase {
    const char* name;
    PatternOverviewRequest request;
    std::size_t first = 0, last = 0; ///< the range expected, when no error is
    bool refused = false;
};

void PrintTo(const RequestCase& c, std::ostream* out) {
    *out << c.name;
}

class OverviewRequest : public ::testing::TestWithParam<RequestCase> {};

// The pattern key, the range texts, --last, the reference issue and the sort column as typed:
// the range they name, or a refusal with a message.
TEST_P(OverviewRequest, NamesItsRange) {
    const auto& c = GetParam();
    if (c.refused) {
        EXPECT_THROW(showPatternOverview(history200(), c.request, game11()), UserError);
        return;
    }
    const auto view = showPatternOverview(history200(), c.request, game11());
    EXPECT_EQ(view.overview.range.first, c.first);
    EXPECT_EQ(view.overview.range.last, c.last);
    EXPECT_EQ(view.cells.size(), view.overview.rows.size());
}

INSTANTIATE_TEST_SUITE_P(
    Cases, OverviewRequest,
    ::testing::Values(
        RequestCase{"WholeHistory", {"sum", {}, ""}, 0, 199},
        RequestCase{"FromTo", {"span", {issueAt(10), issueAt(50)}, ""}, 10, 50},
        RequestCase{"LastOfRange", {"odd", {"", issueAt(99), "30"}, ""}, 70, 99},
        RequestCase{"LastAll", {"odd", {.last = "all"}, ""}, 0, 199},
        RequestCase{"ReferenceAloneKeepsNewest", {"big", {.reference = issueAt(120)}, ""}, 0, 199},
        RequestCase{"BeforeReference",
                    {"big", {.reference = issueAt(120), .before = true}, "hits"},
                    0,
                    119},
        RequestCase{"EndBoxOverReference",
                    {"mod3", {.to = issueAt(60), .reference = issueAt(120)}, ""},
                    0,
                    60},
        RequestCase{"UnknownPattern", {"sums", {}, ""}, 0, 0, true},
        RequestCase{"UnknownSortColumn", {"sum", {}, "欲出几率"}, 0, 0, true},
        RequestCase{"NoDraws", {"sum", {.last = "0"}, ""}, 0, 0, true},
        RequestCase{"CountNotANumber", {"sum", {.last = "3x"}, ""}, 0, 0, true},
        RequestCase{"EndBeforeStart", {"sum", {issueAt(50), issueAt(10)}, ""}, 0, 0, true},
        RequestCase{"NotAnIssue", {"sum", {.from = "2017"}, ""}, 0, 0, true}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(PatternSteps, OverviewTextsSortAndWarning) {
    const auto view = showPatternOverview(history200(), {"odd", {}, "currentGap"}, game11());
    EXPECT_EQ(view.headers[0], "奇偶比");
    EXPECT_EQ(view.headers[1], "出现次数");
    ASSERT_EQ(view.overview.rows.size(), 6u);
    for (std::size_t r = 1; r < view.overview.rows.size(); ++r)
        EXPECT_LE(view.overview.rows[r - 1].currentGap, view.overview.rows[r].currentGap);
    const auto& row = view.overview.rows[0];
    EXPECT_EQ(view.cells[0][0], std::to_string(row.value) + ":" + std::to_string(5 - row.value));
    EXPECT_EQ(view.cells[0][5], std::to_string(row.currentGap));
    EXPECT_TRUE(view.warnings.empty());
    EXPECT_EQ(view.caption.substr(0, 9), "奇偶比");

    // The oldest draw has no 重号: said when it lies in the range only.
    EXPECT_EQ(showPatternOverview(history200(), {"repeat", {}, ""}, game11()).warnings.size(), 1u);
    EXPECT_TRUE(showPatternOverview(history200(), {"repeat", {.last = "30"}, ""}, game11())
                    .warnings.empty());
}

TEST(PatternSteps, TrendRowsEndAtTheIssueAsked) {
    const auto view = showPatternTrend(history200(), {"sum3", "30", issueAt(149)}, game11());
    EXPECT_EQ(view.chart->rowCount(), 30u);
    EXPECT_EQ(view.chart->view.last, 149u);
    EXPECT_EQ(view.labels.size(), view.chart->values.size());
    EXPECT_EQ(view.labels.front(), "6");
    EXPECT_EQ(showPatternTrend(history200(), {"sum", "all", ""}, game11()).chart->rowCount(), 200u);
    EXPECT_THROW(showPatternTrend(history200(), {"sum", "", ""}, game11()), UserError);
}

TEST(PatternSteps, DrawsHoldEveryPattern) {
    const auto view = showPatternDraws(history200(), "", game11());
    ASSERT_EQ(view.headers.size(), 12u);
    EXPECT_EQ(view.headers[2], "和值");
    EXPECT_EQ(view.headers[11], "前三跨度");
    ASSERT_EQ(view.values.size(), 200u);
    const auto grid = view.textGrid(history200());
    ASSERT_EQ(grid.rows, 201u);
    std::vector<std::string> cells;
    grid.cells(0, cells);
    EXPECT_EQ(cells, view.headers);
    grid.cells(1, cells);
    EXPECT_EQ(cells[0], issueAt(0));
    EXPECT_EQ(cells[9], "—"); // the oldest draw's 重号
    grid.cells(2, cells);
    EXPECT_NE(cells[9], "—");
    EXPECT_EQ(showPatternDraws(history200(), "5", game11()).values.size(), 5u);
}

TEST(PatternSteps, ValueSearchListsTheValuesDraws) {
    const auto view = showPatternOverview(history200(), {"span", {.last = "100"}, ""}, game11());
    for (const auto& row : view.overview.rows) {
        const auto result = patternValueSearch(history200(), view.overview, row.value, 11);
        ASSERT_EQ(result.hits.size(), static_cast<std::size_t>(row.hits));
        EXPECT_EQ(result.summary.last, row.currentGap);
        EXPECT_EQ(result.summary.desc, "跨度 " + std::to_string(row.value));
        if (row.hits == 0)
            EXPECT_EQ(result.summary.min, 32767);
        else
            EXPECT_EQ(result.summary.min, *row.minGap);
    }
}

} // namespace
} // namespace yilou::session
