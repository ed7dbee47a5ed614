#include "online/page_draws.h"
#include "support/history_generator.h"

#include <algorithm>
#include <gmock/gmock.h>
#include <gtest/gtest.h>

namespace yilou::history {
namespace {

using ::testing::ElementsAre;
using ::testing::HasSubstr;
using yilou::testing::issueSchedule;

MATCHER_P2(IsDraw, issue, numbers, "") {
    return arg.issue == issue && arg.numbers == PositionValues(numbers);
}

/// The worked example: the kept days stored up to 17092880, today 2017-09-29, 84 draws a day.
UpdatePlan examplePlan() {
    return planUpdate(issueSchedule(17092301, 17092880), {2017, 9, 29}, 6, gameAt(0));
}

std::vector<Issue> issuesOf(const PageDraws& found) {
    std::vector<Issue> issues(found.draws.size());
    std::ranges::transform(found.draws, issues.begin(), &PageDraw::issue);
    return issues;
}

TEST(PageDraws, FindsTheWantedIssuesInEitherOrder) {
    // 17092880 is stored already; 82-84 and 01-02 follow one another.
    const std::vector<std::string> lines{"1709288001 02 03 04 05", "1709288206 07 08 09 10",
                                         "1709288311 01 02 03 04", "1709288405 06 07 08 09",
                                         "1709290102 03 04 05 06", "1709290207 08 09 10 11",
                                         "1709298403 04 05 06 07"};
    std::string ascending;
    std::string descending;
    std::string tenDigits = "最新：第2017092984期\n";
    for (std::size_t i = 0; i < lines.size(); ++i) {
        ascending += lines[i] + "\n";
        descending += lines[lines.size() - 1 - i] + "\t和值 30\n";
        tenDigits += "20" + lines[i] + "\n";
    }
    const struct {
        const char* name;
        std::string text;
    } cases[] = {
        {"ascending", ascending},
        {"descending", descending},
        {"ten-digit issues and a heading naming the newest", tenDigits},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const PageDraws found = findPageDraws(c.text, examplePlan(), gameAt(0));
        EXPECT_THAT(issuesOf(found),
                    ElementsAre(17092882, 17092883, 17092884, 17092901, 17092902, 17092984));
        EXPECT_THAT(found.draws.front(), IsDraw(17092882, PositionValues{6, 7, 8, 9, 10}));
        EXPECT_THAT(found.draws.back(), IsDraw(17092984, PositionValues{3, 4, 5, 6, 7}));
        EXPECT_TRUE(found.skipped.empty());
    }
}

TEST(PageDraws, ReadsTheNextFiveNumbersOfTheLine) {
    const struct {
        const char* name;
        std::string text;
        UpdatePlan plan = examplePlan();
        Issue issue = 17092901;
    } cases[] = {
        {"two-digit fields", "1709290104 10 11 03 02"},
        {"leading blanks", "17092901 4,10,11, 3, 2"},
        {"wide separators", "1709290104，10，11，03，02"},
        {"a blank after the ten-digit issue", "2017092901 04 10 11 03 02"},
        {"ten-digit issue and its first number", "201709290104 10 11 03 02"},
        {"one-digit numbers", "17092901:4-10-11-3-2"},
        {"cells and words between", "第2017092901期\t开奖号码：\t04\t10\t11\t03\t02\t和值 30"},
        // Ten digits of 2020 that start with "20": the issue of the day looked for and its first
        // number, not a ten-digit issue of 2001.
        {"an issue of 2020 and its first number", "2001150104 10 11 03 02",
         planUpdate({}, {2020, 1, 15}, 6, gameAt(0)), 20011501},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const PageDraws found = findPageDraws(c.text, c.plan, gameAt(0));
        EXPECT_THAT(found.draws, ElementsAre(IsDraw(c.issue, PositionValues{4, 10, 11, 3, 2})));
        EXPECT_TRUE(found.skipped.empty());
    }
}

TEST(PageDraws, AnIssueIsAWholeRunOfDigits) {
    // Inside a longer number (an order number), or with its numbers on the next line.
    const std::string text = "订单 4001709290102 03 04 05 06\n17092902\n01 02 03 04 05\n";
    const PageDraws found = findPageDraws(text, examplePlan(), gameAt(0));
    EXPECT_TRUE(found.draws.empty());
    ASSERT_EQ(found.skipped.size(), 1u);
    EXPECT_THAT(found.skipped[0].reason, HasSubstr("2017092902 后面的五个号码无法读取"));
}

TEST(PageDraws, SkipsDrawsThatCannotBeStoredAndSaysWhy) {
    const std::string text = "1709290112 01 02 03 04\n" // 12 in an 11-number game
                             "1709290203 03 04 05 06\n" // repeated
                             "1709290301 02 03\n"       // three numbers on the line
                             "1709290501 02 03 04 05\n"
                             "1709290604 10 11 03 007\n" // a run of three digits: no number
                             "1709290401 02 03";         // cut short at the end of the text
    const PageDraws found = findPageDraws(text, examplePlan(), gameAt(0));
    EXPECT_THAT(issuesOf(found), ElementsAre(17092905));
    ASSERT_EQ(found.skipped.size(), 5u);
    EXPECT_THAT(found.skipped[0].reason, HasSubstr("号码 12 超出范围 01～11"));
    EXPECT_THAT(found.skipped[1].reason, HasSubstr("号码 03 重复出现"));
    EXPECT_THAT(found.skipped[2].reason,
                HasSubstr("2017092903 后面的五个号码无法读取（“01 02 03 17092”）"));
    EXPECT_EQ(found.skipped[3].issue, 17092904);
    EXPECT_THAT(found.skipped[4].reason,
                HasSubstr("2017092906 后面的五个号码无法读取（“04 10 11 03 00”）"));
}

TEST(PageDraws, CopiesOfOneIssueAgreeOrNoneIsStored) {
    const UpdatePlan plan = planUpdate({}, {2015, 2, 15}, 6, gameAt(0));
    const struct {
        const char* name;
        std::string text;
        std::vector<PageDraw> draws;
        std::string skipped;
    } cases[] = {
        {"a bad copy before the real one",
         "201502151112 02 03 04 05\n201502151104 10 11 03 02\n",
         {{15021511, {4, 10, 11, 3, 2}}},
         ""},
        {"the same draw in a heading and in the table",
         "最新 2015021511 04 10 11 03 02\n2015021511 04 10 11 03 02\n",
         {{15021511, {4, 10, 11, 3, 2}}},
         ""},
        {"two different valid copies",
         "2015021511 04 10 11 03 02\n2015021511 05 06 07 08 09\n",
         {},
         "期号 2015021511 在页面上有 2 个不同的开奖号码（04 10 11 03 02、05 06 07 08 "
         "09），都未保存"},
        {"no valid copy: the first one's reason",
         "2015021511 12 01 02 03 04\n2015021511 01 01 02 03 04\n",
         {},
         "期号 2015021511：号码 12 超出范围 01～11"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const PageDraws found = findPageDraws(c.text, plan, gameAt(0));
        ASSERT_EQ(found.draws.size(), c.draws.size());
        if (!c.draws.empty()) {
            EXPECT_THAT(found.draws[0], IsDraw(c.draws[0].issue, c.draws[0].numbers));
        }
        EXPECT_EQ(found.skipped.empty() ? "" : found.skipped[0].reason, c.skipped);
    }
}

TEST(PageDraws, CountsTheWantedIssuesMissingBeforeTheNewestFound) {
    // Wanted: 17092881..84 and today's 01..84. 82 and 01 stand nowhere; 84 is unreadable but
    // there; today's draws after 02 have not been drawn yet.
    const std::string text = "1709288101 02 03 04 05\n1709288301 02 03 04 05\n17092884 01 02\n"
                             "1709290201 02 03 04 05\n";
    const PageDraws found = findPageDraws(text, examplePlan(), gameAt(0));
    EXPECT_EQ(found.newestFound, 17092902);
    EXPECT_EQ(found.notFound, 2u);
}

TEST(PageDraws, SearchesOnlyIssuesOfTheRange) {
    // Before the range, ordinal 00, a date that does not exist, after today's last draw.
    const std::string text = "1709288001 02 03 04 05\n1709290001 02 03 04 05\n"
                             "1709320101 02 03 04 05\n1709298501 02 03 04 05\n";
    const PageDraws found = findPageDraws(text, examplePlan(), gameAt(0));
    EXPECT_TRUE(found.draws.empty());
    EXPECT_TRUE(found.skipped.empty());
}

TEST(PageDraws, Happy12PagesWriteThreeDigitOrdinals) {
    const UpdatePlan plan =
        planUpdate(issueSchedule(17092301, 17092877, 78), {2017, 9, 29}, 6, gameAt(27));
    const std::string text = "17092807812 01 02 03 04\n17092900112 11 10 09 08\n"
                             "17092900201 02 03 04 05\n";
    const PageDraws found = findPageDraws(text, plan, gameAt(27));
    EXPECT_THAT(found.draws, ElementsAre(IsDraw(17092878, PositionValues{12, 1, 2, 3, 4}),
                                         IsDraw(17092901, PositionValues{12, 11, 10, 9, 8}),
                                         IsDraw(17092902, PositionValues{1, 2, 3, 4, 5})));
}

TEST(PageDraws, ReadsJsonRecords) {
    const struct {
        const char* name;
        std::string body;
    } cases[] = {
        {"records in an object, numbers as a string",
         R"({"rows":1,"data":[{"expect":"2017092901","opencode":"04,10,11,03,02",)"
         R"("opentime":"2017-09-29 09:10:00"}]})"},
        {"an array of records, a numeric issue, numbers as an array",
         R"([{"issue":17092901,"numbers":[4,10,11,3,2]}])"},
        {"numbers before the issue, as strings",
         "\xEF\xBB\xBF\n"
         R"([{"balls":["04","10","11","03","02"],"qh":"17092901"}])"},
        {"JSON that does not parse is read as text", R"({"issue":"17092901 04 10 11 03 02")"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const PageDraws found = readPageDraws(c.body, "application/json", examplePlan(), gameAt(0));
        EXPECT_THAT(found.draws, ElementsAre(IsDraw(17092901, PositionValues{4, 10, 11, 3, 2})));
        EXPECT_TRUE(found.skipped.empty());
    }

    // Copies of one issue that disagree are named as the document gives them.
    const PageDraws disagree = readPageDraws(R"([{"issue":"17092901","numbers":"05,06,07,08,09"},)"
                                             R"({"issue":"17092901","numbers":"04,10,11,03,02"}])",
                                             "application/json", examplePlan(), gameAt(0));
    ASSERT_EQ(disagree.skipped.size(), 1u);
    EXPECT_THAT(disagree.skipped[0].reason, HasSubstr("（05 06 07 08 09、04 10 11 03 02）"));

    const PageDraws noNumbers = readPageDraws(R"([{"issue":"17092901","time":"09:10"}])",
                                              "application/json", examplePlan(), gameAt(0));
    ASSERT_EQ(noNumbers.skipped.size(), 1u);
    EXPECT_THAT(noNumbers.skipped[0].reason, HasSubstr("无法读取（“09:10”）"));

    const std::size_t depth = 100'000;
    const std::string nested = std::string(depth, '[') + std::string(depth, ']');
    EXPECT_TRUE(readPageDraws(nested, "", examplePlan(), gameAt(0)).draws.empty());
}

} // namespace
} // namespace yilou::history
