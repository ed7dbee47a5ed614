#pragma once

#include "cli/cli_context.h"

#include <CLI/CLI.hpp>

namespace yilou::cli {

/// search, partial, group, yl.
void addAnalysisCommands(CLI::App& app, CliContext& context);

} // namespace yilou::cli
