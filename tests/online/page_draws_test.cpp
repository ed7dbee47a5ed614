#include "online/page_draws.h"

#include <algorithm>
#include <gmock/gmock.h>
#include <gtest/gtest.h>

namespace yilou::history {
namespace {

using ::testing::ElementsAre;
using ::testing::HasSubstr;

MATCHER_P2(IsDraw, issue, numbers, "") {
    return arg.issue == issue && arg.numbers == PositionValues(numbers);
}

/// The worked example: newest stored 17092880, today 2017-09-29, 84 draws a day.
UpdatePlan examplePlan() {
    return planUpdate(StoredSpan{17092801, 17092880}, {2017, 9, 29}, 6, gameAt(0));
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

TEST(PageDraws, ReadsFieldsByCharacters) {
    const struct {
        const char* name;
        std::string text;
        PositionValues numbers;
    } cases[] = {
        {"leading blank", "17092901 3, 5,11, 1, 2", {3, 5, 11, 1, 2}},
        {"wide separators", "1709290103，11，07，01，09", {3, 11, 7, 1, 9}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const PageDraws found = findPageDraws(c.text, examplePlan(), gameAt(0));
        EXPECT_THAT(found.draws, ElementsAre(IsDraw(17092901, c.numbers)));
    }
}

TEST(PageDraws, SkipsDrawsThatCannotBeStoredAndSaysWhy) {
    const std::string text = "1709290112 01 02 03 04\n" // 12 in an 11-number game
                             "1709290203 03 04 05 06\n" // repeated
                             "170929030x 01 02 03 04\n" // not a number
                             "1709290501 02 03 04 05\n"
                             "1709290401 02 03"; // cut short at the end of the text
    const PageDraws found = findPageDraws(text, examplePlan(), gameAt(0));
    EXPECT_THAT(issuesOf(found), ElementsAre(17092905));
    ASSERT_EQ(found.skipped.size(), 4u);
    EXPECT_THAT(found.skipped[0].reason, HasSubstr("号码 12 超出范围 01～11"));
    EXPECT_THAT(found.skipped[1].reason, HasSubstr("号码 03 重复出现"));
    EXPECT_THAT(found.skipped[2].reason, HasSubstr("2017092903 后面的五个号码无法读取（“0x 01 02"));
    EXPECT_EQ(found.skipped[3].issue, 17092904);
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
        planUpdate(StoredSpan{17092801, 17092877}, {2017, 9, 29}, 6, gameAt(27));
    const std::string text = "17092807812 01 02 03 04\n17092900112 11 10 09 08\n"
                             "17092900201 02 03 04 05\n";
    const PageDraws found = findPageDraws(text, plan, gameAt(27));
    EXPECT_THAT(found.draws, ElementsAre(IsDraw(17092878, PositionValues{12, 1, 2, 3, 4}),
                                         IsDraw(17092901, PositionValues{12, 11, 10, 9, 8}),
                                         IsDraw(17092902, PositionValues{1, 2, 3, 4, 5})));
}

} // namespace
} // namespace yilou::history
