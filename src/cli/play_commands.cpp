#include "cli/play_commands.h"

#include "cli/analysis_options.h"
#include "cli/json_writer.h"
#include "session/play_steps.h"

#include <CLI/CLI.hpp>
#include <memory>
#include <string>
#include <vector>

namespace yilou::cli {

namespace {

using session::PlayColumn;

constexpr const char* kPlayRefHelp = "参考期号：与 --before 一起，统计截止到该期的上一期";

/// The options of plays, as typed.
struct PlayOptions {
    CommonOptions common;
    session::PlayRequest request;
};

void printPlayJson(CliContext& context, const session::PlayView& view) {
    const auto& board = view.board;
    JsonWriter json(context.out);
    json.beginObject()
        .field("play", analysis::playKey(board.play))
        .field("from", history::issueText(board.from))
        .field("to", history::issueText(board.to))
        .field("draws", board.draws)
        .field("probability", board.probability)
        .key("rows")
        .beginArray();
    for (const auto& row : board.rows) {
        json.beginObject();
        for (int c = 0; c < session::kPlayColumnCount; ++c) {
            const auto column = static_cast<PlayColumn>(c);
            json.key(session::playColumnKey(column));
            switch (column) {
            case PlayColumn::Combination:
                json.value(session::combinationText(row.combination));
                break;
            case PlayColumn::Hits:
                json.value(row.hits);
                break;
            case PlayColumn::ExpectedHits:
                json.value(row.expectedHits);
                break;
            case PlayColumn::CurrentGap:
                json.value(row.currentGap);
                break;
            case PlayColumn::LastGap:
                json.value(row.lastGap);
                break;
            case PlayColumn::MeanGap:
                json.value(row.meanGap);
                break;
            case PlayColumn::MinGap:
                json.value(row.minGap);
                break;
            case PlayColumn::MaxGap:
                json.value(row.maxGap);
                break;
            case PlayColumn::Ratio:
                json.value(row.ratio);
                break;
            case PlayColumn::TheoreticalGap:
                json.value(row.theoreticalGap);
                break;
            case PlayColumn::DueChance:
                json.value(row.dueChance);
                break;
            case PlayColumn::Last10:
            case PlayColumn::Last30:
            case PlayColumn::Last100:
                json.value(row.recentHits[c - static_cast<int>(PlayColumn::Last10)]);
                break;
            case PlayColumn::LastIssue:
                if (row.lastIssue)
                    json.value(history::issueText(*row.lastIssue));
                else
                    json.value(std::nullopt);
                break;
            }
        }
        json.endObject();
    }
    json.endArray().endObject().finish();
}

} // namespace

void addPlayOption(CLI::App* command, std::string& play) {
    std::vector<std::string> keys;
    for (const analysis::Play each : analysis::allPlays())
        keys.emplace_back(analysis::playKey(each));
    command
        ->add_option("--play", play,
                     "玩法：r1～r8（任选一～任选八）、q1（前一）、"
                     "q2z、q2x（前二直选、组选）、q3z、q3x（前三直选、组选）")
        ->required()
        ->check(CLI::IsMember(keys));
}

std::function<session::PlayView()> addPlayOptions(CLI::App* command, CliContext& context) {
    auto options = std::make_shared<PlayOptions>();
    auto& request = options->request;
    addPlayOption(command, request.play);
    command->add_option("--from", options->common.from, "起始期号，默认最早一期");
    command->add_option("--to", options->common.to, "截止期号，默认最新一期");
    command->add_option("--last", request.last, "只统计范围内最新的 N 期")
        ->excludes(command->get_option("--from"));
    addReference(command, options->common, kPlayRefHelp);
    command->add_option("--contains", request.contains, "胆码：只列出含有这些号码的组合，例如 3,7");
    command->add_option("--sort", request.sort,
                        "按该列从小到大排列：combination、hits、expectedHits、currentGap、lastGap、"
                        "meanGap、minGap、maxGap、ratio、theoreticalGap、dueChance、"
                        "last10、last30、last100、lastIssue");
    command->add_flag("--desc", request.descending, "与 --sort 一起：从大到小排列")
        ->needs(command->get_option("--sort"));
    command->add_option("--top", request.top, "只列出排在最前的 N 个组合");
    return [&context, options] {
        auto request = options->request;
        request.from = options->common.from;
        request.to = options->common.to;
        request.reference = options->common.ref;
        request.before = options->common.before;
        const auto snapshot = context.db().loadSnapshot();
        return session::showPlays(snapshot, request, context.choices());
    };
}

void addPlayCommands(CLI::App& app, CliContext& context) {
    auto* command = app.add_subcommand(
        "plays", "玩法遗漏：任选、前一、前二、前三各玩法每个组合的出现次数与遗漏");
    const auto makeBoard = addPlayOptions(command, context);
    command->callback([&context, makeBoard] {
        const auto view = makeBoard();
        if (context.format() == OutputFormat::Json) {
            printPlayJson(context, view);
            return;
        }
        if (context.format() == OutputFormat::Table)
            context.out << view.caption << '\n';
        printTable(context.out, context.format(), session::playTextGrid(view));
    });
}

} // namespace yilou::cli
