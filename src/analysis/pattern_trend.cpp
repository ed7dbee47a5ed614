#include "analysis/pattern_trend.h"

#include "analysis/pattern_reader.h"

namespace yilou::analysis {

PatternTrend patternTrend(const history::Snapshot& snapshot, Pattern pattern, IndexRange range,
                          std::size_t rows, int highestNumber) {
    PatternTrend trend;
    trend.pattern = pattern;
    trend.values = patternOdds(pattern, highestNumber).values;
    trend.view = lastDraws(range, rows);
    const IndexRange view = trend.view;
    trend.issues.assign(snapshot.issues.begin() + static_cast<std::ptrdiff_t>(view.first),
                        snapshot.issues.begin() + static_cast<std::ptrdiff_t>(view.last) + 1);
    trend.numbers.resize(view.size());
    for (int p = 0; p < 5; ++p) {
        const auto& column = snapshot.column(history::NumberOrder::Drop, history::Letter::A, p);
        for (std::size_t i = view.first; i <= view.last; ++i)
            trend.numbers[i - view.first][static_cast<std::size_t>(p)] = column[i];
    }

    const PatternReader reader(highestNumber);
    const DrawColumns columns(snapshot);
    const auto valueIndex = valueIndexes(pattern, trend.values);
    const std::size_t count = trend.values.size();
    const std::size_t firstWithValue = firstDrawWithValue(pattern);

    // One spare list and entry past the values for draws whose value the game lacks.
    trend.hitRows.resize(count + 1);
    columns.readEach(reader, view.first, view.last + 1, [&](std::size_t i, const auto& reading) {
        if (i >= firstWithValue)
            trend.hitRows[valueIndex[PatternReader::raw(pattern, reading)]].push_back(
                static_cast<std::uint32_t>(i - view.first));
    });
    trend.hitRows.pop_back();

    // Back through the history until every value has its last hit before the chart.
    trend.hitBefore.assign(count + 1, 0);
    std::size_t missing = count;
    for (std::size_t i = view.first; i-- > firstWithValue && missing > 0;) {
        const std::uint8_t v =
            valueIndex[PatternReader::raw(pattern, columns.readWithPrevious(reader, i))];
        if (v < count && trend.hitBefore[v] == 0) {
            trend.hitBefore[v] = static_cast<std::int32_t>(i + 1);
            --missing;
        }
    }
    trend.hitBefore.pop_back();

    trend.footer = PatternTallies(snapshot, view, highestNumber).overview(snapshot, pattern);
    for (std::size_t v = 0; v < count; ++v)
        longestStretchInView(trend.footer.rows[v], trend.hitRows[v], view);
    return trend;
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
