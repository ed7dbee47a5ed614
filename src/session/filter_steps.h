#pragma once

#include "analysis/backtest_money.h"
#include "analysis/ticket_filter.h"
#include "core/issue.h"
#include "core/snapshot.h"
#include "core/text_grid.h"
#include "session/choices.h"

#include <cstddef>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

namespace yilou::session {

/// The conditions of the ticket filter (缩水) as typed; an empty text leaves a condition out.
struct FilterRequest {
    std::string play{};    ///< r1 … r8, q1, q2z, q2x, q3z, q3x
    std::string must{};    ///< 胆: numbers separated by commas or spaces
    std::string exclude{}; ///< 杀号: the same
    /// Ranges as "A-B" (or one number): of the sum, the span and the current omission.
    std::string sum{}, span{}, omission{};
    /// Counts allowed, separated by commas or spaces ("2,3"): odd, big and prime numbers,
    /// consecutive pairs.
    std::string odd{}, big{}, prime{}, consecutive{};
};

/// The request read: the play and its conditions, and how captions name them.
struct FilterPlan {
    analysis::Play play = analysis::Play::Any1;
    int highestNumber = 11;
    analysis::TicketConditions conditions;
    /// "胆 03  杀 11  和值 25-35  奇数 2,3个"; empty without a condition.
    std::string conditionsText;
};

/// Reads the request for the game in force; a mistake throws InputError, among them a number
/// that is both 胆 and 杀号, a count outside 0 … 8, and every condition no ticket of the play
/// can meet: a 胆 or 杀号 that is no number of the game, more 胆 than a ticket holds, so many
/// 杀号 that no ticket is left, a range reversed or wholly outside what its figure can be.
FilterPlan readFilter(const FilterRequest& request, const Choices& choices);

/// The tickets the conditions keep against the whole history.
struct FilterView {
    analysis::Play play = analysis::Play::Any1;
    std::vector<analysis::PlayCombination> tickets;
    /// The play, the conditions and the count of tickets.
    std::string caption;
};

/// 缩水: the tickets of the plan's play that meet its conditions.
FilterView filterTickets(const history::Snapshot& snapshot, const FilterPlan& plan);

/// The tickets as text, one a line as betting apps take them: "01 02 03 04 05".
std::string ticketLines(const FilterView& view);
/// 导出号码: writes ticketLines to `file` as a whole (a failed write leaves the file as it was;
/// UserError); returns what to say about it.
std::string exportTickets(const FilterView& view, const std::filesystem::path& file);
/// The tickets as rows of texts (one column, 号码), row 0 its header.
history::TextGrid ticketTextGrid(const FilterView& view);

/// One draw of a back-test as it is shown.
struct BacktestDraw {
    history::Issue issue = 0;
    history::PositionValues numbers{};
    std::int32_t tickets = 0;
    std::int32_t wins = 0;
};

/// A back-test as it is shown.
struct BacktestView {
    analysis::Play play = analysis::Play::Any1;
    std::vector<BacktestDraw> rows;
    analysis::BacktestTotals totals;
    /// The draws and totals in money; none when the play has no prize.
    std::optional<analysis::BacktestMoney> money;
    /// The play, the conditions and the draws tested.
    std::string caption;
    /// The totals beside chance, in plain words, one sentence a line: the money last, or why
    /// there is none.
    std::vector<std::string> summary;
    /// Things the user should know beside it (fewer draws than asked for).
    std::vector<std::string> warnings;
};

/// Reads the number of draws of a back-test as typed: all that have one before them when empty.
std::size_t readBacktestDraws(const std::string& text);

/// 回测 of the plan over the newest `last` draws, in money at `prizes`, in one call that may run
/// on a worker thread; `progress` may stop it (none is returned then).
std::optional<BacktestView> backtestTickets(const history::Snapshot& snapshot,
                                            const FilterPlan& plan, std::size_t last,
                                            const analysis::PrizeTable& prizes,
                                            const analysis::BacktestProgress& progress = {});

/// The back-test's draws as rows of texts, row 0 its headers: 期号, 开奖号码, 注数, 中奖注数,
/// 投入(元), 奖金(元), 盈亏(元), 纯随机期望(元); the money cells empty without a prize.
history::TextGrid backtestTextGrid(const BacktestView& view);

} // namespace yilou::session
