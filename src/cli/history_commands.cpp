#include "cli/history_commands.h"

#include "cli/json_writer.h"
#include "core/user_error.h"
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
    if (context.format() == OutputFormat::Json) {
        JsonWriter json(context.out);
        json.beginObject()
            .field("index", index)
            .field("name", game.name)
            .field("gameCode", game.gameCode())
            .field("drawsPerDay", game.drawsPerDay)
            .field("highestNumber", game.highestNumber)
            .endObject()
            .finish();
        return;
    }
    context.out << messages::currentGame(index, game.name, game.gameCode(), game.drawsPerDay)
                << '\n';
}

void addGameCommand(CLI::App& app, CliContext& context) {
    auto* command = app.add_subcommand("game", "显示或选择当前彩种（0～27）");
    auto index = std::make_shared<std::string>();
    command->add_option("INDEX", *index, "彩种序号 0～27");
    command->callback([&context, index] {
        if (!index->empty()) {
            const int value = session::parseDecimal(*index, messages::field::kGameIndex);
            if (value < 0 || value >= history::kGameCount)
                throw InputError(messages::gameIndexOutOfRange(*index));
            context.settings().setGsZl(value);
            context.settings().sync();
        }
        printGame(context);
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
        const std::string next =
            history::issueText(session::nextIssue(context.db().newestIssue(), context.game(),
                                                 history::today()));
        if (context.format() == OutputFormat::Json)
            JsonWriter(context.out).beginObject().field("issue", next).endObject().finish();
        else
            context.out << next << '\n';
    });
}

} // namespace

void addHistoryCommands(CLI::App& app, CliContext& context) {
    addGameCommand(app, context);
    addHistoryCommand(app, context);
    addAddCommand(app, context);
    addNextCommand(app, context);
}

} // namespace yilou::cli
