#include "core/draw_validation.h"

#include "core/messages.h"

namespace yilou::history {

std::optional<std::string> drawProblem(Issue issue, const PositionValues& numbers,
                                       const Game& game) {
    return drawProblem(issue, numbers, game.highestNumber);
}

std::optional<std::string> drawProblem(Issue issue, const PositionValues& numbers,
                                       int highestNumber) {
    if (auto problem = issueProblem(issue))
        return problem;
    return numbersProblem(numbers, highestNumber);
}

std::optional<std::string> numbersProblem(const PositionValues& numbers, int highestNumber) {
    for (int i = 0; i < 5; ++i) {
        const int n = numbers[i];
        if (n < 1 || n > highestNumber)
            return messages::numberOutOfRange(n, highestNumber);
        for (int j = 0; j < i; ++j)
            if (numbers[j] == n)
                return messages::numberRepeated(n);
    }
    return std::nullopt;
}

} // namespace yilou::history
