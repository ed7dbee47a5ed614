#pragma once

#include "core/text_grid.h"

#include <cstddef>
#include <filesystem>
#include <functional>

namespace yilou::history {

/// The rows of a worksheet of the 97–2003 workbook format.
inline constexpr std::size_t kSheetRows = 65536;
/// The columns of a worksheet of that format.
inline constexpr std::size_t kSheetColumns = 256;

/// Told how many rows of the grid are written, of how many; returns false to stop the write.
using WriteProgress = std::function<bool(std::size_t written, std::size_t total)>;

/// The worksheets a grid of `rows` rows (header row included) fills: each one holds the header
/// row and up to 65,535 rows below it.
std::size_t sheetCount(std::size_t rows);

/// Writes `grid` as an Excel 97–2003 workbook (BIFF8 in a compound document): worksheets
/// "Sheet1", "Sheet2", … as sheetCount says, grid cell (r, c) at row r, column c of "Sheet1"
/// (counted from 0) while it fits, every further worksheet starting with the header row. A text
/// that is a plain decimal number ("0", "15", "2015021510", "2.28571428571429") is a number cell
/// whose format shows the same text, so that it sums and sorts; every other cell is text, and
/// empty texts leave the cell empty. The rows are read from the grid once, in order, and
/// written as they come. `file` is replaced only by a complete workbook. Returns false, leaving
/// `file` as it was, when `progress` asked to stop. Throws UserError when the file cannot be
/// written or the grid does not fit the format (more than 256 columns, a text of more than 255
/// characters).
bool writeWorkbook(const std::filesystem::path& file, const TextGrid& grid,
                   const WriteProgress& progress = {});

} // namespace yilou::history
