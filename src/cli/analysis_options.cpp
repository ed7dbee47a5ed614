#include "cli/analysis_options.h"

#include "session/search_steps.h"

namespace yilou::cli {

void addTypeAndRange(CLI::App* command, CommonOptions& options) {
    command
        ->add_option("--type", options.type, "检索类型：number、zodiac、head、tail、sum、segment")
        ->check(CLI::IsMember({"number", "zodiac", "head", "tail", "sum", "segment"}));
    command->add_option("--from", options.from, "起始期号，默认最早一期");
    command->add_option("--to", options.to, "截止期号，默认最新一期");
}

void addOrder(CLI::App* command, CommonOptions& options) {
    command->add_option("--order", options.order, "号码序：drop（落地码，默认）或 sorted（顺序码）")
        ->check(CLI::IsMember({"drop", "sorted"}));
}

void addReference(CLI::App* command, CommonOptions& options, const std::string& help) {
    auto* ref = command->add_option("--ref", options.ref, help);
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
