#include "cli/maintenance_commands.h"

#include "cli/export_commands.h"
#include "history/maintenance.h"
#include "history/messages.h"
#include "history/text_export.h"
#include "history/text_import.h"
#include "history/user_error.h"
#include "session/history_steps.h"
#include "session/typed_input.h"

#include <filesystem>

namespace yilou::cli {

namespace {

void addImportCommand(CLI::App& app, CliContext& context) {
    auto* command = app.add_subcommand("import", "用文本文件中的开奖号码替换全部历史号码");
    auto file = std::make_shared<std::string>();
    command->add_option("FILE", *file, "历史号码文本文件，每行一期")->required();
    command->callback([&context, file] {
        const history::ImportReport report =
            history::importHistoryFile(context.db(), *file, context.game(), context.rules());
        context.out << report.summary() << '\n';
    });
}

/// The deletion stands even when the file could not be compacted afterwards: that is a
/// warning, not a failure.
void reportDeleted(CliContext& context, const history::DeletionResult& result) {
    context.out << messages::drawsDeleted(result.removed, context.db().drawCount()) << '\n';
    if (result.compactionProblem)
        context.err << messages::compactionWarning(*result.compactionProblem) << '\n';
}

void addDeleteCommands(CLI::App& app, CliContext& context) {
    auto* last = app.add_subcommand("delete-last", "删除最后一期（或最后 N 期）历史号码");
    auto count = std::make_shared<std::string>();
    last->add_option("N", *count, "要删除的期数，默认 1");
    last->callback([&context, count] {
        const int n = count->empty() ? 1 : session::parseDecimal(*count, "期数");
        if (n < 0)
            throw UserError(messages::negativeCount());
        reportDeleted(context,
                      session::deleteNewest(context.db(), static_cast<std::size_t>(n),
                                            context.dataDir(), context.game(), context.rules()));
    });

    auto* to = app.add_subcommand("delete-to", "保留到指定期（含该期），删除其后的历史号码");
    auto issue = std::make_shared<std::string>();
    to->add_option("ISSUE", *issue, "保留的最后一期，例如 2017081284")->required();
    to->callback([&context, issue] {
        const history::Issue keep = session::parseIssue(*issue);
        reportDeleted(context, history::deleteAfter(context.db(), keep, context.dataDir(),
                                                    context.game(), context.rules()));
    });
}

void addExportCommand(CLI::App& app, CliContext& context) {
    auto* command = app.add_subcommand("export-text", "把历史号码导出为文本文件");
    auto target = std::make_shared<std::string>();
    command->add_option("FILE", *target, "另存一份到此文件");
    command->callback([&context, target] {
        const auto written =
            history::exportHistoryText(context.db().loadSnapshot(), context.dataDir());
        context.out << messages::exportedTo(written) << '\n';
        saveCopy(context, written, *target);
    });
}

} // namespace

void addMaintenanceCommands(CLI::App& app, CliContext& context) {
    addImportCommand(app, context);
    addDeleteCommands(app, context);
    addExportCommand(app, context);
}

} // namespace yilou::cli
