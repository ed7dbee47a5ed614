#include "analysis/gap_tallies.h"

#include "analysis/gap_stats.h"

#include <numeric>

namespace yilou::analysis {

OverviewRow overviewRow(const history::Snapshot& snapshot, IndexRange range, int value,
                        double probability, std::size_t counted, const GapFigures& figures) {
    OverviewRow row;
    row.value = value;
    row.probability = probability;
    row.hits = std::accumulate(figures.histogram.begin(), figures.histogram.end(), 0);
    row.expectedHits = static_cast<double>(counted) * probability;
    const std::int32_t last = figures.last;
    row.currentGap = static_cast<std::int32_t>(snapshot.size()) + 1 - last;
    row.maxRun = figures.maxRun;
    row.currentRun = last == static_cast<std::int32_t>(range.last) + 1 ? figures.run : 0;
    row.histogram = figures.histogram;
    // Follows from the value's chance, hit or not.
    if (probability > 0)
        row.theoreticalGap = 1 / probability;
    if (row.hits == 0) {
        // Nothing closed a gap: the longest is the one still open.
        row.maxGap = row.currentGap;
        return row;
    }
    row.minGap = figures.minGap;
    row.maxGap = figures.maxGap;
    row.ratio = static_cast<double>(row.maxGap) / row.currentGap;
    // The closed gaps run from the IDX before the range to the last hit.
    const double meanGap =
        static_cast<double>(last - static_cast<std::int32_t>(range.before())) / row.hits;
    row.meanGap = meanGap;
    row.lastGap = figures.lastGap;
    row.dueChance = row.currentGap / meanGap;
    // IDX i is snapshot index i − 1.
    const std::int32_t end = figures.maxGapEnd;
    row.maxGapSpan = IssueSpan{snapshot.issues[end - figures.maxGap], snapshot.issues[end - 1]};
    return row;
}

} // namespace yilou::analysis
