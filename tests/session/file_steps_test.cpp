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

/// `count` draws of one day from 2017-08-12 01 on, each holding `number` at its first place.
std::string drawsHolding(int count, int number) {
    std::string text;
    for (int i = 1; i <= count; ++i)
        text += "201708" + std::to_string(1200 + i) + " " + (number < 10 ? "0" : "") +
                std::to_string(number) + " 01 02 03 04\n";
    return text;
}

// A file whose numbers are not the game's is refused before anything is replaced: a 12 in an
// 11选5 game, even on a line of its own, and a 快乐12 file of 30 draws or more without a 12.
TEST(ImportHistory, NumbersOfAnotherGameAreRefusedBeforeTheHistoryIsTouched) {
    struct Case {
        const char* name;
        int game;
        std::string text;
        bool refused;
    };
    const std::vector<Case> cases = {
        {"a 12 under 广东11选5", 0, drawsHolding(5, 11) + "2017081206 12 01 02 03 04\n", true},
        {"11选5 draws under 四川快乐12", 27, drawsHolding(30, 11), true},
        {"a few draws without a 12 under 四川快乐12", 27, drawsHolding(29, 11), false},
        {"快乐12 draws under 四川快乐12", 27, drawsHolding(30, 12), false},
        {"11选5 draws under 广东11选5", 0, drawsHolding(30, 11), false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        testing::TempDir dir;
        testing::writeFile(dir / "new.txt", c.text);
        Choices choices;
        choices.gsZl = c.game;
        if (c.refused)
            EXPECT_THROW(readImport(dir / "new.txt", choices, 7), UserError);
        else
            EXPECT_NO_THROW(readImport(dir / "new.txt", choices, 7));
    }
}

} // namespace
} // namespace yilou::session
