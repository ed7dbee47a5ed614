#include "session/held_view.h"

#include <algorithm>

namespace yilou::session {

bool extendsHistory(const history::Snapshot& before, const history::Snapshot& after) {
    const std::size_t count = before.size();
    if (after.size() <= count)
        return false;
    const auto same = [count](const auto& a, const auto& b) {
        return std::equal(a.begin(), a.begin() + static_cast<std::ptrdiff_t>(count), b.begin());
    };
    if (!same(before.issues, after.issues))
        return false;
    // The other columns follow from the issue and the numbers under the codes in force, which
    // a held view compares for itself.
    for (int p = 0; p < 5; ++p) {
        const auto order = history::NumberOrder::Drop;
        if (!same(before.column(order, history::Letter::A, p),
                  after.column(order, history::Letter::A, p)))
            return false;
    }
    return true;
}

} // namespace yilou::session
