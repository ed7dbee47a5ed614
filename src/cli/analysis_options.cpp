#include "cli/analysis_options.h"

#include "history/user_error.h"

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

analysis::ReferenceLookup lookUpReference(CliContext& context, const history::Snapshot& snapshot,
                                          CommonOptions& options) {
    auto lookup = analysis::YSJS(snapshot, options.ref, options.before, options.searchType(),
                                 options.numberOrder(), context.settings().SxIni(),
                                 context.game().drawsPerDay);
    if (options.to.empty())
        options.to = lookup.endIssue;
    return lookup;
}

void requireHistory(const history::Snapshot& snapshot) {
    if (snapshot.empty())
        throw UserError("没有历史号码，请先读入历史号码。");
}

void resolveRangeTexts(const history::Snapshot& snapshot, CommonOptions& options) {
    requireHistory(snapshot);
    if (options.from.empty())
        options.from = history::issueText(snapshot.issues.front());
    if (options.to.empty())
        options.to = history::issueText(snapshot.issues.back());
}

} // namespace yilou::cli
