#include "cli/filter_commands.h"

#include "cli/calc_commands.h"
#include "cli/json_writer.h"
#include "cli/play_commands.h"
#include "session/filter_steps.h"
#include "session/messages.h"

#include <CLI/CLI.hpp>
#include <memory>

namespace yilou::cli {

namespace {

/// The conditions both commands take.
void addConditionOptions(CLI::App* command, session::FilterRequest& request) {
    addPlayOption(command, request.play);
    command->add_option("--must", request.must, "胆码：号码里必须有这些，例如 3,7");
    command->add_option("--exclude", request.exclude, "杀号：号码里不能有这些，例如 1,11");
    command->add_option("--sum", request.sum, "和值范围 A-B，例如 25-35");
    command->add_option("--span", request.span, "跨度（最大号减最小号）范围 A-B");
    command->add_option("--odd", request.odd, "奇数的个数，可以列几个，例如 2,3");
    command->add_option("--big", request.big, "大号的个数，可以列几个");
    command->add_option("--prime", request.prime, "质数（01 02 03 05 07 11）的个数，可以列几个");
    command->add_option("--consecutive", request.consecutive, "相邻号码的对数，可以列几个");
    command->add_option("--omission", request.omission,
                        "当前遗漏范围 A-B，与玩法遗漏的当前遗漏相同");
}

void printTicketsJson(CliContext& context, const session::FilterView& view) {
    JsonWriter json(context.out);
    json.beginObject()
        .field("play", analysis::playKey(view.play))
        .field("count", view.tickets.size())
        .key("tickets")
        .beginArray();
    for (const auto& ticket : view.tickets) {
        json.beginArray();
        for (int j = 0; j < ticket.size; ++j)
            json.value(ticket.numbers[j]);
        json.endArray();
    }
    json.endArray().endObject().finish();
}

/// The money of a row or of the totals, null without a prize.
void moneyFields(JsonWriter& json, const analysis::BacktestMoney::Figures* money) {
    yuanField(json, "cost", money ? std::optional(money->cost) : std::nullopt);
    yuanField(json, "prize", money ? std::optional(money->prize) : std::nullopt);
    yuanField(json, "net", money ? std::optional(money->net()) : std::nullopt);
    json.field("expectedPrize", money ? std::optional(money->expectedPrize / 100) : std::nullopt);
}

void printBacktestJson(CliContext& context, const session::BacktestView& view) {
    JsonWriter json(context.out);
    json.beginObject().key("rows").beginArray();
    for (std::size_t i = 0; i < view.rows.size(); ++i) {
        const auto& row = view.rows[i];
        json.beginObject()
            .field("issue", history::issueText(row.issue))
            .field("numbers", row.numbers)
            .field("tickets", row.tickets)
            .field("wins", row.wins);
        moneyFields(json, view.money ? &view.money->rows[i] : nullptr);
        json.endObject();
    }
    const auto& t = view.totals;
    json.endArray()
        .key("totals")
        .beginObject()
        .field("draws", t.draws)
        .field("tickets", t.tickets)
        .field("wins", t.wins)
        .field("drawsWithWin", t.drawsWithWin)
        .field("expectedWins", t.expectedWins)
        .field("expectedDrawsWithWin", t.expectedDrawsWithWin);
    moneyFields(json, view.money ? &view.money->totals : nullptr);
    json.endObject().endObject().finish();
}

} // namespace

void addFilterCommands(CLI::App& app, CliContext& context) {
    auto filterRequest = std::make_shared<session::FilterRequest>();
    auto* filter = app.add_subcommand(
        "filter", "缩水：按胆码、杀号、和值、跨度、奇偶、大小、质合、连号与遗漏条件列出某玩法的号码"
                  "（--format text 每行一注）");
    addConditionOptions(filter, *filterRequest);
    filter->callback([&context, filterRequest] {
        const auto plan = session::readFilter(*filterRequest, context.choices());
        const auto snapshot = context.db().loadSnapshot();
        const auto view = session::filterTickets(snapshot, plan);
        if (context.formatName == kTicketLinesFormat) {
            context.out << session::ticketLines(view);
            return;
        }
        if (context.format() == OutputFormat::Json) {
            printTicketsJson(context, view);
            return;
        }
        if (context.format() == OutputFormat::Table)
            context.out << view.caption << '\n';
        printTable(context.out, context.format(), session::ticketTextGrid(view));
    });

    auto backtestRequest = std::make_shared<session::FilterRequest>();
    auto last = std::make_shared<std::string>();
    auto* backtest = app.add_subcommand(
        "backtest",
        "回测：按同样的条件，在最新的若干期里逐期缩水，看每期中奖多少注，并与纯随机相比");
    addConditionOptions(backtest, *backtestRequest);
    backtest->add_option("--last", *last, "回测最新的 N 期，默认之前有开奖的每一期");
    backtest->callback([&context, backtestRequest, last] {
        const auto plan = session::readFilter(*backtestRequest, context.choices());
        const std::size_t draws = session::readBacktestDraws(*last);
        const auto snapshot = context.db().loadSnapshot();
        const auto view = *session::backtestTickets(snapshot, plan, draws, currentPrizes(context));
        for (const auto& problem : view.warnings)
            context.err << messages::warning(problem) << '\n';
        if (context.format() == OutputFormat::Json) {
            printBacktestJson(context, view);
            return;
        }
        printCaptioned(context.out, context.format(), view.caption, session::backtestTextGrid(view),
                       view.summary);
    });
}

} // namespace yilou::cli
