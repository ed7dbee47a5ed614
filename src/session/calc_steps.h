#pragma once

#include "analysis/prize_table.h"
#include "analysis/ticket_calc.h"
#include "core/text_grid.h"
#include "session/choices.h"

#include <optional>
#include <string>
#include <vector>

namespace yilou::session {

/// A bet as typed; numbers separated by commas or spaces.
struct CalcRequest {
    std::string play{}; ///< r1 … r8, q1, q2z, q2x, q3z, q3x
    /// 复式: the numbers; with `bankers` the 拖; for 直选 the numbers of every place (直选复式).
    std::string numbers{};
    std::string bankers{};                ///< 胆: a 胆拖 bet
    std::vector<std::string> positions{}; ///< 直选 by position: each place's numbers
    std::string multiple{};               ///< 倍数 1 … 99; 1 when empty
};

/// The bet read for the game in force: a mistake throws InputError, among them numbers that
/// are none of the game, a 胆 also among the 拖 or more 胆 than leave room for one 拖, places
/// given for a play that is not 直选 (or not as many as it has), and numbers that make no
/// ticket.
analysis::Bet readBet(const CalcRequest& request, const Choices& choices);
/// The 倍数 typed: 1 … 99, 1 when empty; InputError otherwise.
int readMultiple(const std::string& text);

/// The ticket calculator (投注计算) as it is shown.
struct CalcView {
    analysis::Bet bet;
    int multiple = 1;
    analysis::BetChances chances;
    analysis::Fen cost = 0;
    std::optional<analysis::Fen> prize;      ///< of one winning ticket at 1 倍
    std::optional<analysis::BetMoney> money; ///< none without a prize
    /// The play, the numbers, the tickets, the multiple and the cost.
    std::string caption;
    /// The chance of winning anything, the expected return and the largest prize in plain
    /// words, and why a figure is missing.
    std::vector<std::string> summary;
};

/// 投注计算: every outcome of the bet over the game's draws with its winning tickets, prize and
/// exact chance, for the game in force and its prizes.
CalcView calculateBet(const CalcRequest& request, const Choices& choices,
                      const analysis::PrizeTable& prizes);

/// The outcome's hits as the grid names them.
std::string outcomeText(const CalcView& view, const analysis::BetOutcome& outcome);
/// The prize of an outcome at the view's multiple: none without a prize.
std::optional<analysis::Fen> outcomePrize(const CalcView& view,
                                          const analysis::BetOutcome& outcome);

/// The outcomes as rows of texts, row 0 its headers: 命中, 中奖注数, 奖金(元), 概率.
history::TextGrid calcTextGrid(const CalcView& view);

/// The prizes of the game's family: the stored table (none: never saved, the defaults).
analysis::PrizeTable prizeTableOf(const std::optional<std::string>& stored, int highestNumber);
/// Sets prizes typed as PLAY=YUAN ("r5=540"; "r5=" clears it); InputError for anything else.
analysis::PrizeTable setPrizes(analysis::PrizeTable table, const std::vector<std::string>& typed);
/// The prize table as rows of texts, row 0 its headers: 玩法, 键, 奖金(元).
history::TextGrid prizeTextGrid(const analysis::PrizeTable& table);

} // namespace yilou::session
