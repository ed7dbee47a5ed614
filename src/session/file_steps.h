#pragma once

#include "core/snapshot.h"
#include "core/text_grid.h"
#include "session/choices.h"
#include "store/history_db.h"
#include "store/text_import.h"
#include "workbook/spreadsheet_export.h"

#include <cstddef>
#include <filesystem>
#include <optional>
#include <string>

/// The files the user writes and reads: the exports (the history as text, a grid as a workbook,
/// a copy of either elsewhere) and the import of a history text file. One step each, as in
/// view_steps.h: what the user asked for in, what was done and what to say about it out.
namespace yilou::session {

/// What an export wrote.
struct ExportShown {
    std::filesystem::path file;
    std::size_t sheets = 1; ///< the worksheets a workbook took
    std::string report;     ///< where it is (and, for a workbook of several sheets, how many)
};

/// 导出历史: the history as a text file in the data folder. An empty history writes nothing
/// (UserError).
ExportShown exportHistoryText(const history::Snapshot& snapshot,
                              const std::filesystem::path& dataDir);

/// A grid to its workbook in the data folder, replacing the previous one only by a complete
/// file; none when `progress` asked to stop. A file that cannot be written is a UserError.
std::optional<ExportShown> exportWorkbook(const std::filesystem::path& dataDir,
                                          history::ExportedGrid which,
                                          const history::TextGrid& grid,
                                          const history::WriteProgress& progress = {});

/// Refuses, before anything is exported, a file chosen for a copy of the export that must not
/// be written (history::checkExportTarget).
void checkCopyTarget(const std::filesystem::path& target, const std::filesystem::path& dataDir);
/// Copies what an export wrote to `target` as a whole; returns what to say about it.
std::string copyExport(const ExportShown& exported, const std::filesystem::path& target);

/// A history text file read and checked, waiting to replace the history.
struct ImportRead {
    std::filesystem::path file;
    history::HistoryText text;
    /// Asked before the history is replaced when lines of the file were skipped and draws are
    /// stored: they would be lost for a file that was only partly readable.
    std::optional<std::string> question;
};

/// 读入历史, first half: reads the file for a history of `stored` draws (UserError when it cannot
/// be read or holds no draw); nothing is changed yet.
ImportRead readImport(const std::filesystem::path& file, const Choices& choices,
                      std::size_t stored);
/// 读入历史, second half: saves the draws stored to `dataDir` first (saveHistoryBeforeReplacing),
/// then replaces the history by what was read; returns what to say about it, where the copy
/// went included. A copy that cannot be written changes nothing; when the history cannot be
/// replaced, the copy is removed again.
std::string importHistory(history::HistoryDb& db, ImportRead read,
                          const history::AttributeRules& rules,
                          const std::filesystem::path& dataDir);

} // namespace yilou::session
