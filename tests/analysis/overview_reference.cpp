#include "overview_reference.h"

#include <algorithm>
#include <vector>

namespace yilou::analysis {

void PrintTo(const OverviewRow& row, std::ostream* out) {
    *out << "value " << row.value << " p " << row.probability << " hits " << row.hits
         << " expected " << row.expectedHits << " gaps " << row.minGap.value_or(-1) << '/'
         << row.maxGap << '/' << row.currentGap << " ratio " << row.ratio.value_or(-1) << " mean "
         << row.meanGap.value_or(-1) << " last " << row.lastGap.value_or(-1) << " theory "
         << row.theoreticalGap.value_or(-1) << " due " << row.dueChance.value_or(-1) << " span "
         << (row.maxGapSpan ? history::issueText(row.maxGapSpan->first) + "～" +
                                  history::issueText(row.maxGapSpan->last)
                            : "none")
         << " runs " << row.maxRun << '/' << row.currentRun << " histogram";
    for (const auto count : row.histogram)
        *out << ' ' << count;
}

void forEveryOrderedDraw(int highestNumber,
                         const std::function<void(const history::PositionValues&)>& visit) {
    history::PositionValues d{};
    const auto distinct = [&d] {
        for (int i = 0; i < 5; ++i)
            for (int j = 0; j < i; ++j)
                if (d[i] == d[j])
                    return false;
        return true;
    };
    for (d[0] = 1; d[0] <= highestNumber; ++d[0])
        for (d[1] = 1; d[1] <= highestNumber; ++d[1])
            for (d[2] = 1; d[2] <= highestNumber; ++d[2])
                for (d[3] = 1; d[3] <= highestNumber; ++d[3])
                    for (d[4] = 1; d[4] <= highestNumber; ++d[4])
                        if (distinct())
                            visit(d);
}

OverviewRow referenceOverviewRow(const history::Snapshot& snapshot, IndexRange range, int value,
                                 double probability, std::size_t counted,
                                 const std::function<bool(std::size_t)>& held) {
    OverviewRow row;
    row.value = value;
    row.probability = probability;
    row.expectedHits = double(counted) * probability;
    std::vector<std::int32_t> gaps;
    std::int32_t previous = std::int32_t(range.first); // the IDX before the range
    std::int32_t run = 0;
    for (std::size_t i = range.first; i <= range.last; ++i) {
        if (!held(i)) {
            run = 0;
            continue;
        }
        const auto idx = std::int32_t(i + 1);
        gaps.push_back(idx - previous);
        if (!row.maxGapSpan || gaps.back() >= row.maxGap) {
            row.maxGap = gaps.back();
            row.maxGapSpan = IssueSpan{snapshot.issues[previous], snapshot.issues[i]};
        }
        previous = idx;
        row.maxRun = std::max(row.maxRun, ++run);
    }
    row.currentRun = run;
    row.hits = std::int32_t(gaps.size());
    row.currentGap = std::int32_t(snapshot.size()) + 1 - previous;
    if (gaps.empty())
        row.maxGap = row.currentGap;
    if (probability > 0)
        row.theoreticalGap = 1 / probability;
    for (const auto gap : gaps)
        ++row.histogram[std::min(gap, 21) - 1];
    if (!gaps.empty()) {
        row.minGap = *std::min_element(gaps.begin(), gaps.end());
        row.ratio = double(row.maxGap) / row.currentGap;
        std::int32_t sum = 0;
        for (const auto gap : gaps)
            sum += gap;
        row.meanGap = double(sum) / row.hits;
        row.lastGap = gaps.back();
        row.dueChance = row.currentGap / *row.meanGap;
    }
    return row;
}

} // namespace yilou::analysis
