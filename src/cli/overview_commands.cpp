#include "cli/overview_commands.h"

#include "cli/analysis_options.h"
#include "cli/json_writer.h"
#include "cli/view_output.h"
#include "core/user_error.h"
#include "session/messages.h"
#include "session/overview_grid.h"
#include "session/view_steps.h"

#include <CLI/CLI.hpp>
#include <memory>
#include <optional>

namespace yilou::cli {

namespace {

using session::OverviewColumn;

constexpr const char* kViewRefHelp = "参考期号：与 --before 一起，统计截止到该期的上一期";

/// The options of overview and trend beyond the shared ones.
struct ViewOptions {
    CommonOptions common;
    std::string place = "any";
    std::string last;
    std::string sort;
};

/// Adds the options of both views; returns --last.
CLI::Option* addViewOptions(CLI::App* command, ViewOptions& options, const char* lastHelp) {
    addTypeAndRange(command, options.common);
    addOrder(command, options.common);
    command->add_option("--place", options.place, "位置：any（任意位，默认）或 1～5（定位）");
    addReference(command, options.common, kViewRefHelp);
    return command->add_option("--last", options.last, lastHelp)
        ->excludes(command->get_option("--from"));
}

/// The view the options ask for; --from and --to as typed, the reference's end when --to is
/// not given.
session::ViewRequest viewRequest(const ViewOptions& options) {
    const auto& common = options.common;
    session::ViewRequest request;
    request.type = common.searchType();
    request.order = common.numberOrder();
    request.start = common.from;
    request.end = common.to;
    if (!common.ref.empty())
        request.reference = common.ref;
    request.beforeOnly = common.before;
    if (!options.last.empty())
        request.last = session::parseDrawCount(options.last);
    return request;
}

/// Type, order, place and range, as every json view starts.
void jsonHeading(JsonWriter& json, const analysis::OverviewResult& result,
                 const history::Snapshot& snapshot, const std::string& typeName) {
    json.field("type", typeName)
        .field("order", result.order == history::NumberOrder::Drop ? "drop" : "sorted")
        .key("place");
    if (result.place == analysis::kAnyPlace)
        json.value("any");
    else
        json.value(result.place);
    json.field("from", history::issueText(snapshot.issues[result.range.first]))
        .field("to", history::issueText(snapshot.issues[result.range.last]))
        .field("draws", result.range.size());
}

void printOverviewJson(CliContext& context, const history::Snapshot& snapshot,
                       const analysis::OverviewResult& result, const std::string& typeName) {
    JsonWriter json(context.out);
    json.beginObject();
    jsonHeading(json, result, snapshot, typeName);
    json.key("rows").beginArray();
    for (const auto& row : result.rows) {
        json.beginObject()
            .field("value", session::overviewValueText(result.type, row.value, result.sxIni))
            .field("code", row.value)
            .field("possible", row.possible);
        writeOverviewFigures(json, row);
        json.endObject();
    }
    json.endArray().endObject().finish();
}

/// Table and csv: the grid's columns; csv adds the gap histogram.
void printOverviewTable(CliContext& context, const session::OverviewShown& shown) {
    const auto& result = shown.result;
    const bool csv = context.format() == OutputFormat::Csv;
    TextTable table;
    for (int c = 0; c < session::kOverviewColumnCount; ++c)
        table.headers.push_back(
            session::overviewHeader(static_cast<OverviewColumn>(c), result.type));
    for (const auto& row : result.rows) {
        auto& cells = table.rows.emplace_back();
        for (int c = 0; c < session::kOverviewColumnCount; ++c)
            cells.push_back(session::overviewCellText(result, row, static_cast<OverviewColumn>(c)));
    }
    if (csv)
        addHistogramColumns(table, result.rows);
    else
        context.out << shown.caption << '\n';
    printTable(context.out, context.format(), table);
}

void addOverviewCommand(CLI::App& app, CliContext& context) {
    auto* command = app.add_subcommand(
        "overview", "遗漏总览：每个值的出现次数、遗漏、连出等统计（csv 与 json 另含遗漏分布）");
    auto options = std::make_shared<ViewOptions>();
    addViewOptions(command, *options, "只统计范围内最新的 N 期");
    addOverviewSortOption(command, options->sort);
    command->callback([&context, options] {
        // The command line is read in full before the history: its mistakes come first.
        const int place = session::parsePlace(options->place);
        std::optional<OverviewColumn> sort;
        if (!options->sort.empty() && !(sort = session::overviewColumnFromKey(options->sort)))
            throw InputError(messages::unknownSortColumn(options->sort));
        const auto request = viewRequest(*options);
        const auto snapshot = context.db().loadSnapshot();
        const auto shown = session::showOverview(snapshot, request, place, context.choices(), sort);
        if (context.format() == OutputFormat::Json)
            printOverviewJson(context, snapshot, shown.result, options->common.type);
        else
            printOverviewTable(context, shown);
    });
}

void printTrend(CliContext& context, const history::Snapshot& snapshot,
                const session::TrendShown& shown, const std::string& typeName) {
    const auto& chart = *shown.chart;
    const auto& block = chart.blocks.front();
    const TrendRows rows{
        chart.issues, chart.numbers, shown.labels,
        [&chart](std::size_t value, std::size_t row) { return chart.misses(0, value, row); },
        block.view.rows};
    if (context.format() == OutputFormat::Json) {
        JsonWriter json(context.out);
        json.beginObject();
        jsonHeading(json, block.view, snapshot, typeName);
        writeTrendJson(json, rows, chart.values);
        json.endObject().finish();
        return;
    }
    if (context.format() == OutputFormat::Table)
        context.out << shown.caption << '\n';
    printTable(context.out, context.format(), trendTable(rows));
}

void addTrendCommand(CLI::App& app, CliContext& context) {
    auto* command = app.add_subcommand("trend", "走势图：最新 N 期每个值的出现与遗漏");
    auto options = std::make_shared<ViewOptions>();
    addViewOptions(command, *options, "走势图的期数 N（例如 30、50、100），all 为范围内全部")
        ->required();
    command->callback([&context, options] {
        // The command line is read in full before the history: its mistakes come first.
        const int place = session::parsePlace(options->place);
        const auto request = viewRequest(*options);
        const auto snapshot = context.db().loadSnapshot();
        printTrend(context, snapshot,
                   session::showTrend(snapshot, request, place, context.choices()),
                   options->common.type);
    });
}

void printMissing(CliContext& context, const session::MissingShown& shown) {
    const auto& missing = shown.missing;
    if (context.format() == OutputFormat::Json) {
        JsonWriter json(context.out);
        json.beginObject().field("drawsPerDay", shown.drawsPerDay).key("ranges").beginArray();
        for (const auto& range : missing.ranges)
            json.beginObject()
                .field("first", history::issueText(range.first))
                .field("last", history::issueText(range.last))
                .field("count", range.count)
                .endObject();
        json.endArray().field("total", missing.total).key("unplaced").beginArray();
        for (const history::Issue issue : missing.unplaced)
            json.value(history::issueText(issue));
        json.endArray().endObject().finish();
        return;
    }
    using session::MissingGrid;
    TextTable table{{MissingGrid::headers().begin(), MissingGrid::headers().end()}, {}};
    for (const auto& range : missing.ranges)
        table.rows.push_back({MissingGrid::cell(range, 0), MissingGrid::cell(range, 1),
                              MissingGrid::cell(range, 2)});
    if (context.format() == OutputFormat::Table && missing.ranges.empty()) {
        context.out << shown.summary << '\n';
    } else {
        printTable(context.out, context.format(), table);
        if (context.format() == OutputFormat::Table)
            context.out << shown.summary << '\n';
    }
    if (shown.unplacedNote)
        context.err << *shown.unplacedNote << '\n';
}

void addMissingCommand(CLI::App& app, CliContext& context) {
    auto* command =
        app.add_subcommand("missing", "检查缺失期号：按当前彩种每天的期数列出历史中缺少的期号");
    command->callback([&context] {
        printMissing(context,
                     session::listMissingIssues(context.db().loadSnapshot(), context.choices()));
    });
}

} // namespace

void addOverviewCommands(CLI::App& app, CliContext& context) {
    addOverviewCommand(app, context);
    addTrendCommand(app, context);
    addMissingCommand(app, context);
}

} // namespace yilou::cli
