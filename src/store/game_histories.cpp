#include "store/game_histories.h"

#include "core/atomic_file.h"
#include "core/games.h"
#include "core/messages.h"
#include "core/system_error_text.h"
#include "core/user_error.h"
#include "store/backup.h"
#include "store/history_db.h"
#include "store/history_lock.h"

#include <array>
#include <cerrno>
#include <chrono>
#include <cstdio>
#include <fcntl.h>
#include <fstream>
#include <sstream>
#include <string>
#include <thread>
#include <unistd.h>

namespace yilou::history {

namespace {

namespace fs = std::filesystem;

/// The files that make up a history and move with it: the database, the journal files SQLite
/// may have left beside it (a database without them can lose committed changes or be damaged)
/// and the backup file.
std::array<std::string, 5> historyFiles() {
    const std::string database = kDatabaseFileName;
    return {database, database + "-journal", database + "-wal", database + "-shm", kBackupFileName};
}

/// The caches and their temporary files beside the database, all named ".tabula.mdb.…": made
/// for one file, they are dropped rather than moved, and rebuilt by the next load.
bool isDatabaseCache(const fs::path& file) {
    return file.filename().string().starts_with("." + std::string(kDatabaseFileName) + ".");
}

fs::path historiesFolder(const fs::path& dataDir) {
    return dataDir / kGameHistoriesFolder;
}

fs::path parkedFolder(const fs::path& dataDir, int game) {
    return historiesFolder(dataDir) / gameAt(game).gameCode();
}

[[noreturn]] void fail(const fs::path& file, int error) {
    throw UserError(messages::cannotMoveGameHistory(file, systemErrorText(error)));
}

/// Makes the renames and removals in `folder` durable before the next step relies on them.
void syncFolder(const fs::path& folder) {
    const int descriptor = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (descriptor < 0)
        fail(folder, errno);
    const int result = ::fsync(descriptor);
    const int error = errno;
    ::close(descriptor);
    if (result != 0)
        fail(folder, error);
}

/// Renames `from` to `to`, refusing (EEXIST) when `to` exists: a file there is another
/// history's, which is never overwritten.
void moveWithoutReplacing(const fs::path& from, const fs::path& to) {
    if (::renameat2(AT_FDCWD, from.c_str(), AT_FDCWD, to.c_str(), RENAME_NOREPLACE) == 0)
        return;
    if (errno != EINVAL)
        fail(from, errno);
    // A file system without the flag: the same test, then the rename.
    if (fs::exists(to))
        fail(to, EEXIST);
    if (::rename(from.c_str(), to.c_str()) != 0)
        fail(from, errno);
}

void makeFolder(const fs::path& folder) {
    std::error_code error;
    fs::create_directories(folder, error);
    if (error)
        fail(folder, error.value());
}

/// One switch, its steps counted for the hook.
class Switch {
public:
    Switch(const fs::path& dataDir, const SwitchStepHook& hook) : dataDir_(dataDir), hook_(hook) {}

    void step() {
        if (hook_)
            hook_(steps_);
        ++steps_;
    }

    void writeRecord(const fs::path& file, const std::string& text) {
        step();
        try {
            AtomicFile out(file);
            out.write(text + "\n");
            out.close();
            syncFolder(file.parent_path());
        } catch (const UserError& error) {
            throw UserError(messages::cannotMoveGameHistory(file, error.what()));
        }
    }

    void writeJournal(int from, int to, int phase) {
        writeRecord(historiesFolder(dataDir_) / kSwitchJournalFile,
                    gameAt(from).gameCode() + " " + gameAt(to).gameCode() + " " +
                        std::to_string(phase));
    }

    /// Moves the history files found in `from` to `to`; a file already moved is not there any
    /// more, so running this again after a kill finishes the move.
    void moveHistory(const fs::path& from, const fs::path& to) {
        for (const std::string& name : historyFiles()) {
            step();
            if (!fs::exists(from / name))
                continue;
            moveWithoutReplacing(from / name, to / name);
            syncFolder(to);
            syncFolder(from);
        }
    }

    void dropCaches(const fs::path& folder) {
        std::error_code error;
        std::vector<fs::path> caches;
        for (const auto& entry : fs::directory_iterator(folder, error))
            if (isDatabaseCache(entry.path()))
                caches.push_back(entry.path());
        for (const auto& cache : caches) {
            step();
            if (::unlink(cache.c_str()) != 0 && errno != ENOENT)
                fail(cache, errno);
        }
        syncFolder(folder);
    }

    /// Phase 1: the history of `from` goes to its folder. Phase 2: the history of `to` comes to
    /// the data folder, which phase 1 has emptied of history files. Then the record of the
    /// current game, and the journal goes.
    void run(int from, int to, int phase) {
        const fs::path target = parkedFolder(dataDir_, to);
        if (phase == 1) {
            const fs::path parked = parkedFolder(dataDir_, from);
            makeFolder(parked);
            moveHistory(dataDir_, parked);
            dropCaches(dataDir_);
            writeJournal(from, to, 2);
        }
        if (fs::is_directory(target)) {
            dropCaches(target);
            moveHistory(target, dataDir_);
        }
        writeRecord(historiesFolder(dataDir_) / kCurrentGameFile, gameAt(to).gameCode());
        step();
        const fs::path journal = historiesFolder(dataDir_) / kSwitchJournalFile;
        if (::unlink(journal.c_str()) != 0 && errno != ENOENT)
            fail(journal, errno);
        syncFolder(historiesFolder(dataDir_));
    }

private:
    fs::path dataDir_;
    const SwitchStepHook& hook_;
    int steps_ = 0;
};

std::optional<std::string> readRecord(const fs::path& file) {
    std::ifstream in(file);
    if (!in)
        return std::nullopt;
    std::string text;
    std::getline(in, text);
    return text;
}

/// Finishes the switch the journal records, if any.
void finishSwitch(const fs::path& dataDir, const SwitchStepHook& hook) {
    const fs::path journal = historiesFolder(dataDir) / kSwitchJournalFile;
    const auto text = readRecord(journal);
    if (!text)
        return;
    std::istringstream fields(*text);
    std::string fromCode, toCode;
    int phase = 0;
    fields >> fromCode >> toCode >> phase;
    const auto from = gameIndexOfCode(fromCode);
    const auto to = gameIndexOfCode(toCode);
    if (!from || !to || (phase != 1 && phase != 2))
        throw UserError(messages::gameSwitchRecordUnreadable(journal));
    Switch(dataDir, hook).run(*from, *to, phase);
}

/// Finishes an interrupted switch, then makes `game`'s history tabula.mdb; with the lock alone.
void switchHistories(const fs::path& dataDir, int game, const SwitchStepHook& hook) {
    finishSwitch(dataDir, hook);
    const auto current = currentHistoryGame(dataDir);
    if (current == game)
        return;
    makeFolder(historiesFolder(dataDir));
    Switch change(dataDir, hook);
    if (!current) {
        // The history found at the first start of this version is the chosen game's.
        change.writeRecord(historiesFolder(dataDir) / kCurrentGameFile, gameAt(game).gameCode());
        return;
    }
    change.writeJournal(*current, game, 1);
    change.run(*current, game, 1);
}

/// How long a start waits for another program to let go before it refuses to open a
/// half-switched data folder: about three seconds.
constexpr int kUnfinishedSwitchAttempts = 12;
constexpr std::chrono::milliseconds kUnfinishedSwitchPause{250};

} // namespace

std::optional<int> currentHistoryGame(const fs::path& dataDir) {
    const auto code = readRecord(historiesFolder(dataDir) / kCurrentGameFile);
    return code ? gameIndexOfCode(*code) : std::nullopt;
}

void chooseGameHistory(const fs::path& dataDir, int game, const SwitchStepHook& beforeStep) {
    holdHistories(dataDir);
    const fs::path journal = historiesFolder(dataDir) / kSwitchJournalFile;
    for (int attempt = 1;; ++attempt) {
        // Read under the shared lock, while no switch runs; read again after every attempt,
        // since another program may have switched while this one's lock was converted.
        const bool unfinished = fs::exists(journal);
        if (!unfinished && currentHistoryGame(dataDir) == game)
            return;
        if (whileHistoriesAlone(dataDir, [&] { switchHistories(dataDir, game, beforeStep); }))
            continue;
        if (!unfinished)
            throw UserError(std::string(messages::kHistoriesInUse));
        // A half-switched folder is never opened; the other program may be closing.
        if (attempt == kUnfinishedSwitchAttempts)
            throw UserError(std::string(messages::kUnfinishedSwitchInUse));
        std::this_thread::sleep_for(kUnfinishedSwitchPause);
    }
}

fs::path gameHistoryFolder(const fs::path& dataDir, int game) {
    return currentHistoryGame(dataDir) == game ? dataDir : parkedFolder(dataDir, game);
}

} // namespace yilou::history
