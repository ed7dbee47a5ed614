#include "core/user_error.h"
#include "session/choices.h"
#include "session/history_steps.h"
#include "store/history_db.h"
#include "support/history_generator.h"
#include "support/temp_dir.h"

#include <gtest/gtest.h>

namespace yilou::session {
namespace {

class HistoryStepsTest : public ::testing::Test {
protected:
    testing::TempDir dir_;
    history::HistoryDb db_{dir_ / history::kDatabaseFileName};
    Choices choices_;
};

struct TypedDraw {
    const char* name;
    std::string issue;
    std::array<std::string, 5> boxes;
};

class TypedDrawRefused : public HistoryStepsTest,
                         public ::testing::WithParamInterface<TypedDraw> {};

// A typed draw is checked in full before anything is stored: nothing reaches the history.
TEST_P(TypedDrawRefused, StoresNothing) {
    db_.appendDraw(history::DeriveAttributes(17081283, {1, 2, 3, 4, 5}, choices_.rules()));
    const TypedDraw& typed = GetParam();
    EXPECT_THROW(storeTypedDraw(db_, typed.issue, typed.boxes, choices_.game(), choices_.rules()),
                 UserError);
    EXPECT_EQ(db_.drawCount(), 1u);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, TypedDrawRefused,
    ::testing::Values(TypedDraw{"EmptyBox", "2017081284", {"03", "11", "", "01", "09"}},
                      TypedDraw{"HalfBox", "2017081284", {"03", "11", "7", "01", "09"}},
                      TypedDraw{"Repeated", "2017081284", {"03", "11", "03", "01", "09"}},
                      TypedDraw{"Twelve", "2017081284", {"03", "11", "12", "01", "09"}},
                      TypedDraw{"Zero", "2017081284", {"03", "11", "00", "01", "09"}},
                      TypedDraw{"StoredIssue", "2017081283", {"03", "11", "07", "01", "09"}},
                      TypedDraw{"BadIssue", "2017-08-12", {"03", "11", "07", "01", "09"}},
                      TypedDraw{"NoDate", "2017023101", {"03", "11", "07", "01", "09"}}),
    [](const auto& info) { return std::string(info.param.name); });

struct TypedDrawProblems {
    const char* name;
    std::string issue;
    std::array<std::string, 5> boxes;
    std::vector<std::string> named; // every problem the refusal names, once each
    int firstBox;                   // 0 the issue box, 1..5 the number boxes
};

class TypedDrawProblemsNamed : public HistoryStepsTest,
                               public ::testing::WithParamInterface<TypedDrawProblems> {};

// A refusal names every problem of the typed draw, each once, and the first box at fault.
TEST_P(TypedDrawProblemsNamed, InOneRefusal) {
    db_.appendDraw(history::DeriveAttributes(17081283, {1, 2, 3, 4, 5}, choices_.rules()));
    const TypedDrawProblems& typed = GetParam();
    try {
        storeTypedDraw(db_, typed.issue, typed.boxes, choices_.game(), choices_.rules());
        FAIL() << "stored";
    } catch (const TypedDrawRefusal& refusal) {
        const std::string message = refusal.what();
        for (const auto& problem : typed.named) {
            const auto at = message.find(problem);
            EXPECT_NE(at, std::string::npos) << problem << " in " << message;
            EXPECT_EQ(message.find(problem, at + 1), std::string::npos) << problem << " twice";
        }
        EXPECT_EQ(refusal.box(), typed.firstBox);
    }
    EXPECT_EQ(db_.drawCount(), 1u);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, TypedDrawProblemsNamed,
    ::testing::Values(
        TypedDrawProblems{"TwelveAndRepeat",
                          "2017081284",
                          {"03", "11", "12", "03", "09"},
                          {"号码 12 超出范围", "号码 03 重复"},
                          3},
        TypedDrawProblems{"ThreeTimesRepeated",
                          "2017081284",
                          {"03", "11", "03", "03", "09"},
                          {"号码 03 重复"},
                          3},
        TypedDrawProblems{"IssueAndBoxes",
                          "20170812",
                          {"03", "", "07", "07", "00"},
                          {"不是有效的期号", "第2个号码", "号码 07 重复", "号码 00 超出范围"},
                          0},
        TypedDrawProblems{"StoredIssue",
                          "2017081283",
                          {"03", "1", "07", "01", "09"},
                          {"已经存在", "第2个号码"},
                          0},
        TypedDrawProblems{"OneBox", "2017081284", {"03", "11", "07", "01", "9"}, {"第5个号码"}, 5}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(HistoryStepsTest, TypedDrawIsStoredWithItsAttributes) {
    const auto record = storeTypedDraw(db_, "2017081284", {"03", "11", "07", "01", "09"},
                                       choices_.game(), choices_.rules());
    EXPECT_EQ(record.issue, 17081284);
    EXPECT_EQ(record.drop[history::Letter::B], (history::PositionValues{8, 12, 4, 10, 2}));
    EXPECT_EQ(db_.newestIssue(), 17081284);
}

TEST_F(HistoryStepsTest, TwelveIsAcceptedForHappy12Games) {
    choices_.gsZl = 27;
    EXPECT_NO_THROW(storeTypedDraw(db_, "2017081201", {"12", "11", "07", "01", "09"},
                                   choices_.game(), choices_.rules()));
}

TEST_F(HistoryStepsTest, NextIssueFollowsTheDayOrStartsToday) {
    const history::CalendarDate today{2017, 10, 3};
    EXPECT_EQ(nextIssue(17092984, choices_.game(), today), 17093001);
    EXPECT_EQ(nextIssue(17092983, choices_.game(), today), 17092984);
    EXPECT_EQ(nextIssue(std::nullopt, choices_.game(), today), 17100301);
}

// 删除到选定期 proposes the selected row, or the issue before the newest (a day's first draw
// counts back to the day before).
TEST_F(HistoryStepsTest, DeleteToProposesTheSelectedRowOrTheIssueBeforeTheNewest) {
    EXPECT_EQ(deleteToProposal(history::Snapshot(), std::nullopt, 84), "");
    const auto snapshot = yilou::testing::snapshotOfIssues({17081283, 17081284, 17081301});
    EXPECT_EQ(deleteToProposal(snapshot, 0, 84), "2017081283");
    EXPECT_EQ(deleteToProposal(snapshot, std::nullopt, 84), "2017081284");
    EXPECT_EQ(deleteToProposal(snapshot, 3, 84), "2017081284"); // a row no longer there
}

TEST_F(HistoryStepsTest, DeletionsLeaveNoDrawOnlyWhenConfirmed) {
    for (history::Issue issue : {17081282, 17081283, 17081284, 17081301})
        db_.appendDraw(history::DeriveAttributes(issue, {1, 2, 3, 4, 5}, choices_.rules()));
    const auto remove = [&](const Deletion& deletion,
                            history::WhenAllDrawsGo whenAllGo = history::WhenAllDrawsGo::Refuse) {
        return deleteDraws(db_, deletion, dir_.path(), choices_.rules(), whenAllGo);
    };
    const auto removed = [&](const Deletion& deletion,
                             history::WhenAllDrawsGo whenAllGo = history::WhenAllDrawsGo::Refuse) {
        const auto shown = remove(deletion, whenAllGo);
        EXPECT_FALSE(shown.needsConfirmation);
        return shown.removed;
    };
    EXPECT_EQ(removed(Deletion::newest(0)), 0u);
    EXPECT_EQ(removed(Deletion::newest(1)), 1u);
    EXPECT_EQ(db_.newestIssue(), 17081284);
    EXPECT_EQ(removed(Deletion::after(17081283)), 1u);
    EXPECT_EQ(removed(Deletion::newest(1)), 1u);
    EXPECT_EQ(db_.newestIssue(), 17081282);

    // One draw left: whatever the deletion, taking it waits for the confirmation.
    for (const Deletion& deletion :
         {Deletion::newest(1), Deletion::newest(5), Deletion::after(17081201), Deletion::all()}) {
        const auto shown = remove(deletion);
        EXPECT_TRUE(shown.needsConfirmation);
        EXPECT_NE(shown.refusal.find("--yes"), std::string::npos);
        EXPECT_EQ(db_.drawCount(), 1u);
    }
    EXPECT_EQ(removed(Deletion::newest(1), history::WhenAllDrawsGo::Delete), 1u);
    EXPECT_EQ(removed(Deletion::all()), 0u);
}

// A 12 never fits an 11选5 game; a 快乐12 game is told of a history without any 12 once the
// history is long enough for its absence to mean an 11选5 history.
TEST(HistoryGameMismatch, NamesNumbersThatDoNotFitTheGame) {
    constexpr int k11s5 = 0, kHappy12 = 27;
    struct Case {
        const char* name;
        int game;
        int highestNumber;
        std::size_t draws;
        bool mismatch;
    } cases[] = {
        {"ElevenInElevenGame", k11s5, 11, 200, false},
        {"TwelveInElevenGame", k11s5, 12, 200, true},
        {"TwelveInHappy12", kHappy12, 12, 200, false},
        {"NoTwelveInHappy12", kHappy12, 11, kDrawsShowingTwelve, true},
        {"TooFewDrawsToTell", kHappy12, 11, kDrawsShowingTwelve - 1, false},
        {"EmptyHistory", kHappy12, 11, 0, false},
    };
    for (const Case& c : cases) {
        testing::GeneratedHistory generated;
        generated.draws = c.draws;
        generated.highestNumber = c.highestNumber;
        const auto snapshot = testing::snapshotOf(testing::generateDraws(generated));
        EXPECT_EQ(historyGameMismatch(snapshot, history::gameAt(c.game)).has_value(), c.mismatch)
            << c.name;
    }
}

TEST(Choices, PositionalZodiacAfterTheMenu) {
    Choices choices;
    choices.sxIni = 0;
    EXPECT_EQ(choices.rules().zodiac.code[9], 9);
    choices.positionalZodiacYear = 2017;
    // 2017 is the year of 鸡 (9): it has position 0, 猴 1, 狗 11.
    EXPECT_EQ(choices.rules().zodiac.code[9], 0);
    EXPECT_EQ(choices.rules().zodiac.code[8], 1);
    EXPECT_EQ(choices.rules().zodiac.code[10], 11);
}

TEST(Choices, GameOutOfRangeIsTheFirst) {
    Choices choices;
    choices.gsZl = 40;
    EXPECT_EQ(choices.game().name, "广东11选5");
}

} // namespace
} // namespace yilou::session

namespace yilou::session {
namespace {

/// Days of draws 01..lastOrdinal each, from 2017-09-01 on.
history::Snapshot daysEndingAt(const std::vector<int>& lastOrdinals) {
    std::vector<history::Issue> issues;
    int day = 1;
    for (const int last : lastOrdinals) {
        for (int ordinal = 1; ordinal <= last; ++ordinal)
            issues.push_back(17090000 + day * 100 + ordinal);
        ++day;
    }
    return yilou::testing::snapshotOfIssues(issues);
}

// The newest three days never going beyond an ordinal below the setting are said; a day that
// reaches it, or fewer than three days, say nothing.
TEST(DaysEndingEarlier, ShowTheOrdinalTheNewestThreeDaysEndAt) {
    struct Case {
        std::vector<int> days;
        int drawsPerDay;
        std::optional<int> said;
    };
    const std::vector<Case> cases = {
        {{84, 42, 42, 42}, 84, 42},       {{42, 42, 20}, 84, 42}, // today's draws still coming
        {{84, 42, 42}, 84, std::nullopt}, {{42, 42, 42}, 42, std::nullopt},
        {{42, 42}, 84, std::nullopt},     {{90, 90, 90}, 84, std::nullopt},
        {{}, 84, std::nullopt},
    };
    for (const auto& c : cases)
        EXPECT_EQ(daysEndingEarlier(daysEndingAt(c.days), c.drawsPerDay), c.said)
            << ::testing::PrintToString(c.days);
}

} // namespace
} // namespace yilou::session
