#include "analysis/pattern_trend.h"

#include "analysis/pattern_reader.h"

namespace yilou::analysis {

TrendChart patternTrend(const history::Snapshot& snapshot, Pattern pattern, IndexRange range,
                        std::size_t rows, int highestNumber) {
    return PatternTrendTallies(snapshot, pattern, range, rows, highestNumber).chart();
}

PatternTrendTallies::PatternTrendTallies(const history::Snapshot& snapshot, Pattern pattern,
                                         IndexRange range, std::size_t rows, int highestNumber)
    : pattern_(pattern), range_(range), rows_(rows), chart_(std::make_shared<TrendChart>()),
      footer_(snapshot, lastDraws(range, rows), highestNumber, pattern) {
    TrendChart& chart = *chart_;
    chart.values = patternOdds(pattern, highestNumber).values;
    chart.view = footer_.range();
    const std::size_t count = chart.values.size();
    auto& block = chart.blocks.emplace_back();
    block.hitRows.resize(count);

    // Back through the history until every value has its last hit before the chart.
    const PatternReader reader(highestNumber);
    const DrawColumns columns(snapshot);
    const auto valueIndex = valueIndexes(pattern, chart.values);
    block.hitBefore.assign(count + 1, 0);
    std::size_t missing = count;
    for (std::size_t i = chart.view.first; i-- > firstDrawWithValue(pattern) && missing > 0;) {
        const std::uint8_t v =
            valueIndex[PatternReader::raw(pattern, columns.readWithPrevious(reader, i))];
        if (v < count && block.hitBefore[v] == 0) {
            block.hitBefore[v] = static_cast<std::int32_t>(i + 1);
            --missing;
        }
    }
    block.hitBefore.pop_back();
    addRows(snapshot, chart.view.first);
}

void PatternTrendTallies::append(const history::Snapshot& snapshot) {
    const std::size_t end = snapshot.size();
    if (end <= range_.last + 1)
        return;
    range_.last = end - 1;
    if (lastDraws(range_, rows_).first != chart_->view.first) {
        *this = PatternTrendTallies(snapshot, pattern_, range_, rows_, footer_.highestNumber());
        return;
    }
    TrendChart& chart = unshared(chart_);
    const std::size_t first = chart.view.last + 1;
    footer_.append(snapshot);
    chart.view = footer_.range();
    addRows(snapshot, first);
}

void PatternTrendTallies::addRows(const history::Snapshot& snapshot, std::size_t first) {
    TrendChart& chart = *chart_;
    TrendBlock& block = chart.blocks.front();
    const IndexRange view = chart.view;
    const Pattern pattern = pattern_;
    addChartRows(chart.issues, chart.numbers, snapshot, history::NumberOrder::Drop, first, view);

    // One spare list past the values for draws whose value the game lacks.
    const auto valueIndex = valueIndexes(pattern, chart.values);
    block.hitRows.emplace_back();
    DrawColumns(snapshot).readEach(
        PatternReader(footer_.highestNumber()), first, view.last + 1,
        [&](std::size_t i, const auto& reading) {
            if (i >= firstDrawWithValue(pattern))
                block.hitRows[valueIndex[PatternReader::raw(pattern, reading)]].push_back(
                    static_cast<std::uint32_t>(i - view.first));
        });
    block.hitRows.pop_back();

    auto footer = footer_.overview(snapshot, pattern);
    block.view.range = footer.range;
    block.view.rows = std::move(footer.rows);
    for (std::size_t v = 0; v < chart.values.size(); ++v)
        longestStretchInView(block.view.rows[v], block.hitRows[v], view);
}

std::array<int, kTrendSidePatterns.size()>
trendSideValues(const std::array<std::int8_t, 5>& numbers, int highestNumber) {
    const auto& n = numbers;
    const auto reading = PatternReader(highestNumber).read(n[0], n[1], n[2], n[3], n[4], 0);
    std::array<int, kTrendSidePatterns.size()> side{};
    for (std::size_t k = 0; k < kTrendSidePatterns.size(); ++k) {
        const Pattern pattern = kTrendSidePatterns[k];
        side[k] = PatternReader::valueOf(pattern, PatternReader::raw(pattern, reading));
    }
    return side;
}

} // namespace yilou::analysis
