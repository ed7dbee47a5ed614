#include "store/export_target.h"

#include "core/atomic_file.h"
#include "core/messages.h"
#include "core/user_error.h"
#include "store/backup.h"
#include "store/history_db.h"

#include <string>

namespace yilou::history {

namespace {

/// Whether `a` and `b` name the same file, existing or not.
bool sameFile(const std::filesystem::path& a, const std::filesystem::path& b) {
    std::error_code error;
    if (std::filesystem::equivalent(a, b, error))
        return true;
    const auto canonicalA = std::filesystem::weakly_canonical(a, error);
    return !error && canonicalA == std::filesystem::weakly_canonical(b, error) && !error;
}

} // namespace

void checkExportTarget(const std::filesystem::path& target, const std::filesystem::path& dataDir) {
    replaceableFile(target);
    const std::string database = kDatabaseFileName;
    for (const std::string& name : {database, database + "-journal", database + "-wal",
                                    database + "-shm", std::string(kBackupFileName)})
        if (sameFile(target, dataDir / name))
            throw UserError(messages::exportOntoProgramFile(target, name == kBackupFileName));
}

} // namespace yilou::history
