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

/// A JSON string as Python's json.dumps(…, ensure_ascii=False) writes it.
std::string jsonText(const std::string& text) {
    std::string out = "\"";
    for (char c : text) {
        switch (c) {
        case '"':
            out += "\\\"";
            break;
        case '\\':
            out += "\\\\";
            break;
        case '\b':
            out += "\\b";
            break;
        case '\f':
            out += "\\f";
            break;
        case '\n':
            out += "\\n";
            break;
        case '\r':
            out += "\\r";
            break;
        case '\t':
            out += "\\t";
            break;
        default:
            if (static_cast<unsigned char>(c) < 0x20) {
                char escaped[8];
                std::snprintf(escaped, sizeof escaped, "\\u%04x", c);
                out += escaped;
            } else {
                out += c;
            }
        }
    }
    return out + '"';
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
    std::istringstream lines(output);
    for (std::string line; std::getline(lines, line);) {
        if (line.rfind("sheet ", 0) == 0) {
            std::istringstream fields(line.substr(6));
            ReadSheet sheet;
            fields >> sheet.name >> sheet.rows >> sheet.columns;
            sheets.push_back(sheet);
        } else if (!sheets.empty()) {
            sheets.back().cells.push_back(line);
        }
    }
    return sheets;
}

std::string jsonRow(const std::vector<std::optional<std::string>>& cells) {
    std::string row = "[";
    for (std::size_t i = 0; i < cells.size(); ++i)
        row += (i ? "," : "") + (cells[i] ? jsonText(*cells[i]) : "null");
    return row + "]";
}

} // namespace yilou::testing
