#pragma once

#include "core/draw_record.h"
#include "core/games.h"

#include <optional>
#include <string>

namespace yilou::history {

/// Why a draw cannot be stored for `game`, or nothing when it can: the issue's date must exist
/// and its ordinal be at least 1; the five numbers must lie in 1..11 (1..12 for the happy-12
/// games) and be distinct.
std::optional<std::string> drawProblem(Issue issue, const PositionValues& numbers,
                                       const Game& game);
/// The same for the numbers 1..highestNumber.
std::optional<std::string> drawProblem(Issue issue, const PositionValues& numbers,
                                       int highestNumber);
/// Why five numbers cannot be a draw's of the numbers 1..highestNumber, the issue aside.
std::optional<std::string> numbersProblem(const PositionValues& numbers, int highestNumber);
/// Why a draw's numbers cannot be stored for the numbers 1..highestNumber by their range alone:
/// the first number outside it, or nothing.
std::optional<std::string> numberRangeProblem(const PositionValues& numbers, int highestNumber);
/// Why one number cannot be a draw's of the numbers 1..highestNumber, or nothing.
std::optional<std::string> numberRangeProblem(int number, int highestNumber);

} // namespace yilou::history
