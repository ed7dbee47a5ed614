#include "analysis/issue_range.h"
#include "core/user_error.h"
#include "support/history_generator.h"

#include <gtest/gtest.h>

namespace yilou::analysis {
namespace {

history::Snapshot snapshotWithIssues(const std::vector<history::Issue>& issues) {
    return yilou::testing::snapshotOfIssues(issues);
}

TEST(IssueRange, StoredBoundsGiveTheirOwnDraws) {
    const auto snapshot = snapshotWithIssues({17081201, 17081202, 17081203, 17081204});
    const IndexRange range = resolveRange(snapshot, 17081202, 17081203);
    EXPECT_EQ(range.first, 1u);
    EXPECT_EQ(range.last, 2u);
    EXPECT_EQ(range.before(), 1u);
}

TEST(IssueRange, StartThatIsNotStoredBeginsAtTheNextStoredDraw) {
    const auto snapshot = snapshotWithIssues({17081201, 17081205, 17081206});
    const IndexRange range = resolveRange(snapshot, 17081202, 17081299);
    EXPECT_EQ(range.first, 1u);
    EXPECT_EQ(range.last, 2u);
}

TEST(IssueRange, RefusesRangesWithoutDrawsOrReversed) {
    const auto snapshot = snapshotWithIssues({17081201, 17081205});
    EXPECT_THROW(resolveRange(snapshot, 17081202, 17081204), UserError);
    EXPECT_THROW(resolveRange(snapshot, 17081205, 17081201), UserError);
    EXPECT_THROW(resolveRange(snapshotWithIssues({}), 17081201, 17081205), UserError);
}

} // namespace
} // namespace yilou::analysis
