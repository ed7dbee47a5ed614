#pragma once

#include "cli/cli_context.h"
#include "session/file_steps.h"

#include <functional>
#include <string>

namespace CLI {
class App;
} // namespace CLI

namespace yilou::cli {

/// export-xls history|search|group [FILE].
void addSpreadsheetExportCommand(CLI::App& app, CliContext& context);

/// Runs `exportFile` and, when `target` is not empty, copies the file it wrote to `target`
/// whole. A target that is one of the program's own files is refused before anything runs;
/// the export and the copy are reported once both are written.
void exportWithCopy(CliContext& context, const std::string& target,
                    const std::function<session::ExportShown()>& exportFile);

} // namespace yilou::cli
