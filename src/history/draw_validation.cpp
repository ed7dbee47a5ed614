#include "history/draw_validation.h"

namespace yilou::history {

std::optional<std::string> drawProblem(Issue issue, const PositionValues& numbers,
                                       const Game& game) {
    if (auto problem = issueProblem(issue))
        return problem;
    for (int i = 0; i < 5; ++i) {
        const int n = numbers[i];
        if (n < 1 || n > game.highestNumber)
            return "号码 " + twoDigitText(n) + " 超出范围 01～" + twoDigitText(game.highestNumber);
        for (int j = 0; j < i; ++j)
            if (numbers[j] == n)
                return "号码 " + twoDigitText(n) + " 重复出现";
    }
    return std::nullopt;
}

} // namespace yilou::history
