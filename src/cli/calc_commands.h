#pragma once

#include "cli/cli_context.h"
#include "session/calc_steps.h"

namespace CLI {
class App;
} // namespace CLI

namespace yilou::cli {

class JsonWriter;

/// calc: what a bet costs, pays and how likely each outcome is (投注计算); prizes: the prize
/// table of the current game's family (奖金设置).
void addCalcCommands(CLI::App& app, CliContext& context);

/// The prizes of the current game's family as saved.
analysis::PrizeTable currentPrizes(CliContext& context);

/// Yuan as a JSON number, exactly (1080, 8.5), or null.
void yuanField(JsonWriter& json, std::string_view name, std::optional<analysis::Fen> fen);

} // namespace yilou::cli
