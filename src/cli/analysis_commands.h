#pragma once

#include "cli/cli_context.h"
#include "core/yl_row.h"
#include "session/search_steps.h"

#include <functional>
#include <vector>

namespace CLI {
class App;
} // namespace CLI

namespace yilou::cli {

/// search, partial, group, yl.
void addAnalysisCommands(CLI::App& app, CliContext& context);

/// Adds the options of `search` to `command`; the function returned runs the search they ask
/// for.
std::function<analysis::SearchResult()> addSearchOptions(CLI::App* command, CliContext& context);

/// What a command does with the rows of a grouped calculation.
using ShowYlRows = std::function<void(const std::vector<history::YlRow>&)>;

/// Adds the options of `group` to `command`; the function returned runs the grouped
/// calculation they ask for (which replaces the rows of YL), hands its rows in the order asked
/// for to `show` and then warns on the error stream when YL could not be saved (a read-only
/// database): the rows count all the same.
std::function<void(const ShowYlRows& show)> addGroupOptions(CLI::App* command, CliContext& context);

} // namespace yilou::cli
