#include "analysis/pattern_trend.h"

#include "analysis/pattern_reader.h"

namespace yilou::analysis {

PatternTrend patternTrend(const history::Snapshot& snapshot, Pattern pattern, IndexRange range,
                          std::size_t rows, int highestNumber) {
    return PatternTrendTallies(snapshot, pattern, range, rows, highestNumber).trend();
}

PatternTrendTallies::PatternTrendTallies(const history::Snapshot& snapshot, Pattern pattern,
                                         IndexRange range, std::size_t rows, int highestNumber)
    : range_(range), rows_(rows),
      footer_(snapshot, lastDraws(range, rows), highestNumber, pattern) {
    trend_.pattern = pattern;
    trend_.values = patternOdds(pattern, highestNumber).values;
    trend_.view = footer_.range();
    const std::size_t count = trend_.values.size();
    trend_.hitRows.resize(count);

    // Back through the history until every value has its last hit before the chart.
    const PatternReader reader(highestNumber);
    const DrawColumns columns(snapshot);
    const auto valueIndex = valueIndexes(pattern, trend_.values);
    trend_.hitBefore.assign(count + 1, 0);
    std::size_t missing = count;
    for (std::size_t i = trend_.view.first; i-- > firstDrawWithValue(pattern) && missing > 0;) {
        const std::uint8_t v =
            valueIndex[PatternReader::raw(pattern, columns.readWithPrevious(reader, i))];
        if (v < count && trend_.hitBefore[v] == 0) {
            trend_.hitBefore[v] = static_cast<std::int32_t>(i + 1);
            --missing;
        }
    }
    trend_.hitBefore.pop_back();
    addRows(snapshot, trend_.view.first);
}

void PatternTrendTallies::append(const history::Snapshot& snapshot) {
    const std::size_t end = snapshot.size();
    if (end <= range_.last + 1)
        return;
    range_.last = end - 1;
    if (lastDraws(range_, rows_).first != trend_.view.first) {
        *this =
            PatternTrendTallies(snapshot, trend_.pattern, range_, rows_, footer_.highestNumber());
        return;
    }
    const std::size_t first = trend_.view.last + 1;
    footer_.append(snapshot);
    trend_.view = footer_.range();
    addRows(snapshot, first);
}

void PatternTrendTallies::addRows(const history::Snapshot& snapshot, std::size_t first) {
    const IndexRange view = trend_.view;
    const Pattern pattern = trend_.pattern;
    addChartRows(trend_.issues, trend_.numbers, snapshot, history::NumberOrder::Drop, first, view);

    // One spare list past the values for draws whose value the game lacks.
    const auto valueIndex = valueIndexes(pattern, trend_.values);
    trend_.hitRows.emplace_back();
    DrawColumns(snapshot).readEach(
        PatternReader(footer_.highestNumber()), first, view.last + 1,
        [&](std::size_t i, const auto& reading) {
            if (i >= firstDrawWithValue(pattern))
                trend_.hitRows[valueIndex[PatternReader::raw(pattern, reading)]].push_back(
                    static_cast<std::uint32_t>(i - view.first));
        });
    trend_.hitRows.pop_back();

    trend_.footer = footer_.overview(snapshot, pattern);
    for (std::size_t v = 0; v < trend_.values.size(); ++v)
        longestStretchInView(trend_.footer.rows[v], trend_.hitRows[v], view);
}

std::vector<std::array<int, kTrendSidePatterns.size()>> trendSideColumns(const TrendChart& chart,
                                                                         int highestNumber) {
    const PatternReader reader(highestNumber);
    std::vector<std::array<int, kTrendSidePatterns.size()>> side(chart.rowCount());
    for (std::size_t r = 0; r < chart.rowCount(); ++r) {
        const auto& n = chart.numbers[r];
        const auto reading = reader.read(n[0], n[1], n[2], n[3], n[4], 0);
        for (std::size_t k = 0; k < kTrendSidePatterns.size(); ++k) {
            const Pattern pattern = kTrendSidePatterns[k];
            side[r][k] = PatternReader::valueOf(pattern, PatternReader::raw(pattern, reading));
        }
    }
    return side;
}

} // namespace yilou::analysis
