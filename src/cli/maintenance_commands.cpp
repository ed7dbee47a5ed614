#include "cli/maintenance_commands.h"

#include "cli/export_commands.h"
#include "core/user_error.h"
#include "session/file_steps.h"
#include "session/history_steps.h"
#include "session/messages.h"
#include "session/typed_input.h"

#include <CLI/CLI.hpp>

namespace yilou::cli {

namespace {

void addImportCommand(CLI::App& app, CliContext& context) {
    auto* command = app.add_subcommand("import", "用文本文件中的开奖号码替换全部历史号码");
    auto file = std::make_shared<std::string>();
    auto yes = std::make_shared<bool>(false);
    command->add_option("FILE", *file, "历史号码文本文件，每行一期")->required();
    command->add_flag("--yes", *yes, "文件中有无法读入的行时，仍用它替换已有的历史号码");
    command->callback([&context, file, yes] {
        auto& db = context.dbForChange();
        auto read = session::readImport(*file, context.choices(), db.drawCount());
        if (read.question && !*yes)
            throw UserError(messages::importNeedsYes(*read.question));
        context.out << session::importHistory(db, std::move(read), context.rules(),
                                              context.dataDir())
                    << '\n';
    });
}

/// Runs a deletion; one that would leave no draw is refused without --yes. The deletion stands
/// even when the file could not be compacted afterwards: that is a warning, not a failure.
void deleteConfirmed(CliContext& context, bool yes, const session::Deletion& deletion) {
    const auto shown = session::deleteDraws(
        context.dbForChange(), deletion, context.historyDir(), context.rules(),
        yes ? history::WhenAllDrawsGo::Delete : history::WhenAllDrawsGo::Refuse);
    if (shown.needsConfirmation)
        throw UserError(shown.refusal);
    context.out << shown.outcome << '\n';
    if (shown.warning)
        context.err << *shown.warning << '\n';
}

void addYesFlag(CLI::App* command, bool& yes) {
    command->add_flag("--yes", yes, "确认删除全部历史号码");
}

void addDeleteCommands(CLI::App& app, CliContext& context) {
    auto* last = app.add_subcommand("delete-last", "删除最后一期（或最后 N 期）历史号码");
    auto count = std::make_shared<std::string>();
    auto lastYes = std::make_shared<bool>(false);
    last->add_option("N", *count, "要删除的期数，默认 1");
    addYesFlag(last, *lastYes);
    last->callback([&context, count, lastYes] {
        const int n =
            count->empty() ? 1 : session::parseDecimal(*count, messages::field::kDrawCount);
        if (n < 0)
            throw InputError(messages::negativeCount());
        deleteConfirmed(context, *lastYes, session::Deletion::newest(static_cast<std::size_t>(n)));
    });

    auto* to = app.add_subcommand("delete-to", "保留到指定期（含该期），删除其后的历史号码");
    auto issue = std::make_shared<std::string>();
    auto toYes = std::make_shared<bool>(false);
    to->add_option("ISSUE", *issue, "保留的最后一期，例如 2017081284")->required();
    addYesFlag(to, *toYes);
    to->callback([&context, issue, toYes] {
        deleteConfirmed(context, *toYes, session::Deletion::after(session::parseIssue(*issue)));
    });

    auto* clear = app.add_subcommand("clear", "清空所有历史号码");
    auto clearYes = std::make_shared<bool>(false);
    addYesFlag(clear, *clearYes);
    clear->callback(
        [&context, clearYes] { deleteConfirmed(context, *clearYes, session::Deletion::all()); });
}

void addExportCommand(CLI::App& app, CliContext& context) {
    auto* command = app.add_subcommand("export-text", "把历史号码导出为文本文件");
    auto target = std::make_shared<std::string>();
    command->add_option("FILE", *target, "另存一份到此文件");
    command->callback([&context, target] {
        exportWithCopy(context, *target, [&context] {
            return session::exportHistoryText(context.db().loadSnapshot(), context.dataDir());
        });
    });
}

} // namespace

void addMaintenanceCommands(CLI::App& app, CliContext& context) {
    addImportCommand(app, context);
    addDeleteCommands(app, context);
    addExportCommand(app, context);
}

} // namespace yilou::cli
