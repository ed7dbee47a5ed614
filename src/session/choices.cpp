#include "session/choices.h"

namespace yilou::session {

history::Game Choices::game() const {
    history::Game game = history::gameAt(gsZl);
    if (drawsPerDay > 0)
        game.drawsPerDay = drawsPerDay;
    return game;
}

history::AttributeRules Choices::rules() const {
    auto rules = history::AttributeRules::startup(sxIni, dsIni);
    if (positionalZodiacYear)
        rules.zodiac = history::ZodiacCodes::positional(*positionalZodiacYear, sxIni);
    return rules;
}

} // namespace yilou::session
