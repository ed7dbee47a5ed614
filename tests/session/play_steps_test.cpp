#include "core/user_error.h"
#include "session/play_steps.h"
#include "support/history_generator.h"

#include <gtest/gtest.h>

namespace yilou::session {
namespace {

using analysis::Play;
using analysis::PlayRow;

/// 300 draws; `issue(i)` is the issue of draw i as typed.
const history::Snapshot& history300() {
    static const auto snapshot = testing::snapshotOf(testing::generateDraws(300, 7));
    return snapshot;
}
std::string issue(std::size_t index) {
    return history::issueText(history300().issues[index]);
}

enum class Outcome { Shown, InputMistake, Refused };

struct RequestCase {
    const char* name;
    PlayRequest request;
    Outcome outcome = Outcome::Shown;
    std::size_t first = 0, last = 299; ///< the range's snapshot indexes
    std::size_t rows = 55;
    int gsZl = 0;
    bool emptyHistory = false;
};

void PrintTo(const RequestCase& c, std::ostream* out) {
    *out << c.name;
}

class PlayRequests : public ::testing::TestWithParam<RequestCase> {};

// The texts of a request decide the range, the rows and their order; the board itself is the
// engine's for that range.
TEST_P(PlayRequests, AreReadIntoTheBoard) {
    const auto& c = GetParam();
    const Choices choices{c.gsZl, 1, 1, std::nullopt};
    const history::Snapshot empty;
    const auto& snapshot = c.emptyHistory ? empty : history300();
    if (c.outcome != Outcome::Shown) {
        try {
            showPlays(snapshot, c.request, choices);
            ADD_FAILURE() << "shown";
        } catch (const InputError&) {
            EXPECT_EQ(c.outcome, Outcome::InputMistake);
        } catch (const UserError&) {
            EXPECT_EQ(c.outcome, Outcome::Refused);
        }
        return;
    }
    const PlayView view = showPlays(snapshot, c.request, choices);
    EXPECT_EQ(view.board.range.first, c.first);
    EXPECT_EQ(view.board.range.last, c.last);
    EXPECT_EQ(view.board.rows.size(), c.rows);
    EXPECT_NE(view.caption.find(issue(c.first) + "～" + issue(c.last)), std::string::npos)
        << view.caption;
    auto expected = analysis::playBoard(snapshot, *analysis::playOfKey(c.request.play),
                                        {c.first, c.last}, choices.game().highestNumber)
                        .rows;
    const std::vector<int> bankers{3, 7};
    if (!c.request.contains.empty())
        analysis::keepRowsHolding(expected, bankers);
    if (const auto column = playColumnFromKey(c.request.sort))
        sortPlayRows(expected, *column, c.request.descending);
    expected.resize(c.rows);
    EXPECT_EQ(view.board.rows, expected);
}

PlayRequest play(const char* key) {
    PlayRequest request;
    request.play = key;
    return request;
}
PlayRequest with(PlayRequest request, std::string PlayRequest::*field, std::string text) {
    request.*field = std::move(text);
    return request;
}
const PlayRequest r2 = play("r2");

INSTANTIATE_TEST_SUITE_P(
    , PlayRequests,
    ::testing::Values(
        RequestCase{"whole history", r2},
        RequestCase{"from and to",
                    with(with(r2, &PlayRequest::from, issue(10)), &PlayRequest::to, issue(99)),
                    Outcome::Shown, 10, 99},
        RequestCase{"last of the whole history", with(r2, &PlayRequest::last, "50"), Outcome::Shown,
                    250, 299},
        RequestCase{"last of a range",
                    with(with(r2, &PlayRequest::to, issue(99)), &PlayRequest::last, "50"),
                    Outcome::Shown, 50, 99},
        RequestCase{"last longer than the range", with(r2, &PlayRequest::last, "5000")},
        RequestCase{"reference before",
                    [] {
                        auto request = with(r2, &PlayRequest::reference, issue(120));
                        request.before = true;
                        return request;
                    }(),
                    Outcome::Shown, 0, 119},
        RequestCase{"reference alone keeps the newest draw",
                    with(r2, &PlayRequest::reference, issue(120))},
        RequestCase{"banker", with(play("r3"), &PlayRequest::contains, "3, 07"), Outcome::Shown, 0,
                    299, 9},
        RequestCase{"banker outside the game", with(r2, &PlayRequest::contains, "12"),
                    Outcome::InputMistake},
        RequestCase{"banker below 01", with(r2, &PlayRequest::contains, "-1"),
                    Outcome::InputMistake},
        RequestCase{"more bankers than numbers", with(play("q1"), &PlayRequest::contains, "3,7"),
                    Outcome::InputMistake},
        RequestCase{"sorted down and cut",
                    [] {
                        auto request = with(with(play("q2z"), &PlayRequest::sort, "currentGap"),
                                            &PlayRequest::top, "7");
                        request.descending = true;
                        return request;
                    }(),
                    Outcome::Shown, 0, 299, 7},
        RequestCase{"top beyond the rows", with(r2, &PlayRequest::top, "100")},
        RequestCase{"twelve numbers", play("r2"), Outcome::Shown, 0, 299, 66, 25},
        RequestCase{"unknown play", play("r9"), Outcome::InputMistake},
        RequestCase{"unknown column", with(r2, &PlayRequest::sort, "组合"), Outcome::InputMistake},
        RequestCase{"banker not a number", with(r2, &PlayRequest::contains, "3,x"),
                    Outcome::InputMistake},
        RequestCase{"no rows", with(r2, &PlayRequest::top, "0"), Outcome::InputMistake},
        RequestCase{"no draws", with(r2, &PlayRequest::last, "-3"), Outcome::InputMistake},
        RequestCase{"start not an issue", with(r2, &PlayRequest::from, "20170101"),
                    Outcome::InputMistake},
        RequestCase{"end before start",
                    with(with(r2, &PlayRequest::from, issue(50)), &PlayRequest::to, issue(10)),
                    Outcome::Refused},
        RequestCase{"empty history", r2, Outcome::Refused, 0, 0, 0, 0, true}));

PlayRow row(std::int8_t a, std::int8_t b, std::int32_t currentGap, std::optional<double> mean) {
    PlayRow r;
    r.combination.numbers = {a, b};
    r.combination.size = 2;
    r.currentGap = currentGap;
    r.meanGap = mean;
    r.theoreticalGap = 5.5;
    return r;
}

// Rows without the figure go last either way; equal figures keep the combinations' order
// whatever the order they came in; the combination column itself reverses.
TEST(PlayRows, SortAndTint) {
    const std::vector<PlayRow> rows{row(2, 3, 11, std::nullopt), row(1, 4, 16, 2.5),
                                    row(1, 2, 11, 2.5), row(1, 3, 10, 4.0)};
    const auto order = [&rows](PlayColumn column, bool descending) {
        auto sorted = rows;
        sortPlayRows(sorted, column, descending);
        std::string texts;
        for (const auto& r : sorted)
            texts += combinationText(r.combination) + ";";
        return texts;
    };
    EXPECT_EQ(order(PlayColumn::MeanGap, false), "01 02;01 04;01 03;02 03;");
    EXPECT_EQ(order(PlayColumn::MeanGap, true), "01 03;01 02;01 04;02 03;");
    EXPECT_EQ(order(PlayColumn::CurrentGap, true), "01 04;01 02;02 03;01 03;");
    EXPECT_EQ(order(PlayColumn::Combination, false), "01 02;01 03;01 04;02 03;");
    EXPECT_EQ(order(PlayColumn::Combination, true), "02 03;01 04;01 03;01 02;");
    EXPECT_EQ(playCellText(rows[0], PlayColumn::MeanGap), "—");
    EXPECT_EQ(playCellText(rows[0], PlayColumn::LastIssue), "—");
    EXPECT_EQ(playCellText(rows[1], PlayColumn::MeanGap), "2.50");
    // 理论遗漏 5.5: tinted from 11 draws on, more strongly from 16.5.
    EXPECT_EQ(overdue(rows[3]), Overdue::No);
    EXPECT_EQ(overdue(rows[2]), Overdue::Twice);
    EXPECT_EQ(overdue(row(1, 5, 17, 1.0)), Overdue::Thrice);
}

} // namespace
} // namespace yilou::session
