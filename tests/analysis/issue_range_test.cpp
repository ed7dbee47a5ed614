#include "analysis/issue_range.h"
#include "history/user_error.h"

#include <gtest/gtest.h>

namespace yilou::analysis {
namespace {

history::Snapshot snapshotWithIssues(std::initializer_list<history::Issue> issues) {
    history::Snapshot snapshot;
    snapshot.issues = issues;
    return snapshot;
}

TEST(IssueRange, StoredBoundsGiveTheirOwnDraws) {
    const auto snapshot = snapshotWithIssues({17081201, 17081202, 17081203, 17081204});
    const IndexRange range = resolveRange(snapshot, "2017081202", "17081203");
    EXPECT_EQ(range.first, 1u);
    EXPECT_EQ(range.last, 2u);
    EXPECT_EQ(range.before(), 1u);
}

TEST(IssueRange, StartThatIsNotStoredBeginsAtTheNextStoredDraw) {
    const auto snapshot = snapshotWithIssues({17081201, 17081205, 17081206});
    const IndexRange range = resolveRange(snapshot, "2017081202", "2017081299");
    EXPECT_EQ(range.first, 1u);
    EXPECT_EQ(range.last, 2u);
}

TEST(IssueRange, RefusesRangesWithoutDrawsOrUnreadableBounds) {
    const auto snapshot = snapshotWithIssues({17081201, 17081205});
    EXPECT_THROW(resolveRange(snapshot, "2017081202", "2017081204"), UserError);
    EXPECT_THROW(resolveRange(snapshot, "2017081205", "2017081201"), UserError);
    EXPECT_THROW(resolveRange(snapshot, "20170812x1", "2017081205"), UserError);
    EXPECT_THROW(resolveRange(snapshot, "", "2017081205"), UserError);
    EXPECT_THROW(resolveRange(snapshotWithIssues({}), "2017081201", "2017081205"), UserError);
}

} // namespace
} // namespace yilou::analysis
