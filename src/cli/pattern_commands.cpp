#include "cli/pattern_commands.h"

#include "cli/analysis_options.h"
#include "cli/json_writer.h"
#include "cli/view_output.h"
#include "core/draw_record.h"
#include "session/messages.h"
#include "session/pattern_steps.h"

#include <CLI/CLI.hpp>
#include <memory>

namespace yilou::cli {

namespace {

constexpr const char* kPatternRefHelp = "参考期号：与 --before 一起，统计截止到该期的上一期";

/// --pattern KEY, required.
void addPatternOption(CLI::App* command, std::string& key) {
    command
        ->add_option(
            "--pattern", key,
            "形态：sum（和值）、span（跨度）、odd（奇偶比）、big（大小比）、prime（质合比）、"
            "mod3（012路）、consecutive（连号）、repeat（重号）、sum3（前三和值）、"
            "span3（前三跨度）")
        ->required();
}

void printWarnings(CliContext& context, const std::vector<std::string>& warnings) {
    for (const auto& problem : warnings)
        context.err << messages::warning(problem) << '\n';
}

/// The pattern and the range, as every pattern view's json starts.
void patternHeading(JsonWriter& json, analysis::Pattern pattern, analysis::IndexRange range,
                    const history::Snapshot& snapshot) {
    json.field("pattern", analysis::patternKey(pattern))
        .field("name", messages::patternName(pattern))
        .field("from", history::issueText(snapshot.issues[range.first]))
        .field("to", history::issueText(snapshot.issues[range.last]))
        .field("draws", range.size());
}

void printPatternOverview(CliContext& context, const history::Snapshot& snapshot,
                          const session::PatternOverviewView& view) {
    const auto& overview = view.overview;
    if (context.format() == OutputFormat::Json) {
        JsonWriter json(context.out);
        json.beginObject();
        patternHeading(json, overview.pattern, overview.range, snapshot);
        json.key("rows").beginArray();
        for (std::size_t r = 0; r < overview.rows.size(); ++r) {
            json.beginObject()
                .field("value", view.cells[r][0])
                .field("code", overview.rows[r].value);
            writeOverviewFigures(json, overview.rows[r]);
            json.endObject();
        }
        json.endArray().endObject().finish();
        return;
    }
    TextTable table{{view.headers.begin(), view.headers.end()}, {}};
    for (const auto& cells : view.cells)
        table.rows.emplace_back(cells.begin(), cells.end());
    if (context.format() == OutputFormat::Csv)
        addHistogramColumns(table, overview.rows);
    else
        context.out << view.caption << '\n';
    printTable(context.out, context.format(), table);
}

void printPatternTrend(CliContext& context, const history::Snapshot& snapshot,
                       const session::PatternTrendView& view) {
    const auto& chart = *view.chart;
    const TrendRows rows{
        chart.issues, chart.numbers, view.labels,
        [&chart](std::size_t value, std::size_t row) { return chart.misses(0, value, row); },
        chart.blocks.front().view.rows};
    if (context.format() == OutputFormat::Json) {
        JsonWriter json(context.out);
        json.beginObject();
        patternHeading(json, view.pattern, chart.view, snapshot);
        writeTrendJson(json, rows, chart.values);
        json.endObject().finish();
        return;
    }
    if (context.format() == OutputFormat::Table)
        context.out << view.caption << '\n';
    printTable(context.out, context.format(), trendTable(rows));
}

void printPatternDraws(CliContext& context, const history::Snapshot& snapshot,
                       const session::PatternDrawsView& view) {
    if (context.format() == OutputFormat::Json) {
        JsonWriter json(context.out);
        json.beginObject()
            .field("from", history::issueText(snapshot.issues[view.range.first]))
            .field("to", history::issueText(snapshot.issues[view.range.last]))
            .field("draws", view.range.size())
            .key("rows")
            .beginArray();
        for (std::size_t r = 0; r < view.values.size(); ++r) {
            const std::size_t index = view.range.first + r;
            json.beginObject()
                .field("issue", view.cell(snapshot, r, 0))
                .field("numbers", snapshot.numbers(index));
            for (int p = 0; p < analysis::kPatternCount; ++p) {
                const auto pattern = static_cast<analysis::Pattern>(p);
                const int value = view.values[r][p];
                const std::string label =
                    view.cell(snapshot, r, session::kTrendDrawHeaders.size() + p);
                json.key(analysis::patternKey(pattern));
                // A count or sum is a number; a ratio ("3:2", "1:2:2") stays a label.
                if (value == analysis::kNoPatternValue)
                    json.value(std::nullopt);
                else if (label == std::to_string(value))
                    json.value(value);
                else
                    json.value(label);
            }
            json.endObject();
        }
        json.endArray().endObject().finish();
        return;
    }
    if (context.format() == OutputFormat::Table)
        context.out << session::rangeCaption(view.range, snapshot) << '\n';
    printTable(context.out, context.format(), view.textGrid(snapshot));
}

struct PatternViewOptions {
    std::string pattern;
    CommonOptions range; ///< --from, --to, --ref, --before
    std::string last;
    std::string sort;
};

void addPatternOverview(CLI::App& group, CliContext& context) {
    auto* command = group.add_subcommand(
        "overview", "形态遗漏：形态每个值的出现次数、遗漏、连出等统计（csv 与 json 另含遗漏分布）");
    auto options = std::make_shared<PatternViewOptions>();
    addPatternOption(command, options->pattern);
    command->add_option("--from", options->range.from, "起始期号，默认最早一期");
    command->add_option("--to", options->range.to, "截止期号，默认最新一期");
    command->add_option("--last", options->last, "只统计范围内最新的 N 期")
        ->excludes(command->get_option("--from"));
    addReference(command, options->range, kPatternRefHelp);
    addOverviewSortOption(command, options->sort);
    command->callback([&context, options] {
        const auto snapshot = context.db().loadSnapshot();
        const auto& range = options->range;
        const auto view = session::showPatternOverview(
            snapshot,
            {options->pattern,
             {range.from, range.to, options->last, range.ref, range.before},
             options->sort},
            context.game());
        printPatternOverview(context, snapshot, view);
        printWarnings(context, view.warnings);
    });
}

void addPatternTrend(CLI::App& group, CliContext& context) {
    auto* command = group.add_subcommand("trend", "形态走势：最新 N 期形态每个值的出现与遗漏");
    auto options = std::make_shared<session::PatternTrendRequest>();
    addPatternOption(command, options->pattern);
    command->add_option("--last", options->last, "走势图的期数 N（例如 30、50、100），all 为全部")
        ->required();
    command->add_option("--to", options->to, "截止期号，默认最新一期");
    command->callback([&context, options] {
        const auto snapshot = context.db().loadSnapshot();
        const auto view = session::showPatternTrend(snapshot, *options, context.game());
        printPatternTrend(context, snapshot, view);
        printWarnings(context, view.warnings);
    });
}

void addPatternDraws(CLI::App& group, CliContext& context) {
    auto* command = group.add_subcommand("draws", "每期的十种形态值");
    auto last = std::make_shared<std::string>();
    command->add_option("--last", *last, "只列最新的 N 期，默认全部");
    command->callback([&context, last] {
        const auto snapshot = context.db().loadSnapshot();
        printPatternDraws(context, snapshot,
                          session::showPatternDraws(snapshot, *last, context.game()));
    });
}

} // namespace

void addPatternCommands(CLI::App& app, CliContext& context) {
    auto* group = app.add_subcommand("pattern", "形态：和值、跨度、奇偶比等每期形态的遗漏与走势");
    group->require_subcommand(1);
    addPatternOverview(*group, context);
    addPatternTrend(*group, context);
    addPatternDraws(*group, context);
}

} // namespace yilou::cli
