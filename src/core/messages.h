#pragma once

#include "core/issue.h"

#include <cstddef>
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

/// The engine's own texts: why a draw, a file, the database, a results page or a calculation
/// was refused, worded once for the window and the command line alike. What the front ends say
/// themselves (prompts, usage errors, progress and outcomes) is in session/messages.h, in the
/// same namespace; captions of controls and grid headers live with the grids and the window.
namespace yilou::messages {

// ---- issues and numbers

/// An issue text that is neither a ten-digit nor an eight-digit issue, the one wording for an
/// unreadable issue. `which` names the box ("起始", "截止", "指定", "下一" or empty).
std::string invalidIssue(std::string_view which, std::string_view text);
/// A typed issue of the right form that issueProblem refuses, `reason` being what it says.
std::string issueRefused(std::string_view reason);
/// A nine-digit issue of a happy-12 file (YYMMDD and a three-digit ordinal) that is no issue.
std::string nineDigitIssueUnusable(std::string_view digits);

// ---- the history

std::string emptyHistory();
std::string issueStored(history::Issue issue);
std::string issueAlreadyStored(history::Issue issue);
std::string notStored(std::string_view reason);
// The reasons of issueProblem, quoting the issue as written.
std::string issueYearOutOfRange(std::string_view issue, int lastYear);
std::string issueDateMissing(std::string_view issue);
std::string issueOrdinalZero(std::string_view issue);
/// Ten digits that do not start with "20", at the head of a line of a history text file.
std::string issueFormUnusable(std::string_view issue);
std::string noIssueAfterLastYear(history::Issue newest, int lastYear);
std::string numberOutOfRange(int number, int highestNumber);
std::string numberRepeated(int number);
std::string tooFewNumbers(int count);
std::string noIssueToCountFrom();
std::string issueRepeatsLine(history::Issue issue, std::size_t line);
/// A row of the database that no import stores, refused by the load: its place in issue
/// order (from 1) and `problem`, one of the texts below or what an import says of the draw.
std::string storedRowRefused(std::size_t row, std::string_view problem);
std::string storedIssueInvalid(long long value);
std::string storedValueOutOfRange(history::Issue issue, std::string_view column, long long value);
std::string storedValueMissing(history::Issue issue, std::string_view column);
std::string noDrawsInFile(const std::filesystem::path& file);
std::string historyUnchanged(std::string_view reason);
std::string backupHasBadLines(const std::filesystem::path& file);
std::string databaseKeptAsItWas(std::string_view reason);
/// A deletion that stands although the file could not be compacted afterwards.
std::string notCompacted(std::size_t removed, std::string_view reason);
std::string importSummary(std::size_t stored, std::size_t skipped);
std::string linesWithMoreNumbers(std::size_t count);
std::string skippedLine(std::size_t line, std::string_view reason);
std::string moreLinesNotListed(std::size_t count);

// ---- the database file

/// "无法<action>数据库文件 <file>：<description>（<detail>）", or without an action
/// "数据库文件 <file>：…"; `description` is one of the texts below, `detail` SQLite's own words.
std::string databaseFailure(std::string_view action, const std::filesystem::path& file,
                            std::string_view description, std::string_view detail);
/// The action of compacting the file, as databaseFailure names it.
inline constexpr std::string_view kCompacting = "整理";
std::string databaseBusy();
std::string databaseDamagedOrForeign();
std::string diskFull();
std::string cannotOpenOrWriteDatabase();
std::string databaseReadWriteError();
std::string databaseOperationFailed();
std::string pathTooLong();
/// Why the markers of a file in WAL mode are not read: its commits go to the log beside it.
std::string stateNotInTheFile(const std::filesystem::path& file);

// ---- files, folders and settings

std::string cannotReadFile(const std::filesystem::path& file, std::string_view reason);
std::string cannotWriteFile(const std::filesystem::path& file, std::string_view reason);
/// A file step of switching the games' histories failed; every history is kept and the next
/// start goes on with the switch.
std::string cannotMoveGameHistory(const std::filesystem::path& file, std::string_view reason);
/// The record of an unfinished switch of the games' histories does not read.
std::string gameSwitchRecordUnreadable(const std::filesystem::path& file);
/// A switch refused: another program has the histories open.
inline constexpr std::string_view kHistoriesInUse =
    "另一个遗漏统计程序正在使用历史号码（窗口或命令行），请先关闭它再切换彩种。";
/// A start found a switch that a kill interrupted, and another program holds the histories.
inline constexpr std::string_view kUnfinishedSwitchInUse =
    "上次切换彩种没有完成，而另一个遗漏统计程序正在使用历史号码（窗口或命令行）。"
    "请先关闭它，再启动本程序完成切换。";
std::string cannotCreateDataFolder(const std::filesystem::path& folder, std::string_view reason);
std::string cannotSaveSettings(std::string_view file);
std::string notARegularFile();
std::string notATextFile();
std::string outOfMemoryReading(const std::filesystem::path& file, std::string_view systemText);
std::string notAHistoryDatabase(const std::filesystem::path& file);
std::string damagedDatabase(const std::filesystem::path& file, std::string_view detail);
std::string indexCountDiffers(std::string_view table);
std::string exportOntoProgramFile(const std::filesystem::path& target, bool backupFile);
std::string emptyingNeedsConfirmation(std::size_t count);

// ---- spreadsheet export

std::string gridTooWide(std::size_t columns, std::size_t limit);
std::string cellTextTooLong(std::size_t longest, std::string_view text);
std::string workbookTooLarge();

// ---- searches

std::string rangeEndBeforeStart(history::Issue end, history::Issue start);
std::string noDrawsInRange(history::Issue start, history::Issue end);
std::string referenceBeforeOldest(history::Issue reference, history::Issue oldest);
std::string invalidPartialCount(std::string_view text);
std::string invalidGroupSize(int k, int largest);
std::string tooManyCodes(int largest, int chosen);
std::string codeChosenTwice(int code);
std::string tooFewCodes(int chosen, int k);

// ---- the results page

std::string updateDateOutOfRange();
/// `cause` is one of the texts below; `detail` the network library's own words.
std::string cannotReadPage(std::string_view url, std::string_view cause, std::string_view detail);
std::string pageReadCancelled(std::string_view url);
std::string unsupportedAddress();
std::string malformedAddress();
std::string hostNotFound();
std::string connectionFailed();
/// The limits as shown: "10 秒".
std::string noTimelyAnswer(std::string_view connectLimit, std::string_view transferLimit);
std::string tooManyRedirects(long limit);
/// A redirect to an address that is not http or https (a file on this machine).
std::string redirectRefused(std::string_view target);
std::string httpError(long status);
/// The limit as shown: "20 MB".
std::string pageTooLarge(std::string_view limit);
/// A time limit as shown: `amount` followed by the unit ("10 秒").
std::string seconds(std::string_view amount);
/// A size limit below one kilobyte as shown ("1000 字节").
std::string byteCount(std::size_t bytes);
std::string cannotKeepPage();
/// A page named by a file: address that cannot be read; `cause` is systemErrorText, one of
/// the texts above, notARegularFile or pageFileTooSlow.
std::string pageFileFailure(std::string_view url, std::string_view cause);
/// The limit as shown: "60 秒".
std::string pageFileTooSlow(std::string_view limit);
std::string emptyAnswer();
std::string secureConnectionFailed();
std::string transferInterrupted();
std::string networkFailure();
std::string networkUnavailable();
std::string pageNumbersUnreadable(history::Issue issue, std::string_view following);
std::string pageDrawProblem(history::Issue issue, std::string_view problem);
/// `copies`: the different numbers found, each as "04 10 11 03 02".
std::string pageCopiesDisagree(history::Issue issue, const std::vector<std::string>& copies);
std::string historyNewerThan(history::Issue newest, const history::CalendarDate& date);

} // namespace yilou::messages
