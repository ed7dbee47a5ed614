#pragma once

#include "cli/cli_context.h"

namespace CLI {
class App;
} // namespace CLI

namespace yilou::cli {

/// update [--url TEMPLATE] [--today YYYY-MM-DD]: the online update of the history.
void addUpdateCommand(CLI::App& app, CliContext& context);

} // namespace yilou::cli
