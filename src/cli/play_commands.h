#pragma once

#include "cli/cli_context.h"
#include "session/play_steps.h"

#include <functional>
#include <string>

namespace CLI {
class App;
} // namespace CLI

namespace yilou::cli {

/// plays: the board of a play type (玩法遗漏).
void addPlayCommands(CLI::App& app, CliContext& context);

/// Adds --play, which names a play by its key, to `command`.
void addPlayOption(CLI::App* command, std::string& play);

/// Adds the options of `plays` to `command`; the function returned makes the board they ask
/// for and warns on the error stream of what the user should know beside it.
std::function<session::PlayView()> addPlayOptions(CLI::App* command, CliContext& context);

} // namespace yilou::cli
