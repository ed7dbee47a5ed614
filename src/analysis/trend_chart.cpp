#include "analysis/trend_chart.h"

#include "analysis/place_columns.h"

#include <algorithm>

namespace yilou::analysis {

namespace {

/// Which rows of the view hold each value; a value held twice by a draw is one hit.
std::vector<std::vector<std::uint32_t>> hitRowsOf(const PlaceColumns& place, const ValueSlots& slot,
                                                  std::size_t valueCount, IndexRange view) {
    std::vector<std::vector<std::uint32_t>> rows(valueCount + 1);
    for (std::size_t i = view.first; i <= view.last; ++i) {
        const auto row = static_cast<std::uint32_t>(i - view.first);
        for (int p = 0; p < place.count; ++p) {
            auto& hits = rows[slot(place.columns[p][i])];
            if (hits.empty() || hits.back() != row)
                hits.push_back(row);
        }
    }
    rows.pop_back();
    return rows;
}

/// The IDX of each value's last hit before the view, found by walking back through the
/// history until every value has one.
std::vector<std::int32_t> hitsBefore(const PlaceColumns& place, const ValueSlots& slot,
                                     std::size_t valueCount, IndexRange view) {
    std::vector<std::int32_t> found(valueCount + 1, 0);
    std::size_t missing = valueCount;
    for (std::size_t i = view.first; i-- > 0 && missing > 0;)
        for (int p = 0; p < place.count; ++p) {
            const std::uint8_t s = slot(place.columns[p][i]);
            if (s < valueCount && found[s] == 0) {
                found[s] = static_cast<std::int32_t>(i + 1);
                --missing;
            }
        }
    found.pop_back();
    return found;
}

} // namespace

void longestStretchInView(OverviewRow& row, const std::vector<std::uint32_t>& hitRows,
                          IndexRange view) {
    const std::size_t lastHit = hitRows.empty() ? view.before() : view.first + 1 + hitRows.back();
    const auto open = static_cast<std::int32_t>(view.last + 2 - lastHit);
    row.maxGap = row.hits ? std::max(row.maxGap, open) : open;
}

std::int32_t trendMisses(const std::vector<std::uint32_t>& hitRows, std::int32_t hitBefore,
                         std::size_t firstIndex, std::size_t row) {
    const auto after = std::upper_bound(hitRows.begin(), hitRows.end(), row);
    if (after != hitRows.begin())
        return static_cast<std::int32_t>(row - *(after - 1));
    return static_cast<std::int32_t>(firstIndex + 1 + row) - hitBefore;
}

std::int32_t TrendChart::misses(std::size_t block, std::size_t value, std::size_t row) const {
    const TrendBlock& b = blocks[block];
    return trendMisses(b.hitRows[value], b.hitBefore[value], view.first, row);
}

TrendChart trendChart(const history::Snapshot& snapshot, const TrendRequest& request) {
    TrendChart chart;
    chart.type = request.type;
    chart.order = request.order;
    chart.sxIni = request.rules.sxIni;
    chart.values = selectableCodes(request.type, request.highestNumber, request.rules.sxIni,
                                   request.rules.dsIni);
    chart.view = lastDraws(request.range, request.rows);
    const IndexRange view = chart.view;
    chart.issues.assign(snapshot.issues.begin() + static_cast<std::ptrdiff_t>(view.first),
                        snapshot.issues.begin() + static_cast<std::ptrdiff_t>(view.last) + 1);
    chart.numbers.resize(view.size());
    for (int p = 0; p < 5; ++p) {
        const auto& column = snapshot.column(request.order, history::Letter::A, p);
        for (std::size_t i = view.first; i <= view.last; ++i)
            chart.numbers[i - view.first][p] = column[i];
    }

    const ValueSlots slot(chart.values);
    for (const int placeNumber : request.places) {
        const PlaceColumns place(snapshot, request.type, request.order, placeNumber);
        TrendBlock& block = chart.blocks.emplace_back();
        block.place = placeNumber;
        block.hitRows = hitRowsOf(place, slot, chart.values.size(), view);
        block.hitBefore = hitsBefore(place, slot, chart.values.size(), view);
        OverviewRequest figures;
        figures.type = request.type;
        figures.order = request.order;
        figures.place = placeNumber;
        figures.range = view;
        figures.highestNumber = request.highestNumber;
        figures.rules = request.rules;
        block.view = omissionOverview(snapshot, figures);
        for (std::size_t v = 0; v < chart.values.size(); ++v)
            longestStretchInView(block.view.rows[v], block.hitRows[v], view);
    }
    return chart;
}

} // namespace yilou::analysis
