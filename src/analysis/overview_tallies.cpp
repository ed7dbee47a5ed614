#include "analysis/overview_tallies.h"

#include "analysis/place_columns.h"

#include <algorithm>

namespace yilou::analysis {

namespace {

template <int columns, bool distinct, typename Tallies>
void scan(Tallies& tallies, const PlaceColumns& place, const ValueSlots& slot, std::int32_t first,
          std::int32_t end) {
    std::array<const std::int8_t*, columns> c{};
    std::copy_n(place.columns.begin(), columns, c.begin());
    for (std::int32_t i = first; i < end; ++i) {
#pragma GCC unroll 5
        for (int p = 0; p < columns; ++p)
            tallies.template hit<distinct>(slot(c[p][i]), i + 1);
    }
}

} // namespace

OverviewTallies::OverviewTallies(const history::Snapshot& snapshot, const OverviewRequest& request)
    : request_(request), values_(selectableCodes(request.type, request.highestNumber,
                                                 request.rules.sxIni, request.rules.dsIni)),
      tallies_(static_cast<std::int32_t>(request.range.before())) {
    add(snapshot, request.range.first, request.range.last + 1);
}

void OverviewTallies::add(const history::Snapshot& snapshot, std::size_t first, std::size_t end) {
    // Every draw adds its hits to the tallies of the values it holds.
    const ValueSlots slot(values_);
    const PlaceColumns place(snapshot, request_.type, request_.order, request_.place);
    const auto from = static_cast<std::int32_t>(first);
    const auto to = static_cast<std::int32_t>(end);
    if (place.count == 1)
        scan<1, true>(tallies_, place, slot, from, to);
    else
        scan<5, false>(tallies_, place, slot, from, to);
}

void OverviewTallies::append(const history::Snapshot& snapshot) {
    const std::size_t end = snapshot.size();
    if (end <= request_.range.last + 1)
        return;
    add(snapshot, request_.range.last + 1, end);
    request_.range.last = end - 1;
}

OverviewResult OverviewTallies::result(const history::Snapshot& snapshot) const {
    OverviewResult result;
    result.type = request_.type;
    result.order = request_.order;
    result.place = request_.place;
    result.sxIni = request_.rules.sxIni;
    result.range = request_.range;
    // The odds follow the zodiac year of the range's newest draw.
    const auto probabilities = placeProbabilities(
        request_.type, request_.order, request_.place, values_, request_.highestNumber,
        snapshot.issues[request_.range.last], request_.rules);
    const auto held = heldCodes(request_.type, request_.highestNumber,
                                snapshot.issues[request_.range.last], request_.rules);
    result.rows.reserve(values_.size());
    for (std::size_t v = 0; v < values_.size(); ++v) {
        auto& row = result.rows.emplace_back(overviewRow(snapshot, request_.range, values_[v],
                                                         probabilities[v], request_.range.size(),
                                                         tallies_.figures(v)));
        row.possible = std::binary_search(held.begin(), held.end(), values_[v]);
    }
    return result;
}

} // namespace yilou::analysis
