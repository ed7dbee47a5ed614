#pragma once

#include <cstddef>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

namespace yilou::testing {

/// A worksheet as the independent reader (Debian's python3-xlrd) sees it.
struct ReadSheet {
    std::string name;
    std::size_t rows = 0;
    std::size_t columns = 0;
    /// Every row as a JSON array of its cells, a text or null for an empty cell: filled only
    /// when the cells were asked for.
    std::vector<std::string> cells;
};

/// Reads a workbook through tests/support/read_xls.py. Throws std::runtime_error with the
/// reader's complaint when it cannot read the file, warns about it, or finds a cell that is
/// not text.
std::vector<ReadSheet> readWorkbook(const std::filesystem::path& file, bool withCells = true);

/// A row as readWorkbook gives it: nullopt is an empty cell.
std::string jsonRow(const std::vector<std::optional<std::string>>& cells);

} // namespace yilou::testing
