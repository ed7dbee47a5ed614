#include "cli/cli.h"

#include "cli/analysis_commands.h"
#include "cli/calc_commands.h"
#include "cli/cli_context.h"
#include "cli/export_commands.h"
#include "cli/filter_commands.h"
#include "cli/history_commands.h"
#include "cli/maintenance_commands.h"
#include "cli/overview_commands.h"
#include "cli/pattern_commands.h"
#include "cli/play_commands.h"
#include "cli/sample_command.h"
#include "cli/update_command.h"
#include "core/system_error_text.h"
#include "core/user_error.h"
#include "session/messages.h"
#include "version.h"

#include <CLI/CLI.hpp>
#include <algorithm>
#include <new>

namespace yilou::cli {

namespace {

constexpr const char* kVersionHelp = "显示版本号";

/// "可用的命令：game、import、…".
std::string commandList(CLI::App& app) {
    std::vector<std::string> names;
    for (const CLI::App* command : app.get_subcommands([](CLI::App*) { return true; }))
        names.push_back(command->get_name());
    return messages::availableCommands(names);
}

/// The kind of a parser error, as the user is told it.
messages::UsageProblem problemOf(const CLI::ParseError& error) {
    using messages::UsageProblem;
    if (dynamic_cast<const CLI::ExtrasError*>(&error))
        return UsageProblem::Unrecognized;
    if (dynamic_cast<const CLI::RequiredError*>(&error))
        return UsageProblem::Missing;
    if (dynamic_cast<const CLI::ArgumentMismatch*>(&error))
        return UsageProblem::ArgumentCount;
    if (dynamic_cast<const CLI::ValidationError*>(&error))
        return UsageProblem::NotAllowed;
    if (dynamic_cast<const CLI::ExcludesError*>(&error))
        return UsageProblem::Excluded;
    if (dynamic_cast<const CLI::RequiresError*>(&error))
        return UsageProblem::NeedsAnother;
    return UsageProblem::Other;
}

/// A usage error in Chinese, with the parser's own detail (which names the argument) after it.
std::string usageMessage(CLI::App& app, const CLI::ParseError& error) {
    if (app.get_subcommands().empty()) {
        // A word that names no command is left over rather than taken for one.
        const auto left = app.remaining();
        if (!left.empty() && !left.front().starts_with('-'))
            return messages::unknownCommand(left.front(), commandList(app));
        if (dynamic_cast<const CLI::RequiredError*>(&error))
            return messages::missingCommand(commandList(app));
    }
    return messages::usageProblem(problemOf(error), error.what());
}

} // namespace

int runCli(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
    CliContext context(out, err);
    CLI::App app{"yilou-cli：11选5/快乐12 历史号码与遗漏统计", "yilou-cli"};
    app.require_subcommand(1);
    app.fallthrough();
    app.set_version_flag("--version", std::string("yilou-cli ") + kVersion, kVersionHelp);
    app.add_option("--data-dir", context.dataDirOption,
                   "数据文件夹（默认 ~/.local/share/11S5OMBRIX）");
    app.add_option("--format", context.formatName,
                   "输出格式：table、csv 或 json；filter 还可以用 text（每行一注）")
        ->check(CLI::IsMember({"table", "csv", "json", kTicketLinesFormat}));
    app.add_option("--game", context.gameOption,
                   "读写该彩种（序号 0～27 或代码，例如 11x5gd）的历史号码，不改变当前彩种");
    // Only the tickets of filter are lines of their own; refused before any command runs, as is
    // a game that does not read.
    app.parse_complete_callback([&app, &context] {
        if (context.formatName == kTicketLinesFormat && !app.got_subcommand("filter"))
            throw InputError(messages::ticketLinesOfFilterOnly());
        context.gameIndex();
    });
    addHistoryCommands(app, context);
    addMaintenanceCommands(app, context);
    addSampleCommand(app, context);
    addAnalysisCommands(app, context);
    addOverviewCommands(app, context);
    addPlayCommands(app, context);
    addFilterCommands(app, context);
    addCalcCommands(app, context);
    addPatternCommands(app, context);
    addUpdateCommand(app, context);
    addSpreadsheetExportCommand(app, context);

    std::vector<std::string> reversed(args.rbegin(), args.rend());
    try {
        app.parse(reversed);
    } catch (const CLI::Success& helpOrVersion) {
        return app.exit(helpOrVersion, out, err);
    } catch (const CLI::ParseError& error) {
        err << usageMessage(app, error) << '\n' << messages::kSeeHelp << '\n';
        return 2;
    } catch (const InputError& error) {
        err << error.what() << '\n' << messages::kSeeHelp << '\n';
        return 2;
    } catch (const UserError& error) {
        err << error.what() << '\n';
        return 1;
    } catch (const std::bad_alloc&) {
        err << messages::outOfMemory(history::outOfMemoryText()) << '\n';
        return 1;
    } catch (const std::exception& error) {
        err << messages::failed(error.what()) << '\n';
        return 1;
    }
    return 0;
}

} // namespace yilou::cli
