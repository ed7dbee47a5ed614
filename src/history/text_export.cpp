#include "history/text_export.h"

#include "history/messages.h"
#include "history/text_file_writer.h"
#include "history/user_error.h"

#include <string>

namespace yilou::history {

void writeHistoryText(const Snapshot& snapshot, const std::filesystem::path& path) {
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

std::filesystem::path exportHistoryText(const Snapshot& snapshot,
                                        const std::filesystem::path& dataDir) {
    if (snapshot.empty())
        throw UserError(messages::emptyHistory());
    const auto path =
        dataDir / ("更新至" + std::to_string(snapshot.issues.back()) + "期历史号码.txt");
    writeHistoryText(snapshot, path);
    return path;
}

} // namespace yilou::history
