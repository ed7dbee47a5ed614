#include "core/games.h"
#include "core/user_error.h"
#include "store/game_histories.h"
#include "store/history_db.h"
#include "support/history_generator.h"
#include "support/other_program.h"
#include "support/temp_dir.h"
#include "support/text_files.h"

#include <algorithm>
#include <gtest/gtest.h>
#include <map>
#include <sys/wait.h>
#include <unistd.h>

namespace yilou::history {
namespace {

namespace fs = std::filesystem;
using yilou::testing::OtherProgram;
using yilou::testing::readFile;
using yilou::testing::TempDir;
using yilou::testing::writeFile;

constexpr int kShandong = 14;
constexpr int kGuangdong = 0;
constexpr int kJiangxi = 7;

/// Every file a history may have beside its database, and the caches beside it.
const std::vector<std::string> kHistoryFiles = {"tabula.mdb", "tabula.mdb-journal",
                                                "tabula.mdb-wal", "tabula.mdb-shm", "lsbf.txt"};
const std::vector<std::string> kCacheFiles = {".tabula.mdb.columns", ".tabula.mdb.columns.checked",
                                              ".tabula.mdb.checked"};

std::string content(int game, const std::string& name) {
    return gameAt(game).gameCode() + "/" + name;
}

/// A game's history as files whose bytes name the game and the file, so that a file in the
/// wrong place or of the wrong game shows.
void writeHistory(const fs::path& folder, int game) {
    fs::create_directories(folder);
    for (const auto& name : kHistoryFiles)
        writeFile(folder / name, content(game, name));
    for (const auto& name : kCacheFiles)
        writeFile(folder / name, content(game, name));
}

/// Every game of `games` has its whole history where it belongs: the current one's in the data
/// folder, the others' in 彩种/<code>/; a cache in the data folder is the current game's.
void expectHistories(const fs::path& dir, int current, const std::vector<int>& games) {
    EXPECT_EQ(currentHistoryGame(dir), current);
    for (int game : games) {
        const fs::path folder = game == current ? dir : dir / "彩种" / gameAt(game).gameCode();
        EXPECT_EQ(gameHistoryFolder(dir, game), folder);
        for (const auto& name : kHistoryFiles) {
            ASSERT_TRUE(fs::exists(folder / name)) << folder / name;
            EXPECT_EQ(readFile(folder / name), content(game, name)) << folder / name;
        }
    }
    if (std::find(games.begin(), games.end(), current) == games.end()) {
        for (const auto& name : kHistoryFiles)
            EXPECT_FALSE(fs::exists(dir / name)) << name << " of a game never chosen";
    }
    for (const auto& name : kCacheFiles) {
        if (fs::exists(dir / name)) {
            EXPECT_EQ(readFile(dir / name), content(current, name));
        }
    }
    EXPECT_FALSE(fs::exists(dir / "彩种" / "切换记录"));
}

TEST(GameHistories, FirstStartGivesTheFoundHistoryToTheChosenGameAndMovesNothing) {
    TempDir dir;
    writeHistory(dir.path(), kShandong);
    EXPECT_EQ(currentHistoryGame(dir.path()), std::nullopt);
    chooseGameHistory(dir.path(), kShandong);
    expectHistories(dir.path(), kShandong, {kShandong});
    EXPECT_TRUE(fs::exists(dir / ".tabula.mdb.columns")) << "nothing moved, the cache stays";
}

TEST(GameHistories, EachGameKeepsItsOwnHistoryAcrossChoices) {
    TempDir dir;
    writeHistory(dir.path(), kShandong);
    chooseGameHistory(dir.path(), kShandong);

    chooseGameHistory(dir.path(), kGuangdong);
    expectHistories(dir.path(), kGuangdong, {kShandong});
    writeHistory(dir.path(), kGuangdong); // an import under 广东
    chooseGameHistory(dir.path(), kShandong);
    expectHistories(dir.path(), kShandong, {kShandong, kGuangdong});
    for (const auto& name : kCacheFiles)
        EXPECT_FALSE(fs::exists(dir / name)) << "a moved history's caches are rebuilt";
    chooseGameHistory(dir.path(), kShandong); // the current game again: nothing changes
    expectHistories(dir.path(), kShandong, {kShandong, kGuangdong});
    chooseGameHistory(dir.path(), kGuangdong);
    expectHistories(dir.path(), kGuangdong, {kShandong, kGuangdong});
}

TEST(GameHistories, DatabasesOpenWhereTheyAreKept) {
    TempDir dir;
    chooseGameHistory(dir.path(), kShandong);
    const auto draws = yilou::testing::generateDraws(30, 5);
    HistoryDb(gameHistoryFolder(dir.path(), kShandong) / kDatabaseFileName).replaceAll(draws);
    fs::create_directories(gameHistoryFolder(dir.path(), kJiangxi));
    HistoryDb(gameHistoryFolder(dir.path(), kJiangxi) / kDatabaseFileName)
        .replaceAll({draws.begin(), draws.begin() + 4});
    EXPECT_EQ(HistoryDb(dir / kDatabaseFileName).drawCount(), 30u);
    chooseGameHistory(dir.path(), kJiangxi);
    EXPECT_EQ(HistoryDb(dir / kDatabaseFileName).drawCount(), 4u);
    EXPECT_EQ(HistoryDb(gameHistoryFolder(dir.path(), kShandong) / kDatabaseFileName).drawCount(),
              30u);
}

TEST(GameHistories, AnUnreadableSwitchRecordIsRefusedAndNothingMoves) {
    TempDir dir;
    writeHistory(dir.path(), kShandong);
    chooseGameHistory(dir.path(), kShandong);
    writeFile(dir / "彩种" / "切换记录", "11x5sd nonsense 1\n");
    EXPECT_THROW(chooseGameHistory(dir.path(), kGuangdong), UserError);
    EXPECT_EQ(readFile(dir / "tabula.mdb"), content(kShandong, "tabula.mdb"));
}

TEST(GameHistories, AFileInTheWayIsNeverOverwritten) {
    TempDir dir;
    writeHistory(dir.path(), kShandong);
    chooseGameHistory(dir.path(), kShandong);
    fs::create_directories(dir / "彩种" / "11x5sd");
    writeFile(dir / "彩种" / "11x5sd" / "tabula.mdb", "in the way");
    EXPECT_THROW(chooseGameHistory(dir.path(), kGuangdong), UserError);
    EXPECT_EQ(readFile(dir / "tabula.mdb"), content(kShandong, "tabula.mdb"));
    EXPECT_EQ(readFile(dir / "彩种" / "11x5sd" / "tabula.mdb"), "in the way");
    EXPECT_THROW(chooseGameHistory(dir.path(), kShandong), UserError) << "until it is cleared";
    fs::remove(dir / "彩种" / "11x5sd" / "tabula.mdb");
    chooseGameHistory(dir.path(), kShandong);
    expectHistories(dir.path(), kShandong, {kShandong});
}

/// Another program with the data folder's histories open: it chose `game` at its start.
OtherProgram openedBy(const fs::path& dir, int game) {
    return OtherProgram([&] {
        chooseGameHistory(dir, game);
        return true;
    });
}

std::string refusal(const fs::path& dir, int game) {
    try {
        chooseGameHistory(dir, game);
    } catch (const UserError& error) {
        return error.what();
    }
    return "no refusal";
}

TEST(GameHistories, ASwitchIsRefusedWhileAnotherProgramHasTheHistoriesOpen) {
    TempDir dir;
    writeHistory(dir.path(), kShandong);
    writeHistory(dir / "彩种" / gameAt(kGuangdong).gameCode(), kGuangdong);
    OtherProgram other = openedBy(dir.path(), kShandong);
    ASSERT_TRUE(other.started());
    EXPECT_EQ(refusal(dir.path(), kGuangdong),
              "另一个遗漏统计程序正在使用历史号码（窗口或命令行），请先关闭它再切换彩种。");
    expectHistories(dir.path(), kShandong, {kShandong, kGuangdong});
    EXPECT_TRUE(other.end());
    chooseGameHistory(dir.path(), kGuangdong);
    expectHistories(dir.path(), kGuangdong, {kShandong, kGuangdong});
}

TEST(GameHistories, AnUnfinishedSwitchIsNotFinishedUnderAnotherProgram) {
    TempDir dir;
    writeHistory(dir.path(), kShandong);
    OtherProgram other = openedBy(dir.path(), kShandong);
    ASSERT_TRUE(other.started());
    // A switch killed right after its record was written.
    const std::string record =
        gameAt(kShandong).gameCode() + " " + gameAt(kJiangxi).gameCode() + " 1\n";
    writeFile(dir / "彩种" / "切换记录", record);
    EXPECT_NE(refusal(dir.path(), kJiangxi).find("上次切换彩种没有完成"), std::string::npos);
    EXPECT_EQ(readFile(dir / "彩种" / "切换记录"), record);
    for (const auto& name : kHistoryFiles)
        EXPECT_EQ(readFile(dir / name), content(kShandong, name)) << name;
    EXPECT_TRUE(other.end());
    chooseGameHistory(dir.path(), kJiangxi);
    expectHistories(dir.path(), kJiangxi, {kShandong});
}

/// Runs a choice of `game` in a child process that stops dead before step `stopAt`; true when
/// the choice ran to its end without reaching that step.
bool chooseKilledAt(const fs::path& dir, int game, int stopAt) {
    const pid_t child = ::fork();
    if (child == 0) {
        try {
            chooseGameHistory(dir, game, [stopAt](int step) {
                if (step == stopAt)
                    ::_exit(0);
            });
        } catch (...) {
            ::_exit(2);
        }
        ::_exit(3);
    }
    int status = 0;
    ::waitpid(child, &status, 0);
    EXPECT_TRUE(WIFEXITED(status));
    EXPECT_NE(WEXITSTATUS(status), 2) << "the choice failed at step " << stopAt;
    return WEXITSTATUS(status) == 3;
}

struct KilledSwitch {
    const char* name;
    int to;                  ///< the game chosen
    std::vector<int> stored; ///< the games with a history before the switch
};

/// A kill between any two file steps of a switch, and another one in the recovery at the next
/// start, never lose or mix a history: the start after them makes the game chosen then current
/// (the one the switch was going to, or the one it came from, as the setting was saved or not)
/// with every history whole.
TEST(GameHistories, AKillAtAnyStepOfASwitchLosesAndMixesNothing) {
    const std::vector<KilledSwitch> switches = {
        {"to a game with a history", kGuangdong, {kShandong, kGuangdong}},
        {"to a game never chosen", kJiangxi, {kShandong}},
    };
    int points = 0;
    for (const auto& killed : switches)
        for (int startChoice : {killed.to, kShandong})
            for (int stopAt = 0;; ++stopAt) {
                SCOPED_TRACE(std::string(killed.name) + ", kill before step " +
                             std::to_string(stopAt) + ", next start with " +
                             std::string(gameAt(startChoice).name));
                TempDir dir;
                writeHistory(dir.path(), kShandong);
                chooseGameHistory(dir.path(), kShandong);
                for (int game : killed.stored)
                    if (game != kShandong)
                        writeHistory(dir / "彩种" / gameAt(game).gameCode(), game);

                if (chooseKilledAt(dir.path(), killed.to, stopAt))
                    break;
                ++points;
                chooseKilledAt(dir.path(), startChoice, stopAt / 2);
                chooseGameHistory(dir.path(), startChoice);
                expectHistories(dir.path(), startChoice, killed.stored);
                if (::testing::Test::HasFailure())
                    return;
            }
    EXPECT_GE(points, 2 * 30) << points;
}

} // namespace
} // namespace yilou::history
