#pragma once

#include "core/issue.h"

#include <string>

/// The names in the data folder that are written in Chinese for the user to read.
namespace yilou::history {

/// The folder offered for history text files.
inline constexpr const char* kHistoryTextFolder = "历史号码";

/// The text export of a history whose newest draw is `newest`: "更新至17092984期历史号码.txt".
inline std::string textExportFileName(Issue newest) {
    return "更新至" + std::to_string(newest) + "期历史号码.txt";
}

/// The start of the name of the copy an online update saves of a history it replaces, which the
/// local time follows: "替换前历史号码_20170929-213005.txt".
inline constexpr const char* kReplacedHistoryPrefix = "替换前历史号码_";

/// What a database file that cannot be opened is renamed to, followed by a number: the file
/// "tabula.mdb" becomes "tabula.mdb.损坏-1".
inline constexpr const char* kSetAsideSuffix = ".损坏-";

/// The folder of the data folder that keeps the histories of the games not chosen: each in
/// 彩种/<game code>/ (tabula.mdb and lsbf.txt beside it), e.g. 彩种/11x5gd/tabula.mdb.
inline constexpr const char* kGameHistoriesFolder = "彩种";

/// The record, in that folder, of the game whose history is tabula.mdb: its game code.
inline constexpr const char* kCurrentGameFile = "当前彩种";

/// The record, in that folder, of a switch under way: "<from code> <to code> <phase>", phase 1
/// while the current history is being put away, 2 while the chosen one is being brought in.
inline constexpr const char* kSwitchJournalFile = "切换记录";

/// The lock file of the data folder: every program that opens its histories holds it shared, a
/// switch holds it alone.
inline constexpr const char* kHistoriesLockFile = ".yilou.lock";

} // namespace yilou::history
