#include "store/replaced_history.h"

#include "core/file_names.h"
#include "core/messages.h"
#include "core/user_error.h"
#include "store/text_export.h"

#include <ctime>
#include <string>

namespace yilou::history {

std::filesystem::path saveReplacedHistory(const Snapshot& draws,
                                          const std::filesystem::path& dataDir) {
    const std::time_t now = std::time(nullptr);
    std::tm local{};
    localtime_r(&now, &local);
    char stamp[32];
    std::strftime(stamp, sizeof stamp, "%Y%m%d-%H%M%S", &local);
    const std::string stem = std::string(kReplacedHistoryPrefix) + stamp;
    auto path = dataDir / (stem + ".txt");
    for (int n = 2;
         std::filesystem::symlink_status(path).type() != std::filesystem::file_type::not_found; ++n)
        path = dataDir / (stem + "-" + std::to_string(n) + ".txt");
    writeHistoryText(draws, path);
    return path;
}

ReplacedHistory saveHistoryBeforeReplacing(HistoryDb& db, const std::filesystem::path& dataDir) {
    const Snapshot draws = db.loadSnapshot();
    if (draws.empty())
        return {};
    try {
        return {draws.size(), saveReplacedHistory(draws, dataDir)};
    } catch (const UserError& error) {
        throw UserError(messages::historyUnchanged(error.what()));
    }
}

} // namespace yilou::history
