#pragma once

#include <cstddef>
#include <functional>
#include <string>
#include <vector>

namespace yilou::history {

/// A grid of texts as a result grid shows it, row 0 holding the headers. Its rows are read one
/// at a time, so that a grid over a long history is never copied whole.
struct TextGrid {
    std::size_t rows = 0; ///< header row included
    std::size_t columns = 0;
    /// Sets `cells` (resized to `columns` entries) to the texts of row `row`, 0 ≤ row < rows.
    std::function<void(std::size_t row, std::vector<std::string>& cells)> cells;
};

} // namespace yilou::history
