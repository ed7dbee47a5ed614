#include "cli/output.h"

#include <algorithm>

namespace yilou::cli {

void printCaptioned(std::ostream& out, OutputFormat format, const std::string& caption,
                    const history::TextGrid& grid, const std::vector<std::string>& lines) {
    const bool table = format == OutputFormat::Table;
    if (table)
        out << caption << '\n';
    printTable(out, format, grid);
    if (table)
        for (const auto& line : lines)
            out << line << '\n';
}

void appendCsvField(std::string& out, std::string_view text) {
    // A loop, not find_first_of: that searches the text once per sign.
    if (std::none_of(text.begin(), text.end(),
                     [](char c) { return c == ',' || c == '"' || c == '\n' || c == '\r'; })) {
        out += text;
        return;
    }
    out += '"';
    for (char c : text) {
        if (c == '"')
            out += '"';
        out += c;
    }
    out += '"';
}

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
        // Lines are gathered in pieces of about 64 KB: a stream call per cell would cost more
        // than making the cells.
        std::string pending;
        for (std::size_t row = 0; row < grid.rows; ++row) {
            grid.cells(row, cells);
            for (std::size_t i = 0; i < cells.size(); ++i) {
                if (i)
                    pending += ',';
                appendCsvField(pending, cells[i]);
            }
            pending += '\n';
            if (pending.size() >= std::size_t{1} << 16 || row + 1 == grid.rows) {
                out.write(pending.data(), static_cast<std::streamsize>(pending.size()));
                pending.clear();
            }
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
