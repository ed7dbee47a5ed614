#pragma once

#include "core/text_grid.h"

#include <cstddef>
#include <ostream>
#include <string>
#include <string_view>
#include <vector>

namespace yilou::cli {

enum class OutputFormat { Table, Csv, Json };

/// Prints a grid, its row 0 being the headers, with aligned columns (a CJK character takes two
/// columns) or as CSV. Its rows are made as they are printed, so a result of a million rows is
/// never held as text: the aligned table makes every row twice, once to measure the columns and
/// once to print.
void printTable(std::ostream& out, OutputFormat format, const history::TextGrid& grid);

/// Rows already made, for the tables that are not one of the grids.
struct TextTable {
    std::vector<std::string> headers;
    std::vector<std::vector<std::string>> rows;
};

/// Prints the table as printTable prints a grid.
void printTable(std::ostream& out, OutputFormat format, const TextTable& table);

/// Prints a grid with, in the aligned table alone, a caption above it and lines of words below.
void printCaptioned(std::ostream& out, OutputFormat format, const std::string& caption,
                    const history::TextGrid& grid, const std::vector<std::string>& lines);

/// Appends a cell as a CSV field: in quotes, with its quotes doubled, when it holds a comma, a
/// quote or a line end.
void appendCsvField(std::string& out, std::string_view text);

/// Width of a UTF-8 text on a terminal.
std::size_t displayWidth(const std::string& text);

} // namespace yilou::cli
