#include "workbook/spreadsheet_export.h"

namespace yilou::history {

std::string spreadsheetFileName(ExportedGrid grid) {
    switch (grid) {
    case ExportedGrid::History:
        return "lishi.xls";
    case ExportedGrid::Search:
        return "Jiansuo.xls";
    case ExportedGrid::Plays:
        return "Wanfa.xls";
    case ExportedGrid::Group:
        break;
    }
    return "Jieguo.xls";
}

std::optional<SpreadsheetExport> exportSpreadsheet(const std::filesystem::path& dataDir,
                                                   ExportedGrid which, const TextGrid& grid,
                                                   const WriteProgress& progress) {
    SpreadsheetExport done{dataDir / spreadsheetFileName(which), sheetCount(grid.rows)};
    if (!writeWorkbook(done.file, grid, progress))
        return std::nullopt;
    return done;
}

} // namespace yilou::history
