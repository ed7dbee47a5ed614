#pragma once

#include "cli/cli_context.h"

namespace CLI {
class App;
} // namespace CLI

namespace yilou::cli {

/// game, import, history, add, delete-last, delete-to, clear, next, export-text.
void addHistoryCommands(CLI::App& app, CliContext& context);

} // namespace yilou::cli
