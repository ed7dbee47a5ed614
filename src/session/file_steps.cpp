#include "session/file_steps.h"

#include "core/atomic_file.h"
#include "core/user_error.h"
#include "session/history_steps.h"
#include "session/messages.h"
#include "store/export_target.h"
#include "store/replaced_history.h"
#include "store/text_export.h"
#include "store/text_import.h"

namespace yilou::session {

ExportShown exportHistoryText(const history::Snapshot& snapshot,
                              const std::filesystem::path& dataDir) {
    const auto written = history::exportHistoryText(snapshot, dataDir);
    return {written, 1, messages::exportedTo(written)};
}

std::optional<ExportShown> exportWorkbook(const std::filesystem::path& dataDir,
                                          history::ExportedGrid which,
                                          const history::TextGrid& grid,
                                          const history::WriteProgress& progress) {
    const auto done = history::exportSpreadsheet(dataDir, which, grid, progress);
    if (!done)
        return std::nullopt;
    return ExportShown{done->file, done->sheets,
                       messages::workbookExported(done->file, done->sheets)};
}

void checkCopyTarget(const std::filesystem::path& target, const std::filesystem::path& dataDir) {
    history::checkExportTarget(target, dataDir);
}

std::string copyExport(const ExportShown& exported, const std::filesystem::path& target) {
    history::copyFileWhole(exported.file, target);
    return messages::savedCopyTo(target);
}

ImportRead readImport(const std::filesystem::path& file, const Choices& choices,
                      std::size_t stored) {
    ImportRead read{file, history::readImportFile(file, choices.game()), std::nullopt};
    if (const auto mismatch =
            numbersGameMismatch(read.text.highestNumber, read.text.draws.size(), choices.game()))
        throw UserError(messages::importNotOfGame(*mismatch));
    if (stored > 0 && !read.text.skipped.empty())
        read.question =
            messages::importSkippedLines(read.text.skipped.count, read.text.draws.size(), stored);
    return read;
}

std::string importHistory(history::HistoryDb& db, ImportRead read,
                          const history::AttributeRules& rules,
                          const std::filesystem::path& dataDir) {
    const auto saved = history::saveHistoryBeforeReplacing(db, dataDir);
    std::string report;
    try {
        report = history::storeImport(db, std::move(read.text), read.file, rules).summary();
    } catch (...) {
        // Nothing was replaced: the copy would only stand for a replacement that never was.
        if (!saved.file.empty()) {
            std::error_code ignored;
            std::filesystem::remove(saved.file, ignored);
        }
        throw;
    }
    if (!saved.file.empty())
        report += "\n" + messages::replacedHistorySaved(saved.draws, saved.file);
    return report;
}

} // namespace yilou::session
