#include "core/file_names.h"
#include "core/user_error.h"
#include "session/file_steps.h"
#include "store/sqlite_db.h"
#include "support/history_generator.h"
#include "support/temp_dir.h"
#include "support/text_files.h"

#include <gtest/gtest.h>
#include <sqlite3.h>

namespace yilou::session {
namespace {

std::vector<std::filesystem::path> replacedCopies(const std::filesystem::path& folder) {
    std::vector<std::filesystem::path> copies;
    for (const auto& entry : std::filesystem::directory_iterator(folder))
        if (entry.path().filename().string().starts_with(history::kReplacedHistoryPrefix))
            copies.push_back(entry.path());
    return copies;
}

// The copy of the history an import replaces goes with the replacement: when the history
// cannot be replaced (another program is writing the file), no copy is left behind.
TEST(ImportHistory, AReplacementThatFailsLeavesNoCopy) {
    testing::TempDir dir;
    history::HistoryDb db(dir / history::kDatabaseFileName);
    db.replaceAll(testing::generateDraws(3));
    testing::writeFile(dir / "new.txt", "2017081201 01 02 03 04 05\n");
    const Choices choices;
    const auto read = [&] { return readImport(dir / "new.txt", choices, db.drawCount()); };

    {
        history::SqliteDb writer(db.path());
        const history::Transaction writing(writer);
        sqlite3_busy_timeout(db.sql().handle(), 0);
        EXPECT_THROW(importHistory(db, read(), choices.rules(), dir.path()), UserError);
        EXPECT_EQ(replacedCopies(dir.path()), std::vector<std::filesystem::path>{});
    }
    EXPECT_EQ(db.drawCount(), 3u);

    importHistory(db, read(), choices.rules(), dir.path());
    EXPECT_EQ(db.drawCount(), 1u);
    EXPECT_EQ(replacedCopies(dir.path()).size(), 1u);
}

} // namespace
} // namespace yilou::session
