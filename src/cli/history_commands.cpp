#include "cli/history_commands.h"

#include "cli/json_writer.h"
#include "core/user_error.h"
#include "session/game_steps.h"
#include "session/grid_text.h"
#include "session/history_steps.h"
#include "session/messages.h"
#include "session/typed_input.h"

#include <CLI/CLI.hpp>

namespace yilou::cli {

namespace {

void printGame(CliContext& context) {
    const int index = context.settings().GsZl();
    const history::Game& game = history::gameAt(index);
    const int drawsPerDay = context.settings().dayDraws(index);
    if (context.format() == OutputFormat::Json) {
        JsonWriter json(context.out);
        json.beginObject()
            .field("index", index)
            .field("name", game.name)
            .field("gameCode", game.gameCode())
            .field("drawsPerDay", drawsPerDay)
            .field("highestNumber", game.highestNumber)
            .endObject()
            .finish();
        return;
    }
    context.out << messages::currentGame(index, game.name, game.gameCode(), drawsPerDay) << '\n';
}

void addGameCommand(CLI::App& app, CliContext& context) {
    auto* command = app.add_subcommand(
        "game", "显示或选择当前彩种（序号 0～27 或代码）；选择彩种即换用该彩种自己的历史号码");
    auto choice = std::make_shared<std::string>();
    auto drawsPerDay = std::make_shared<std::string>();
    command->add_option("GAME", *choice, "彩种序号 0～27 或代码（例如 11x5gd）");
    command->add_option("--draws-per-day", *drawsPerDay,
                        "设置该彩种（默认当前彩种）每天的期数 1～120，不改变当前彩种");
    command->callback([&context, choice, drawsPerDay] {
        // The history found at a first start belongs to the game chosen before this command.
        context.openGameHistories();
        if (!drawsPerDay->empty()) {
            const int game =
                choice->empty() ? context.settings().GsZl() : session::parseGame(*choice);
            const int draws = session::parseDrawsPerDay(*drawsPerDay);
            context.settings().setDayDraws(game, draws);
            context.settings().sync();
            context.out << messages::drawsPerDaySet(history::gameAt(game).name, draws) << '\n';
            return;
        }
        if (!choice->empty()) {
            const int game = session::parseGame(*choice);
            // Saved once the histories are switched: a refused switch keeps the game.
            session::useGameHistory(context.dataDir(), game);
            context.settings().setGsZl(game);
            context.settings().sync();
        }
        printGame(context);
    });
}

void addGamesCommand(CLI::App& app, CliContext& context) {
    auto* command =
        app.add_subcommand("games", "列出每个彩种：历史号码的期数、最新期号和每天的期数");
    command->callback([&context] {
        context.openGameHistories();
        const auto summaries =
            session::gameHistories(context.dataDir(), context.settings().dayDrawsOfGames());
        if (context.format() != OutputFormat::Json) {
            printTable(context.out, context.format(), session::gameHistoriesGrid(summaries));
            return;
        }
        JsonWriter json(context.out);
        json.beginArray();
        for (const auto& summary : summaries) {
            const auto& game = history::gameAt(summary.game);
            json.beginObject()
                .field("index", summary.game)
                .field("name", game.name)
                .field("gameCode", game.gameCode())
                .field("draws", summary.draws)
                .field("newestIssue",
                       summary.newest ? history::issueText(*summary.newest) : std::string())
                .field("drawsPerDay", summary.drawsPerDay)
                .field("current", summary.current)
                .endObject();
        }
        json.endArray().finish();
    });
}

void printHistory(CliContext& context, const history::Snapshot& snapshot) {
    if (context.format() == OutputFormat::Json) {
        JsonWriter json(context.out);
        json.beginArray();
        for (std::size_t i = 0; i < snapshot.size(); ++i) {
            const auto numbers = snapshot.numbers(i);
            json.beginObject()
                .field("issue", history::issueText(snapshot.issues[i]))
                .field("numbers", numbers)
                .endObject();
        }
        json.endArray().finish();
        return;
    }
    printTable(context.out, context.format(), session::historyTextGrid(snapshot));
}

void addHistoryCommand(CLI::App& app, CliContext& context) {
    auto* command = app.add_subcommand("history", "列出历史号码（期号与五个落地码）");
    auto tail = std::make_shared<std::string>();
    command->add_option("--tail", *tail, "只列出最后 N 期");
    command->callback([&context, tail] {
        if (tail->empty()) {
            printHistory(context, context.db().loadSnapshot());
            return;
        }
        const int count = session::parseDecimal(*tail, messages::field::kDrawCount);
        if (count < 0)
            throw InputError(messages::negativeCount());
        printHistory(context, context.db().loadNewest(static_cast<std::size_t>(count)));
    });
}

void addAddCommand(CLI::App& app, CliContext& context) {
    auto* command = app.add_subcommand("add", "保存一期开奖号码：期号与五个号码（按开出顺序）");
    auto values = std::make_shared<std::vector<std::string>>();
    command->add_option("ISSUE N1 N2 N3 N4 N5", *values)->required()->expected(6);
    command->callback([&context, values] {
        const history::Issue issue = session::parseIssue((*values)[0]);
        history::PositionValues numbers{};
        for (int i = 0; i < 5; ++i)
            numbers[i] = session::parseDecimal((*values)[i + 1], messages::field::kNumber);
        session::storeDraw(context.dbForChange(), issue, numbers, context.game(), context.rules());
        context.out << messages::drawStored(issue) << '\n';
    });
}

void addNextCommand(CLI::App& app, CliContext& context) {
    auto* command = app.add_subcommand("next", "显示建议的下一期期号");
    command->callback([&context] {
        const std::string next = history::issueText(
            session::nextIssue(context.db().newestIssue(), context.game(), history::today()));
        if (context.format() == OutputFormat::Json)
            JsonWriter(context.out).beginObject().field("issue", next).endObject().finish();
        else
            context.out << next << '\n';
    });
}

} // namespace

void addHistoryCommands(CLI::App& app, CliContext& context) {
    addGameCommand(app, context);
    addGamesCommand(app, context);
    addHistoryCommand(app, context);
    addAddCommand(app, context);
    addNextCommand(app, context);
}

} // namespace yilou::cli
