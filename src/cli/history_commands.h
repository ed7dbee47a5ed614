#pragma once

#include "cli/cli_context.h"

#include <CLI/CLI.hpp>

namespace yilou::cli {

/// game, import, history, add, delete-last, delete-to, clear, next, export-text.
void addHistoryCommands(CLI::App& app, CliContext& context);

} // namespace yilou::cli
