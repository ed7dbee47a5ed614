#pragma once

#include "analysis/gap_tallies.h"
#include "analysis/issue_range.h"
#include "analysis/omission_overview.h"
#include "core/snapshot.h"

#include <cstddef>
#include <vector>

namespace yilou::analysis {

/// The running figures of an overview, kept so that draws appended to the history after the
/// range's last one advance it at the cost of their values, not of the range.
class OverviewTallies {
public:
    /// Scans the request's range, which must lie inside the snapshot.
    OverviewTallies(const history::Snapshot& snapshot, const OverviewRequest& request);

    /// Adds the draws after the range's last one up to the snapshot's newest, which become the
    /// range's last. The draws of the range must be those it was made from.
    void append(const history::Snapshot& snapshot);

    IndexRange range() const { return request_.range; }

    /// The overview; the current gaps count to the snapshot's newest draw.
    OverviewResult result(const history::Snapshot& snapshot) const;

private:
    /// The most values a type lists (12 zodiac codes or numbers), and one spare slot past them
    /// for stored values that the list lacks.
    static constexpr std::size_t kSlots = 13;

    void add(const history::Snapshot& snapshot, std::size_t first, std::size_t end);

    OverviewRequest request_;
    std::vector<int> values_;
    GapTallies<kSlots> tallies_;
};

} // namespace yilou::analysis
