#include "core/user_error.h"
#include "session/search_steps.h"
#include "support/history_generator.h"
#include "support/temp_dir.h"
#include "support/yl_row_printer.h"

#include <gtest/gtest.h>

namespace yilou::session {
namespace {

using analysis::SearchType;

struct PositionValueCase {
    const char* name;
    SearchType type;
    int gsZl, sxIni, dsIni;
    int value;
    bool accepted;
    bool empty = false; ///< the box was left empty (it reads as 0)
};

void PrintTo(const PositionValueCase& c, std::ostream* out) {
    *out << c.name;
}

class PositionValue : public ::testing::TestWithParam<PositionValueCase> {};

// A position's value is one a draw of the game can hold with the bases in force; anything else
// is refused with a message instead of being searched as never hit. Both searches check the
// positions they use: the omission search the selected ones, the multi-position search all.
// An empty box without a value of the type is said to be empty.
TEST_P(PositionValue, IsCheckedByBothSearches) {
    const auto& c = GetParam();
    const auto snapshot = testing::snapshotOf(testing::generateDraws(200));
    Choices choices{c.gsZl, c.sxIni, c.dsIni, std::nullopt};
    analysis::SearchRequest request;
    request.type = c.type;
    request.sxIni = c.sxIni;
    request.startIssue = snapshot.issues.front();
    request.endIssue = snapshot.issues.back();
    const int fine = typeCodes(c.type, choices).front();
    for (auto& position : request.positions)
        position = {false, fine, std::to_string(fine)};
    request.positions[3] = {true, c.value, c.empty ? " " : std::to_string(c.value)};
    if (c.accepted) {
        EXPECT_NO_THROW(searchPositions(snapshot, request, choices));
        EXPECT_NO_THROW(searchPartial(snapshot, request, 2, "2", choices));
    } else {
        EXPECT_THROW(searchPositions(snapshot, request, choices), UserError);
        try {
            searchPartial(snapshot, request, 2, "2", choices);
            ADD_FAILURE() << "accepted";
        } catch (const UserError& error) {
            EXPECT_EQ(std::string(error.what()).find("空") != std::string::npos, c.empty)
                << error.what();
        }
        request.positions[3].selected = false;
        EXPECT_NO_THROW(searchPositions(snapshot, request, choices));
    }
}

INSTANTIATE_TEST_SUITE_P(
    Cases, PositionValue,
    ::testing::Values(
        PositionValueCase{"Number11", SearchType::Number, 0, 1, 1, 11, true},
        PositionValueCase{"Number12In11Game", SearchType::Number, 0, 1, 1, 12, false},
        PositionValueCase{"Number12InHappy12", SearchType::Number, 25, 1, 1, 12, true},
        PositionValueCase{"NumberZero", SearchType::Number, 0, 1, 1, 0, false},
        PositionValueCase{"ZodiacZeroBase0", SearchType::Zodiac, 0, 0, 1, 0, true},
        PositionValueCase{"ZodiacZeroBase1", SearchType::Zodiac, 0, 1, 1, 0, false},
        PositionValueCase{"Zodiac12Base0", SearchType::Zodiac, 0, 0, 1, 12, false},
        PositionValueCase{"HeadTwo", SearchType::Head, 0, 1, 1, 2, false},
        PositionValueCase{"TailNine", SearchType::Tail, 0, 1, 1, 9, true},
        PositionValueCase{"SumZero", SearchType::DigitSum, 0, 1, 1, 0, false},
        PositionValueCase{"SegmentZeroBase0", SearchType::Segment, 0, 1, 0, 0, true},
        PositionValueCase{"SegmentThreeBase0", SearchType::Segment, 0, 1, 0, 3, false},
        PositionValueCase{"EmptyNumberBox", SearchType::Number, 0, 1, 1, 0, false, true}),
    [](const auto& info) { return std::string(info.param.name); });

analysis::GroupRequest groupOf(const history::Snapshot& snapshot, std::vector<int> codes, int k) {
    analysis::GroupRequest request;
    request.codes = std::move(codes);
    request.k = k;
    request.startIssue = snapshot.issues.front();
    request.endIssue = snapshot.issues.back();
    return request;
}

// The rows are kept in YL in the order they were made and shown in the order asked for.
TEST(GroupedCalculation, StoresTheRowsAndShowsThemInTheOrderAsked) {
    const auto snapshot = testing::snapshotOf(testing::generateDraws(300));
    testing::TempDir dir;
    history::HistoryDb db(dir / history::kDatabaseFileName);
    const auto request = groupOf(snapshot, {10, 5, 7, 6}, 2);
    const auto rows = analysis::P6Count(snapshot, request);
    for (const auto order : {history::YlSortColumn::Last, history::YlSortColumn::Ratio}) {
        const auto shown = calculateGroups(db, snapshot, request, order);
        EXPECT_EQ(shown.storeProblem, std::nullopt);
        EXPECT_EQ(shown.rows, history::sortYlRows(rows, order));
        EXPECT_EQ(history::readYlRows(db, history::YlSortColumn::Content),
                  history::sortYlRows(rows, history::YlSortColumn::Content));
    }
}

// A refused calculation leaves YL as it was; a YL that cannot be written keeps its rows too,
// and the new rows are shown with the reason.
TEST(GroupedCalculation, YlKeepsItsRowsWhenACalculationIsRefusedOrCannotBeSaved) {
    const auto snapshot = testing::snapshotOf(testing::generateDraws(300));
    testing::TempDir dir;
    history::HistoryDb db(dir / history::kDatabaseFileName);
    const auto before = calculateGroups(db, snapshot, groupOf(snapshot, {1, 5}, 1));
    EXPECT_THROW(calculateGroups(db, snapshot, groupOf(snapshot, {1}, 2)), UserError);
    EXPECT_EQ(history::readYlRows(db, history::YlSortColumn::Last), before.rows);

    db.sql().exec("PRAGMA query_only = ON");
    const auto shown = calculateGroups(db, snapshot, groupOf(snapshot, {10, 5, 7, 6}, 1));
    ASSERT_TRUE(shown.storeProblem.has_value());
    EXPECT_NE(shown.storeProblem->find("未能保存到 YL 表"), std::string::npos);
    EXPECT_EQ(shown.rows.size(), 4u);
    EXPECT_EQ(history::readYlRows(db, history::YlSortColumn::Last), before.rows);
}

} // namespace
} // namespace yilou::session
