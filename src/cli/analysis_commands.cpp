#include "cli/analysis_commands.h"

#include "cli/analysis_options.h"
#include "cli/json_writer.h"
#include "cli/search_output.h"
#include "core/user_error.h"
#include "session/grid_text.h"
#include "session/messages.h"
#include "session/search_steps.h"
#include "session/typed_input.h"

#include <CLI/CLI.hpp>
#include <memory>

namespace yilou::cli {

namespace {

constexpr const char* kSearchRefHelp = "取该历史期的号码作为检索值";

/// Marks position `text` (1..5) as taking part; a position named twice is refused, as only
/// one of its values could count.
analysis::PositionInput& takePosition(analysis::SearchRequest& request, const std::string& text) {
    const int p = session::parseDecimal(text, messages::field::kPosition);
    if (p < 1 || p > 5)
        throw InputError(messages::positionOutOfRange(text));
    auto& position = request.positions[p - 1];
    if (position.selected)
        throw InputError(messages::positionTwice(text));
    position.selected = true;
    return position;
}

std::vector<std::string> splitList(const std::string& text) {
    std::vector<std::string> items;
    std::string item;
    for (char c : text + ",") {
        if (c == ',') {
            if (!item.empty())
                items.push_back(item);
            item.clear();
        } else if (c != ' ') {
            item += c;
        }
    }
    return items;
}

void printSearch(CliContext& context, const analysis::SearchResult& result) {
    printSearchResult(context.out, context.format(), result);
}

void printYl(CliContext& context, const std::vector<history::YlRow>& rows) {
    if (context.format() == OutputFormat::Json) {
        const int sxIni = context.settings().SxIni();
        JsonWriter json(context.out);
        json.beginObject().key("rows").beginArray();
        for (const auto& row : rows)
            json.beginObject()
                .field("content", row.content)
                .field("codes", analysis::labelCodes(row.content, sxIni))
                .field("min", row.intMinYL)
                .field("max", row.intMaxYL)
                .field("last", row.intLstYl)
                .key("ratio")
                .numberText(history::sglLlrText(row.sglLlr))
                .endObject();
        json.endArray().endObject().finish();
        return;
    }
    printTable(context.out, context.format(), session::ylTextGrid(rows));
}

/// Loads the reference draw's values into all five positions (selected or not).
void applyReference(CliContext& context, const history::Snapshot& snapshot, CommonOptions& options,
                    analysis::SearchRequest& request) {
    const auto end = session::applyReference(snapshot, options.ref, options.before,
                                             context.game().drawsPerDay, request);
    if (options.to.empty())
        options.to = end;
}

analysis::SearchRequest baseRequest(CliContext& context, const CommonOptions& options) {
    analysis::SearchRequest request;
    request.type = options.searchType();
    request.order = options.numberOrder();
    request.freePosition = !options.fixed;
    request.sxIni = context.settings().SxIni();
    return request;
}

void addSearchCommand(CLI::App& app, CliContext& context) {
    auto* command = app.add_subcommand("search", "遗漏检索：所选位置的值同时出现的各期及其遗漏");
    const auto search = addSearchOptions(command, context);
    command->callback([&context, search] { printSearch(context, search()); });
}

void addPartialCommand(CLI::App& app, CliContext& context) {
    auto* command = app.add_subcommand("partial", "分部检索：五个值中至少 K 个出现的各期及其遗漏");
    auto options = std::make_shared<CommonOptions>();
    auto values = std::make_shared<std::string>();
    auto k = std::make_shared<std::string>();
    addTypeAndRange(command, *options);
    addOrder(command, *options);
    auto* valuesOption = command->add_option("--values", *values, "五个值，例如 01,02,03,04,05");
    command->add_option("--k", *k, "分部位数 K（1～5）")->required();
    command->add_flag("--fixed", options->fixed, "固定位（默认自由位）");
    addReference(command, *options, kSearchRefHelp);
    valuesOption->excludes(command->get_option("--ref"));
    command->callback([&context, options, values, k] {
        // The command line is read in full before the history: its mistakes come first.
        const int groupSize = session::parseDecimal(*k, messages::field::kPartialCount);
        auto request = baseRequest(context, *options);
        if (options->ref.empty()) {
            const auto items = splitList(*values);
            if (items.size() != 5)
                throw InputError("--values " + messages::fiveValuesNeeded());
            for (int p = 0; p < 5; ++p) {
                request.positions[p].text = items[p];
                request.positions[p].value =
                    session::parseDecimal(items[p], messages::field::kValue);
            }
        }
        const auto snapshot = context.db().loadSnapshot();
        if (!options->ref.empty())
            applyReference(context, snapshot, *options, request);
        const auto range = rangeIssues(snapshot, *options);
        request.startIssue = range.start;
        request.endIssue = range.end;
        printSearch(context,
                    session::searchPartial(snapshot, request, groupSize, *k, context.choices()));
    });
}

history::YlSortColumn sortColumn(const std::string& name) {
    if (name == "content")
        return history::YlSortColumn::Content;
    if (name == "min")
        return history::YlSortColumn::Min;
    if (name == "max")
        return history::YlSortColumn::Max;
    if (name == "ratio")
        return history::YlSortColumn::Ratio;
    return history::YlSortColumn::Last;
}

CLI::Option* addSortOption(CLI::App* command, std::string& sort) {
    return command->add_option("--sort", sort, "排序列：content、min、max、last（默认）、ratio")
        ->check(CLI::IsMember({"content", "min", "max", "last", "ratio"}));
}

void addGroupCommand(CLI::App& app, CliContext& context) {
    auto* command = app.add_subcommand("group", "分组计算：所选值每 K 个一组的遗漏统计");
    const auto group = addGroupOptions(command, context);
    command->callback([&context, group] {
        group([&context](const std::vector<history::YlRow>& rows) { printYl(context, rows); });
    });
}

void addYlCommand(CLI::App& app, CliContext& context) {
    auto* command = app.add_subcommand("yl", "重新列出上次分组计算的结果");
    auto sort = std::make_shared<std::string>("last");
    addSortOption(command, *sort);
    command->callback([&context, sort] {
        printYl(context, session::storedGroups(context.db(), sortColumn(*sort)));
    });
}

} // namespace

std::function<analysis::SearchResult()> addSearchOptions(CLI::App* command, CliContext& context) {
    auto options = std::make_shared<CommonOptions>();
    auto positions = std::make_shared<std::vector<std::string>>();
    auto refPositions = std::make_shared<std::string>();
    addTypeAndRange(command, *options);
    addOrder(command, *options);
    command->add_option("--pos", *positions, "位置与值，例如 --pos 1=03 --pos 3=07");
    command->add_flag("--fixed", options->fixed, "固定位（默认自由位）");
    addReference(command, *options, kSearchRefHelp);
    command->add_option("--positions", *refPositions, "与 --ref 一起：参与检索的位置，例如 1,3,5")
        ->needs(command->get_option("--ref"))
        ->excludes(command->get_option("--pos"));
    return [&context, options, positions, refPositions] {
        // The command line is read in full before the history: its mistakes come first.
        auto request = baseRequest(context, *options);
        for (const auto& item : *positions) {
            const auto equals = item.find('=');
            if (equals == std::string::npos)
                throw InputError(messages::positionValueFormat(item));
            auto& position = takePosition(request, item.substr(0, equals));
            position.text = item.substr(equals + 1);
            position.value = session::parseDecimal(position.text, messages::field::kValue);
        }
        const auto snapshot = context.db().loadSnapshot();
        if (!options->ref.empty()) {
            applyReference(context, snapshot, *options, request);
            const auto chosen = refPositions->empty()
                                    ? std::vector<std::string>{"1", "2", "3", "4", "5"}
                                    : splitList(*refPositions);
            for (const auto& item : chosen)
                takePosition(request, item);
        }
        const auto range = rangeIssues(snapshot, *options);
        request.startIssue = range.start;
        request.endIssue = range.end;
        return session::searchPositions(snapshot, request, context.choices());
    };
}

std::function<void(const ShowYlRows&)> addGroupOptions(CLI::App* command, CliContext& context) {
    auto options = std::make_shared<CommonOptions>();
    auto select = std::make_shared<std::string>();
    auto k = std::make_shared<std::string>();
    auto sort = std::make_shared<std::string>("last");
    addTypeAndRange(command, *options);
    command->add_option("--select", *select, "所选的值（号码、生肖代码、数字…），例如 1,2,3")
        ->required();
    command->add_option("--k", *k, "组合位数 K（1～6）")->required();
    addSortOption(command, *sort);
    return [&context, options, select, k, sort](const ShowYlRows& show) {
        // The command line is read in full before the history: its mistakes come first.
        analysis::GroupRequest request;
        request.type = options->searchType();
        request.k = session::parseDecimal(*k, messages::field::kGroupSize);
        request.sxIni = context.settings().SxIni();
        request.codes = session::codesInBoxOrder(request.type, context.game(), request.sxIni,
                                                 context.settings().DsIni(), splitList(*select));
        const auto snapshot = context.db().loadSnapshot();
        const auto range = rangeIssues(snapshot, *options);
        request.startIssue = range.start;
        request.endIssue = range.end;
        const auto result =
            session::calculateGroups(context.dbForChange(), snapshot, request, sortColumn(*sort));
        show(result.rows);
        if (result.storeProblem)
            context.err << messages::warning(*result.storeProblem) << '\n';
    };
}

void addAnalysisCommands(CLI::App& app, CliContext& context) {
    addSearchCommand(app, context);
    addPartialCommand(app, context);
    addGroupCommand(app, context);
    addYlCommand(app, context);
}

} // namespace yilou::cli
