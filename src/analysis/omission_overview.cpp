#include "analysis/omission_overview.h"

#include "analysis/gap_tallies.h"
#include "analysis/place_columns.h"

#include <algorithm>
#include <numeric>

namespace yilou::analysis {

namespace {

using history::Letter;
using history::NumberOrder;

/// The most values a type lists (12 zodiac codes or numbers), and one spare slot past them for
/// stored values that the list lacks.
constexpr std::size_t kMaxSlots = 13;

using Tallies = GapTallies<kMaxSlots>;

template <int columns, bool distinct>
void scan(Tallies& tallies, const PlaceColumns& place, const ValueSlots& slot, std::int32_t first,
          std::int32_t end) {
    std::array<const std::int8_t*, columns> c{};
    std::copy_n(place.columns.begin(), columns, c.begin());
    for (std::int32_t i = first; i < end; ++i) {
#pragma GCC unroll 5
        for (int p = 0; p < columns; ++p)
            tallies.hit<distinct>(slot(c[p][i]), i + 1);
    }
}

/// Scans the range once: every draw adds its hits to the tallies of the values it holds.
Tallies tallyRange(const history::Snapshot& snapshot, const OverviewRequest& request,
                   const std::vector<int>& values) {
    Tallies tallies(static_cast<std::int32_t>(request.range.before()));
    const ValueSlots slot(values);
    const PlaceColumns place(snapshot, request.type, request.order, request.place);
    const auto first = static_cast<std::int32_t>(request.range.first);
    const auto end = static_cast<std::int32_t>(request.range.last) + 1;
    if (place.count == 1)
        scan<1, true>(tallies, place, slot, first, end);
    else
        scan<5, false>(tallies, place, slot, first, end);
    return tallies;
}

} // namespace

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
    OverviewResult result;
    result.type = request.type;
    result.order = request.order;
    result.place = request.place;
    result.sxIni = request.rules.sxIni;
    result.range = request.range;
    const auto values = selectableCodes(request.type, request.highestNumber, request.rules.sxIni,
                                        request.rules.dsIni);
    const auto probabilities = placeProbabilities(
        request.type, request.order, request.place, values, request.highestNumber,
        snapshot.issues[request.range.last], request.rules);
    const Tallies tallies = tallyRange(snapshot, request, values);
    result.rows.reserve(values.size());
    for (std::size_t v = 0; v < values.size(); ++v)
        result.rows.push_back(overviewRow(snapshot, request.range, values[v], probabilities[v],
                                          request.range.size(), tallies.figures(v)));
    return result;
}

} // namespace yilou::analysis
