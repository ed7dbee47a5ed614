#pragma once

#include <cstddef>
#include <functional>
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

/// Rows made when they are printed: `row(i, cells)` fills the cells of row i. A result of a
/// million rows is printed this way without holding a million rows of text.
struct RowSource {
    std::vector<std::string> headers;
    std::size_t rowCount = 0;
    std::function<void(std::size_t, std::vector<std::string>&)> row;
};

/// Prints rows with aligned columns (a CJK character takes two columns) or as CSV. The aligned
/// table makes every row twice: once to measure the columns, once to print.
void printRows(std::ostream& out, OutputFormat format, const RowSource& rows);

/// The same for rows already made.
void printTable(std::ostream& out, OutputFormat format, const TextTable& table);

/// Width of a UTF-8 text on a terminal.
std::size_t displayWidth(const std::string& text);

/// A JSON string literal of a UTF-8 text.
std::string jsonString(const std::string& text);

} // namespace yilou::cli
