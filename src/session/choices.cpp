#include "session/choices.h"

namespace yilou::session {

const history::Game& Choices::game() const {
    return history::gameAt(gsZl);
}

history::AttributeRules Choices::rules() const {
    auto rules = history::AttributeRules::startup(sxIni, dsIni);
    if (positionalZodiacYear)
        rules.zodiac = history::ZodiacCodes::positional(*positionalZodiacYear, sxIni);
    return rules;
}

} // namespace yilou::session
