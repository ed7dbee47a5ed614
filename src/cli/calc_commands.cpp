#include "cli/calc_commands.h"

#include "cli/json_writer.h"
#include "cli/play_commands.h"
#include "session/calc_steps.h"
#include "session/messages.h"

#include <CLI/CLI.hpp>
#include <memory>

namespace yilou::cli {

namespace {

void printCalcJson(CliContext& context, const session::CalcView& view) {
    const auto& chances = view.chances;
    const auto ratio = [&](std::int64_t draws) {
        return static_cast<double>(draws) / static_cast<double>(chances.gameDraws);
    };
    JsonWriter json(context.out);
    json.beginObject()
        .field("play", analysis::playKey(view.bet.play))
        .field("multiple", view.multiple)
        .field("tickets", chances.tickets);
    yuanField(json, "cost", view.cost);
    json.key("outcomes").beginArray();
    for (const auto& outcome : chances.outcomes) {
        json.beginObject().field("hits", outcome.hits);
        if (view.bet.form == analysis::BetForm::Banker)
            json.field("bankerHits", outcome.bankerHits);
        if (view.bet.form == analysis::BetForm::Positional) {
            json.key("positions").beginArray();
            for (int j = 0; j < analysis::playSize(view.bet.play); ++j)
                if (outcome.positions >> j & 1)
                    json.value(j + 1);
            json.endArray();
        }
        json.field("winningTickets", outcome.winningTickets);
        yuanField(json, "prize", session::outcomePrize(view, outcome));
        json.field("chance", ratio(outcome.draws)).endObject();
    }
    json.endArray().field("winChance", ratio(chances.winningDraws));
    std::optional<double> expected;
    std::optional<analysis::Fen> maxPrize;
    if (view.money) {
        expected = view.money->expectedReturn;
        maxPrize = view.money->maxPrize;
    }
    json.field("expectedReturn", expected);
    yuanField(json, "maxPrize", maxPrize);
    json.endObject().finish();
}

void printPrizesJson(CliContext& context, const analysis::PrizeTable& table) {
    JsonWriter json(context.out);
    json.beginObject().key("prizes").beginArray();
    for (const auto play : analysis::allPlays()) {
        json.beginObject().field("play", analysis::playKey(play));
        yuanField(json, "prize", table.prize(play));
        json.endObject();
    }
    json.endArray().endObject().finish();
}

} // namespace

void yuanField(JsonWriter& json, std::string_view name, std::optional<analysis::Fen> fen) {
    json.key(name);
    if (fen)
        json.numberText(analysis::yuanText(*fen));
    else
        json.value(std::nullopt);
}

analysis::PrizeTable currentPrizes(CliContext& context) {
    const int n = context.game().highestNumber;
    return session::prizeTableOf(context.settings().Prizes(n), n);
}

void addCalcCommands(CLI::App& app, CliContext& context) {
    auto request = std::make_shared<session::CalcRequest>();
    auto* calc = app.add_subcommand(
        "calc", "投注计算：一组号码（复式、胆拖或直选定位）的注数、金额，每种开奖结果的中奖注数、"
                "奖金与确切概率，以及期望返还");
    addPlayOption(calc, request->play);
    calc->add_option("--numbers", request->numbers,
                     "所选号码（复式；有 --dan 时为拖码；直选时每位都可取这些号码），例如 1,2,3");
    calc->add_option("--dan", request->bankers, "胆码：胆拖投注的胆，例如 1,2");
    calc->add_option("--position", request->positions,
                     "直选定位：每位的号码，按位置给几次，例如 --position 1,2 --position 3");
    calc->add_option("--multiple", request->multiple, "倍数 1～99，默认 1");
    calc->callback([&context, request] {
        const auto view =
            session::calculateBet(*request, context.choices(), currentPrizes(context));
        if (context.format() == OutputFormat::Json) {
            printCalcJson(context, view);
            return;
        }
        printCaptioned(context.out, context.format(), view.caption, session::calcTextGrid(view),
                       view.summary);
    });

    auto sets = std::make_shared<std::vector<std::string>>();
    auto* prizes = app.add_subcommand(
        "prizes", "奖金设置：当前彩种（11选5 或 快乐12）每种玩法一注的固定奖金（元）");
    prizes->add_option("--set", *sets,
                       "设置奖金 玩法=元，可以给几次，例如 --set r5=540；r5= 表示不设置");
    prizes->callback([&context, sets] {
        auto table = currentPrizes(context);
        if (!sets->empty()) {
            table = session::setPrizes(table, *sets);
            context.settings().setPrizes(context.game().highestNumber, table.text());
            context.settings().sync();
        }
        if (context.format() == OutputFormat::Json)
            printPrizesJson(context, table);
        else
            printTable(context.out, context.format(), session::prizeTextGrid(table));
    });
}

} // namespace yilou::cli
