#include "history/text_export.h"

#include "history/backup.h"
#include "history/history_db.h"
#include "history/messages.h"
#include "history/text_file_writer.h"
#include "history/user_error.h"

#include <string>

namespace yilou::history {

namespace {

void checkNotEmpty(const Snapshot& snapshot) {
    if (snapshot.empty())
        throw UserError(messages::emptyHistory());
}

/// Whether `a` and `b` name the same file, existing or not.
bool sameFile(const std::filesystem::path& a, const std::filesystem::path& b) {
    std::error_code error;
    if (std::filesystem::equivalent(a, b, error))
        return true;
    const auto canonicalA = std::filesystem::weakly_canonical(a, error);
    return !error && canonicalA == std::filesystem::weakly_canonical(b, error) && !error;
}

void writeExport(const Snapshot& snapshot, const std::filesystem::path& path) {
    TextFileWriter file(path);
    std::string line;
    for (std::size_t i = 0; i < snapshot.size(); ++i) {
        line = issueText(snapshot.issues[i]);
        line += ' ';
        line += txtHisLst(snapshot.numbers(i));
        line += "\r\n";
        file.write(line);
    }
    file.close();
}

} // namespace

std::filesystem::path exportHistoryText(const Snapshot& snapshot,
                                        const std::filesystem::path& dataDir) {
    checkNotEmpty(snapshot);
    const auto path =
        dataDir / ("更新至" + std::to_string(snapshot.issues.back()) + "期历史号码.txt");
    writeExport(snapshot, path);
    return path;
}

void exportHistoryTextTo(const Snapshot& snapshot, const std::filesystem::path& target,
                         const std::filesystem::path& dataDir) {
    checkNotEmpty(snapshot);
    const std::string database = kDatabaseFileName;
    for (const std::string& name : {database, database + "-journal", database + "-wal",
                                    database + "-shm", std::string(kBackupFileName)})
        if (sameFile(target, dataDir / name))
            throw UserError(messages::exportOntoProgramFile(target, name == kBackupFileName));
    writeExport(snapshot, target);
}

} // namespace yilou::history
