#include "core/user_error.h"
#include "online/update_plan.h"
#include "support/history_generator.h"

#include <gtest/gtest.h>

namespace yilou::history {
namespace {

using yilou::testing::issueSchedule;

constexpr int kGuangdong = 0;       // 84 draws a day
constexpr int kSichuanHappy12 = 27; // 78 draws a day

struct PlanCase {
    const char* name;
    int game;
    std::vector<Issue> stored;
    CalendarDate today;
    int keepDays;
    int days;
    int drawsWanted;
    std::int64_t first;
    std::int64_t last;
};

TEST(UpdatePlan, DecidesDaysCountAndIssueRange) {
    const PlanCase cases[] = {
        {"worked example",
         kGuangdong,
         issueSchedule(17092301, 17092880),
         {2017, 9, 29},
         6,
         1,
         168,
         17092881,
         17092984},
        {"empty history loads keepDays days",
         kGuangdong,
         {},
         {2017, 9, 29},
         6,
         6,
         588,
         17092301,
         17092984},
        {"oldest draw 7 days old is kept",
         kGuangdong,
         issueSchedule(17092201, 17092880),
         {2017, 9, 29},
         6,
         1,
         168,
         17092881,
         17092984},
        {"oldest draw 6 days old is kept",
         kGuangdong,
         issueSchedule(17092301, 17092884),
         {2017, 9, 29},
         6,
         1,
         168,
         17092885,
         17092984},
        {"a draw an earlier update skipped is looked for again",
         kGuangdong,
         issueSchedule(17092301, 17092884, 84, {17092505, 17092712}),
         {2017, 9, 29},
         6,
         4,
         420,
         17092505,
         17092984},
        {"the kept days before the oldest stored draw are looked for",
         kGuangdong,
         issueSchedule(17092610, 17092884),
         {2017, 9, 29},
         6,
         6,
         588,
         17092301,
         17092984},
        {"range across a year end", kGuangdong, {}, {2018, 1, 2}, 16, 16, 1428, 17121701, 18010284},
        {"happy-12 with three-digit ordinals",
         kSichuanHappy12,
         issueSchedule(17092301, 17092875, 78),
         {2017, 9, 29},
         6,
         1,
         156,
         170928076,
         170929078},
        {"happy-12 empty history",
         kSichuanHappy12,
         {},
         {2017, 9, 29},
         2,
         2,
         234,
         170927001,
         170929078},
    };
    for (const PlanCase& c : cases) {
        SCOPED_TRACE(c.name);
        const UpdatePlan plan = planUpdate(c.stored, c.today, c.keepDays, gameAt(c.game));
        EXPECT_EQ(plan.daysToLoad, c.days);
        EXPECT_EQ(plan.drawsWanted, c.drawsWanted);
        EXPECT_EQ(plan.firstIssue, c.first);
        EXPECT_EQ(plan.lastIssue, c.last);
    }
}

// A history that ends before the days looked at is searched from their first draw on; the
// issues between its newest draw and those days are named as left unsearched.
TEST(UpdatePlan, NamesTheIssuesBetweenAnOldHistoryAndTheDaysLookedAt) {
    const struct {
        const char* name;
        int game;
        std::vector<Issue> stored;
        std::int64_t first;
        std::optional<MissingRange> unsearched;
    } cases[] = {
        {"ends with draw 50 of the 19th", kGuangdong, issueSchedule(17081101, 17091950), 17092301,
         MissingRange{17091951, 17092284, 34 + 3 * 84}},
        {"ends with the day before", kGuangdong, issueSchedule(17081101, 17092284), 17092301,
         std::nullopt},
        {"happy-12, ends with the last draw of 31 August", kSichuanHappy12,
         issueSchedule(17082801, 17083178, 78), 170923001,
         MissingRange{17090101, 17092278, 22 * 78}},
        {"ends within the days", kGuangdong, issueSchedule(17092201, 17092880), 17092881,
         std::nullopt},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const UpdatePlan plan = planUpdate(c.stored, {2017, 9, 29}, 6, gameAt(c.game));
        EXPECT_EQ(plan.firstIssue, c.first);
        EXPECT_EQ(plan.unsearched, c.unsearched);
    }
}

TEST(UpdatePlan, WantsTheIssuesOfTheRangeThatAreNotStored) {
    const UpdatePlan plan = planUpdate(issueSchedule(17092301, 17092884, 84, {17092505}),
                                       {2017, 9, 29}, 6, gameAt(kGuangdong));
    EXPECT_TRUE(plan.wants(17092505));
    EXPECT_TRUE(plan.wants(17092901));
    EXPECT_TRUE(plan.wants(17092590));  // beyond the schedule: a day with extra draws
    EXPECT_FALSE(plan.wants(17092506)); // stored
    EXPECT_FALSE(plan.wants(17092504)); // before the range
    EXPECT_FALSE(plan.wants(17092600)); // ordinal 00
}

TEST(UpdatePlan, AHistoryNewerThanTodayIsRefused) {
    try {
        planUpdate(issueSchedule(17092901, 17093005), {2017, 9, 29}, 6, gameAt(kGuangdong));
        FAIL() << "no error";
    } catch (const UserError& error) {
        EXPECT_STREQ(error.what(),
                     "历史号码的最新一期 2017093005 晚于更新的日期 2017-09-29：历史号码"
                     "比这一天还新，请检查日期，历史号码未改变。");
    }
}

TEST(UpdatePlan, RefusesTodayOutsideTheIssueYears) {
    EXPECT_THROW(planUpdate({}, {2009, 12, 31}, 6, gameAt(0)), UserError);
    EXPECT_THROW(planUpdate({}, {2100, 1, 1}, 6, gameAt(0)), UserError);
}

} // namespace
} // namespace yilou::history
