#pragma once

#include "cli/cli_context.h"

#include <CLI/CLI.hpp>

namespace yilou::cli {

/// overview, trend, missing.
void addOverviewCommands(CLI::App& app, CliContext& context);

} // namespace yilou::cli
