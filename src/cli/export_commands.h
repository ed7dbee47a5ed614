#pragma once

#include "cli/cli_context.h"

#include <CLI/CLI.hpp>
#include <filesystem>
#include <string>

namespace yilou::cli {

/// export-xls history|search|group [FILE].
void addSpreadsheetExportCommand(CLI::App& app, CliContext& context);

/// Saves a copy of an exported file to `target` when one was asked for, and says so.
void saveCopy(CliContext& context, const std::filesystem::path& exported,
              const std::string& target);

} // namespace yilou::cli
