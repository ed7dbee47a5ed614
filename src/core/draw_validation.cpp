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
    if (auto problem = numberRangeProblem(numbers, highestNumber))
        return problem;
    for (int i = 0; i < 5; ++i)
        for (int j = 0; j < i; ++j)
            if (numbers[j] == numbers[i])
                return messages::numberRepeated(numbers[i]);
    return std::nullopt;
}

std::optional<std::string> numberRangeProblem(const PositionValues& numbers, int highestNumber) {
    for (const int n : numbers)
        if (auto problem = numberRangeProblem(n, highestNumber))
            return problem;
    return std::nullopt;
}

std::optional<std::string> numberRangeProblem(int number, int highestNumber) {
    if (number < 1 || number > highestNumber)
        return messages::numberOutOfRange(number, highestNumber);
    return std::nullopt;
}

} // namespace yilou::history
