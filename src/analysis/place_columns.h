#pragma once

#include "analysis/search_type.h"
#include "core/snapshot.h"

#include <array>
#include <climits>
#include <cstdint>
#include <vector>

namespace yilou::analysis {

/// The columns in which a value is looked for at a place: anywhere (place 0) the five columns
/// of the drawn order, as the free-position search reads them; at position 1..5 that
/// position's column in `order`.
struct PlaceColumns {
    std::array<const std::int8_t*, 5> columns{};
    int count = 0;

    PlaceColumns(const history::Snapshot& snapshot, SearchType type, history::NumberOrder order,
                 int place) {
        const history::Letter letter = searchTypeInfo(type).letter;
        if (place == 0) {
            for (int p = 0; p < 5; ++p)
                columns[p] = snapshot.column(history::NumberOrder::Drop, letter, p).data();
            count = 5;
        } else {
            columns[0] = snapshot.column(order, letter, place - 1).data();
            count = 1;
        }
    }
};

/// Maps a stored value to its index in a list of values; a value the list lacks maps to the
/// list's size, so a table of one spare entry past the list can take it.
class ValueSlots {
public:
    explicit ValueSlots(const std::vector<int>& values) {
        slot_.fill(static_cast<std::uint8_t>(values.size()));
        for (std::size_t s = 0; s < values.size(); ++s)
            if (values[s] >= INT8_MIN && values[s] <= INT8_MAX)
                slot_[static_cast<std::uint8_t>(values[s])] = static_cast<std::uint8_t>(s);
    }

    std::uint8_t operator()(std::int8_t value) const {
        return slot_[static_cast<std::uint8_t>(value)];
    }

private:
    std::array<std::uint8_t, 256> slot_;
};

} // namespace yilou::analysis
