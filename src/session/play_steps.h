#pragma once

#include "analysis/play_board.h"
#include "core/snapshot.h"
#include "core/text_grid.h"
#include "session/choices.h"
#include "session/held_view.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <tuple>
#include <vector>

namespace yilou::session {

/// The columns of a play board (玩法遗漏), in grid order.
enum class PlayColumn {
    Combination,    ///< 组合
    Hits,           ///< 出现次数
    ExpectedHits,   ///< 理论次数
    CurrentGap,     ///< 当前遗漏
    LastGap,        ///< 上次遗漏
    MeanGap,        ///< 平均遗漏
    MinGap,         ///< 最小遗漏
    MaxGap,         ///< 最大遗漏
    Ratio,          ///< 大后比
    TheoreticalGap, ///< 理论遗漏
    DueChance,      ///< 欲出几率
    Last10,         ///< 近10期
    Last30,         ///< 近30期
    Last100,        ///< 近100期
    LastIssue,      ///< 最后出现
};
inline constexpr int kPlayColumnCount = 15;

/// The header of a column: the csv headers and the grids'.
std::string playHeader(PlayColumn column);
/// The json key of a column, which --sort takes: the overview's for the figures they share.
std::string_view playColumnKey(PlayColumn column);
std::optional<PlayColumn> playColumnFromKey(std::string_view key);

/// A combination as the board shows it: its numbers with two digits ("03 07").
std::string combinationText(const analysis::PlayCombination& combination);
/// A cell as the board shows it: the figures the overview also has exactly as it shows them,
/// the recent counts in plain decimal, the issue of the last hit, "—" for none.
std::string playCellText(const analysis::PlayRow& row, PlayColumn column);

/// Orders rows by a column, ascending or descending; rows whose figure does not exist go last
/// either way, and equal rows stand in the order of their combinations. By the combination
/// column itself, descending is that order reversed.
void sortPlayRows(std::vector<analysis::PlayRow>& rows, PlayColumn column, bool descending);

/// How far a combination's current gap has run beyond its theoretical gap: the cells that the
/// boards tint.
enum class Overdue { No, Twice, Thrice };
Overdue overdue(const analysis::PlayRow& row);

/// What the user asked for, as typed; an empty text takes the default.
struct PlayRequest {
    std::string play;     ///< r1 … r8, q1, q2z, q2x, q3z, q3x
    std::string from, to; ///< the range's issues; the oldest and the newest draw by default
    std::string last;     ///< only the newest N draws of the range
    /// A reference issue: with `before`, the range ends at the draw before it, as the overview's
    /// does (an explicit `to` wins).
    std::string reference;
    bool before = false;
    std::string contains; ///< 胆: numbers, separated by commas or spaces
    std::string sort;     ///< a column's key; the combinations' order by default
    bool descending = false;
    std::string top; ///< only the first N rows
};

/// Numbers typed for a game of `highestNumber` numbers (杀号 …): each one of 1 … highestNumber,
/// else InputError naming `what` and the numbers the game has.
std::vector<int> readGameNumbers(const std::string& text, std::string_view what, int highestNumber);
/// The 胆 typed for a play (the boards' --contains, the filter's 胆码): numbers of the game
/// (readGameNumbers), no more than a ticket of the play holds, so that some combination holds
/// them all.
std::vector<int> readBankers(const std::string& text, analysis::Play play, int highestNumber);

/// A play board as it is shown.
struct PlayView {
    /// The rows holding every 胆, in the order asked for and cut to `top`.
    analysis::PlayBoard board;
    /// What the board covers: the play, the range and the 胆 (a line above it).
    std::string caption;
};

/// 玩法遗漏: reads the request's texts (mistakes throw InputError, a range without a stored draw
/// UserError) and makes the board for the game in force.
PlayView showPlays(const history::Snapshot& snapshot, const PlayRequest& request,
                   const Choices& choices);
/// What a page keeps of its board: the play and the game's highest number.
using HeldPlays = HeldView<analysis::PlayTallies, std::tuple<analysis::Play, int>>;
/// The same, advancing `held` when only draws were appended since (advanceOrMake).
PlayView showPlays(const history::Snapshot& snapshot, const PlayRequest& request,
                   const Choices& choices, HeldPlays& held, std::uint64_t revision);

/// The board as rows of texts, row 0 its headers: the command line's tables and the export.
/// Reads `view`, which must outlive it.
history::TextGrid playTextGrid(const PlayView& view);

} // namespace yilou::session
