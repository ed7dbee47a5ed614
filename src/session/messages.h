#pragma once

#include "analysis/draw_patterns.h"
#include "analysis/play_type.h"
#include "analysis/search_type.h"
#include "core/issue.h"
#include "core/missing_issues.h"

#include <array>
#include <cstddef>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

/// What the program says to its user beside the engine's own texts (core/messages.h, the same
/// namespace): prompts and their titles, mistakes in what was typed, progress and outcomes, and
/// the names of the boxes and options that both front ends read. Captions of controls and grid
/// headers are not here: they live with the grids and the window.
namespace yilou::messages {

// ---- the names of what the user types, as messages name it

namespace field {
/// The issue boxes, named before "期号".
inline constexpr std::string_view kStart = "起始";
inline constexpr std::string_view kEnd = "截止";
inline constexpr std::string_view kReference = "指定";
inline constexpr std::string_view kNext = "下一";
/// Numbers the user types.
inline constexpr std::string_view kPosition = "位置";
inline constexpr std::string_view kDrawCount = "期数";
inline constexpr std::string_view kValue = "值";
inline constexpr std::string_view kNumber = "号码";
inline constexpr std::string_view kPartialCount = "分部位数";
inline constexpr std::string_view kGroupSize = "组合位数";
inline constexpr std::string_view kGameIndex = "彩种序号";
inline constexpr std::string_view kDrawsPerDay = "每天期数";
inline constexpr std::string_view kSelectedValue = "所选的值";
inline constexpr std::string_view kBanker = "胆码";
inline constexpr std::string_view kRowCount = "行数";
/// The conditions of the ticket filter.
inline constexpr std::string_view kExclude = "杀号";
inline constexpr std::string_view kSumRange = "和值";
inline constexpr std::string_view kSpanRange = "跨度";
inline constexpr std::string_view kOmissionRange = "遗漏";
inline constexpr std::string_view kOddCount = "奇数";
inline constexpr std::string_view kBigCount = "大号";
inline constexpr std::string_view kPrimeCount = "质数";
inline constexpr std::string_view kConsecutiveCount = "连号";
/// The ticket calculator.
inline constexpr std::string_view kMultiple = "倍数";
} // namespace field

/// The name of a search type, as its button and the grids call it: 号码, 生肖, 头数, 尾数,
/// 合数, 段数.
std::string_view typeName(analysis::SearchType type);

/// The name of a draw pattern, as the grids and the pattern combo call it: 和值, 跨度, 奇偶比,
/// 大小比, 质合比, 012路, 连号, 重号, 前三和值, 前三跨度.
std::string_view patternName(analysis::Pattern pattern);

// ---- numbers and options typed by the user

std::string notAnInteger(std::string_view what, std::string_view text);
std::string integerOutOfRange(std::string_view what, std::string_view text);
std::string negativeCount();
std::string gameIndexOutOfRange(std::string_view text);
std::string drawsPerDayOutOfRange(std::string_view text);
std::string incompleteBox(int box);
/// A typed draw refused for `problems`, one a line.
std::string typedDrawRefused(const std::vector<std::string>& problems);
std::string notACodeOfType(std::string_view code, std::string_view typeCaption);
std::string positionOutOfRange(std::string_view text);
std::string positionValueNotOfType(int position, int value, std::string_view typeCaption);
/// A position the search uses has an empty value box.
std::string positionValueEmpty(int position);
std::string positionTwice(std::string_view text);
std::string positionValueFormat(std::string_view text);
std::string fiveValuesNeeded();
std::string placeOutOfRange(std::string_view text);
std::string invalidDrawCount(std::string_view text);
/// A --sort that names no column of `command`'s rows.
std::string unknownSortColumn(std::string_view text, std::string_view command = "overview");
std::string invalidRowCount(std::string_view text);
std::string unknownPlay(std::string_view text);
/// A pattern key that names none, with the keys there are.
std::string unknownPattern(std::string_view text);
/// The oldest stored draw lies in the range of a 重号 view: it has no previous draw.
std::string oldestDrawHasNoRepeat(history::Issue oldest);
std::string invalidDate(std::string_view text);

// ---- the command line itself

/// The kinds of command-line mistake, each worded once.
enum class UsageProblem {
    Unrecognized,  ///< an unknown command or option
    Missing,       ///< a command or required argument left out
    ArgumentCount, ///< too many or too few arguments
    NotAllowed,    ///< a value outside the allowed ones
    Excluded,      ///< options that cannot be used together
    NeedsAnother,  ///< an option used without the one it needs
    Other,
};
/// The mistake with the parser's own words in brackets.
std::string usageProblem(UsageProblem problem, std::string_view detail);
/// "可用的命令：" and the names.
std::string availableCommands(const std::vector<std::string>& names);
std::string unknownCommand(std::string_view name, std::string_view availableCommands);
std::string missingCommand(std::string_view availableCommands);
inline constexpr std::string_view kSeeHelp = "用法见 yilou-cli --help";
/// A command that could not be done, and why.
std::string failed(std::string_view reason);
std::string outOfMemory(std::string_view systemText);
/// Standard output could not be written (a full disk, a closed pipe).
std::string cannotWriteOutput(std::string_view reason);
std::string confirmEmptyingWithYes();
/// The current game as `game` shows it: its index, name, code and draws per day.
std::string currentGame(int index, std::string_view name, std::string_view code, int drawsPerDay);
/// A game's entry in 彩种选择 with the draws its history holds: "广东11选5（3,824期）", the name
/// alone for a game without draws.
std::string gameMenuCaption(std::string_view name, std::size_t draws);
/// "广东11选5每天的期数已设为 42 期。"
std::string drawsPerDaySet(std::string_view name, int drawsPerDay);

// ---- outcomes

std::string drawStored(history::Issue issue);
std::string historyCleared();
std::string drawsDeleted(std::size_t removed, std::size_t remaining);
std::string exportedTo(const std::filesystem::path& file);
std::string savedCopyTo(const std::filesystem::path& file);
/// Where the workbook is and, when the grid filled several worksheets, how many and that each
/// starts with the header row.
std::string workbookExported(const std::filesystem::path& file, std::size_t sheets);
std::string groupsNotSaved(std::string_view reason);
/// "警告：" and the problem: an outcome that stands with something the user should know.
std::string warning(std::string_view problem);

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
std::string updateCancelled();
/// `first` and `last` in the page's form (eight or nine digits).
std::string noNewDrawsOnPage(std::string_view url, long long first, long long last);
std::string updateSummary(std::size_t stored, history::Issue newest);
std::string issuesNotOnPage(std::size_t count, history::Issue newestFound);
/// The issues between an old history and the days an update looked at, which it left missing.
std::string issuesBeforeDaysSearched(const history::MissingRange& range, int keepDays);
std::string drawsSkipped(std::size_t count);
std::string moreDrawsNotListed(std::size_t count);

// ---- the play boards (玩法遗漏)

/// The name of a play: 任选一 … 任选八, 前一, 前二直选, 前二组选, 前三直选, 前三组选.
std::string_view playName(analysis::Play play);
/// The headers of the board's own columns (those it shares with the overview are named there).
inline constexpr std::string_view kCombinationHeader = "组合";
/// "近10期", "近30期", "近100期": hits among the newest `draws` draws.
std::string recentHitsHeader(std::size_t draws);
inline constexpr std::string_view kLastIssueHeader = "最后出现";
/// What a board covers: "任选二  2014102884～2015021510（1234期）", and its 胆 ("  胆 03 07").
std::string playCaption(analysis::Play play, history::Issue from, history::Issue to,
                        std::size_t draws, std::string_view bankers);
/// A number typed as 胆 or 杀号 that the game does not have: "胆码的号码应在 01～11 之间…".
std::string numberOutsideGame(std::string_view what, int number, int highestNumber);
/// More 胆 than a ticket of the play holds.
std::string tooManyBankers(analysis::Play play, std::size_t count);

// ---- the ticket filter (缩水) and the back-test (回测)

/// A range typed otherwise than "A-B" or one number.
std::string invalidValueRange(std::string_view what, std::string_view typed);
/// A count of numbers on a ticket outside 0 … 8.
std::string countOutOfRange(std::string_view what, int count);
/// A range that no ticket of the play can meet (reversed, or wholly outside what the condition
/// can be: `low`～`high`, or from `low` on without a `high`).
std::string rangeCannotHold(std::string_view what, std::string_view typed, int low,
                            std::optional<int> high);
/// So many 杀号 that the numbers left make no ticket of the play.
std::string tooManyExcluded(analysis::Play play, std::size_t count, int highestNumber);
/// Numbers named both as 胆 and as 杀号.
std::string bankerAlsoExcluded(std::string_view numbers);
/// One condition as a caption names it: "和值 25-35", "奇数 2,3个", "胆 03 07".
std::string filterCondition(std::string_view what, std::string_view value, bool counts);
/// "任选五  胆 03  杀 11  共 37 注".
std::string filterCaption(analysis::Play play, std::string_view conditions, std::size_t tickets);
/// "任选五  胆 03  回测 2024010102～2024010103（2期）"; an empty range is no draw.
std::string backtestCaption(analysis::Play play, std::string_view conditions,
                            std::string_view range);
/// The totals beside chance, one sentence each: the draws and tickets, "实际中奖 37 注，纯随机
/// 期望 36.2 注", and the draws with a winner.
std::vector<std::string> backtestSummary(std::size_t draws, std::int64_t tickets, std::int64_t wins,
                                         double expectedWins, std::size_t drawsWithWin,
                                         double expectedDrawsWithWin);
/// The label of the progress dialog of a back-test.
std::string backtesting(std::size_t draws);
/// --format text used with a command other than filter.
std::string ticketLinesOfFilterOnly();
/// A back-test asked for more draws than have one stored before them.
std::string backtestFewerDraws(std::size_t asked, std::size_t tested);
/// The headers of the tickets and of the back-test's draws.
inline constexpr std::string_view kTicketHeader = "号码";
inline constexpr std::string_view kExportTicketsTitle = "导出号码";
inline constexpr std::string_view kTicketFileFilter = "文本文件 (*.txt)";
inline constexpr std::string_view kTicketsHeader = "注数";
inline constexpr std::string_view kWinsHeader = "中奖注数";

// ---- money: the prize table, the ticket calculator, the back-test in money

/// Money as shown: yuan with the thousands set apart and up to two decimals: "2,020", "8.5".
std::string yuan(std::int64_t fen);
/// An expected amount of fen as yuan to the fen: "1,190.25".
std::string yuanRounded(double fen);
/// Said beside every expected return: the omission figures do not change it.
inline constexpr std::string_view kChanceIgnoresOmission =
    "期望返还只由玩法、号码个数和奖金决定，无论遗漏数据如何都一样；本程序不预测号码。";
inline constexpr std::string_view kNoPrize = "未设置奖金";
/// A play without a prize: why its money figures stay empty.
std::string noPrizeForPlay(analysis::Play play);
/// 倍数 outside 1 … 99.
std::string multipleOutOfRange(std::string_view typed);
/// 胆拖 with more 胆 than a ticket takes beside one 拖.
std::string tooManyBankersForDrag(analysis::Play play, std::size_t count);
/// Numbers given both as 胆 and as 拖.
std::string bankerAlsoDragged(std::string_view numbers);
/// 胆 given for a 直选 play.
std::string noBankersForDirect(analysis::Play play);
/// Numbers by position given for a play that is not 直选, or for other places than it has.
std::string positionsOfDirectOnly(analysis::Play play);
/// The numbers chosen make no ticket of the play.
std::string noTicketInBet(analysis::Play play);
/// A bet as captions name it: "复式 01 02 03", "胆拖  胆 01  拖 02 03", "定位  第1位 01 02  第2位
/// 03".
std::string multipleBetText(std::string_view numbers);
std::string bankerBetText(std::string_view bankers, std::string_view numbers);
std::string positionalBetText(const std::vector<std::string>& places);
/// "任选五 胆拖  胆 01 02  拖 03 04 05  共 3 注 × 2 倍  投入 12 元".
std::string calcCaption(analysis::Play play, std::string_view numbers, std::int64_t tickets,
                        int multiple, std::int64_t costFen);
/// An outcome's hits: "中 3 个", "胆中 1 拖中 2", for 直选 by position "第1位 第3位" or "都不中".
std::string outcomeHits(int hits, int bankerHits, bool banker);
std::string positionHits(std::uint8_t positions, int places);
/// A chance exactly and as a percentage: "1/462 ≈ 0.2165%".
std::string chanceText(std::int64_t draws, std::int64_t of);
/// The calculator's figures in plain words, one sentence a line: the chance of winning
/// anything and, with a prize, "每投入100元，平均返还约 59.1 元" and the largest prize.
std::vector<std::string> calcSummary(std::int64_t winningDraws, std::int64_t gameDraws,
                                     std::optional<double> expectedReturn,
                                     std::optional<std::int64_t> maxPrizeFen);
/// The back-test's money beside chance: "投入 2,020 元，奖金 1,170 元，纯随机期望 1,190 元".
std::string backtestMoney(std::int64_t costFen, std::int64_t prizeFen, double expectedFen);
/// A prize typed as PLAY=YUAN that does not read, or for 任选一, which is not sold.
std::string invalidPrizeSetting(std::string_view typed);
/// The headers of the calculator, of the back-test's money and of the prize table.
inline constexpr std::string_view kOutcomeHeader = "命中";
inline constexpr std::string_view kPrizeHeader = "奖金(元)";
inline constexpr std::string_view kChanceHeader = "概率";
inline constexpr std::string_view kCostHeader = "投入(元)";
inline constexpr std::string_view kNetHeader = "盈亏(元)";
inline constexpr std::string_view kExpectedPrizeHeader = "纯随机期望(元)";
inline constexpr std::string_view kPlayHeader = "玩法";
inline constexpr std::string_view kPlayKeyHeader = "键";

// ---- the trend chart's picture

inline constexpr std::string_view kSaveChartTitle = "保存走势图";
inline constexpr std::string_view kPictureFilter = "PNG 图片 (*.png)";
std::string chartTooLongForPicture(std::size_t rows, int limit);
/// Said after the picture was written to `file`.
std::string chartSaved(std::string_view file);

// ---- the window: its status line and the texts of its dialogs

/// The status line: the current game, the draws stored and the newest issue.
std::string statusLine(std::string_view gameName, std::size_t draws,
                       std::optional<history::Issue> newest);
/// The status line after the zodiac base was changed to `base` (0 or 1) in `year`.
std::string zodiacBaseChanged(int base, int year);
/// The stored history holds `highest`, a number above those of the game now chosen.
/// A file whose numbers do not fit the game (`mismatch`, historyAboveGame or
/// historyWithoutTwelve), refused before anything is replaced.
std::string importNotOfGame(std::string_view mismatch);
std::string historyAboveGame(std::string_view gameName, int gameHighest, int highest);
/// The stored `draws` draws hold no 12 although the 快乐12 game `gameName` is chosen.
std::string historyWithoutTwelve(std::string_view gameName, std::size_t draws);
/// The label over the five number boxes, naming the issue they are stored under.
std::string typeNextDraw(std::string_view issue);
/// The label of the progress dialog while a grid is written to `file`.
std::string exportingWorkbook(std::string_view file);

inline constexpr std::string_view kImportTitle = "读入历史";
/// Asked before a history text file is chosen; `stored` is the count of draws it replaces.
std::string importQuestion(std::size_t stored);
/// Asked again when `skipped` lines of the file could not be read and only `read` draws would
/// replace the `stored` ones: "文件中有 3 行无法读入，只读到 2 期。仍要用它替换现有的 3,824
/// 期吗？".
std::string importSkippedLines(std::size_t skipped, std::size_t read, std::size_t stored);
/// Said after an import that replaced `replaced` draws, saved first to `copy`.
std::string replacedHistorySaved(std::size_t replaced, const std::filesystem::path& copy);
/// Said by the command line instead of asking importSkippedLines.
std::string importNeedsYes(std::string_view question);
/// The start of a page's tab tip, before the keys that choose it ("快捷键 Ctrl+1").
inline constexpr std::string_view kShortcutTip = "快捷键 ";
/// The kinds of entry the file dialogs name and their sizes in bytes, by their English texts.
inline constexpr std::pair<std::string_view, std::string_view> kFileKinds[] = {
    {"Folder", "文件夹"},
    {"Drive", "驱动器"},
    {"Alias", "别名"},
    {"Shortcut", "快捷方式"},
    {"%n byte(s)", "%n 字节"}};
inline constexpr std::string_view kImportFilter = "文本文件 (*.txt)";
inline constexpr std::string_view kClearTitle = "确认清空";
inline constexpr std::string_view kClearQuestion = "确定要清空所有的历史号码吗？";
inline constexpr std::string_view kDeleteTitle = "删除期数";
inline constexpr std::string_view kDeleteToPrompt = "请输入需要删除到的期数，例如‘2017081284’";
inline constexpr std::string_view kDeleteCountPrompt =
    "请输入需要删除最后多少期历史号码（例如输入3，那么就将删除最后的3期历史号码）";
inline constexpr std::string_view kDaysTitle = "设置天数";
inline constexpr std::string_view kDaysPrompt =
    "请输入在线更新查找的天数（2～16中的任意自然数）。在线更新查找最近这些天中历史号码还没有的"
    "开奖号码，已有的历史号码不会被删除";
inline constexpr std::string_view kDaysErrorTitle = "输入有误";
inline constexpr std::string_view kDaysError =
    "为了保证时效性和提高计算效率，软件只能统计16天以内的数据，请输入2～16中的自然数。";
inline constexpr std::string_view kDayDrawsTitle = "每天期数";
/// The prompt of the draws-per-day box of `gameName`.
std::string dayDrawsPrompt(std::string_view gameName);
inline constexpr std::string_view kDayDrawsError = "每天的期数应为 1～120 的自然数，请重新输入。";
/// The newest three days of the history all end at `seen`, below the `setting` of `gameName`.
std::string daysEndEarlier(std::string_view gameName, int seen, int setting);
/// The button that sets the draws per day to `seen`.
std::string setDayDrawsTo(int seen);
inline constexpr std::string_view kDismissNotice = "不用改";
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
/// The current gap of a value that no number of the game can take now.
inline constexpr std::string_view kImpossibleValue = "不可能";
/// A history file that could not be read, in place of its count.
inline constexpr std::string_view kUnreadable = "无法读取";
/// The headers of the list of every game's history (`games`).
inline constexpr std::array<std::string_view, 7> kGameHistoriesHeaders = {
    "序号", "彩种", "代码", "期数", "最新期号", "每天期数", "当前"};
/// The mark of the current game in that list.
inline constexpr std::string_view kCurrentGameMark = "是";

// ---- the window's about box

inline constexpr std::string_view kAboutTitle = "关于遗漏统计";
/// The program's name and `version`, what it is for and its two programs.
std::string aboutText(std::string_view version);

// ---- the window with no history yet, and the sample histories

inline constexpr std::string_view kNoHistoryYet = "还没有历史号码";
inline constexpr std::string_view kWhereDrawsComeFrom =
    "统计要用当前彩种的历史开奖号码。可以读入历史号码文本文件（每行一期：期号和按开出顺序的五个"
    "号码，例如 2017092901 03 11 07 01 09），也可以设置开奖结果网页的地址后在线更新。"
    "想先看看软件能做什么，可以载入随软件安装的示例历史（真实的开奖号码）。";
inline constexpr std::string_view kSampleTitle = "载入示例历史";
/// Asked before a sample replaces the `stored` draws of the history.
std::string sampleReplacesHistory(std::size_t stored, std::string_view gameName);
/// The same for the command line, which wants --yes.
std::string sampleNeedsYes(std::size_t stored, std::string_view gameName);
std::string noSampleForGame(std::string_view typed);
/// The columns of the command line's list of samples.
inline constexpr std::array<std::string_view, 3> kSampleHeaders = {"彩种序号", "彩种", "文件"};

std::string wouldEmptyHistory(std::size_t removed);
std::string cannotOpenDatabase(const std::filesystem::path& file, std::string_view reason);
std::string askSetAsideDatabase(const std::filesystem::path& file);
std::string databaseSetAside(const std::filesystem::path& target);
inline constexpr std::string_view kWorking = "正在处理历史号码，请稍候……";
/// Nothing opened a page of the guide or an address: where it is, and the offer to copy that.
std::string cannotOpenAddress(std::string_view where);
std::string cannotOpenFile(const std::filesystem::path& file);

} // namespace yilou::messages
