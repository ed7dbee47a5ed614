#include "history/history_db.h"
#include "history/user_error.h"
#include "support/history_generator.h"
#include "support/temp_dir.h"

#include <gtest/gtest.h>

namespace yilou::history {
namespace {

using yilou::testing::TempDir;

TEST(HistoryDb, StoresAndReloadsDrawsInIssueOrder) {
    TempDir dir;
    auto records = yilou::testing::generateDraws(200, 7);
    std::reverse(records.begin(), records.end());
    {
        HistoryDb db(dir / kDatabaseFileName);
        db.replaceAll(records);
    }
    HistoryDb db(dir / kDatabaseFileName);
    const Snapshot snapshot = db.loadSnapshot();
    ASSERT_EQ(snapshot.size(), 200u);
    EXPECT_TRUE(std::is_sorted(snapshot.issues.begin(), snapshot.issues.end()));
    const DrawRecord& first = records.back();
    EXPECT_EQ(snapshot.issues[0], first.issue);
    EXPECT_EQ(snapshot.numbers(0), first.drop[Letter::A]);
    EXPECT_EQ(snapshot.value(NumberOrder::Sorted, Letter::H, 4, 0), first.sorted[Letter::H][4]);

    Statement idx(db.sql(), "SELECT MIN(IDX), MAX(IDX), COUNT(DISTINCT IDX) FROM Lishi");
    ASSERT_TRUE(idx.step());
    EXPECT_EQ(idx.integer(0), 1);
    EXPECT_EQ(idx.integer(1), 200);
    EXPECT_EQ(idx.integer(2), 200);
}

TEST(HistoryDb, RefusesAnIssueThatIsStoredAlready) {
    TempDir dir;
    HistoryDb db(dir / kDatabaseFileName);
    const auto records = yilou::testing::generateDraws(3);
    db.replaceAll(records);
    EXPECT_THROW(db.appendDraw(records[1]), UserError);
    EXPECT_EQ(db.drawCount(), 3u);
}

TEST(HistoryDb, AppendingAnOlderDrawRenumbersTheLaterOnes) {
    TempDir dir;
    HistoryDb db(dir / kDatabaseFileName);
    const auto records = yilou::testing::generateDraws(3);
    db.replaceAll({records[0], records[2]});
    db.appendDraw(records[1]);
    Statement idx(db.sql(), "SELECT SQQH FROM Lishi ORDER BY IDX");
    for (const auto& record : records) {
        ASSERT_TRUE(idx.step());
        EXPECT_EQ(idx.integer(0), record.issue);
    }
}

} // namespace
} // namespace yilou::history
