#include "cli/export_commands.h"

#include "cli/analysis_commands.h"
#include "cli/play_commands.h"
#include "session/grid_text.h"

#include <CLI/CLI.hpp>
#include <memory>

namespace yilou::cli {

namespace {

session::ExportShown exportGrid(CliContext& context, history::ExportedGrid which,
                                const history::TextGrid& grid) {
    // Without a progress report the export always runs to its end.
    return *session::exportWorkbook(context.dataDir(), which, grid);
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
        "export-xls",
        "把历史号码、检索结果、分组计算结果或玩法遗漏导出为 Excel 表格文件（数据文件夹中）");
    command->require_subcommand(1);
    auto target = std::make_shared<std::string>();

    auto* historyCommand = addGridCommand(command, "history", "历史号码 → lishi.xls", *target);
    historyCommand->callback([&context, target] {
        exportWithCopy(context, *target, [&context] {
            const auto snapshot = context.db().loadSnapshot();
            return exportGrid(context, history::ExportedGrid::History,
                              session::historyTextGrid(snapshot));
        });
    });

    auto* searchCommand =
        addGridCommand(command, "search", "检索结果 → Jiansuo.xls（选项同 search）", *target);
    const auto runSearch = addSearchOptions(searchCommand, context);
    searchCommand->callback([&context, target, runSearch] {
        exportWithCopy(context, *target, [&context, &runSearch] {
            const auto result = runSearch();
            return exportGrid(context, history::ExportedGrid::Search,
                              session::searchTextGrid(result));
        });
    });

    auto* groupCommand =
        addGridCommand(command, "group", "分组计算结果 → Jieguo.xls（选项同 group）", *target);
    const auto runGroup = addGroupOptions(groupCommand, context);
    groupCommand->callback([&context, target, runGroup] {
        exportWithCopy(context, *target, [&context, &runGroup] {
            session::ExportShown exported;
            runGroup([&](const std::vector<history::YlRow>& rows) {
                exported =
                    exportGrid(context, history::ExportedGrid::Group, session::ylTextGrid(rows));
            });
            return exported;
        });
    });

    auto* playsCommand =
        addGridCommand(command, "plays", "玩法遗漏 → Wanfa.xls（选项同 plays）", *target);
    const auto makeBoard = addPlayOptions(playsCommand, context);
    playsCommand->callback([&context, target, makeBoard] {
        exportWithCopy(context, *target, [&context, &makeBoard] {
            const auto view = makeBoard();
            return exportGrid(context, history::ExportedGrid::Plays, session::playTextGrid(view));
        });
    });
}

void exportWithCopy(CliContext& context, const std::string& target,
                    const std::function<session::ExportShown()>& exportFile) {
    if (!target.empty())
        session::checkCopyTarget(target, context.dataDir());
    const auto exported = exportFile();
    const std::string copied = target.empty() ? "" : session::copyExport(exported, target);
    context.out << exported.report << '\n';
    if (!target.empty())
        context.out << copied << '\n';
}

} // namespace yilou::cli
