#include "history/user_error.h"
#include "session/search_steps.h"
#include "support/history_generator.h"

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
};

void PrintTo(const PositionValueCase& c, std::ostream* out) {
    *out << c.name;
}

class PositionValue : public ::testing::TestWithParam<PositionValueCase> {};

// A position's value is one a draw of the game can hold with the bases in force; anything else
// is refused with a message instead of being searched as never hit. Both searches check the
// positions they use: the omission search the selected ones, the multi-position search all.
TEST_P(PositionValue, IsCheckedByBothSearches) {
    const auto& c = GetParam();
    const auto snapshot = testing::snapshotOf(testing::generateDraws(200));
    Choices choices{c.gsZl, c.sxIni, c.dsIni, std::nullopt};
    analysis::SearchRequest request;
    request.type = c.type;
    request.sxIni = c.sxIni;
    request.startIssue = history::issueText(snapshot.issues.front());
    request.endIssue = history::issueText(snapshot.issues.back());
    const int fine = typeCodes(c.type, choices).front();
    for (auto& position : request.positions)
        position.value = fine;
    request.positions[3] = {true, c.value, std::to_string(c.value)};
    if (c.accepted) {
        EXPECT_NO_THROW(searchPositions(snapshot, request, choices));
        EXPECT_NO_THROW(searchPartial(snapshot, request, 2, "2", choices));
    } else {
        EXPECT_THROW(searchPositions(snapshot, request, choices), UserError);
        EXPECT_THROW(searchPartial(snapshot, request, 2, "2", choices), UserError);
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
        PositionValueCase{"SegmentThreeBase0", SearchType::Segment, 0, 1, 0, 3, false}),
    [](const auto& info) { return std::string(info.param.name); });

} // namespace
} // namespace yilou::session
