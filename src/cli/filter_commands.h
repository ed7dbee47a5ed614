#pragma once

#include "cli/cli_context.h"

namespace CLI {
class App;
} // namespace CLI

namespace yilou::cli {

/// filter: the tickets of a play that meet the conditions (缩水); backtest: what they would
/// have done over the newest draws (回测).
void addFilterCommands(CLI::App& app, CliContext& context);

} // namespace yilou::cli
