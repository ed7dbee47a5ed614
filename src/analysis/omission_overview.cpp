#include "analysis/omission_overview.h"

#include "analysis/gap_stats.h"
#include "analysis/place_columns.h"

#include <algorithm>
#include <numeric>

namespace yilou::analysis {

namespace {

using history::Letter;
using history::NumberOrder;

/// The running figures of one value while the range is scanned in IDX order.
struct Tally {
    std::int32_t last; ///< IDX of the last hit, at first the IDX before the range
    std::int32_t minGap = INT32_MAX;
    std::int32_t maxGap = 0;
    std::int32_t maxGapEnd = 0; ///< IDX of the hit that closed the longest gap
    std::int32_t lastGap = 0;
    std::int32_t run = 0;
    std::int32_t maxRun = 0;
    std::array<std::int32_t, kHistogramLengths + 1> histogram{};

    void hit(std::int32_t idx) {
        const std::int32_t gap = idx - last;
        if (gap == 0)
            return; // the draw holds the value twice: it is one hit
        last = idx;
        lastGap = gap;
        minGap = std::min(minGap, gap);
        if (gap >= maxGap) { // of equal gaps the newest
            maxGap = gap;
            maxGapEnd = idx;
        }
        ++histogram[std::min(gap, kHistogramLengths + 1) - 1];
        run = gap == 1 ? run + 1 : 1;
        maxRun = std::max(maxRun, run);
    }
};

/// Scans the range once: every draw adds its hits to the tallies of the values it holds.
/// Stored values that the list lacks go to one spare tally past the listed ones.
std::vector<Tally> tallyRange(const history::Snapshot& snapshot, const OverviewRequest& request,
                              const std::vector<int>& values) {
    Tally start;
    start.last = static_cast<std::int32_t>(request.range.before());
    std::vector<Tally> tallies(values.size() + 1, start);
    const ValueSlots slot(values);
    const PlaceColumns place(snapshot, request.type, request.order, request.place);
    const auto first = static_cast<std::int32_t>(request.range.first);
    const auto end = static_cast<std::int32_t>(request.range.last) + 1;
    if (place.count == 5) {
        const auto& c = place.columns;
        for (std::int32_t i = first; i < end; ++i)
            for (int p = 0; p < 5; ++p)
                tallies[slot(c[p][i])].hit(i + 1);
    } else {
        const std::int8_t* c = place.columns[0];
        for (std::int32_t i = first; i < end; ++i)
            tallies[slot(c[i])].hit(i + 1);
    }
    tallies.pop_back();
    return tallies;
}

OverviewRow rowOf(const history::Snapshot& snapshot, const OverviewRequest& request, int value,
                  double probability, const Tally& tally) {
    const IndexRange range = request.range;
    OverviewRow row;
    row.value = value;
    row.probability = probability;
    row.hits = std::accumulate(tally.histogram.begin(), tally.histogram.end(), 0);
    row.expectedHits = static_cast<double>(range.size()) * probability;
    row.minGap = row.hits ? tally.minGap : GapStats::kNoHit;
    row.maxGap = row.hits ? tally.maxGap : GapStats::kNoHit;
    row.currentGap = static_cast<std::int32_t>(snapshot.size()) + 1 - tally.last;
    row.ratio = static_cast<double>(row.maxGap) / row.currentGap;
    row.maxRun = tally.maxRun;
    row.currentRun = tally.last == static_cast<std::int32_t>(range.last) + 1 ? tally.run : 0;
    row.histogram = tally.histogram;
    if (row.hits == 0)
        return row;
    // The closed gaps run from the IDX before the range to the last hit.
    const double meanGap =
        static_cast<double>(tally.last - static_cast<std::int32_t>(range.before())) / row.hits;
    row.meanGap = meanGap;
    row.lastGap = tally.lastGap;
    if (probability > 0)
        row.theoreticalGap = 1 / probability;
    row.dueChance = row.currentGap / meanGap;
    // IDX i is snapshot index i − 1.
    row.maxGapSpan = IssueSpan{snapshot.issues[tally.maxGapEnd - tally.maxGap],
                               snapshot.issues[tally.maxGapEnd - 1]};
    return row;
}

} // namespace

std::vector<int> overviewValues(SearchType type, int highestNumber,
                                const history::AttributeRules& rules) {
    const auto span = [](int from, int count) {
        std::vector<int> values(static_cast<std::size_t>(count));
        std::iota(values.begin(), values.end(), from);
        return values;
    };
    switch (type) {
    case SearchType::Number:
        return span(1, highestNumber);
    case SearchType::Zodiac:
        return span(rules.sxIni, 12);
    case SearchType::Head:
        return span(0, 2);
    case SearchType::Tail:
        return span(0, 10);
    case SearchType::DigitSum:
        return span(1, 9);
    case SearchType::Segment:
        return span(rules.dsIni, 3);
    }
    return {};
}

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
    const auto values = overviewValues(request.type, request.highestNumber, request.rules);
    const auto probabilities = placeProbabilities(
        request.type, request.order, request.place, values, request.highestNumber,
        snapshot.issues[request.range.last], request.rules);
    const auto tallies = tallyRange(snapshot, request, values);
    result.rows.reserve(values.size());
    for (std::size_t v = 0; v < values.size(); ++v)
        result.rows.push_back(rowOf(snapshot, request, values[v], probabilities[v], tallies[v]));
    return result;
}

} // namespace yilou::analysis
