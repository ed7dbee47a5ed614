#pragma once

#include "core/draw_record.h"
#include "store/history_db.h"
#include "store/text_import.h"

#include <filesystem>
#include <string>
#include <vector>

namespace yilou::session {

/// A real history installed with the program for a new player to start from.
struct SampleHistory {
    int game = 0; ///< the game it belongs to (the setting GsZl)
    std::filesystem::path file;
};

/// The folder of the sample histories: share/yilou/samples beside the program's folder once
/// installed, the source tree's tests/data in a build.
std::filesystem::path sampleHistoryFolder();

/// The sample histories of `folder`, in game order: a history text file is the sample of the
/// game whose region and kind open its name ("gd11x5-….txt" for 广东11选5). None when the
/// folder is missing.
std::vector<SampleHistory> sampleHistories(const std::filesystem::path& folder);

/// Replaces the history with the sample's draws, read as a history text file of its game, as an
/// import does (importHistory: the draws stored are saved to `dataDir` first); returns what to
/// say about it. The caller asks first when draws are stored, and makes the sample's game the
/// current one.
std::string loadSampleHistory(history::HistoryDb& db, const SampleHistory& sample,
                              const history::AttributeRules& rules,
                              const std::filesystem::path& dataDir);

} // namespace yilou::session
