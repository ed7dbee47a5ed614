#pragma once
// The window benchmarks' data folder: a database of generated draws of an 11-number game.
#include "store/history_db.h"
#include "support/history_generator.h"

#include <cstddef>
#include <filesystem>

namespace yilou::testing {

/// Stores `draws` generated draws, the first of issue 2015010101, in the database of `folder`.
inline void storeGeneratedDraws(const std::filesystem::path& folder, std::size_t draws) {
    GeneratedHistory settings;
    settings.draws = draws;
    settings.firstIssue = 15010101;
    history::HistoryDb db(folder / history::kDatabaseFileName);
    db.replaceAll(generateDraws(settings));
}

} // namespace yilou::testing
