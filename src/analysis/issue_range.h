#pragma once

#include "history/snapshot.h"

#include <cstddef>
#include <string_view>

namespace yilou::analysis {

/// The draws of an issue range as snapshot indexes, both ends included.
struct IndexRange {
    std::size_t first = 0;
    std::size_t last = 0;

    /// The index the first gap counts from: the IDX of the first draw minus one.
    std::size_t before() const { return first; }
    std::size_t size() const { return last + 1 - first; }
};

/// Resolves the range boxes' texts (ten-digit or eight-digit issues) against the history. A
/// start issue that is not stored starts the range at the first stored draw after it. A text
/// that is not an issue throws InputError; an end before the start, or a range that holds no
/// stored draw, UserError; each with a message for the user.
IndexRange resolveRange(const history::Snapshot& snapshot, std::string_view startText,
                        std::string_view endText);

/// The newest `count` draws of `range` (all of them when it holds fewer).
IndexRange lastDraws(IndexRange range, std::size_t count);

} // namespace yilou::analysis
