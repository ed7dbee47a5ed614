#pragma once

#include "cli/cli_context.h"

namespace CLI {
class App;
} // namespace CLI

namespace yilou::cli {

/// sample [INDEX] [--yes]: the sample histories installed with the program; with the index of
/// a game that has one, the history replaced by it and its game made the current one.
void addSampleCommand(CLI::App& app, CliContext& context);

} // namespace yilou::cli
