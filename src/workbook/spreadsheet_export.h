#pragma once

#include "core/text_grid.h"
#include "workbook/xls_writer.h"

#include <cstddef>
#include <filesystem>
#include <optional>
#include <string>

namespace yilou::history {

/// The grids that export to a workbook of their own in the data folder.
enum class ExportedGrid {
    History, ///< the history grid: "lishi.xls"
    Search,  ///< the search results: "Jiansuo.xls"
    Group,   ///< the grouped results: "Jieguo.xls"
    Plays,   ///< a play board: "Wanfa.xls"
};

/// The file name of a grid's workbook.
std::string spreadsheetFileName(ExportedGrid grid);

/// What an export wrote.
struct SpreadsheetExport {
    std::filesystem::path file;
    std::size_t sheets = 1;
};

/// Writes `grid` (as writeWorkbook does) to its workbook in `dataDir`, replacing the previous
/// one only by a complete file. Returns nothing, the previous file left as it was, when
/// `progress` asked to stop; throws UserError naming the file and the cause when it cannot be
/// written.
std::optional<SpreadsheetExport> exportSpreadsheet(const std::filesystem::path& dataDir,
                                                   ExportedGrid which, const TextGrid& grid,
                                                   const WriteProgress& progress = {});

} // namespace yilou::history
