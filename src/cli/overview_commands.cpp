#include "cli/overview_commands.h"

#include "analysis/issue_range.h"
#include "analysis/omission_overview.h"
#include "analysis/trend_chart.h"
#include "cli/analysis_options.h"
#include "cli/json_writer.h"
#include "core/messages.h"
#include "core/missing_issues.h"
#include "core/user_error.h"
#include "session/messages.h"
#include "session/overview_grid.h"
#include "session/search_steps.h"
#include "session/typed_input.h"

#include <CLI/CLI.hpp>
#include <array>
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

int parsePlace(const std::string& text) {
    if (text == "any")
        return analysis::kAnyPlace;
    const int place = session::parseDecimal(text, messages::field::kPosition);
    if (place < 1 || place > 5)
        throw InputError(messages::placeOutOfRange(text));
    return place;
}

std::size_t parseDrawCount(const std::string& text) {
    if (text == "all")
        return analysis::kAllDraws;
    const int count = session::parseDecimal(text, messages::field::kDrawCount);
    if (count < 1)
        throw InputError(messages::invalidDrawCount(text));
    return static_cast<std::size_t>(count);
}

/// The range of the options: --from/--to (or the reference's end), then the newest --last
/// draws of it.
analysis::IndexRange rangeOf(CliContext& context, const history::Snapshot& snapshot,
                             ViewOptions& options) {
    auto& common = options.common;
    if (!common.ref.empty()) {
        // Only the range end that the reference draw sets counts here: every value is listed.
        const auto lookup = session::lookUpReference(
            snapshot, common.ref, common.before, common.searchType(), common.numberOrder(),
            context.settings().SxIni(), context.game().drawsPerDay);
        if (common.to.empty())
            common.to = lookup.endIssue;
    }
    resolveRangeTexts(snapshot, options.common);
    const auto range = session::resolveRange(snapshot, options.common.from, options.common.to);
    return options.last.empty() ? range : analysis::lastDraws(range, parseDrawCount(options.last));
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

/// A line above a table: what it covers.
std::string tableCaption(const analysis::OverviewResult& result,
                         const history::Snapshot& snapshot) {
    return session::overviewCaption(result, snapshot) + '\n';
}

void printOverviewJson(CliContext& context, const history::Snapshot& snapshot,
                       const analysis::OverviewResult& result,
                       const std::vector<analysis::OverviewRow>& rows,
                       const std::string& typeName) {
    JsonWriter json(context.out);
    json.beginObject();
    jsonHeading(json, result, snapshot, typeName);
    json.key("rows").beginArray();
    for (const auto& row : rows) {
        json.beginObject()
            .field("value", session::overviewValueText(result.type, row.value, result.sxIni))
            .field("code", row.value)
            .field("probability", row.probability)
            .field("hits", row.hits)
            .field("expectedHits", row.expectedHits)
            .field("minGap", row.minGap)
            .field("maxGap", row.maxGap)
            .field("currentGap", row.currentGap)
            .field("ratio", row.ratio)
            .field("meanGap", row.meanGap)
            .field("lastGap", row.lastGap)
            .field("theoreticalGap", row.theoreticalGap)
            .field("dueChance", row.dueChance)
            .key("maxGapSpan");
        if (row.maxGapSpan)
            json.beginObject()
                .field("first", history::issueText(row.maxGapSpan->first))
                .field("last", history::issueText(row.maxGapSpan->last))
                .endObject();
        else
            json.value(std::nullopt);
        json.field("maxRun", row.maxRun)
            .field("currentRun", row.currentRun)
            .field("histogram", row.histogram)
            .endObject();
    }
    json.endArray().endObject().finish();
}

/// Table and csv: the grid's columns; csv adds the gap histogram.
void printOverviewTable(CliContext& context, const history::Snapshot& snapshot,
                        const analysis::OverviewResult& result,
                        const std::vector<analysis::OverviewRow>& rows) {
    const bool csv = context.format() == OutputFormat::Csv;
    TextTable table;
    for (int c = 0; c < session::kOverviewColumnCount; ++c)
        table.headers.push_back(
            session::overviewHeader(static_cast<OverviewColumn>(c), result.type));
    if (csv) {
        for (int length = 1; length <= analysis::kHistogramLengths + 1; ++length)
            table.headers.push_back(session::histogramHeader(length));
    }
    for (const auto& row : rows) {
        auto& cells = table.rows.emplace_back();
        for (int c = 0; c < session::kOverviewColumnCount; ++c)
            cells.push_back(session::overviewCellText(result, row, static_cast<OverviewColumn>(c)));
        if (csv)
            for (const std::int32_t count : row.histogram)
                cells.push_back(std::to_string(count));
    }
    if (!csv)
        context.out << tableCaption(result, snapshot);
    printTable(context.out, context.format(), table);
}

void addOverviewCommand(CLI::App& app, CliContext& context) {
    auto* command = app.add_subcommand(
        "overview", "遗漏总览：每个值的出现次数、遗漏、连出等统计（csv 与 json 另含遗漏分布）");
    auto options = std::make_shared<ViewOptions>();
    addViewOptions(command, *options, "只统计范围内最新的 N 期");
    command->add_option("--sort", options->sort,
                        "按该列从小到大排列：value、hits、expectedHits、minGap、maxGap、"
                        "currentGap、ratio、meanGap、lastGap、theoreticalGap、dueChance、"
                        "maxGapSpan、maxRun、currentRun");
    command->callback([&context, options] {
        const auto snapshot = context.db().loadSnapshot();
        analysis::OverviewRequest request;
        request.type = options->common.searchType();
        request.order = options->common.numberOrder();
        request.place = parsePlace(options->place);
        std::optional<OverviewColumn> sort;
        if (!options->sort.empty() && !(sort = session::overviewColumnFromKey(options->sort)))
            throw InputError(messages::unknownSortColumn(options->sort));
        request.range = rangeOf(context, snapshot, *options);
        request.highestNumber = context.game().highestNumber;
        request.rules = context.rules();
        const auto result = analysis::omissionOverview(snapshot, request);
        auto rows = result.rows;
        if (sort)
            session::sortOverviewRows(rows, *sort);
        if (context.format() == OutputFormat::Json)
            printOverviewJson(context, snapshot, result, rows, options->common.type);
        else
            printOverviewTable(context, snapshot, result, rows);
    });
}

std::string numbersText(const std::array<std::int8_t, 5>& numbers) {
    std::string text;
    for (int p = 0; p < 5; ++p)
        text += (p ? " " : "") + history::twoDigitText(numbers[p]);
    return text;
}

void printTrendJson(CliContext& context, const history::Snapshot& snapshot,
                    const analysis::TrendChart& chart, const std::string& typeName) {
    const auto& block = chart.blocks.front();
    JsonWriter json(context.out);
    json.beginObject();
    jsonHeading(json, block.view, snapshot, typeName);
    json.key("columns").beginArray();
    for (const int value : chart.values)
        json.value(session::overviewValueText(chart.type, value, chart.sxIni));
    json.endArray().field("codes", chart.values).key("rows").beginArray();
    for (std::size_t r = 0; r < chart.rowCount(); ++r) {
        json.beginObject()
            .field("issue", history::issueText(chart.issues[r]))
            .field("numbers", chart.numbers[r])
            .key("misses")
            .beginArray();
        for (std::size_t v = 0; v < chart.values.size(); ++v)
            json.value(chart.misses(0, v, r));
        json.endArray().endObject();
    }
    json.endArray().key("footer").beginObject();
    for (const OverviewColumn column : session::kTrendFooter) {
        json.key(session::overviewKey(column)).beginArray();
        for (const auto& row : block.view.rows)
            json.value(session::overviewSortKey(row, column));
        json.endArray();
    }
    json.endObject().endObject().finish();
}

/// Table and csv: a hit shows the value in brackets, a miss the draws since the last hit.
void printTrendTable(CliContext& context, const history::Snapshot& snapshot,
                     const analysis::TrendChart& chart) {
    const auto& block = chart.blocks.front();
    TextTable table{{session::kTrendDrawHeaders.begin(), session::kTrendDrawHeaders.end()}, {}};
    std::vector<std::string> labels;
    for (const int value : chart.values)
        labels.push_back(session::overviewValueText(chart.type, value, chart.sxIni));
    table.headers.insert(table.headers.end(), labels.begin(), labels.end());
    for (std::size_t r = 0; r < chart.rowCount(); ++r) {
        auto& cells = table.rows.emplace_back();
        cells.push_back(history::issueText(chart.issues[r]));
        cells.push_back(numbersText(chart.numbers[r]));
        for (std::size_t v = 0; v < labels.size(); ++v) {
            const std::int32_t misses = chart.misses(0, v, r);
            cells.push_back(misses == 0 ? "[" + labels[v] + "]" : std::to_string(misses));
        }
    }
    for (const OverviewColumn column : session::kTrendFooter) {
        auto& cells = table.rows.emplace_back();
        cells.push_back(session::overviewHeader(column, chart.type));
        cells.emplace_back();
        for (const auto& row : block.view.rows)
            cells.push_back(session::overviewCellText(block.view, row, column));
    }
    if (context.format() == OutputFormat::Table)
        context.out << tableCaption(block.view, snapshot);
    printTable(context.out, context.format(), table);
}

void addTrendCommand(CLI::App& app, CliContext& context) {
    auto* command = app.add_subcommand("trend", "走势图：最新 N 期每个值的出现与遗漏");
    auto options = std::make_shared<ViewOptions>();
    addViewOptions(command, *options, "走势图的期数 N（例如 30、50、100），all 为范围内全部")
        ->required();
    command->callback([&context, options] {
        const auto snapshot = context.db().loadSnapshot();
        analysis::TrendRequest request;
        request.type = options->common.searchType();
        request.order = options->common.numberOrder();
        request.places = {parsePlace(options->place)};
        request.range = rangeOf(context, snapshot, *options);
        request.highestNumber = context.game().highestNumber;
        request.rules = context.rules();
        const auto chart = analysis::trendChart(snapshot, request);
        if (context.format() == OutputFormat::Json)
            printTrendJson(context, snapshot, chart, options->common.type);
        else
            printTrendTable(context, snapshot, chart);
    });
}

void printMissing(CliContext& context, const history::MissingIssues& missing, int drawsPerDay) {
    if (context.format() == OutputFormat::Json) {
        JsonWriter json(context.out);
        json.beginObject().field("drawsPerDay", drawsPerDay).key("ranges").beginArray();
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
        context.out << messages::noMissingIssues(drawsPerDay) << '\n';
    } else {
        printTable(context.out, context.format(), table);
        if (context.format() == OutputFormat::Table)
            context.out << messages::missingIssuesTotal(drawsPerDay, missing.total) << '\n';
    }
    if (!missing.unplaced.empty())
        context.err << messages::unplacedIssues(missing.unplaced) << '\n';
}

void addMissingCommand(CLI::App& app, CliContext& context) {
    auto* command =
        app.add_subcommand("missing", "检查缺失期号：按当前彩种每天的期数列出历史中缺少的期号");
    command->callback([&context] {
        const auto snapshot = context.db().loadSnapshot();
        if (snapshot.empty())
            throw UserError(messages::emptyHistory());
        const int drawsPerDay = context.game().drawsPerDay;
        printMissing(context, history::findMissingIssues(snapshot.issues, drawsPerDay),
                     drawsPerDay);
    });
}

} // namespace

void addOverviewCommands(CLI::App& app, CliContext& context) {
    addOverviewCommand(app, context);
    addTrendCommand(app, context);
    addMissingCommand(app, context);
}

} // namespace yilou::cli
