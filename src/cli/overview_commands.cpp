#include "cli/overview_commands.h"

#include "analysis/issue_range.h"
#include "analysis/omission_overview.h"
#include "analysis/ratio_text.h"
#include "analysis/reference_lookup.h"
#include "analysis/trend_chart.h"
#include "cli/analysis_options.h"
#include "history/messages.h"
#include "history/missing_issues.h"
#include "history/user_error.h"
#include "session/overview_grid.h"
#include "session/typed_input.h"

#include <array>
#include <memory>
#include <optional>
#include <type_traits>

namespace yilou::cli {

namespace {

using session::OverviewColumn;

constexpr const char* kRefHelp = "参考期号：与 --before 一起，统计截止到该期的上一期";

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
    addReference(command, options.common, kRefHelp);
    return command->add_option("--last", options.last, lastHelp)
        ->excludes(command->get_option("--from"));
}

int parsePlace(const std::string& text) {
    if (text == "any")
        return analysis::kAnyPlace;
    const int place = session::parseDecimal(text, "位置");
    if (place < 1 || place > 5)
        throw UserError(messages::placeOutOfRange(text));
    return place;
}

std::size_t parseDrawCount(const std::string& text) {
    if (text == "all")
        return analysis::kAllDraws;
    const int count = session::parseDecimal(text, "期数");
    if (count < 1)
        throw UserError(messages::invalidDrawCount(text));
    return static_cast<std::size_t>(count);
}

/// The range of the options: --from/--to (or the reference's end), then the newest --last
/// draws of it.
analysis::IndexRange rangeOf(CliContext& context, const history::Snapshot& snapshot,
                             ViewOptions& options) {
    auto& common = options.common;
    if (!common.ref.empty()) {
        // Only the range end that the reference draw sets counts here: every value is listed.
        const auto lookup = analysis::YSJS(snapshot, common.ref, common.before, common.searchType(),
                                           common.numberOrder(), context.settings().SxIni(),
                                           context.game().drawsPerDay);
        if (common.to.empty())
            common.to = lookup.endIssue;
    }
    resolveRangeTexts(snapshot, options.common);
    const auto range = analysis::resolveRange(snapshot, options.common.from, options.common.to);
    return options.last.empty() ? range : analysis::lastDraws(range, parseDrawCount(options.last));
}

std::string placeKey(int place) {
    return place == analysis::kAnyPlace ? "\"any\"" : std::to_string(place);
}

std::string jsonNumber(double value) {
    return analysis::ratioText(value);
}

template <typename T> std::string jsonOptional(const std::optional<T>& value) {
    if (!value)
        return "null";
    if constexpr (std::is_floating_point_v<T>)
        return jsonNumber(*value);
    else
        return std::to_string(*value);
}

/// Type, order, place and range, as every json view starts.
std::string jsonHeading(const analysis::OverviewResult& result, const history::Snapshot& snapshot,
                        const std::string& typeName) {
    return "\"type\":" + jsonString(typeName) + ",\"order\":\"" +
           (result.order == history::NumberOrder::Drop ? "drop" : "sorted") +
           "\",\"place\":" + placeKey(result.place) + ",\"from\":\"" +
           history::issueText(snapshot.issues[result.range.first]) + "\",\"to\":\"" +
           history::issueText(snapshot.issues[result.range.last]) +
           "\",\"draws\":" + std::to_string(result.range.size());
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
    auto& out = context.out;
    out << '{' << jsonHeading(result, snapshot, typeName) << ",\"rows\":[";
    for (std::size_t i = 0; i < rows.size(); ++i) {
        const auto& row = rows[i];
        out << (i ? "," : "") << "{\"value\":"
            << jsonString(session::overviewValueText(result.type, row.value, result.sxIni))
            << ",\"code\":" << row.value << ",\"probability\":" << jsonNumber(row.probability)
            << ",\"hits\":" << row.hits << ",\"expectedHits\":" << jsonNumber(row.expectedHits)
            << ",\"minGap\":" << jsonOptional(row.minGap) << ",\"maxGap\":" << row.maxGap
            << ",\"currentGap\":" << row.currentGap << ",\"ratio\":" << jsonOptional(row.ratio)
            << ",\"meanGap\":" << jsonOptional(row.meanGap)
            << ",\"lastGap\":" << jsonOptional(row.lastGap)
            << ",\"theoreticalGap\":" << jsonOptional(row.theoreticalGap)
            << ",\"dueChance\":" << jsonOptional(row.dueChance) << ",\"maxGapSpan\":";
        if (row.maxGapSpan)
            out << "{\"first\":\"" << history::issueText(row.maxGapSpan->first) << "\",\"last\":\""
                << history::issueText(row.maxGapSpan->last) << "\"}";
        else
            out << "null";
        out << ",\"maxRun\":" << row.maxRun << ",\"currentRun\":" << row.currentRun
            << ",\"histogram\":[";
        for (std::size_t g = 0; g < row.histogram.size(); ++g)
            out << (g ? "," : "") << row.histogram[g];
        out << "]}";
    }
    out << "]}\n";
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
        for (int length = 1; length <= analysis::kHistogramLengths; ++length)
            table.headers.push_back("遗漏" + std::to_string(length));
        table.headers.push_back("遗漏" + std::to_string(analysis::kHistogramLengths) + "以上");
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
            throw UserError(messages::unknownSortColumn(options->sort));
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
    auto& out = context.out;
    out << '{' << jsonHeading(block.view, snapshot, typeName) << ",\"columns\":[";
    for (std::size_t v = 0; v < chart.values.size(); ++v)
        out << (v ? "," : "")
            << jsonString(session::overviewValueText(chart.type, chart.values[v], chart.sxIni));
    out << "],\"rows\":[";
    for (std::size_t r = 0; r < chart.rowCount(); ++r) {
        out << (r ? "," : "") << "{\"issue\":\"" << history::issueText(chart.issues[r])
            << "\",\"numbers\":[";
        for (int p = 0; p < 5; ++p)
            out << (p ? "," : "") << int{chart.numbers[r][p]};
        out << "],\"misses\":[";
        for (std::size_t v = 0; v < chart.values.size(); ++v)
            out << (v ? "," : "") << chart.misses(0, v, r);
        out << "]}";
    }
    out << "],\"footer\":{";
    for (std::size_t f = 0; f < session::kTrendFooter.size(); ++f) {
        out << (f ? "," : "") << '"' << session::overviewKey(session::kTrendFooter[f]) << "\":[";
        for (std::size_t v = 0; v < block.view.rows.size(); ++v) {
            const auto key = session::overviewSortKey(block.view.rows[v], session::kTrendFooter[f]);
            out << (v ? "," : "") << (key ? jsonNumber(*key) : "null");
        }
        out << ']';
    }
    out << "}}\n";
}

/// Table and csv: a hit shows the value in brackets, a miss the draws since the last hit.
void printTrendTable(CliContext& context, const history::Snapshot& snapshot,
                     const analysis::TrendChart& chart) {
    const auto& block = chart.blocks.front();
    TextTable table{{"期号", "开奖号码"}, {}};
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
        auto& out = context.out;
        out << "{\"drawsPerDay\":" << drawsPerDay << ",\"ranges\":[";
        for (std::size_t i = 0; i < missing.ranges.size(); ++i) {
            const auto& range = missing.ranges[i];
            out << (i ? "," : "") << "{\"first\":\"" << history::issueText(range.first)
                << "\",\"last\":\"" << history::issueText(range.last)
                << "\",\"count\":" << range.count << '}';
        }
        out << "],\"total\":" << missing.total << ",\"unplaced\":[";
        for (std::size_t i = 0; i < missing.unplaced.size(); ++i)
            out << (i ? "," : "") << '"' << history::issueText(missing.unplaced[i]) << '"';
        out << "]}\n";
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
