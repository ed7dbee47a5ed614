#pragma once

#include "cli/cli_context.h"

namespace CLI {
class App;
} // namespace CLI

namespace yilou::cli {

/// overview, trend, missing.
void addOverviewCommands(CLI::App& app, CliContext& context);

} // namespace yilou::cli
