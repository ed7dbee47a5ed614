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
    std::int32_t last = 0;   ///< IDX of the last hit, or the IDX before the range
    std::int32_t minGap = 0; ///< with a hit only
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
    std::array<std::uint32_t, kSlots> last{}; ///< IDX of the last hit, or the IDX before
    std::array<std::uint32_t, kSlots> run{};
    std::array<std::uint32_t, kSlots> lastGap{};
    std::array<std::uint32_t, kSlots> minGap{};
    std::array<std::uint32_t, kSlots> maxGap{};
    std::array<std::uint32_t, kSlots> maxGapEnd{};
    std::array<std::uint32_t, kSlots> maxRun{};
    /// Entry g counts the closed gaps of length g (1..20), entry 21 the longer ones; entry 0
    /// stays 0, so that the gap itself is the index.
    std::array<std::array<std::uint32_t, kHistogramLengths + 2>, kSlots> histogram{};

    /// `before`: the IDX before the range's first draw.
    explicit GapTallies(std::int32_t before) {
        last.fill(static_cast<std::uint32_t>(before));
        minGap.fill(UINT32_MAX);
    }

    /// A hit of value `s` on the draw with IDX `idx`. `distinct`: the caller never hits a value
    /// twice on one draw; otherwise the second hit of a draw is ignored. Unsigned arithmetic
    /// and a histogram indexed by the gap keep a hit at about twenty instructions.
    template <bool distinct> void hit(std::size_t s, std::int32_t idx) {
        const auto at = static_cast<std::uint32_t>(idx);
        const std::uint32_t gap = at - last[s];
        if (!distinct && gap == 0)
            return;
        last[s] = at;
        lastGap[s] = gap;
        // Without a branch: whether a run goes on is as good as random.
        const std::uint32_t length = 1 + (run[s] & -static_cast<std::uint32_t>(gap == 1));
        run[s] = length;
        // New extremes are rare once a few gaps are in: branches, so that most hits store nothing.
        if (gap < minGap[s])
            minGap[s] = gap;
        if (gap >= maxGap[s]) { // of equal gaps the newest
            maxGap[s] = gap;
            maxGapEnd[s] = at;
        }
        if (length > maxRun[s])
            maxRun[s] = length;
        ++histogram[s][std::min<std::uint32_t>(gap, kHistogramLengths + 1)];
    }

    GapFigures figures(std::size_t s) const {
        GapFigures f;
        f.last = static_cast<std::int32_t>(last[s]);
        f.minGap = static_cast<std::int32_t>(minGap[s]);
        f.maxGap = static_cast<std::int32_t>(maxGap[s]);
        f.maxGapEnd = static_cast<std::int32_t>(maxGapEnd[s]);
        f.lastGap = static_cast<std::int32_t>(lastGap[s]);
        f.run = static_cast<std::int32_t>(run[s]);
        f.maxRun = static_cast<std::int32_t>(maxRun[s]);
        std::copy(histogram[s].begin() + 1, histogram[s].end(), f.histogram.begin());
        return f;
    }
};

/// The overview row of a value from its figures over `range`. `counted` is the number of
/// draws of the range that could hold the value, for 理论次数 (`counted` × probability).
OverviewRow overviewRow(const history::Snapshot& snapshot, IndexRange range, int value,
                        double probability, std::size_t counted, const GapFigures& figures);

} // namespace yilou::analysis
