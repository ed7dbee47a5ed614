#include "analysis/omission_overview.h"

#include "analysis/overview_tallies.h"

#include <algorithm>

namespace yilou::analysis {

using history::Letter;
using history::NumberOrder;

std::vector<double> placeProbabilities(SearchType type, NumberOrder order, int place,
                                       const std::vector<int>& values, int highestNumber,
                                       history::Issue issue, const history::AttributeRules& rules) {
    // Every set of five numbers, in ascending order; a set drawn in any of its 120 orders puts
    // each member at a given drawn position equally often.
    const Letter letter = searchTypeInfo(type).letter;
    std::vector<std::int64_t> favourable(values.size(), 0);
    std::int64_t sets = 0;
    history::PositionValues numbers{};
    for (numbers[0] = 1; numbers[0] <= highestNumber; ++numbers[0])
        for (numbers[1] = numbers[0] + 1; numbers[1] <= highestNumber; ++numbers[1])
            for (numbers[2] = numbers[1] + 1; numbers[2] <= highestNumber; ++numbers[2])
                for (numbers[3] = numbers[2] + 1; numbers[3] <= highestNumber; ++numbers[3])
                    for (numbers[4] = numbers[3] + 1; numbers[4] <= highestNumber; ++numbers[4]) {
                        ++sets;
                        const history::DrawRecord record =
                            history::DeriveAttributes(issue, numbers, rules);
                        const history::PositionValues& held = record.sorted[letter];
                        for (std::size_t v = 0; v < values.size(); ++v) {
                            const auto occurrences =
                                std::count(held.begin(), held.end(), values[v]);
                            if (place == kAnyPlace)
                                favourable[v] += occurrences > 0;
                            else if (order == NumberOrder::Drop)
                                favourable[v] += occurrences; // out of 5 positions
                            else
                                favourable[v] += held[place - 1] == values[v];
                        }
                    }
    const double cases =
        static_cast<double>(sets) * (place != kAnyPlace && order == NumberOrder::Drop ? 5 : 1);
    std::vector<double> probabilities(values.size());
    for (std::size_t v = 0; v < values.size(); ++v)
        probabilities[v] = static_cast<double>(favourable[v]) / cases;
    return probabilities;
}

OverviewResult omissionOverview(const history::Snapshot& snapshot, const OverviewRequest& request) {
    return OverviewTallies(snapshot, request).result(snapshot);
}

} // namespace yilou::analysis
