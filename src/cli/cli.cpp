#include "cli/cli.h"

#include "cli/analysis_commands.h"
#include "cli/cli_context.h"
#include "cli/export_commands.h"
#include "cli/history_commands.h"
#include "cli/maintenance_commands.h"
#include "cli/overview_commands.h"
#include "cli/update_command.h"
#include "history/system_error_text.h"
#include "history/user_error.h"
#include "version.h"

#include <CLI/CLI.hpp>
#include <algorithm>
#include <new>

namespace yilou::cli {

namespace {

constexpr const char* kSeeHelp = "用法见 yilou-cli --help\n";

/// "可用的命令：game、import、…".
std::string commandList(CLI::App& app) {
    std::string names;
    for (const CLI::App* command : app.get_subcommands([](CLI::App*) { return true; }))
        names += (names.empty() ? "" : "、") + command->get_name();
    return "可用的命令：" + names;
}

/// A usage error in Chinese, with the parser's own detail (which names the argument) after it.
std::string usageMessage(CLI::App& app, const CLI::ParseError& error) {
    if (app.get_subcommands().empty()) {
        // A word that names no command is left over rather than taken for one.
        const auto left = app.remaining();
        if (!left.empty() && !left.front().starts_with('-'))
            return "未知的命令“" + left.front() + "”。" + commandList(app);
        if (dynamic_cast<const CLI::RequiredError*>(&error))
            return "缺少命令。" + commandList(app);
    }
    const std::string detail = std::string("（") + error.what() + "）";
    if (dynamic_cast<const CLI::ExtrasError*>(&error))
        return "无法识别的命令或参数" + detail;
    if (dynamic_cast<const CLI::RequiredError*>(&error))
        return "缺少命令或必需的参数" + detail;
    if (dynamic_cast<const CLI::ArgumentMismatch*>(&error))
        return "参数的个数不对" + detail;
    if (dynamic_cast<const CLI::ValidationError*>(&error))
        return "参数的值不在可选范围内" + detail;
    if (dynamic_cast<const CLI::ExcludesError*>(&error))
        return "这些参数不能同时使用" + detail;
    if (dynamic_cast<const CLI::RequiresError*>(&error))
        return "参数缺少与之配合的参数" + detail;
    return "命令行有误" + detail;
}

} // namespace

int runCli(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
    CliContext context(out, err);
    CLI::App app{"yilou-cli：11选5/快乐12 历史号码与遗漏统计", "yilou-cli"};
    app.require_subcommand(1);
    app.fallthrough();
    app.set_version_flag("--version", std::string("yilou-cli ") + kVersion, "显示版本号");
    app.add_option("--data-dir", context.dataDirOption,
                   "数据文件夹（默认 ~/.local/share/11S5OMBRIX）");
    app.add_option("--format", context.formatName, "输出格式：table、csv 或 json")
        ->check(CLI::IsMember({"table", "csv", "json"}));
    addHistoryCommands(app, context);
    addMaintenanceCommands(app, context);
    addAnalysisCommands(app, context);
    addOverviewCommands(app, context);
    addUpdateCommand(app, context);
    addSpreadsheetExportCommand(app, context);

    std::vector<std::string> reversed(args.rbegin(), args.rend());
    try {
        app.parse(reversed);
    } catch (const CLI::Success& helpOrVersion) {
        return app.exit(helpOrVersion, out, err);
    } catch (const CLI::ParseError& error) {
        err << usageMessage(app, error) << '\n' << kSeeHelp;
        return 2;
    } catch (const InputError& error) {
        err << error.what() << '\n' << kSeeHelp;
        return 2;
    } catch (const UserError& error) {
        err << error.what() << '\n';
        return 1;
    } catch (const std::bad_alloc&) {
        err << history::outOfMemoryText() << "，操作未完成。\n";
        return 1;
    } catch (const std::exception& error) {
        err << "出错：" << error.what() << '\n';
        return 1;
    }
    return 0;
}

} // namespace yilou::cli
