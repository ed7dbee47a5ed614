#pragma once

#include "cli/cli_context.h"

namespace CLI {
class App;
} // namespace CLI

namespace yilou::cli {

/// import, delete-last, delete-to, export-text.
void addMaintenanceCommands(CLI::App& app, CliContext& context);

} // namespace yilou::cli
