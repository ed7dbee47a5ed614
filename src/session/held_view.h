#pragma once

#include "analysis/issue_range.h"
#include "core/snapshot.h"

#include <cstddef>
#include <cstdint>
#include <optional>

namespace yilou::session {

/// What a window page keeps of a view between two calls of its step, so that draws appended to
/// the history after the view's range advance the view instead of making it again.
///
/// The revision is the caller's: a number it changes on every change of the history other than
/// draws appended after the newest one (a deletion, an import, a draw stored between others).
template <typename Tallies, typename Key> struct HeldView {
    std::optional<Tallies> tallies;
    Key key{};                  ///< what the tallies were made for besides their range
    std::uint64_t revision = 0; ///< of the history they were last brought up to
    std::size_t seen = 0;       ///< the draws of that history
};

/// Whether `after` holds the draws of `before` (issues and numbers) followed by more: a change
/// that only appended draws after the newest one, which keeps the history's revision.
bool extendsHistory(const history::Snapshot& before, const history::Snapshot& after);

/// The tallies of `key` over `range`: those held, advanced by the draws appended since, when
/// they were made for the same key on the same revision, their range ended at the newest draw
/// then, and `range` starts where theirs does and ends at the newest draw now; otherwise made
/// again by `make()`.
template <typename Tallies, typename Key, typename Make>
const Tallies& advanceOrMake(HeldView<Tallies, Key>& held, const Key& key, std::uint64_t revision,
                             const history::Snapshot& snapshot, analysis::IndexRange range,
                             Make&& make) {
    const bool grows =
        held.tallies && held.key == key && held.revision == revision &&
        held.seen <= snapshot.size() && held.tallies->range().last + 1 == held.seen &&
        held.tallies->range().first == range.first && range.last + 1 == snapshot.size();
    if (grows) {
        held.tallies->append(snapshot);
    } else {
        held.tallies.reset();
        held.tallies.emplace(make());
        held.key = key;
    }
    held.revision = revision;
    held.seen = snapshot.size();
    return *held.tallies;
}

} // namespace yilou::session
