#include "store/text_export.h"

#include "core/atomic_file.h"
#include "core/file_names.h"
#include "core/messages.h"
#include "core/user_error.h"

#include <string>

namespace yilou::history {

void writeHistoryText(const Snapshot& snapshot, const std::filesystem::path& path) {
    AtomicFile file(path);
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

std::filesystem::path exportHistoryText(const Snapshot& snapshot,
                                        const std::filesystem::path& dataDir) {
    if (snapshot.empty())
        throw UserError(messages::emptyHistory());
    const auto path = dataDir / textExportFileName(snapshot.issues.back());
    writeHistoryText(snapshot, path);
    return path;
}

} // namespace yilou::history
