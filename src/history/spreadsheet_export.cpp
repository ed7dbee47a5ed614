#include "history/spreadsheet_export.h"

namespace yilou::history {

std::string spreadsheetFileName(ExportedGrid grid) {
    switch (grid) {
    case ExportedGrid::History:
        return "lishi.xls";
    case ExportedGrid::Search:
        return "Jiansuo.xls";
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

std::string exportedMessage(const SpreadsheetExport& done) {
    std::string message = "已导出到 " + done.file.string();
    if (done.sheets > 1)
        message += "\n每个工作表最多 " + std::to_string(kSheetRows) +
                   " 行，表格分在 Sheet1～Sheet" + std::to_string(done.sheets) + " 共 " +
                   std::to_string(done.sheets) + " 个工作表中，每个工作表的第一行都是表头。";
    return message;
}

} // namespace yilou::history
