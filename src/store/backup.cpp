#include "store/backup.h"

#include "core/atomic_file.h"
#include "core/messages.h"
#include "core/user_error.h"
#include "store/text_import.h"

#include <string>

namespace yilou::history {

void writeBackupFile(HistoryDb& db, const std::filesystem::path& dataDir, std::size_t count) {
    Statement query(db.sql(), "SELECT [SQQH], [L1A], [L2A], [L3A], [L4A], [L5A] FROM [Lishi] "
                              "ORDER BY [SQQH] LIMIT ?");
    query.bind(1, static_cast<std::int64_t>(count));
    AtomicFile file(dataDir / kBackupFileName);
    std::string line;
    while (query.step()) {
        PositionValues numbers{};
        for (int p = 0; p < 5; ++p)
            numbers[p] = static_cast<int>(query.integer(p + 1));
        line = std::to_string(query.integer(0));
        line += ' ';
        line += txtHisLst(numbers);
        line += '\n';
        file.write(line);
    }
    file.close();
}

void Dqzd(HistoryDb& db, const std::filesystem::path& dataDir, const AttributeRules& rules) {
    const auto file = dataDir / kBackupFileName;
    HistoryText text;
    try {
        text = readHistoryText(file, LineRules::storedDraws());
    } catch (const UserError& error) {
        throw UserError(messages::historyUnchanged(error.what()));
    }
    if (!text.skipped.empty())
        throw UserError(messages::backupHasBadLines(file) + text.skipped.text());
    replaceHistory(db, text.draws, rules);
}

} // namespace yilou::history
