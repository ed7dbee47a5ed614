#include "support/workbook_reader.h"

#include "support/temp_dir.h"
#include "support/text_files.h"

#include <cstdio>
#include <sstream>
#include <stdexcept>
#include <sys/wait.h>

namespace yilou::testing {

namespace {

std::string quoted(const std::string& text) {
    return "'" + text + "'"; // test paths hold no quote
}

/// Reads the cells of one row as read_xls.py writes them, and the line end after them; `kinds`
/// receives their kinds.
ReadRow readRow(std::istream& in, std::size_t columns, std::string& kinds) {
    ReadRow row(columns);
    for (auto& cell : row) {
        if (in.peek() == '-') {
            in.get();
            kinds += '-';
            continue;
        }
        const bool number = in.peek() == '#';
        if (number)
            in.get();
        kinds += number ? 'n' : 't';
        std::size_t length = 0;
        if (!(in >> length) || in.get() != ':')
            throw std::runtime_error("the reader's output is garbled");
        cell.emplace(length, '\0');
        in.read(cell->data(), static_cast<std::streamsize>(length));
    }
    if (in.get() != '\n')
        throw std::runtime_error("the reader's output is garbled");
    return row;
}

} // namespace

std::vector<ReadSheet> readWorkbook(const std::filesystem::path& file, bool withCells) {
    TempDir errors;
    const auto errorFile = errors / "stderr";
    // Debian's interpreter, which sees Debian's python3-xlrd whatever python3 PATH finds.
    const std::string command = "/usr/bin/python3 " + quoted(YILOU_WORKBOOK_READER) + " " +
                                quoted(file.string()) + (withCells ? " --cells" : "") + " 2>" +
                                quoted(errorFile.string());
    std::FILE* pipe = ::popen(command.c_str(), "r");
    if (!pipe)
        throw std::runtime_error("cannot start " + command);
    std::string output;
    char block[1 << 16];
    for (std::size_t n; (n = std::fread(block, 1, sizeof block, pipe)) > 0;)
        output.append(block, n);
    const int status = ::pclose(pipe);
    if (status == -1 || !WIFEXITED(status) || WEXITSTATUS(status) != 0)
        throw std::runtime_error("the reader refused " + file.string() + ": " +
                                 readFile(errorFile));

    std::vector<ReadSheet> sheets;
    std::istringstream in(output);
    for (std::string line; std::getline(in, line);) {
        std::istringstream fields(line);
        std::string word;
        ReadSheet& sheet = sheets.emplace_back();
        if (!(fields >> word >> sheet.name >> sheet.rows >> sheet.columns) || word != "sheet")
            throw std::runtime_error("the reader's output is garbled: " + line);
        if (withCells)
            for (std::size_t r = 0; r < sheet.rows; ++r)
                sheet.cells.push_back(readRow(in, sheet.columns, sheet.kinds.emplace_back()));
    }
    return sheets;
}

} // namespace yilou::testing
