#include "session/sample_histories.h"

#include "core/games.h"
#include "session/file_steps.h"

#include <algorithm>
#include <system_error>
#include <tuple>

namespace yilou::session {

std::filesystem::path sampleHistoryFolder() {
    std::error_code error;
    const auto program = std::filesystem::read_symlink("/proc/self/exe", error);
    if (!error) {
        auto installed = program.parent_path() / ".." / "share" / "yilou" / "samples";
        if (std::filesystem::is_directory(installed, error))
            return installed.lexically_normal();
    }
    return YILOU_SOURCE_SAMPLE_DIR;
}

std::vector<SampleHistory> sampleHistories(const std::filesystem::path& folder) {
    std::vector<SampleHistory> found;
    std::error_code error;
    for (const auto& entry : std::filesystem::directory_iterator(folder, error)) {
        const std::string name = entry.path().filename().string();
        if (!entry.is_regular_file() || !name.ends_with(".txt"))
            continue;
        for (int index = 0; index < history::kGameCount; ++index) {
            const auto& game = history::gameAt(index);
            const std::string prefix =
                std::string(game.areaCode) + (game.isHappy12() ? "kl12" : "11x5") + "-";
            if (name.starts_with(prefix))
                found.push_back({index, entry.path()});
        }
    }
    // One sample per game: the first file name of it.
    std::ranges::sort(found, [](const SampleHistory& a, const SampleHistory& b) {
        return std::tie(a.game, a.file) < std::tie(b.game, b.file);
    });
    const auto repeated = std::ranges::unique(found, {}, &SampleHistory::game);
    found.erase(repeated.begin(), repeated.end());
    return found;
}

std::string loadSampleHistory(history::HistoryDb& db, const SampleHistory& sample,
                              const history::AttributeRules& rules,
                              const std::filesystem::path& dataDir) {
    ImportRead read{sample.file, history::readImportFile(sample.file, history::gameAt(sample.game)),
                    std::nullopt};
    return importHistory(db, std::move(read), rules, dataDir);
}

} // namespace yilou::session
