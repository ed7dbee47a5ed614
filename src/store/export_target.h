#pragma once

#include <filesystem>

namespace yilou::history {

/// Refuses (UserError) a file chosen for a copy of an export when it is the database file of
/// `dataDir`, one of its journal files or the backup file lsbf.txt, under whatever path or link
/// it is named: writing there would destroy the history; and, before anything is exported,
/// when it is not a file that a write may replace (replaceableFile).
void checkExportTarget(const std::filesystem::path& target, const std::filesystem::path& dataDir);

} // namespace yilou::history
