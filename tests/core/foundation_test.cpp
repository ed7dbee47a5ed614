#include "core/draw_record.h"
#include "core/games.h"
#include "core/issue.h"
#include "core/page_issue_form.h"
#include "core/system_error_text.h"
#include "core/user_error.h"
#include "core/zodiac.h"

#include <cerrno>
#include <cstring>
#include <gtest/gtest.h>
#include <limits>

namespace yilou::history {
namespace {

TEST(DrawAttributes, TwoDigitText) {
    const std::pair<int, std::string_view> cases[] = {
        {0, "00"},
        {5, "05"},
        {11, "11"},
        {123, "123"},
        {-5, "-05"},
        {-12, "-12"},
        {std::numeric_limits<int>::min(), "-2147483648"},
    };
    for (const auto& [value, text] : cases)
        EXPECT_EQ(twoDigitText(value), text) << value;
}

TEST(DrawAttributes, OccurrenceListsCountRepeatsWithinTheDraw) {
    const DrawRecord record =
        DeriveAttributes(17081284, {2, 4, 6, 8, 10}, AttributeRules::startup(1, 1));
    EXPECT_EQ(record.drop[Letter::E], (PositionValues{0, 0, 0, 0, 1}));
    const auto lists = occurrenceColumns(record.drop);
    EXPECT_EQ(lists[2], "1X0 2X0 3X0 4X0 1X1 ");
    EXPECT_EQ(lists[0], "1X02 1X04 1X06 1X08 1X10 ");
    EXPECT_EQ(OccurrenceList({1, 1, 5, 0, 3}, false), "1X1 2X1 1X5 1X0 1X3 ");
    EXPECT_EQ(OccurrenceList({7, 7, 7, 7, 7}, true), "1X07 2X07 3X07 4X07 5X07 ");
}

struct NumberAttributes {
    int number;
    int dsIni;
    int head, tail, sum, segment;
};

TEST(DrawAttributes, HeadTailSumAndSegmentOfSingleNumbers) {
    const NumberAttributes cases[] = {
        {10, 1, 1, 0, 1, 3}, {10, 0, 1, 0, 1, 2}, {4, 1, 0, 4, 4, 1}, {4, 0, 0, 4, 4, 0},
        {5, 1, 0, 5, 5, 2},  {8, 0, 0, 8, 8, 1},  {9, 1, 0, 9, 9, 3}, {11, 1, 1, 1, 2, 3},
        {12, 1, 1, 2, 3, 3}, {1, 0, 0, 1, 1, 0},
    };
    for (const auto& c : cases) {
        // Position 3 holds the number under test; the others are fillers.
        const PositionValues numbers{c.number == 1 ? 2 : 1, 6, c.number, 7, 3};
        const DrawRecord record =
            DeriveAttributes(17081284, numbers, AttributeRules::startup(1, c.dsIni));
        const auto& set = record.drop;
        EXPECT_EQ(set[Letter::E][2], c.head) << c.number;
        EXPECT_EQ(set[Letter::F][2], c.tail) << c.number;
        EXPECT_EQ(set[Letter::G][2], c.sum) << c.number;
        EXPECT_EQ(set[Letter::H][2], c.segment) << c.number << " base " << c.dsIni;
    }
}

TEST(DrawAttributes, ZodiacCodesFollowTheBaseAndTheZodiacYear) {
    // 2017 is a year of the Rooster (k = 9), which holds 01; 10 belongs to the Rat.
    EXPECT_EQ(zodiacOf(1, 2017), 9);
    EXPECT_EQ(zodiacOf(10, 2017), 0);
    EXPECT_EQ(zodiacOf(12, 2017), 10);
    EXPECT_EQ(zodiacNumbers(0, 2017), "10、22、34、46");
    EXPECT_EQ(zodiacNumbers(9, 2017), "01、13、25、37、49");

    const DrawRecord base0 =
        DeriveAttributes(17081284, {3, 11, 7, 1, 9}, AttributeRules::startup(0, 1));
    EXPECT_EQ(base0.drop[Letter::B], (PositionValues{7, 11, 3, 9, 1}));
    EXPECT_EQ(OccurrenceList(base0.drop[Letter::B], true), "1X07 1X11 1X03 1X09 1X01 ");

    // After the zodiac menu the code counts from the zodiac of the zodiac year.
    const ZodiacCodes positional = ZodiacCodes::positional(2017, 0);
    EXPECT_EQ(positional.code[9], 0);
    EXPECT_EQ(positional.code[8], 1);
    EXPECT_EQ(positional.code[10], 11);
    EXPECT_EQ(ZodiacCodes::positional(2017, 1).code[9], 1);
    EXPECT_EQ(zodiacName(10, 1), "鸡");
}

TEST(Zodiac, YearChangesOnTheSpringFestival) {
    EXPECT_EQ(SetZodiacYear(17012284), 2016); // 22 January, before the festival of 28 January
    EXPECT_EQ(SetZodiacYear(17012884), 2017); // the festival day belongs to the new year
    EXPECT_EQ(SetZodiacYear(17020101), 2017);
    EXPECT_EQ(SetZodiacYear(10021301), 2009); // first table year of the eight-digit issues
    // Years without a festival date are never decremented.
    EXPECT_EQ(intChunJie(2031), 0);
    EXPECT_EQ(SetZodiacYear(31010101), 2031);
    EXPECT_EQ(SetZodiacYear(99010101), 2099);
}

TEST(Zodiac, FestivalDatesOf2021To2030) {
    const std::pair<int, int> dates[] = {{2021, 212}, {2022, 201}, {2023, 122}, {2024, 210},
                                         {2025, 129}, {2026, 217}, {2027, 206}, {2028, 126},
                                         {2029, 213}, {2030, 203}};
    for (const auto& [year, monthDay] : dates) {
        EXPECT_EQ(intChunJie(year), monthDay) << year;
        const CalendarDate festival{year, monthDay / 100, monthDay % 100};
        EXPECT_EQ(SetZodiacYear(makeIssue(festival, 1)), year) << year;
        EXPECT_EQ(SetZodiacYear(makeIssue(addDays(festival, -1), 84)), year - 1) << year;
    }
}

TEST(IssueText, TenAndEightDigitForms) {
    EXPECT_EQ(issueText(17081284), "2017081284");
    const std::pair<std::string_view, std::optional<Issue>> cases[] = {
        {"2017081284", 17081284},    {"17081284", 17081284},        {" 2017081284\t", 17081284},
        {"201708128", std::nullopt}, {"20170812840", std::nullopt}, {"2017O81284", std::nullopt},
        {"", std::nullopt},          {"+17081284", std::nullopt},
    };
    for (const auto& [text, expected] : cases)
        EXPECT_EQ(parseIssueText(text), expected) << text;
}

// One rule for every issue a user gives: a real date of 2010..2099, an ordinal from 01, and a
// ten-digit form that is "20" followed by the stored form. A text of neither form gets the one
// text for an unreadable issue. The reason quotes the issue as it was typed.
TEST(IssueText, ImpossibleIssuesAreRefusedWithTheReason) {
    constexpr std::string_view kUnreadable =
        "”不是有效的期号，请输入十位期号（例如 2017081284）或八位期号。";
    const std::pair<std::string_view, std::string_view> cases[] = {
        {"2000010101", " 不是有效的期号（年份须在 2010～2099"},
        {"2009123101", " 不是有效的期号（年份须在 2010～2099"},
        {"0000000001", kUnreadable},
        {"2114102901", kUnreadable},
        {"2110010101", kUnreadable},
        {"1911020301", kUnreadable},
        {"2014130101", " 不是有效的期号（日期不存在）"},
        {"2015022901", " 不是有效的期号（日期不存在）"},
        {"2014102900", " 不是有效的期号（期序须从 01 起）"},
        {"00000001", " 不是有效的期号（年份须在"},
        {"09123101", " 不是有效的期号（年份须在"},
        {"201410290", kUnreadable},
    };
    for (const auto& [text, reason] : cases) {
        EXPECT_EQ(parseIssueText(text), std::nullopt) << text;
        try {
            readIssue(text);
            ADD_FAILURE() << text << " was accepted";
        } catch (const UserError& error) {
            EXPECT_NE(std::string(error.what()).find(std::string(text) + std::string(reason)),
                      std::string::npos)
                << error.what();
        }
    }
    EXPECT_EQ(readIssue("2016022901"), 16022901);
    EXPECT_EQ(readIssue("2099123199"), 99123199);
}

TEST(IssueArithmetic, NoIssueIsProposedPastTheYear2099) {
    EXPECT_EQ(proposeNextIssue(99123183, 84), 99123184);
    EXPECT_THROW(proposeNextIssue(99123184, 84), UserError);
    EXPECT_THROW(proposeNextIssue(99123199, 84), UserError);
}

TEST(PageIssueForm, NineDigitIssuesOfHappy12GamesMapToTheStoredForm) {
    const PageIssueForm form{3};
    EXPECT_EQ(form.fromStored(17092905), 170929005);
    EXPECT_EQ(form.toStored(170929078), 17092978);
    EXPECT_EQ(form.toStored(170929100), std::nullopt); // the stored form holds two digits
    EXPECT_EQ(form.toStored(170229001), std::nullopt); // 29 February 2017
    EXPECT_EQ(form.toStored(170929000), std::nullopt);
}

TEST(SystemErrorText, CommonReasonsInChineseWithTheSystemsText) {
    const std::pair<int, std::string_view> cases[] = {
        {ENOENT, "文件或文件夹不存在（"},
        {EACCES, "没有访问权限（"},
        {ENOSPC, "磁盘空间不足（"},
        {ENOMEM, "内存不足（"},
    };
    for (const auto& [errnum, start] : cases) {
        const std::string text = systemErrorText(errnum);
        EXPECT_TRUE(text.starts_with(start)) << text;
        EXPECT_TRUE(text.ends_with(std::string(std::strerror(errnum)) + "）")) << text;
    }
    EXPECT_EQ(systemErrorText(EXDEV), std::strerror(EXDEV));
}

struct IssueStep {
    Issue issue;
    int drawsPerDay;
    Issue expected;
};

TEST(IssueArithmetic, NextIssueRollsOverAfterTheLastDrawOfTheDay) {
    const IssueStep cases[] = {
        {17092984, 84, 17093001},
        {17092983, 84, 17092984},
        {17123184, 84, 18010101},
        {16022884, 84, 16022901},
        {17022884, 84, 17030101},
        {17092985, 84, 17092986},
        {17092978, 78, 17093001},
        {17092978, 84, 17092979},
        // Two digits end at 99, whatever the draws per day.
        {15030199, 84, 15030201},
        {15030199, 99, 15030201},
        {15022899, 84, 15030101},
        {15030198, 84, 15030199},
    };
    for (const auto& c : cases)
        EXPECT_EQ(proposeNextIssue(c.issue, c.drawsPerDay), c.expected) << c.issue;
}

TEST(IssueArithmetic, IssueBeforeStepsBackOverDayAndYearEnds) {
    const IssueStep cases[] = {
        {17090101, 84, 17083184},
        {18010101, 84, 17123184},
        {16030101, 78, 16022978},
        {17090150, 84, 17090149},
    };
    for (const auto& c : cases)
        EXPECT_EQ(issueBefore(c.issue, c.drawsPerDay), c.expected) << c.issue;
}

TEST(Games, TableEntriesAndCodes) {
    struct Expected {
        int index;
        std::string_view name;
        std::string code;
        int drawsPerDay;
        int highestNumber;
    };
    const Expected cases[] = {
        {0, "广东11选5", "11x5gd", 84, 11},     {3, "辽宁11选5", "11x5ln", 83, 11},
        {24, "黑龙江11选5", "11x5hlj", 88, 11}, {25, "辽宁快乐12", "kl12ln", 80, 12},
        {26, "浙江快乐12", "kl12zj", 80, 12},   {27, "四川快乐12", "kl12sc", 78, 12},
    };
    for (const auto& c : cases) {
        const Game& game = gameAt(c.index);
        EXPECT_EQ(game.name, c.name);
        EXPECT_EQ(game.gameCode(), c.code);
        EXPECT_EQ(game.drawsPerDay, c.drawsPerDay) << c.index;
        EXPECT_EQ(game.highestNumber, c.highestNumber) << c.index;
    }
    // A hand-edited index outside the table falls back to the first game.
    EXPECT_EQ(&gameAt(-1), &games()[0]);
    EXPECT_EQ(&gameAt(kGameCount), &games()[0]);
}

} // namespace
} // namespace yilou::history
