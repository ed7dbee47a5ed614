#pragma once

#include "core/issue.h"
#include "core/snapshot.h"

#include <cstddef>

namespace yilou::analysis {

/// The draws of an issue range as snapshot indexes, both ends included.
struct IndexRange {
    std::size_t first = 0;
    std::size_t last = 0;

    /// The index the first gap counts from: the IDX of the first draw minus one.
    std::size_t before() const { return first; }
    std::size_t size() const { return last + 1 - first; }
};

/// The draws of the history from `start` to `end`, both included. A start issue that is not
/// stored starts the range at the first stored draw after it. An end before the start, or a
/// range that holds no stored draw throws UserError with a message for the user.
IndexRange resolveRange(const history::Snapshot& snapshot, history::Issue start,
                        history::Issue end);

/// The newest `count` draws of `range` (all of them when it holds fewer).
IndexRange lastDraws(IndexRange range, std::size_t count);

} // namespace yilou::analysis
