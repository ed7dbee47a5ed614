#include "cli/output.h"

#include <algorithm>

namespace yilou::cli {

namespace {

std::string csvField(const std::string& text) {
    if (text.find_first_of(",\"\n\r") == std::string::npos)
        return text;
    std::string quoted = "\"";
    for (char c : text) {
        if (c == '"')
            quoted += '"';
        quoted += c;
    }
    return quoted + '"';
}

void printCsvLine(std::ostream& out, const std::vector<std::string>& cells) {
    for (std::size_t i = 0; i < cells.size(); ++i)
        out << (i ? "," : "") << csvField(cells[i]);
    out << '\n';
}

} // namespace

std::size_t displayWidth(const std::string& text) {
    std::size_t width = 0;
    for (std::size_t i = 0; i < text.size();) {
        const auto lead = static_cast<unsigned char>(text[i]);
        const std::size_t length = lead < 0x80 ? 1 : lead < 0xE0 ? 2 : lead < 0xF0 ? 3 : 4;
        // Three- and four-byte sequences here are CJK characters and full-width signs, except
        // the general punctuation of U+2000..U+206F (the dash "—" of a missing figure), which
        // terminals draw one column wide.
        const bool punctuation = length == 3 && lead == 0xE2 && i + 1 < text.size() &&
                                 (static_cast<unsigned char>(text[i + 1]) & 0xFE) == 0x80;
        width += length >= 3 && !punctuation ? 2 : 1;
        i += length;
    }
    return width;
}

void printTable(std::ostream& out, OutputFormat format, const history::TextGrid& grid) {
    std::vector<std::string> cells(grid.columns);
    if (format == OutputFormat::Csv) {
        for (std::size_t row = 0; row < grid.rows; ++row) {
            grid.cells(row, cells);
            printCsvLine(out, cells);
        }
        return;
    }
    std::vector<std::size_t> widths(grid.columns, 0);
    for (std::size_t row = 0; row < grid.rows; ++row) {
        grid.cells(row, cells);
        for (std::size_t i = 0; i < cells.size(); ++i)
            widths[i] = std::max(widths[i], displayWidth(cells[i]));
    }
    std::string line;
    for (std::size_t row = 0; row < grid.rows; ++row) {
        grid.cells(row, cells);
        line.clear();
        for (std::size_t i = 0; i < cells.size(); ++i) {
            if (i)
                line += "  ";
            line += cells[i];
            if (i + 1 < cells.size())
                line.append(widths[i] - displayWidth(cells[i]), ' ');
        }
        line += '\n';
        out << line;
    }
}

void printTable(std::ostream& out, OutputFormat format, const TextTable& table) {
    printTable(out, format,
               history::TextGrid{table.rows.size() + 1, table.headers.size(),
                                 [&table](std::size_t row, std::vector<std::string>& cells) {
                                     cells = row == 0 ? table.headers : table.rows[row - 1];
                                 }});
}

} // namespace yilou::cli
