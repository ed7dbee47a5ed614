#pragma once

#include <cstddef>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

namespace yilou::testing {

/// A row of a worksheet: nullopt is an empty cell.
using ReadRow = std::vector<std::optional<std::string>>;

/// A worksheet as the independent reader (Debian's python3-xlrd) sees it.
struct ReadSheet {
    std::string name;
    std::size_t rows = 0;
    std::size_t columns = 0;
    /// Every row: filled only when the cells were asked for. A number cell holds the text its
    /// number format shows.
    std::vector<ReadRow> cells;
    /// The kind of every cell of each row, one character a cell: 't' text, 'n' number, '-'
    /// empty; filled with the cells.
    std::vector<std::string> kinds;
};

/// Reads a workbook through tests/support/read_xls.py. Throws std::runtime_error with the
/// reader's complaint when it cannot read the file, warns about it, or finds a cell that is
/// neither text nor a number in a format it knows.
std::vector<ReadSheet> readWorkbook(const std::filesystem::path& file, bool withCells = true);

} // namespace yilou::testing
