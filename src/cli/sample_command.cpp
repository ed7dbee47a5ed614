#include "cli/sample_command.h"

#include "cli/output.h"
#include "core/games.h"
#include "core/user_error.h"
#include "session/game_steps.h"
#include "session/messages.h"
#include "session/sample_histories.h"
#include "session/typed_input.h"

#include <CLI/CLI.hpp>
#include <algorithm>

namespace yilou::cli {

namespace {

void listSamples(CliContext& context, const std::vector<session::SampleHistory>& samples) {
    TextTable table{{messages::kSampleHeaders.begin(), messages::kSampleHeaders.end()}, {}};
    for (const auto& sample : samples)
        table.rows.push_back({std::to_string(sample.game),
                              std::string(history::gameAt(sample.game).name),
                              sample.file.string()});
    printTable(context.out, context.format(), table);
}

} // namespace

void addSampleCommand(CLI::App& app, CliContext& context) {
    auto* command = app.add_subcommand(
        "sample", "列出示例历史；给出彩种时用示例历史替换该彩种的历史号码并选为当前彩种");
    auto index = std::make_shared<std::string>();
    auto yes = std::make_shared<bool>(false);
    command->add_option("INDEX", *index, "有示例历史的彩种序号或代码（见不带参数时的列表）");
    command->add_flag("--yes", *yes, "确认替换已有的历史号码");
    command->callback([&context, index, yes] {
        const auto samples = session::sampleHistories(session::sampleHistoryFolder());
        if (index->empty()) {
            listSamples(context, samples);
            return;
        }
        const int game = session::parseGame(*index);
        const auto sample = std::ranges::find(samples, game, &session::SampleHistory::game);
        if (sample == samples.end())
            throw InputError(messages::noSampleForGame(*index));
        // The sample goes into its own game's history, whatever --game names.
        context.gameOption = std::to_string(game);
        auto& db = context.dbForChange();
        if (const auto stored = db.drawCount(); stored > 0 && !*yes)
            throw UserError(messages::sampleNeedsYes(stored, history::gameAt(game).name));
        const auto report =
            session::loadSampleHistory(db, *sample, context.rules(), context.dataDir());
        context.closeDb();
        session::useGameHistory(context.dataDir(), game);
        context.settings().setGsZl(game);
        context.settings().sync();
        context.out << report << '\n';
    });
}

} // namespace yilou::cli
