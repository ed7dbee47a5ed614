#pragma once

#include "analysis/search_type.h"
#include "core/games.h"
#include "core/issue.h"

#include <string>
#include <string_view>
#include <vector>

namespace yilou::session {

/// Reads a whole decimal number as typed; leading zeros never make it octal ("08" is eight,
/// "010" ten). Throws InputError naming `what` when the text is not a number.
int parseDecimal(std::string_view text, std::string_view what);

/// Reads whole numbers separated by commas or spaces, ascending and each once; throws
/// InputError naming `what` for anything that is not a number.
std::vector<int> parseNumberList(std::string_view text, std::string_view what);

/// Reads a game as typed: its index 0..27 or its game code ("11x5gd"); throws InputError for
/// anything else.
int parseGame(std::string_view text);

/// Reads a game's draws per day, 1..120; throws InputError otherwise.
int parseDrawsPerDay(std::string_view text);

/// Reads a ten-digit or eight-digit issue; throws InputError naming the box `which` otherwise.
history::Issue parseIssue(std::string_view text, std::string_view which = {});

/// The issues of the range boxes 起始 and 截止.
struct IssueBounds {
    history::Issue start = 0;
    history::Issue end = 0;
};

/// Reads the range boxes' texts; throws InputError naming the box that holds no issue.
IssueBounds parseRange(std::string_view startText, std::string_view endText);

/// The codes of a selection in the order of the combination panel's boxes, whatever order they
/// were given in. A code that is not selectable for the type in `game` under the bases in force
/// (analysis::selectableCodes) is refused (InputError).
std::vector<int> codesInBoxOrder(analysis::SearchType type, const history::Game& game, int sxIni,
                                 int dsIni, const std::vector<std::string>& codes);

/// A number box of a typed draw (two digits) after a digit was typed into it.
struct DrawBoxTyping {
    std::string digits; ///< what the box holds: one or two digits
    bool complete;      ///< two digits: the focus moves on to the next box
};

/// A digit typed into a number box of a typed draw that holds `digits`. A box just entered
/// (`fresh`: the focus came to it, or it was clicked, wherever in it) is filled from its start
/// whatever it held; otherwise the digit follows the box's one digit, and a full box starts
/// again, so that no digit typed is ever dropped.
DrawBoxTyping typeDrawDigit(std::string_view digits, bool fresh, char digit);

/// Whether a file may be read as a history text file: its name ends in "txt" in any case.
bool isHistoryTextFileName(std::string_view fileName);

} // namespace yilou::session
