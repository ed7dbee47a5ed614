#include "cli/analysis_options.h"

#include "core/user_error.h"
#include "session/search_steps.h"
#include "session/typed_input.h"

#include <CLI/CLI.hpp>
#include <algorithm>
#include <array>

namespace yilou::cli {

namespace {

/// The names of the search types on the command line, in the order of analysis::SearchType.
constexpr std::array<const char*, analysis::kSearchTypeCount> kTypeNames{
    "number", "zodiac", "head", "tail", "sum", "segment"};

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

analysis::SearchType CommonOptions::searchType() const {
    const auto name = std::find(kTypeNames.begin(), kTypeNames.end(), type);
    return static_cast<analysis::SearchType>(name - kTypeNames.begin());
}

void addTypeAndRange(CLI::App* command, CommonOptions& options) {
    command
        ->add_option("--type", options.type, "检索类型：number、zodiac、head、tail、sum、segment")
        ->check(CLI::IsMember(std::vector<std::string>(kTypeNames.begin(), kTypeNames.end())));
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

session::IssueBounds rangeIssues(const history::Snapshot& snapshot, const CommonOptions& options) {
    return session::rangeIssues(snapshot, options.from, options.to);
}

} // namespace yilou::cli
