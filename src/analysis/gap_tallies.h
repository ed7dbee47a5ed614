#pragma once

#include "analysis/issue_range.h"
#include "analysis/omission_overview.h"
#include "core/snapshot.h"

#include <algorithm>
#include <array>
#include <cstddef>
#include <cstdint>

namespace yilou::analysis {

/// What the overview needs of one value once the draws of a range have been added.
struct GapFigures {
    std::int32_t last = 0; ///< IDX of the last hit, or the IDX before the range
    std::int32_t minGap = 0;
    std::int32_t maxGap = 0;
    std::int32_t maxGapEnd = 0; ///< IDX of the hit closing the longest gap
    std::int32_t lastGap = 0;
    std::int32_t run = 0; ///< the run of hits that ends at the last hit
    std::int32_t maxRun = 0;
    std::array<std::int32_t, kHistogramLengths + 1> histogram{};
};

/// The running figures of `kSlots` values while the draws of a range are added in IDX order,
/// one array per figure so that a hit's loads and stores stay few and small. Adding the draws
/// after the range's last one later gives the figures of the longer range.
template <std::size_t kSlots> struct GapTallies {
    std::array<std::int32_t, kSlots> last{};
    std::array<std::int32_t, kSlots> minGap{};
    std::array<std::int32_t, kSlots> maxGap{};
    std::array<std::int32_t, kSlots> maxGapEnd{};
    std::array<std::int32_t, kSlots> lastGap{};
    std::array<std::int32_t, kSlots> run{};
    std::array<std::int32_t, kSlots> maxRun{};
    std::array<std::array<std::int32_t, kHistogramLengths + 1>, kSlots> histogram{};

    /// `before`: the IDX before the range's first draw.
    explicit GapTallies(std::int32_t before) {
        last.fill(before);
        minGap.fill(INT32_MAX);
    }

    /// A hit of value `s` on the draw with IDX `idx`. `distinct`: the caller never hits a value
    /// twice on one draw; otherwise the second hit of a draw is ignored.
    template <bool distinct> void hit(std::size_t s, std::int32_t idx) {
        const std::int32_t gap = idx - last[s];
        if (!distinct && gap == 0)
            return;
        last[s] = idx;
        lastGap[s] = gap;
        minGap[s] = std::min(minGap[s], gap);
        if (gap >= maxGap[s]) { // of equal gaps the newest
            maxGap[s] = gap;
            maxGapEnd[s] = idx;
        }
        ++histogram[s][static_cast<std::size_t>(std::min(gap, kHistogramLengths + 1) - 1)];
        // Without a branch: whether a run goes on is as good as random.
        const std::int32_t length = 1 + (run[s] & -static_cast<std::int32_t>(gap == 1));
        run[s] = length;
        maxRun[s] = std::max(maxRun[s], length);
    }

    GapFigures figures(std::size_t s) const {
        return {last[s],    minGap[s], maxGap[s], maxGapEnd[s],
                lastGap[s], run[s],    maxRun[s], histogram[s]};
    }
};

/// The overview row of a value from its figures over `range`. `counted` is the number of
/// draws of the range that could hold the value, for 理论次数 (`counted` × probability).
OverviewRow overviewRow(const history::Snapshot& snapshot, IndexRange range, int value,
                        double probability, std::size_t counted, const GapFigures& figures);

} // namespace yilou::analysis
