#pragma once

#include "cli/cli_context.h"

#include <CLI/CLI.hpp>

namespace yilou::cli {

/// import, delete-last, delete-to, export-text.
void addMaintenanceCommands(CLI::App& app, CliContext& context);

} // namespace yilou::cli
