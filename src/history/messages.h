#pragma once

#include "history/issue.h"

#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

/// Every text the program says to its user, in one place, so that one fault has one wording in
/// the engine, the window and the command line alike. Captions of controls and grid headers
/// are not here: they live with the grids and the window.
namespace yilou::messages {

// ---- issues and numbers typed by the user

/// `which` names the box ("起始", "截止", "指定" or empty).
std::string invalidIssue(std::string_view which, std::string_view text);
std::string notAnInteger(std::string_view what, std::string_view text);
std::string integerOutOfRange(std::string_view what, std::string_view text);
std::string negativeCount();
std::string gameIndexOutOfRange(std::string_view text);

// ---- the history

std::string emptyHistory();
std::string issueAlreadyStored(history::Issue issue);
std::string notStored(std::string_view reason);
std::string issueYearOutOfRange(history::Issue issue, int lastYear);
std::string issueDateMissing(history::Issue issue);
std::string issueOrdinalZero(history::Issue issue);
std::string issueFormat(std::string_view text);
std::string tenDigitIssueNotTwenty(std::string_view text);
std::string nineDigitIssueUnusable(std::string_view digits);
std::string noIssueAfterLastYear(history::Issue newest, int lastYear);
std::string numberOutOfRange(int number, int highestNumber);
std::string numberRepeated(int number);
std::string incompleteBox(int box);
std::string tooFewNumbers(int count);
std::string noIssueToCountFrom();
std::string issueRepeatsLine(history::Issue issue, std::size_t line);
std::string storedValueOutOfRange(history::Issue issue, std::string_view column, long long value);
std::string noDrawsInFile(const std::filesystem::path& file);
std::string historyUnchanged(std::string_view reason);
std::string backupHasBadLines(const std::filesystem::path& file);
std::string databaseKeptAsItWas(std::string_view reason);
std::string drawStored(history::Issue issue);
std::string historyCleared();
std::string drawsDeleted(std::size_t removed, std::size_t remaining);
std::string exportedTo(const std::filesystem::path& file);
std::string savedCopyTo(const std::filesystem::path& file);
std::string importSummary(std::size_t stored, std::size_t skipped);
std::string linesWithMoreNumbers(std::size_t count);
std::string skippedLine(std::size_t line, std::string_view reason);
std::string moreLinesNotListed(std::size_t count);

// ---- files, folders and settings

std::string cannotReadFile(const std::filesystem::path& file, std::string_view reason);
std::string cannotWriteFile(const std::filesystem::path& file, std::string_view reason);
std::string cannotWriteOutput(std::string_view reason);
std::string cannotCreateDataFolder(const std::filesystem::path& folder, std::string_view reason);
std::string cannotSaveSettings(std::string_view file);
std::string notARegularFile();
std::string notATextFile();
std::string outOfMemory(std::string_view systemText);
std::string outOfMemoryReading(const std::filesystem::path& file, std::string_view systemText);
std::string notAHistoryDatabase(const std::filesystem::path& file);
std::string damagedDatabase(const std::filesystem::path& file, std::string_view detail);
std::string indexCountDiffers(std::string_view table);
std::string exportOntoProgramFile(const std::filesystem::path& target, bool backupFile);
std::string emptyingNeedsConfirmation(std::size_t count);
std::string confirmEmptyingWithYes();
std::string groupsNotSaved(std::string_view reason);

// ---- spreadsheet export

/// Where the workbook is and, when the grid filled several worksheets, how many and that each
/// starts with the header row.
std::string workbookExported(const std::filesystem::path& file, std::size_t sheets);
std::string gridTooWide(std::size_t columns);
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
std::string notACodeOfType(std::string_view code, std::string_view typeCaption);
std::string positionOutOfRange(std::string_view text);
std::string positionValueNotOfType(int position, int value, std::string_view typeCaption);
std::string positionTwice(std::string_view text);
std::string positionValueFormat(std::string_view text);
std::string fiveValuesNeeded();
std::string placeOutOfRange(std::string_view text);
std::string invalidDrawCount(std::string_view text);
std::string unknownSortColumn(std::string_view text);

// ---- the missing-issue check

std::string noMissingIssues(int drawsPerDay);
std::string missingIssuesTotal(int drawsPerDay, long long total);
std::string unplacedIssues(const std::vector<history::Issue>& issues);

// ---- the online update

/// What the two placeholders of an update address template stand for, with an example.
inline constexpr std::string_view kUpdateUrlHelp =
    "地址中的 {code} 代表彩种代码（如 11x5gd），{n} 代表要读取的期数，"
    "例如 http://{code}.example.org/?n={n}";
std::string noUpdateAddress();
/// The same for the command line, naming its option and the setting.
std::string noUpdateAddressGiven();
std::string invalidDate(std::string_view text);
std::string updateDateOutOfRange();
std::string updateCancelled();
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
std::string cannotKeepPage();
std::string pageFileNotReadable();
std::string emptyAnswer();
std::string secureConnectionFailed();
std::string transferInterrupted();
std::string networkFailure();
std::string networkUnavailable();
/// `first` and `last` in the page's form (eight or nine digits).
std::string noNewDrawsOnPage(std::string_view url, long long first, long long last);
std::string pageNumbersUnreadable(history::Issue issue, std::string_view following);
std::string pageDrawProblem(history::Issue issue, std::string_view problem);
/// `copies`: the different numbers found, each as "04 10 11 03 02".
std::string pageCopiesDisagree(history::Issue issue, const std::vector<std::string>& copies);
std::string historyNewerThan(history::Issue newest, const history::CalendarDate& date);
std::string historyReplaced(int keepDays, std::size_t replaced, const std::filesystem::path& copy);
std::string updateSummary(std::size_t stored, history::Issue newest);
std::string issuesNotOnPage(std::size_t count, history::Issue newestFound);
/// Added to kOnlineUpdateQuestion when the update will replace the history.
std::string updateWillReplace(std::size_t count, int keepDays);
std::string drawsSkipped(std::size_t count);
std::string moreDrawsNotListed(std::size_t count);

// ---- the trend chart's picture

inline constexpr std::string_view kSaveChartTitle = "保存走势图";
inline constexpr std::string_view kPictureFilter = "PNG 图片 (*.png)";
std::string chartTooLongForPicture(std::size_t rows, int limit);

// ---- the window's prompts: titles, texts and defaults of its dialogs

inline constexpr std::string_view kImportTitle = "读入历史";
inline constexpr std::string_view kImportQuestion =
    "确实要读入最新历史号码吗？点击'确认'读入,点击'取消'放弃该操作。确要读入请保证安装目录下存在"
    "历史号码的文本文件文件。读取时可能要花费一段时间,请耐心等候！";
inline constexpr std::string_view kImportFilter = "Text(*.txt)";
inline constexpr std::string_view kClearTitle = "确认清空";
inline constexpr std::string_view kClearQuestion = "确定要清空所有的历史号码吗？";
inline constexpr std::string_view kDeleteTitle = "删除期数";
inline constexpr std::string_view kDeleteToPrompt = "请输入需要删除到的期数，例如‘2017081284’";
inline constexpr std::string_view kDeleteCountPrompt =
    "请输入需要删除最后多少期历史号码（例如输入3，那么就将删除最后的3期历史号码）";
inline constexpr std::string_view kDaysTitle = "设置天数";
inline constexpr std::string_view kDaysPrompt =
    "请输入更新需要保留的历史号码的天数（2~16中的任意自然数）。最早的历史号码超过这个天数时，"
    "在线更新将用最近这些天的号码替换全部历史号码";
inline constexpr std::string_view kDaysErrorTitle = "输入有误";
inline constexpr std::string_view kDaysError =
    "为了保证时效性和提高计算效率，软件只能统计16天以内的数据，请输入2到16中的自然数。";
inline constexpr std::string_view kOnlineUpdateTitle = "读入历史";
inline constexpr std::string_view kOnlineUpdateQuestion =
    "确实要在线更新最新历史号码吗？更新可能要花费一段时间，网络不通或者我方服务器更新不及时可能都"
    "造成更新失败！";
inline constexpr std::string_view kUpdateUrlTitle = "历史号码更新地址";
/// The prompt of the address box: what to type, then kUpdateUrlHelp.
inline constexpr std::string_view kUpdateUrlPrompt = "请输入开奖结果网页的地址模板。";
/// The label of the progress dialog while the page is read and stored.
inline constexpr std::string_view kOnlineUpdateWorking =
    "正在读取开奖结果网页并保存新的历史号码，请稍候……";
/// The title of the window's other messages: outcomes and failures.
inline constexpr std::string_view kNoticeTitle = "遗漏统计";

std::string wouldEmptyHistory(std::size_t removed);
std::string cannotOpenDatabase(const std::filesystem::path& file, std::string_view reason);
std::string askSetAsideDatabase(const std::filesystem::path& file);
std::string databaseSetAside(const std::filesystem::path& target);
inline constexpr std::string_view kWorking = "正在处理历史号码，请稍候……";
std::string cannotOpenAddress(std::string_view address);
std::string cannotOpenFile(const std::filesystem::path& file);
/// "警告：" and the problem: an outcome that stands with something the user should know.
std::string warning(std::string_view problem);

} // namespace yilou::messages
