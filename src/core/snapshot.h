#pragma once

#include "core/draw_record.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

namespace yilou::history {

/// What a history row holds of a draw that its other values follow from: per position 1..5
/// (index 0..4) in drawn order the number, the zodiac code and the segment code.
struct StoredDraw {
    Issue issue = 0;
    std::array<std::int8_t, 5> numbers{};
    std::array<std::int8_t, 5> zodiac{};
    std::array<std::int8_t, 5> segment{};
};

/// The whole history in memory, in issue order: entry i is the draw with IDX i + 1. Values are
/// kept column by column, one byte each, as the analysis reads one column at a time and the
/// history may hold millions of draws.
struct Snapshot {
    using Column = std::vector<std::int8_t>;

    std::vector<Issue> issues;
    /// columns[order][letter][position 0..4]: one value per draw.
    std::array<std::array<std::array<Column, 5>, kLetterCount>, 2> columns;

    std::size_t size() const { return issues.size(); }
    bool empty() const { return issues.empty(); }

    const Column& column(NumberOrder order, Letter letter, int position) const {
        return columns[static_cast<int>(order)][static_cast<int>(letter)][position];
    }
    int value(NumberOrder order, Letter letter, int position, std::size_t index) const {
        return column(order, letter, position)[index];
    }
    /// The five numbers of a draw in drawn order.
    PositionValues numbers(std::size_t index) const;

    void reserve(std::size_t count);
    /// Sets the number of draws; added draws hold zeros until they are set.
    void resize(std::size_t count);
    /// Appends one draw; the caller keeps issue order.
    void push(const DrawRecord& record);
    /// Sets draws first, first + 1, … (all below size()) as recordFromStored derives them.
    /// Draws that do not overlap may be set from different threads at the same time.
    void setStored(std::size_t first, std::span<const StoredDraw> draws);
};

} // namespace yilou::history
