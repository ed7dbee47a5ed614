#pragma once

#include "history/text_grid.h"

#include <ostream>
#include <string>
#include <vector>

namespace yilou::cli {

enum class OutputFormat { Table, Csv, Json };

/// Rows to print: table and csv use the headers of the window's grid.
struct TextTable {
    std::vector<std::string> headers;
    std::vector<std::vector<std::string>> rows;
};

/// Prints a table with aligned columns (a CJK character takes two columns) or as CSV.
void printTable(std::ostream& out, OutputFormat format, const TextTable& table);
/// The same for a grid, its row 0 being the headers.
void printTable(std::ostream& out, OutputFormat format, const history::TextGrid& grid);

/// Width of a UTF-8 text on a terminal.
std::size_t displayWidth(const std::string& text);

/// A JSON string literal of a UTF-8 text.
std::string jsonString(const std::string& text);

} // namespace yilou::cli
