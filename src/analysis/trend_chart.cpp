#include "analysis/trend_chart.h"

#include "analysis/place_columns.h"

#include <algorithm>

namespace yilou::analysis {

namespace {

/// Adds to `rows` (one list per value) the rows of the view's draws from snapshot index `first`
/// to the view's last that hold each value; a value held twice by a draw is one hit.
void addHitRows(std::vector<std::vector<std::uint32_t>>& rows, const PlaceColumns& place,
                const ValueSlots& slot, std::size_t first, IndexRange view) {
    rows.emplace_back(); // for values the list lacks
    for (std::size_t i = first; i <= view.last; ++i) {
        const auto row = static_cast<std::uint32_t>(i - view.first);
        for (int p = 0; p < place.count; ++p) {
            auto& hits = rows[slot(place.columns[p][i])];
            if (hits.empty() || hits.back() != row)
                hits.push_back(row);
        }
    }
    rows.pop_back();
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
    return TrendTallies(snapshot, request).chart();
}

TrendTallies::TrendTallies(const history::Snapshot& snapshot, const TrendRequest& request)
    : request_(request), chart_(std::make_shared<TrendChart>()) {
    TrendChart& chart = *chart_;
    chart.type = request.type;
    chart.order = request.order;
    chart.sxIni = request.rules.sxIni;
    chart.values = selectableCodes(request.type, request.highestNumber, request.rules.sxIni,
                                   request.rules.dsIni);
    chart.view = lastDraws(request.range, request.rows);
    const IndexRange view = chart.view;
    const ValueSlots slot(chart.values);
    for (const int placeNumber : request.places) {
        const PlaceColumns place(snapshot, request.type, request.order, placeNumber);
        TrendBlock& block = chart.blocks.emplace_back();
        block.place = placeNumber;
        block.hitRows.resize(chart.values.size());
        block.hitBefore = hitsBefore(place, slot, chart.values.size(), view);
        OverviewRequest figures;
        figures.type = request.type;
        figures.order = request.order;
        figures.place = placeNumber;
        figures.range = view;
        figures.highestNumber = request.highestNumber;
        figures.rules = request.rules;
        footers_.emplace_back(snapshot, figures);
    }
    addRows(snapshot, view.first);
}

TrendChart& unshared(std::shared_ptr<TrendChart>& chart) {
    if (chart.use_count() > 1)
        chart = std::make_shared<TrendChart>(*chart);
    return *chart;
}

void TrendTallies::append(const history::Snapshot& snapshot) {
    const std::size_t end = snapshot.size();
    if (end <= request_.range.last + 1)
        return;
    request_.range.last = end - 1;
    const IndexRange view = lastDraws(request_.range, request_.rows);
    if (view.first != chart_->view.first) {
        *this = TrendTallies(snapshot, request_);
        return;
    }
    TrendChart& chart = unshared(chart_);
    const std::size_t first = chart.view.last + 1;
    chart.view = view;
    for (OverviewTallies& footer : footers_)
        footer.append(snapshot);
    addRows(snapshot, first);
}

void addChartRows(std::vector<history::Issue>& issues,
                  std::vector<std::array<std::int8_t, 5>>& numbers,
                  const history::Snapshot& snapshot, history::NumberOrder order, std::size_t first,
                  IndexRange view) {
    issues.insert(issues.end(), snapshot.issues.begin() + static_cast<std::ptrdiff_t>(first),
                  snapshot.issues.begin() + static_cast<std::ptrdiff_t>(view.last) + 1);
    numbers.resize(view.size());
    for (int p = 0; p < 5; ++p) {
        const auto& column = snapshot.column(order, history::Letter::A, p);
        for (std::size_t i = first; i <= view.last; ++i)
            numbers[i - view.first][static_cast<std::size_t>(p)] = column[i];
    }
}

void TrendTallies::addRows(const history::Snapshot& snapshot, std::size_t first) {
    TrendChart& chart = *chart_;
    const IndexRange view = chart.view;
    addChartRows(chart.issues, chart.numbers, snapshot, request_.order, first, view);
    const ValueSlots slot(chart.values);
    for (std::size_t b = 0; b < chart.blocks.size(); ++b) {
        TrendBlock& block = chart.blocks[b];
        const PlaceColumns place(snapshot, request_.type, request_.order, block.place);
        addHitRows(block.hitRows, place, slot, first, view);
        block.view = footers_[b].result(snapshot);
        for (std::size_t v = 0; v < chart.values.size(); ++v)
            longestStretchInView(block.view.rows[v], block.hitRows[v], view);
    }
}

} // namespace yilou::analysis
