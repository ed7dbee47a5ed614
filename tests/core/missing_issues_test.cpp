#include "core/missing_issues.h"
#include "support/history_generator.h"

#include <fstream>
#include <gtest/gtest.h>
#include <set>

namespace yilou::history {

// Found by the test framework beside the type it prints.
void PrintTo(const MissingRange& range, std::ostream* out) {
    *out << issueText(range.first) << "～" << issueText(range.last) << " (" << range.count << ")";
}

namespace {

struct HandCase {
    const char* name;
    std::vector<Issue> stored;
    int drawsPerDay;
    std::vector<MissingRange> expected;
};

class MissingIssuesByHand : public ::testing::TestWithParam<HandCase> {};

TEST_P(MissingIssuesByHand, ListsTheRunsOfAbsentIssues) {
    const HandCase& c = GetParam();
    const MissingIssues missing = findMissingIssues(c.stored, c.drawsPerDay);
    EXPECT_EQ(missing.ranges, c.expected);
    std::int64_t total = 0;
    for (const auto& range : c.expected)
        total += range.count;
    EXPECT_EQ(missing.total, total);
    EXPECT_TRUE(missing.unplaced.empty());
}

INSTANTIATE_TEST_SUITE_P(
    Schedule, MissingIssuesByHand,
    ::testing::Values(
        HandCase{"Complete", {17081283, 17081284, 17081301, 17081302}, 84, {}},
        HandCase{"OneDraw", {17081201}, 84, {}},
        HandCase{"WithinADay",
                 {17081201, 17081205, 17081206, 17081208},
                 84,
                 {{17081202, 17081204, 3}, {17081207, 17081207, 1}}},
        HandCase{"DayEnd", {17081282, 17081301}, 84, {{17081283, 17081284, 2}}},
        HandCase{"DayStart", {17081284, 17081303}, 84, {{17081301, 17081302, 2}}},
        HandCase{"AcrossTheNight", {17081283, 17081302}, 84, {{17081284, 17081301, 2}}},
        HandCase{"WholeDays", {17081284, 17081501}, 84, {{17081301, 17081484, 168}}},
        HandCase{"MonthEnd", {17083083, 17090102}, 84, {{17083084, 17090101, 86}}},
        HandCase{"YearEnd", {17123184, 18010102}, 84, {{18010101, 18010101, 1}}},
        HandCase{"LeapDay", {16022878, 16030101}, 78, {{16022901, 16022978, 78}}},
        HandCase{"NoLeapDay", {17022878, 17030102}, 78, {{17030101, 17030101, 1}}},
        // A day whose ordinals reach past the draws per day had extra draws, not gaps.
        HandCase{"ExtraDrawsAtDayEnd", {17081286, 17081301}, 84, {}},
        HandCase{"DuplicateIssue", {17081201, 17081201, 17081203}, 84, {{17081202, 17081202, 1}}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(MissingIssues, IssuesWithoutAPlaceInTheScheduleAreNamedAndPassedOver) {
    // 30 February and ordinal 00 cannot be placed; the check runs on from the draw before.
    const MissingIssues missing =
        findMissingIssues(std::vector<Issue>{17022801, 17023001, 17030100, 17030102}, 84);
    EXPECT_EQ(missing.unplaced, (std::vector<Issue>{17023001, 17030100}));
    EXPECT_EQ(missing.ranges, (std::vector<MissingRange>{{17022802, 17030101, 84}}));
}

// The sample files are real histories with whole days and parts of days missing.
struct RealHistory {
    const char* file;
    int drawsPerDay;
    std::int64_t total; ///< the schedule between first and newest draw, less the stored draws
    std::vector<std::pair<CalendarDate, CalendarDate>> wholeDaysMissing;
    std::vector<std::pair<CalendarDate, int>> missingOnDay;
};

std::int64_t missingOn(const MissingIssues& missing, const CalendarDate& day, int drawsPerDay) {
    std::int64_t count = 0;
    for (int ordinal = 1; ordinal <= drawsPerDay; ++ordinal) {
        const Issue issue = makeIssue(day, ordinal);
        for (const auto& range : missing.ranges)
            count += range.first <= issue && issue <= range.last;
    }
    return count;
}

/// The issues of a sample file, whose lines start with a ten-digit issue.
std::vector<Issue> sampleIssues(const char* file) {
    std::ifstream in(std::string(YILOU_SAMPLE_DATA_DIR) + "/" + file);
    std::vector<Issue> issues;
    std::string line;
    while (std::getline(in, line))
        issues.push_back(parseIssueText(line.substr(0, 10)).value());
    return issues;
}

class MissingIssuesOfRealHistories : public ::testing::TestWithParam<RealHistory> {};

TEST_P(MissingIssuesOfRealHistories, FindsTheMissingDaysAndDraws) {
    const RealHistory& c = GetParam();
    const std::vector<Issue> issues = sampleIssues(c.file);
    ASSERT_FALSE(issues.empty());

    const MissingIssues missing = findMissingIssues(issues, c.drawsPerDay);
    EXPECT_EQ(missing.total, c.total);
    for (const auto& [from, to] : c.wholeDaysMissing)
        for (CalendarDate day = from; daysBetween(day, to) >= 0; day = addDays(day, 1))
            EXPECT_EQ(missingOn(missing, day, c.drawsPerDay), c.drawsPerDay)
                << day.year << '-' << day.month << '-' << day.day;
    for (const auto& [day, count] : c.missingOnDay)
        EXPECT_EQ(missingOn(missing, day, c.drawsPerDay), count)
            << day.year << '-' << day.month << '-' << day.day;
    // Runs are separated by stored draws: no two touch.
    for (std::size_t i = 1; i < missing.ranges.size(); ++i)
        EXPECT_LT(proposeNextIssue(missing.ranges[i - 1].last, c.drawsPerDay),
                  missing.ranges[i].first);
}

INSTANTIATE_TEST_SUITE_P(
    SampleFiles, MissingIssuesOfRealHistories,
    ::testing::Values(
        // 111 days of 84 draws, less 83 before the first and 74 after the newest draw.
        RealHistory{"gd11x5-2014102884-2015021510.txt",
                    84,
                    111 * 84 - 83 - 74 - 3823,
                    {{{2014, 11, 5}, {2014, 12, 8}},
                     {{2014, 12, 14}, {2014, 12, 18}},
                     {{2014, 12, 25}, {2015, 1, 2}},
                     {{2015, 1, 14}, {2015, 1, 19}},
                     {{2015, 2, 12}, {2015, 2, 13}}},
                    {{{2015, 1, 23}, 84 - 7}, {{2015, 2, 6}, 84 - 80}, {{2015, 2, 5}, 0}}},
        RealHistory{"sd11x5-2014102878-2015021178.txt",
                    78,
                    107 * 78 - 77 - 3519,
                    {{{2014, 11, 5}, {2014, 12, 8}},
                     {{2014, 12, 14}, {2014, 12, 18}},
                     {{2014, 12, 25}, {2015, 1, 2}},
                     {{2015, 1, 14}, {2015, 1, 19}}},
                    {{{2015, 1, 23}, 78 - 8}, {{2015, 2, 6}, 78 - 74}}},
        RealHistory{"jx11x5-2014102878-2015021519.txt",
                    78,
                    111 * 78 - 77 - 59 - 3554,
                    {{{2014, 11, 5}, {2014, 12, 8}}, {{2015, 2, 12}, {2015, 2, 13}}},
                    {{{2015, 1, 23}, 78 - 7}, {{2015, 2, 6}, 78 - 74}}}),
    [](const auto& info) { return std::string(info.param.file).substr(0, 6); });

TEST(MissingIssues, GeneratedGapsAcrossMonthAndYearEnds) {
    // Histories with holes that start before a month end, a leap day and a year end; the
    // reference walks the schedule issue by issue.
    for (const auto& [first, drawsPerDay] : std::vector<std::pair<Issue, int>>{
             {15123001, 84}, {16022701, 78}, {17013101, 97}, {19122801, 90}}) {
        testing::GeneratedHistory settings;
        settings.draws = 2000;
        settings.seed = static_cast<std::uint64_t>(first);
        settings.firstIssue = first;
        settings.drawsPerDay = drawsPerDay;
        settings.missingShare = 0.3;
        std::vector<Issue> issues;
        for (const auto& record : testing::generateDraws(settings))
            issues.push_back(record.issue);
        // Whole days too: every first of a month goes.
        std::erase_if(issues, [](Issue issue) { return issue / 100 % 100 == 1; });

        std::vector<Issue> expected;
        const std::set<Issue> stored(issues.begin(), issues.end());
        for (Issue issue = issues.front(); issue < issues.back();
             issue = proposeNextIssue(issue, drawsPerDay))
            if (!stored.count(issue))
                expected.push_back(issue);

        const MissingIssues missing = findMissingIssues(issues, drawsPerDay);
        std::vector<Issue> listed;
        for (const auto& range : missing.ranges) {
            const std::size_t before = listed.size();
            for (Issue issue = range.first;; issue = proposeNextIssue(issue, drawsPerDay)) {
                listed.push_back(issue);
                if (issue == range.last)
                    break;
            }
            EXPECT_EQ(range.count, static_cast<std::int64_t>(listed.size() - before));
        }
        EXPECT_EQ(listed, expected) << first;
        EXPECT_EQ(missing.total, static_cast<std::int64_t>(expected.size()));
    }
}

} // namespace
} // namespace yilou::history
