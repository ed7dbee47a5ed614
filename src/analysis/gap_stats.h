#pragma once

#include <cstddef>
#include <cstdint>

namespace yilou::analysis {

/// Gaps between the hits of a range, measured in IDX: the first gap counts from the IDX before
/// the range's first draw, the current gap from the last hit to one past the newest draw of
/// the whole history.
class GapStats {
public:
    /// The value shown for the smallest gap (and the search's largest) when nothing was hit.
    static constexpr std::int32_t kNoHit = 32767;

    /// `before` is the IDX of the draw before the range (the first draw's IDX − 1).
    explicit GapStats(std::size_t before) : prev_(static_cast<std::int64_t>(before)) {}

    /// Records a hit on the draw with this IDX; returns its gap. Hits come in IDX order.
    std::int32_t hit(std::size_t idx) {
        const auto gap = static_cast<std::int32_t>(static_cast<std::int64_t>(idx) - prev_);
        prev_ = static_cast<std::int64_t>(idx);
        if (gap < min_)
            min_ = gap;
        if (gap > max_)
            max_ = gap;
        ++hits_;
        return gap;
    }

    std::size_t hits() const { return hits_; }
    /// Smallest gap, 32767 when nothing was hit.
    std::int32_t smallest() const { return hits_ ? min_ : kNoHit; }
    /// Largest gap, 0 when nothing was hit.
    std::int32_t largest() const { return max_; }
    /// Draws from the last hit to one past the newest draw of the history (IDX `newestIdx`).
    std::int32_t current(std::size_t newestIdx) const {
        return static_cast<std::int32_t>(static_cast<std::int64_t>(newestIdx) + 1 - prev_);
    }

private:
    std::int64_t prev_;
    std::int32_t min_ = INT32_MAX;
    std::int32_t max_ = 0;
    std::size_t hits_ = 0;
};

} // namespace yilou::analysis
