#include "core/user_error.h"
#include "session/view_steps.h"
#include "support/history_generator.h"

#include <gtest/gtest.h>

namespace yilou::session {
namespace {

// The range of a view from what both front ends read: texts left empty take the oldest and the
// newest draw, a reference sets the end unless one is typed, and --last or the trend's N keep
// the newest draws of it.
TEST(ViewRange, FollowsTheBoxesTheReferenceAndTheCount) {
    const auto snapshot = testing::snapshotOf(testing::generateDraws(300));
    const auto& issues = snapshot.issues;
    const auto text = [&](std::size_t i) { return history::issueText(issues[i]); };
    const std::size_t newest = issues.size() - 1;
    const Choices choices;
    struct Case {
        const char* name;
        std::string start, end;
        std::optional<std::string> reference;
        bool beforeOnly;
        std::size_t last;
        std::size_t first, lastIndex;
    };
    const Case cases[] = {
        {"whole history", "", "", std::nullopt, false, analysis::kAllDraws, 0, newest},
        {"typed range", text(10), text(20), std::nullopt, false, analysis::kAllDraws, 10, 20},
        {"reference alone ends at the newest", "", "", text(100), false, analysis::kAllDraws, 0,
         newest},
        {"before the reference", text(5), "", text(100), true, analysis::kAllDraws, 5, 99},
        {"a typed end wins", "", text(50), text(100), true, analysis::kAllDraws, 0, 50},
        {"newest of the range", "", text(20), std::nullopt, false, 7, 14, 20},
        {"more than the range holds", text(3), text(5), std::nullopt, false, 50, 3, 5},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        ViewRequest request;
        request.start = c.start;
        request.end = c.end;
        request.reference = c.reference;
        request.beforeOnly = c.beforeOnly;
        request.last = c.last;
        const auto range = viewRange(snapshot, request, choices);
        EXPECT_EQ(range.first, c.first);
        EXPECT_EQ(range.last, c.lastIndex);
    }
}

TEST(ViewRange, RefusesWhatNamesNoDraws) {
    const auto snapshot = testing::snapshotOf(testing::generateDraws(50));
    const Choices choices;
    ViewRequest older;
    older.reference = "2000010101";
    ViewRequest unreadable;
    unreadable.end = "20150101x1";
    for (const auto& request : {older, unreadable})
        EXPECT_THROW(viewRange(snapshot, request, choices), UserError);
    EXPECT_THROW(viewRange(history::Snapshot{}, ViewRequest{}, choices), UserError);
    EXPECT_THROW(listMissingIssues(history::Snapshot{}, choices), UserError);
}

// The range boxes after a change of the history or of 检索期选择 and 仅检索该期前: 止 is the
// newest draw or the issue before the reference, 起 keeps what was typed, the oldest draw, or
// the N newest draws up to 止; and the views read the same draws from the reference.
TEST(RangeBoxes, FollowTheSpanAndTheReference) {
    const auto snapshot = testing::snapshotOf(testing::generateDraws(300));
    const auto text = [&](std::size_t i) { return history::issueText(snapshot.issues[i]); };
    const int drawsPerDay = Choices{}.game().drawsPerDay;
    struct Case {
        const char* name;
        RangeRule rule;
        std::string start, end;
    };
    const Case cases[] = {
        {"typed start stays", {RangeSpan::AsTyped, text(7)}, text(7), text(299)},
        {"empty start is the oldest", {RangeSpan::AsTyped}, text(0), text(299)},
        {"a new history restarts",
         {RangeSpan::AsTyped, text(7), "", false, "", true},
         text(0),
         text(299)},
        {"whole history", {RangeSpan::Whole, text(7)}, text(0), text(299)},
        {"before the reference",
         {RangeSpan::AsTyped, text(7), "", true, text(299)},
         text(7),
         text(298)},
        {"newest ten", {RangeSpan::Newest, text(7), "10"}, text(290), text(299)},
        {"newest ten before the reference",
         {RangeSpan::Newest, "", "10", true, text(299)},
         text(289),
         text(298)},
        {"more than stored", {RangeSpan::Newest, "", "99", true, text(20)}, text(0), text(19)},
        {"no N limits nothing", {RangeSpan::Newest, text(7), ""}, text(0), text(299)},
        {"unticked reference is ignored",
         {RangeSpan::Whole, "", "", false, text(50)},
         text(0),
         text(299)},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const auto boxes = rangeBoxes(snapshot, c.rule, drawsPerDay);
        EXPECT_EQ(boxes.start, c.start);
        EXPECT_EQ(boxes.end, c.end);
        if (c.rule.beforeReference) {
            ViewRequest view;
            view.start = boxes.start;
            view.reference = c.rule.reference;
            view.beforeOnly = true;
            const auto range = viewRange(snapshot, view, Choices{});
            EXPECT_EQ(text(range.last), boxes.end);
        }
    }
    EXPECT_EQ(
        rangeBoxes(history::Snapshot{}, {RangeSpan::Newest, text(7), "10"}, drawsPerDay).start, "");
    EXPECT_THROW(rangeBoxes(snapshot, {RangeSpan::Newest, "", "0"}, drawsPerDay), InputError);
}

// A reference issue that is not stored finds the draw before it; with 仅检索该期前 the range
// ends before that draw, in the boxes as in the views, never taking in the draw found.
TEST(RangeBoxes, EndBeforeTheDrawAMissingReferenceFinds) {
    auto records = testing::generateDraws(300);
    const auto between = records[150].issue, afterNewest = records[299].issue;
    records.erase(records.begin() + 299);
    records.erase(records.begin() + 150);
    const auto snapshot = testing::snapshotOf(records);
    const int drawsPerDay = Choices{}.game().drawsPerDay;
    for (const auto& [reference, found] :
         {std::pair{between, records[149].issue}, std::pair{afterNewest, records[297].issue}}) {
        SCOPED_TRACE(reference);
        const auto end = history::issueText(history::issueBefore(found, drawsPerDay));
        const RangeRule rule{RangeSpan::AsTyped, "", "", true, history::issueText(reference)};
        EXPECT_EQ(rangeBoxes(snapshot, rule, drawsPerDay).end, end);
        ViewRequest view;
        view.reference = rule.reference;
        view.beforeOnly = true;
        EXPECT_EQ(history::issueText(snapshot.issues[viewRange(snapshot, view, Choices{}).last]),
                  end);
    }
}

} // namespace
} // namespace yilou::session
