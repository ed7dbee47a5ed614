#include "cli/analysis_options.h"

#include "history/user_error.h"
#include "session/search_steps.h"
#include "session/typed_input.h"

namespace yilou::cli {

namespace {

/// Refuses, while the command line is read, an issue that is not one of the typed forms.
CLI::Validator issueArgument() {
    return CLI::Validator(
        [](std::string& text) {
            try {
                session::parseIssue(text);
                return std::string();
            } catch (const UserError& error) {
                return std::string(error.what());
            }
        },
        "ISSUE");
}

} // namespace

void addTypeAndRange(CLI::App* command, CommonOptions& options) {
    command
        ->add_option("--type", options.type, "检索类型：number、zodiac、head、tail、sum、segment")
        ->check(CLI::IsMember({"number", "zodiac", "head", "tail", "sum", "segment"}));
    command->add_option("--from", options.from, "起始期号，默认最早一期")->check(issueArgument());
    command->add_option("--to", options.to, "截止期号，默认最新一期")->check(issueArgument());
}

void addOrder(CLI::App* command, CommonOptions& options) {
    command->add_option("--order", options.order, "号码序：drop（落地码，默认）或 sorted（顺序码）")
        ->check(CLI::IsMember({"drop", "sorted"}));
}

void addReference(CLI::App* command, CommonOptions& options, const std::string& help) {
    auto* ref = command->add_option("--ref", options.ref, help)->check(issueArgument());
    command->add_flag("--before", options.before, "仅检索该期之前（截止期号取参考期的上一期）")
        ->needs(ref)
        ->excludes(command->get_option("--to"));
}

void resolveRangeTexts(const history::Snapshot& snapshot, CommonOptions& options) {
    const auto whole = session::wholeHistoryRange(snapshot);
    if (options.from.empty())
        options.from = whole.start;
    if (options.to.empty())
        options.to = whole.end;
}

} // namespace yilou::cli
