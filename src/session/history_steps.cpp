#include "session/history_steps.h"

#include "history/draw_validation.h"
#include "history/messages.h"
#include "history/user_error.h"
#include "session/typed_input.h"

#include <cctype>

namespace yilou::session {

history::DrawRecord storeDraw(history::HistoryDb& db, history::Issue issue,
                              const history::PositionValues& numbers, const history::Game& game,
                              const history::AttributeRules& rules) {
    if (const auto problem = history::drawProblem(issue, numbers, game))
        throw UserError(messages::notStored(*problem));
    const auto record = history::DeriveAttributes(issue, numbers, rules);
    db.appendDraw(record);
    return record;
}

history::DrawRecord storeTypedDraw(history::HistoryDb& db, const std::string& issueText,
                                   const std::array<std::string, 5>& boxes,
                                   const history::Game& game,
                                   const history::AttributeRules& rules) {
    history::PositionValues numbers{};
    for (int i = 0; i < 5; ++i) {
        const auto& box = boxes[i];
        if (box.size() != 2 || !std::isdigit(static_cast<unsigned char>(box[0])) ||
            !std::isdigit(static_cast<unsigned char>(box[1])))
            throw UserError(messages::notStored(messages::incompleteBox(i + 1)));
        numbers[i] = parseDecimal(box, "号码");
    }
    return storeDraw(db, parseIssue(issueText, "下一"), numbers, game, rules);
}

history::Issue nextIssue(std::optional<history::Issue> newest, const history::Game& game) {
    return newest ? history::proposeNextIssue(*newest, game.drawsPerDay)
                  : history::makeIssue(history::today(), 1);
}

history::DeletionResult deleteNewest(history::HistoryDb& db, std::size_t count,
                                     const std::filesystem::path& dataDir,
                                     const history::Game& game,
                                     const history::AttributeRules& rules,
                                     history::WhenAllDrawsGo whenAllGo) {
    if (count == 1)
        return history::deleteNewestDraw(db);
    return history::deleteNewestDraws(db, count, dataDir, game, rules, whenAllGo);
}

} // namespace yilou::session
