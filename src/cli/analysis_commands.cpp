#include "cli/analysis_commands.h"

#include "analysis/grouped_combination.h"
#include "analysis/omission_search.h"
#include "analysis/reference_lookup.h"
#include "cli/arguments.h"
#include "cli/grid_texts.h"
#include "history/user_error.h"
#include "history/yl_table.h"

#include <algorithm>
#include <memory>

namespace yilou::cli {

namespace {

using analysis::SearchType;

/// The options every analysis command shares.
struct CommonOptions {
    std::string type = "number";
    std::string order = "drop";
    std::string from;
    std::string to;
    bool fixed = false;
    std::string ref;
    bool before = false;

    SearchType searchType() const { return *analysis::searchTypeFromName(type); }
    history::NumberOrder numberOrder() const {
        return order == "sorted" ? history::NumberOrder::Sorted : history::NumberOrder::Drop;
    }
};

void addTypeAndRange(CLI::App* command, CommonOptions& options) {
    command
        ->add_option("--type", options.type, "检索类型：number、zodiac、head、tail、sum、segment")
        ->check(CLI::IsMember({"number", "zodiac", "head", "tail", "sum", "segment"}));
    command->add_option("--from", options.from, "起始期号，默认最早一期");
    command->add_option("--to", options.to, "截止期号，默认最新一期");
}

/// The searches read the per-position columns of one order; the grouped calculation does not.
void addOrder(CLI::App* command, CommonOptions& options) {
    command->add_option("--order", options.order, "号码序：drop（落地码，默认）或 sorted（顺序码）")
        ->check(CLI::IsMember({"drop", "sorted"}));
}

/// Marks position `text` (1..5) as taking part; a position named twice is refused, as only
/// one of its values could count.
analysis::PositionInput& takePosition(analysis::SearchRequest& request, const std::string& text) {
    const int p = parseDecimal(text, "位置");
    if (p < 1 || p > 5)
        throw UserError("位置 " + text + " 超出范围，请输入 1～5。");
    auto& position = request.positions[p - 1];
    if (position.selected)
        throw UserError("位置 " + text + " 指定了两次。");
    position.selected = true;
    return position;
}

void addReference(CLI::App* command, CommonOptions& options) {
    auto* ref = command->add_option("--ref", options.ref, "取该历史期的号码作为检索值");
    command->add_flag("--before", options.before, "仅检索该期之前（截止期号取参考期的上一期）")
        ->needs(ref)
        ->excludes(command->get_option("--to"));
}

/// Fills the range defaults left open (the reference lookup may have set the end): the whole
/// history.
void resolveRangeTexts(const history::Snapshot& snapshot, CommonOptions& options) {
    if (snapshot.empty())
        throw UserError("没有历史号码，请先读入历史号码。");
    if (options.from.empty())
        options.from = history::issueText(snapshot.issues.front());
    if (options.to.empty())
        options.to = history::issueText(snapshot.issues.back());
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
    const auto& summary = result.summary;
    if (context.format() == OutputFormat::Json) {
        auto& out = context.out;
        out << "{\"hits\":[";
        for (std::size_t i = 0; i < result.hits.size(); ++i) {
            const auto& hit = result.hits[i];
            out << (i ? "," : "") << "{\"issue\":\"" << history::issueText(hit.issue)
                << "\",\"values\":[";
            const auto texts = result.texts(hit);
            for (int j = 0; j < 5; ++j)
                out << (j ? "," : "") << jsonString(texts[j]);
            out << "],\"gap\":" << hit.gap << ",\"seq\":" << hit.seq << '}';
        }
        out << "],\"summary\":{\"desc\":" << jsonString(summary.desc) << ",\"min\":" << summary.min
            << ",\"max\":" << summary.max << ",\"last\":" << summary.last
            << ",\"ratio\":" << jsonString(summary.ratio) << "}}\n";
        return;
    }
    printTable(context.out, context.format(), tableOf(searchGrid(result)));
    context.out << '\n';
    printTable(context.out, context.format(), tableOf(searchSummaryGrid(result)));
}

void printYl(CliContext& context, const std::vector<history::YlRow>& rows) {
    if (context.format() == OutputFormat::Json) {
        context.out << "{\"rows\":[";
        for (std::size_t i = 0; i < rows.size(); ++i) {
            const auto& row = rows[i];
            context.out << (i ? "," : "") << "{\"content\":" << jsonString(row.content)
                        << ",\"min\":" << row.intMinYL << ",\"max\":" << row.intMaxYL
                        << ",\"last\":" << row.intLstYl
                        << ",\"ratio\":" << jsonString(history::sglLlrText(row.sglLlr)) << '}';
        }
        context.out << "]}\n";
        return;
    }
    printTable(context.out, context.format(), tableOf(ylGrid(rows)));
}

/// Loads the reference draw's values into all five positions (selected or not).
void applyReference(CliContext& context, const history::Snapshot& snapshot, CommonOptions& options,
                    analysis::SearchRequest& request) {
    const auto lookup = analysis::YSJS(snapshot, options.ref, options.before, request.type,
                                       request.order, request.sxIni, context.game().drawsPerDay);
    for (int p = 0; p < 5; ++p) {
        request.positions[p].value = lookup.values[p];
        request.positions[p].text = lookup.texts[p];
    }
    if (options.to.empty())
        options.to = lookup.endIssue;
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
    addReference(command, *options);
    valuesOption->excludes(command->get_option("--ref"));
    command->callback([&context, options, values, k] {
        const auto snapshot = context.db().loadSnapshot();
        auto request = baseRequest(context, *options);
        if (!options->ref.empty()) {
            applyReference(context, snapshot, *options, request);
        } else {
            const auto items = splitList(*values);
            if (items.size() != 5)
                throw UserError("--values 需要五个值，用逗号分隔，例如 01,02,03,04,05。");
            for (int p = 0; p < 5; ++p) {
                request.positions[p].text = items[p];
                request.positions[p].value = parseDecimal(items[p], "值");
            }
        }
        resolveRangeTexts(snapshot, *options);
        request.startIssue = options->from;
        request.endIssue = options->to;
        printSearch(context, analysis::multiPositionSearch(snapshot, request,
                                                           parseDecimal(*k, "分部位数"), *k));
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
    command->callback([&context, group] { printYl(context, group()); });
}

void addYlCommand(CLI::App& app, CliContext& context) {
    auto* command = app.add_subcommand("yl", "重新列出上次分组计算的结果");
    auto sort = std::make_shared<std::string>("last");
    addSortOption(command, *sort);
    command->callback([&context, sort] {
        printYl(context, history::readYlRows(context.db(), sortColumn(*sort)));
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
    addReference(command, *options);
    command->add_option("--positions", *refPositions, "与 --ref 一起：参与检索的位置，例如 1,3,5")
        ->needs(command->get_option("--ref"))
        ->excludes(command->get_option("--pos"));
    return [&context, options, positions, refPositions] {
        const auto snapshot = context.db().loadSnapshot();
        auto request = baseRequest(context, *options);
        if (!options->ref.empty()) {
            applyReference(context, snapshot, *options, request);
            const auto chosen = refPositions->empty()
                                    ? std::vector<std::string>{"1", "2", "3", "4", "5"}
                                    : splitList(*refPositions);
            for (const auto& item : chosen)
                takePosition(request, item);
        }
        for (const auto& item : *positions) {
            const auto equals = item.find('=');
            if (equals == std::string::npos)
                throw UserError("“" + item + "”格式不正确，应为 位置=值，例如 1=03。");
            auto& position = takePosition(request, item.substr(0, equals));
            position.text = item.substr(equals + 1);
            position.value = parseDecimal(position.text, "值");
        }
        resolveRangeTexts(snapshot, *options);
        request.startIssue = options->from;
        request.endIssue = options->to;
        return analysis::omissionSearch(snapshot, request);
    };
}

std::function<std::vector<history::YlRow>()> addGroupOptions(CLI::App* command,
                                                             CliContext& context) {
    auto options = std::make_shared<CommonOptions>();
    auto select = std::make_shared<std::string>();
    auto k = std::make_shared<std::string>();
    auto sort = std::make_shared<std::string>("last");
    addTypeAndRange(command, *options);
    command->add_option("--select", *select, "所选的值（号码、生肖代码、数字…），例如 1,2,3")
        ->required();
    command->add_option("--k", *k, "组合位数 K（1～6）")->required();
    addSortOption(command, *sort);
    return [&context, options, select, k, sort] {
        const auto snapshot = context.db().loadSnapshot();
        resolveRangeTexts(snapshot, *options);
        analysis::GroupRequest request;
        request.type = options->searchType();
        request.k = parseDecimal(*k, "组合位数");
        request.startIssue = options->from;
        request.endIssue = options->to;
        request.sxIni = context.settings().SxIni();
        std::vector<int> boxes;
        for (const auto& item : splitList(*select)) {
            const int code = parseDecimal(item, "所选的值");
            const auto box = analysis::boxOfCode(request.type, code);
            if (!box)
                throw UserError("值 " + item + " 不是" +
                                analysis::searchTypeInfo(request.type).caption + "的可选值。");
            boxes.push_back(*box);
        }
        // The panel lists the boxes in order, whatever order the values were typed in.
        std::sort(boxes.begin(), boxes.end());
        for (int box : boxes)
            request.codes.push_back(analysis::codeOfBox(request.type, box));
        return analysis::Command5_Click(context.db(), snapshot, request, sortColumn(*sort));
    };
}

void addAnalysisCommands(CLI::App& app, CliContext& context) {
    addSearchCommand(app, context);
    addPartialCommand(app, context);
    addGroupCommand(app, context);
    addYlCommand(app, context);
}

} // namespace yilou::cli
