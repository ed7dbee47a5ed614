#include "cli/export_commands.h"

#include "cli/analysis_commands.h"
#include "history/messages.h"
#include "history/spreadsheet_export.h"
#include "history/text_file_writer.h"
#include "session/grid_text.h"

#include <memory>

namespace yilou::cli {

namespace {

void exportGrid(CliContext& context, history::ExportedGrid which, const history::TextGrid& grid,
                const std::string& target) {
    // Without a progress report the export always runs to its end.
    const auto done = *history::exportSpreadsheet(context.dataDir(), which, grid);
    context.out << messages::workbookExported(done.file, done.sheets) << '\n';
    saveCopy(context, done.file, target);
}

/// A grid's subcommand, with the FILE argument every one takes.
CLI::App* addGridCommand(CLI::App* parent, const std::string& name, const std::string& description,
                         std::string& target) {
    auto* command = parent->add_subcommand(name, description);
    command->add_option("FILE", target, "另存一份到此文件");
    return command;
}

} // namespace

void addSpreadsheetExportCommand(CLI::App& app, CliContext& context) {
    auto* command = app.add_subcommand(
        "export-xls", "把历史号码、检索结果或分组计算结果导出为 Excel 表格文件（数据文件夹中）");
    command->require_subcommand(1);
    auto target = std::make_shared<std::string>();

    auto* historyCommand = addGridCommand(command, "history", "历史号码 → lishi.xls", *target);
    historyCommand->callback([&context, target] {
        const auto snapshot = context.db().loadSnapshot();
        exportGrid(context, history::ExportedGrid::History, session::historyTextGrid(snapshot),
                   *target);
    });

    auto* searchCommand =
        addGridCommand(command, "search", "检索结果 → Jiansuo.xls（选项同 search）", *target);
    const auto runSearch = addSearchOptions(searchCommand, context);
    searchCommand->callback([&context, target, runSearch] {
        const auto result = runSearch();
        exportGrid(context, history::ExportedGrid::Search, session::searchTextGrid(result),
                   *target);
    });

    auto* groupCommand =
        addGridCommand(command, "group", "分组计算结果 → Jieguo.xls（选项同 group）", *target);
    const auto runGroup = addGroupOptions(groupCommand, context);
    groupCommand->callback([&context, target, runGroup] {
        const auto rows = runGroup();
        exportGrid(context, history::ExportedGrid::Group, session::ylTextGrid(rows), *target);
    });
}

void saveCopy(CliContext& context, const std::filesystem::path& exported,
              const std::string& target) {
    if (target.empty())
        return;
    history::copyFileWhole(exported, target);
    context.out << messages::savedCopyTo(target) << '\n';
}

} // namespace yilou::cli
