#pragma once

#include "cli/cli_context.h"

namespace CLI {
class App;
} // namespace CLI

namespace yilou::cli {

/// pattern overview, pattern trend, pattern draws.
void addPatternCommands(CLI::App& app, CliContext& context);

} // namespace yilou::cli
