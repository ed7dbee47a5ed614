#include "core/user_error.h"
#include "session/search_steps.h"
#include "session/typed_input.h"
#include "support/history_generator.h"

#include <gtest/gtest.h>

namespace yilou::session {
namespace {

using analysis::SearchType;

TEST(ParseDecimal, LeadingZerosAreDecimal) {
    EXPECT_EQ(parseDecimal("08", "值"), 8);
    EXPECT_EQ(parseDecimal("010", "值"), 10);
    EXPECT_EQ(parseDecimal("+7", "值"), 7);
    EXPECT_EQ(parseDecimal("-3", "值"), -3);
    for (const char* bad : {"", "0x1", "1.5", " 1", "99999999999"})
        EXPECT_THROW(parseDecimal(bad, "值"), UserError) << bad;
}

TEST(ParseIssue, BothFormsAndTheBoxName) {
    EXPECT_EQ(parseIssue("2017081284"), 17081284);
    EXPECT_EQ(parseIssue("17081284"), 17081284);
    try {
        parseIssue("2017-08-12", "起始");
        FAIL();
    } catch (const UserError& error) {
        EXPECT_EQ(std::string(error.what()).rfind("起始期号“2017-08-12”", 0), 0u) << error.what();
    }
}

// The range boxes and the reference issue: either form, and a refusal that names the box.
TEST(ParseIssue, RangeAndReferenceBoxes) {
    const auto snapshot =
        yilou::testing::snapshotOfIssues({17081201, 17081202, 17081203, 17081204});
    const auto range = resolveRange(snapshot, "2017081202", "17081203");
    EXPECT_EQ(range.first, 1u);
    EXPECT_EQ(range.last, 2u);
    const auto refusal = [](const auto& call) -> std::string {
        try {
            call();
        } catch (const UserError& error) {
            return error.what();
        }
        return "accepted";
    };
    // An empty range box stands for the oldest or the newest draw; an empty reference is none.
    for (const std::string bad : {"", "20170812x1", "201708128", "0017081201"}) {
        SCOPED_TRACE(bad);
        if (!bad.empty()) {
            EXPECT_EQ(
                refusal([&] { resolveRange(snapshot, bad, "2017081204"); }).rfind("起始期号", 0),
                0u);
            EXPECT_EQ(
                refusal([&] { resolveRange(snapshot, "2017081201", bad); }).rfind("截止期号", 0),
                0u);
        }
        EXPECT_EQ(refusal([&] {
                      lookUpReference(snapshot, bad, true, SearchType::Number,
                                      history::NumberOrder::Drop, 1, 84);
                  }).rfind("指定期号", 0),
                  0u);
    }
}

TEST(CodesInBoxOrder, SortsByBoxAndRefusesCodesNoBoxHas) {
    const history::Game& game = history::gameAt(0);
    const auto codes = [&](SearchType type, std::vector<std::string> typed) {
        return codesInBoxOrder(type, game, 1, 1, typed);
    };
    EXPECT_EQ(codes(SearchType::Number, {"5", "01", "3"}), (std::vector<int>{1, 3, 5}));
    EXPECT_EQ(codes(SearchType::Tail, {"9", "0"}), (std::vector<int>{0, 9}));
    EXPECT_THROW(codes(SearchType::Head, {"2"}), UserError);
    EXPECT_THROW(codes(SearchType::Number, {"0"}), UserError);
    EXPECT_THROW(codes(SearchType::Segment, {"x"}), UserError);
}

// Wherever the box was clicked, typing fills it from its start; no digit typed is dropped.
TEST(DrawBoxTyping, AFreshBoxFillsFromItsStartAndAFullOneStartsAgain) {
    const auto typed = [](std::string_view digits, bool fresh, char digit) {
        const auto box = typeDrawDigit(digits, fresh, digit);
        return box.digits + (box.complete ? "|" : "");
    };
    EXPECT_EQ(typed("", true, '0'), "0");
    EXPECT_EQ(typed("0", false, '3'), "03|");
    EXPECT_EQ(typed("03", true, '1'), "1");  // entered again: what it held goes
    EXPECT_EQ(typed("7", true, '0'), "0");   // a half box entered again starts from its start
    EXPECT_EQ(typed("03", false, '5'), "5"); // still in a full box: starts again
    EXPECT_EQ(typed("", false, '9'), "9");
}

TEST(HistoryTextFileName, EndsInTxtInAnyCase) {
    EXPECT_TRUE(isHistoryTextFileName("history.TXT"));
    EXPECT_TRUE(isHistoryTextFileName("a.txt"));
    EXPECT_FALSE(isHistoryTextFileName("history.csv"));
    EXPECT_FALSE(isHistoryTextFileName("tx"));
}

TEST(RangeIssues, EmptyBoxesTakeTheFirstAndLastIssueOrAreRefused) {
    EXPECT_THROW(rangeIssues(history::Snapshot{}, "", ""), UserError);
    const auto snapshot = testing::snapshotOf(testing::generateDraws(3));
    const auto whole = rangeIssues(snapshot, "", "");
    EXPECT_EQ(whole.start, 17010101);
    EXPECT_EQ(whole.end, 17010103);
    EXPECT_EQ(rangeIssues(snapshot, "", "17010102").end, 17010102);
}

} // namespace
} // namespace yilou::session
