#include "session/messages.h"

#include "analysis/prize_table.h"
#include "core/draw_record.h"
#include "core/messages.h"
#include "workbook/xls_writer.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdio>
#include <numeric>

namespace yilou::messages {

using history::issueText;

namespace {

std::string text(std::string_view view) {
    return std::string(view);
}

/// A count with its thousands set apart: 3824 as "3,824".
std::string grouped(std::size_t count) {
    std::string digits = std::to_string(count);
    for (std::size_t at = digits.size(); at > 3; at -= 3)
        digits.insert(at - 3, 1, ',');
    return digits;
}

/// Said wherever a history is about to be replaced as a whole.
constexpr std::string_view kSavedBeforeReplacing =
    "（替换前先保存到数据文件夹中的“替换前历史号码_日期-时间.txt”）";

/// A figure of chance with one decimal: 36.2.
std::string oneDecimal(double value) {
    char digits[32];
    std::snprintf(digits, sizeof digits, "%.1f", value);
    return digits;
}

} // namespace

std::string_view typeName(analysis::SearchType type) {
    static constexpr std::array<std::string_view, analysis::kSearchTypeCount> names{
        "号码", "生肖", "头数", "尾数", "合数", "段数"};
    return names[static_cast<int>(type)];
}

std::string_view patternName(analysis::Pattern pattern) {
    static constexpr std::array<std::string_view, analysis::kPatternCount> names{
        "和值",  "跨度", "奇偶比", "大小比",   "质合比",
        "012路", "连号", "重号",   "前三和值", "前三跨度"};
    return names[static_cast<int>(pattern)];
}

std::string notAnInteger(std::string_view what, std::string_view typed) {
    return text(what) + "“" + text(typed) + "”不是整数。";
}

std::string integerOutOfRange(std::string_view what, std::string_view typed) {
    return text(what) + "“" + text(typed) + "”超出范围。";
}

std::string negativeCount() {
    return "期数不能为负数。";
}

std::string drawsPerDayOutOfRange(std::string_view typed) {
    return "每天期数 " + text(typed) + " 超出范围，请输入 1～120。";
}

std::string gameIndexOutOfRange(std::string_view typed) {
    return "彩种序号 " + text(typed) + " 超出范围，请输入 0～27 或彩种代码（例如 11x5gd）。";
}

std::string incompleteBox(int box) {
    return "第" + std::to_string(box) + "个号码没有输入完整（每个号码两位数字）";
}

std::string typedDrawRefused(const std::vector<std::string>& problems) {
    std::string message = "这一期没有保存，请改正：";
    for (const auto& problem : problems)
        message += "\n· " + problem;
    return message;
}

std::string notACodeOfType(std::string_view code, std::string_view typeCaption) {
    return "值 " + text(code) + " 不是" + text(typeCaption) + "的可选值。";
}

std::string positionOutOfRange(std::string_view typed) {
    return "位置 " + text(typed) + " 超出范围，请输入 1～5。";
}

std::string positionValueNotOfType(int position, int value, std::string_view typeCaption) {
    return "第" + std::to_string(position) + "位的值 " + std::to_string(value) + " 不是" +
           text(typeCaption) + "的可选值，请改正后再检索。";
}

std::string positionValueEmpty(int position) {
    return "第" + std::to_string(position) + "位的值是空的，请输入后再检索。";
}

std::string positionTwice(std::string_view typed) {
    return "位置 " + text(typed) + " 指定了两次。";
}

std::string positionValueFormat(std::string_view typed) {
    return "“" + text(typed) + "”格式不正确，应为 位置=值，例如 1=03。";
}

std::string fiveValuesNeeded() {
    return "需要五个值，用逗号分隔，例如 01,02,03,04,05。";
}

std::string placeOutOfRange(std::string_view typed) {
    return "位置 " + text(typed) + " 超出范围，请输入 any 或 1～5。";
}

std::string invalidDrawCount(std::string_view typed) {
    return "期数 " + text(typed) + " 无效，请输入正整数。";
}

std::string unknownSortColumn(std::string_view typed, std::string_view command) {
    return "排序列“" + text(typed) + "”无效，可选的列见 " + text(command) + " --help。";
}

std::string invalidRowCount(std::string_view typed) {
    return "行数 " + text(typed) + " 无效，请输入正整数。";
}

std::string unknownPlay(std::string_view typed) {
    return "玩法“" + text(typed) + "”无效，请输入 r1～r8、q1、q2z、q2x、q3z 或 q3x。";
}

std::string unknownPattern(std::string_view typed) {
    std::string keys;
    for (int p = 0; p < analysis::kPatternCount; ++p)
        keys += (p ? "、" : "") + text(analysis::patternKey(static_cast<analysis::Pattern>(p)));
    return "没有形态“" + text(typed) + "”，可选：" + keys + "。";
}

std::string oldestDrawHasNoRepeat(history::Issue oldest) {
    return "最早一期 " + issueText(oldest) + " 没有上一期，不计重号，也不计入理论次数。";
}

std::string invalidDate(std::string_view typed) {
    return "日期“" + text(typed) + "”不正确，请按 YYYY-MM-DD 输入（例如 2017-09-29）。";
}

std::string usageProblem(UsageProblem problem, std::string_view detail) {
    const char* what = "命令行有误";
    switch (problem) {
    case UsageProblem::Unrecognized:
        what = "无法识别的命令或参数";
        break;
    case UsageProblem::Missing:
        what = "缺少命令或必需的参数";
        break;
    case UsageProblem::ArgumentCount:
        what = "参数的个数不对";
        break;
    case UsageProblem::NotAllowed:
        what = "参数的值不在可选范围内";
        break;
    case UsageProblem::Excluded:
        what = "这些参数不能同时使用";
        break;
    case UsageProblem::NeedsAnother:
        what = "参数缺少与之配合的参数";
        break;
    case UsageProblem::Other:
        break;
    }
    return what + ("（" + text(detail) + "）");
}

std::string availableCommands(const std::vector<std::string>& names) {
    std::string list;
    for (const auto& name : names)
        list += (list.empty() ? "" : "、") + name;
    return "可用的命令：" + list;
}

std::string unknownCommand(std::string_view name, std::string_view availableCommands) {
    return "未知的命令“" + text(name) + "”。" + text(availableCommands);
}

std::string missingCommand(std::string_view availableCommands) {
    return "缺少命令。" + text(availableCommands);
}

std::string failed(std::string_view reason) {
    return "出错：" + text(reason);
}

std::string outOfMemory(std::string_view systemText) {
    return text(systemText) + "，操作未完成。";
}

std::string cannotWriteOutput(std::string_view reason) {
    return "无法写出结果（标准输出）：" + text(reason);
}

std::string confirmEmptyingWithYes() {
    return "确要清空，请加 --yes 再运行一次。";
}

std::string gameMenuCaption(std::string_view name, std::size_t draws) {
    return draws == 0 ? text(name) : text(name) + "（" + grouped(draws) + "期）";
}

std::string dayDrawsPrompt(std::string_view gameName) {
    return "请输入" + text(gameName) +
           "每天的期数（1～120）。下一期期号、检查缺失期号和在线更新都按它计算。";
}

std::string daysEndEarlier(std::string_view gameName, int seen, int setting) {
    return "历史号码最近 3 天每天最多只到第 " + std::to_string(seen) + " 期，而" + text(gameName) +
           "设为每天 " + std::to_string(setting) + " 期。";
}

std::string setDayDrawsTo(int seen) {
    return "设为每天 " + std::to_string(seen) + " 期";
}

std::string drawsPerDaySet(std::string_view name, int drawsPerDay) {
    return text(name) + "每天的期数已设为 " + std::to_string(drawsPerDay) + " 期。";
}

std::string currentGame(int index, std::string_view name, std::string_view code, int drawsPerDay) {
    return "当前彩种：" + std::to_string(index) + " " + text(name) + "（" + text(code) + "，每天" +
           std::to_string(drawsPerDay) + "期）";
}

std::string drawStored(history::Issue issue) {
    return "已保存 " + issueText(issue) + " 期。";
}

std::string historyCleared() {
    return "已清空所有历史号码。";
}

std::string drawsDeleted(std::size_t removed, std::size_t remaining) {
    return "已删除 " + std::to_string(removed) + " 期，现有历史号码 " + std::to_string(remaining) +
           " 期。";
}

std::string exportedTo(const std::filesystem::path& file) {
    return "已导出到 " + file.string();
}

std::string savedCopyTo(const std::filesystem::path& file) {
    return "已另存到 " + file.string();
}

std::string workbookExported(const std::filesystem::path& file, std::size_t sheets) {
    std::string message = exportedTo(file);
    if (sheets > 1)
        message += "\n每个工作表最多 " + std::to_string(history::kSheetRows) +
                   " 行，表格分在 Sheet1～Sheet" + std::to_string(sheets) + " 共 " +
                   std::to_string(sheets) + " 个工作表中，每个工作表的第一行都是表头。";
    return message;
}

std::string groupsNotSaved(std::string_view reason) {
    return "结果未能保存到 YL 表，重新排序或下次查看时看不到这些结果：" + text(reason);
}

std::string warning(std::string_view problem) {
    return "警告：" + text(problem);
}

std::string noMissingIssues(int drawsPerDay) {
    return "按每天" + std::to_string(drawsPerDay) + "期检查，没有缺失的期号。";
}

std::string missingIssuesTotal(int drawsPerDay, long long total) {
    return "按每天" + std::to_string(drawsPerDay) + "期检查，共缺失 " + std::to_string(total) +
           " 期。";
}

std::string unplacedIssues(const std::vector<history::Issue>& issues) {
    std::string message = "以下期号的日期不存在或期序为00，未参与检查：";
    for (const history::Issue issue : issues)
        message += " " + issueText(issue);
    return message;
}

std::string noUpdateAddress() {
    return "没有设置历史号码更新地址（设置 IniSetting/UpdateUrl）。" + text(kUpdateUrlHelp) + "。";
}

std::string noUpdateAddressGiven() {
    return "没有历史号码更新地址：请用 --url 给出地址模板，或把它保存在设置 IniSetting/UpdateUrl "
           "中。" +
           text(kUpdateUrlHelp) + "。";
}

std::string updateCancelled() {
    return historyUnchanged("已取消在线更新");
}

std::string noNewDrawsOnPage(std::string_view url, long long first, long long last) {
    return historyUnchanged("页面 " + text(url) + " 中没有可保存的新开奖号码（要找的期号为 20" +
                            std::to_string(first) + "～20" + std::to_string(last) + "）");
}

std::string updateSummary(std::size_t stored, history::Issue newest) {
    return "已保存 " + std::to_string(stored) + " 期，最新一期为 " + issueText(newest) + "。";
}

std::string issuesNotOnPage(std::size_t count, history::Issue newestFound) {
    return "页面上缺少 " + std::to_string(count) + " 期（早于找到的最新一期 " +
           issueText(newestFound) + "），下次更新时会再找。";
}

std::string issuesBeforeDaysSearched(const history::MissingRange& range, int keepDays) {
    return issueText(range.first) + "～" + issueText(range.last) + " 共 " +
           std::to_string(range.count) + " 期不在这次查找的 " + std::to_string(keepDays) +
           " 天之内，历史号码中仍然缺少。";
}

std::string drawsSkipped(std::size_t count) {
    return "跳过 " + std::to_string(count) + " 期：";
}

std::string moreDrawsNotListed(std::size_t count) {
    return "（另有 " + std::to_string(count) + " 期未列出）";
}

std::string_view playName(analysis::Play play) {
    static constexpr std::array<std::string_view, analysis::kPlayCount> names{
        "任选一", "任选二", "任选三",   "任选四",   "任选五",   "任选六",  "任选七",
        "任选八", "前一",   "前二直选", "前二组选", "前三直选", "前三组选"};
    return names[static_cast<std::size_t>(play)];
}

std::string recentHitsHeader(std::size_t draws) {
    return "近" + std::to_string(draws) + "期";
}

std::string playCaption(analysis::Play play, history::Issue from, history::Issue to,
                        std::size_t draws, std::string_view bankers) {
    std::string caption = text(playName(play)) + "  " + issueText(from) + "～" + issueText(to) +
                          "（" + std::to_string(draws) + "期）";
    if (!bankers.empty())
        caption += "  胆 " + text(bankers);
    return caption;
}

std::string numberOutsideGame(std::string_view what, int number, int highestNumber) {
    return text(what) + "的号码应在 01～" + history::twoDigitText(highestNumber) + " 之间，" +
           std::to_string(number) + " 不是本彩种的号码。";
}

std::string tooManyBankers(analysis::Play play, std::size_t count) {
    const std::string size = std::to_string(analysis::playSize(play));
    return text(playName(play)) + "每注只有 " + size + " 个号码，胆码最多 " + size +
           " 个，输入了 " + std::to_string(count) + " 个。";
}

std::string chartSaved(std::string_view file) {
    return "走势图已保存到：" + text(file);
}

std::string invalidValueRange(std::string_view what, std::string_view typed) {
    return text(what) + "范围“" + text(typed) + "”应写成“最小-最大”，例如 25-35。";
}

std::string countOutOfRange(std::string_view what, int count) {
    return text(what) + "个数 " + std::to_string(count) + " 不在 0～8 之间。";
}

std::string rangeCannotHold(std::string_view what, std::string_view typed, int low,
                            std::optional<int> high) {
    const std::string allowed =
        high ? std::to_string(low) + "～" + std::to_string(*high) : std::to_string(low) + " 及以上";
    return text(what) + "范围“" + text(typed) + "”无法满足：" + text(what) + "可取 " + allowed +
           "，范围应写成“最小-最大”，最小不大于最大。";
}

std::string tooManyExcluded(analysis::Play play, std::size_t count, int highestNumber) {
    return "杀号 " + std::to_string(count) + " 个后只剩 " +
           std::to_string(highestNumber - static_cast<int>(count)) + " 个号码，不够" +
           text(playName(play)) + "的一注（" + std::to_string(analysis::playSize(play)) +
           " 个号码）。";
}

std::string bankerAlsoExcluded(std::string_view numbers) {
    return "号码 " + text(numbers) + " 既是胆码又是杀号，同一个号码只能选其一。";
}

std::string filterCondition(std::string_view what, std::string_view value, bool counts) {
    return text(what) + " " + text(value) + (counts ? "个" : "");
}

std::string filterCaption(analysis::Play play, std::string_view conditions, std::size_t tickets) {
    return text(playName(play)) + (conditions.empty() ? "" : "  ") + text(conditions) + "  共 " +
           std::to_string(tickets) + " 注";
}

std::string backtestCaption(analysis::Play play, std::string_view conditions,
                            std::string_view range) {
    return text(playName(play)) + (conditions.empty() ? "" : "  ") + text(conditions) + "  回测 " +
           (range.empty() ? "0 期" : text(range));
}

std::vector<std::string> backtestSummary(std::size_t draws, std::int64_t tickets, std::int64_t wins,
                                         double expectedWins, std::size_t drawsWithWin,
                                         double expectedDrawsWithWin) {
    return {"回测 " + std::to_string(draws) + " 期，共买 " + std::to_string(tickets) + " 注。",
            "实际中奖 " + std::to_string(wins) + " 注，纯随机期望 " + oneDecimal(expectedWins) +
                " 注。",
            "有中奖的期数 " + std::to_string(drawsWithWin) + " 期，纯随机期望 " +
                oneDecimal(expectedDrawsWithWin) + " 期。"};
}

std::string backtesting(std::size_t draws) {
    return "正在回测 " + grouped(draws) + " 期……";
}

std::string ticketLinesOfFilterOnly() {
    return "--format text 只用于 filter 命令（每行一注号码）。";
}

std::string backtestFewerDraws(std::size_t asked, std::size_t tested) {
    return "要回测 " + std::to_string(asked) + " 期，但之前还有开奖的只有 " +
           std::to_string(tested) + " 期，只回测了这些。";
}

std::string yuan(std::int64_t fen) {
    std::string text = analysis::yuanText(fen);
    const std::size_t sign = fen < 0 ? 1 : 0;
    const std::size_t point = std::min(text.find('.'), text.size());
    for (std::size_t at = point; at > sign + 3; at -= 3)
        text.insert(at - 3, 1, ',');
    return text;
}

std::string yuanRounded(double fen) {
    return yuan(std::llround(fen));
}

std::string noPrizeForPlay(analysis::Play play) {
    if (play == analysis::Play::Any1)
        return "任选一不销售，没有奖金，不计算奖金与期望返还。";
    return text(playName(play)) + text(kNoPrize) + "，不计算奖金与期望返还（在 设置 → 奖金设置 " +
           "或 yilou-cli prizes --set 里填写）。";
}

std::string multipleOutOfRange(std::string_view typed) {
    return "倍数应在 1～99 之间，输入的是“" + text(typed) + "”。";
}

std::string tooManyBankersForDrag(analysis::Play play, std::size_t count) {
    const int size = analysis::playSize(play);
    if (size == 1)
        return text(playName(play)) + "每注只有 1 个号码，没有胆拖。";
    return text(playName(play)) + "每注 " + std::to_string(size) + " 个号码，胆拖的胆码最多 " +
           std::to_string(size - 1) + " 个，输入了 " + std::to_string(count) + " 个。";
}

std::string bankerAlsoDragged(std::string_view numbers) {
    return "号码 " + text(numbers) + " 既是胆码又是拖码。";
}

std::string noBankersForDirect(analysis::Play play) {
    return text(playName(play)) + "没有胆拖：请按位置选号，或选一组号码作直选复式。";
}

std::string positionsOfDirectOnly(analysis::Play play) {
    if (!analysis::isOrdered(play))
        return "按位置选号只用于前二直选和前三直选，" + text(playName(play)) + "请选一组号码。";
    return text(playName(play)) + "要按位置选 " + std::to_string(analysis::playSize(play)) +
           " 组号码，每位一组。";
}

std::string noTicketInBet(analysis::Play play) {
    return "所选号码组不成一注" + text(playName(play)) + "：每注要 " +
           std::to_string(analysis::playSize(play)) + " 个不同的号码。";
}

std::string multipleBetText(std::string_view numbers) {
    return "复式 " + text(numbers);
}

std::string bankerBetText(std::string_view bankers, std::string_view numbers) {
    return "胆拖  胆 " + text(bankers) + "  拖 " + text(numbers);
}

std::string positionalBetText(const std::vector<std::string>& places) {
    std::string out = "定位";
    for (std::size_t j = 0; j < places.size(); ++j)
        out += "  第" + std::to_string(j + 1) + "位 " + places[j];
    return out;
}

std::string calcCaption(analysis::Play play, std::string_view numbers, std::int64_t tickets,
                        int multiple, std::int64_t costFen) {
    return text(playName(play)) + "  " + text(numbers) + "  共 " +
           grouped(static_cast<std::size_t>(tickets)) + " 注 × " + std::to_string(multiple) +
           " 倍  投入 " + yuan(costFen) + " 元";
}

std::string outcomeHits(int hits, int bankerHits, bool banker) {
    if (banker)
        return "胆中 " + std::to_string(bankerHits) + " 拖中 " + std::to_string(hits - bankerHits);
    return "中 " + std::to_string(hits) + " 个";
}

std::string positionHits(std::uint8_t positions, int places) {
    std::string out;
    for (int j = 0; j < places; ++j)
        if (positions >> j & 1)
            out += (out.empty() ? "第" : " 第") + std::to_string(j + 1) + "位";
    return out.empty() ? "都不中" : out;
}

std::string chanceText(std::int64_t draws, std::int64_t of) {
    const std::int64_t common = std::gcd(draws, of);
    char percent[32];
    std::snprintf(percent, sizeof percent, "%.4g%%",
                  100 * static_cast<double>(draws) / static_cast<double>(of));
    return std::to_string(draws / common) + "/" + std::to_string(of / common) + " ≈ " + percent;
}

std::vector<std::string> calcSummary(std::int64_t winningDraws, std::int64_t gameDraws,
                                     std::optional<double> expectedReturn,
                                     std::optional<std::int64_t> maxPrizeFen) {
    std::vector<std::string> lines{"中奖（至少中一注）的概率 " +
                                   chanceText(winningDraws, gameDraws) + "。"};
    if (expectedReturn) {
        lines.push_back("每投入100元，平均返还约 " + oneDecimal(*expectedReturn * 100) + " 元。");
        lines.push_back("最高奖金 " + yuan(*maxPrizeFen) + " 元。");
    }
    lines.push_back(text(kChanceIgnoresOmission));
    return lines;
}

std::string backtestMoney(std::int64_t costFen, std::int64_t prizeFen, double expectedFen) {
    return "投入 " + yuan(costFen) + " 元，奖金 " + yuan(prizeFen) + " 元，纯随机期望 " +
           yuan(std::llround(expectedFen / 100) * 100) + " 元。";
}

std::string invalidPrizeSetting(std::string_view typed) {
    return "奖金设置“" + text(typed) +
           "”无效：应为 玩法=元，例如 r5=540（任选一不销售，不能设置；留空 r5= 表示不设置）。";
}

std::string chartTooLongForPicture(std::size_t rows, int limit) {
    return "走势图有 " + std::to_string(rows) + " 期，一张图片最多能保存 " + std::to_string(limit) +
           " 期：请选择较少的期数再保存。";
}

std::string statusLine(std::string_view gameName, std::size_t draws,
                       std::optional<history::Issue> newest) {
    std::string line = text(gameName) + " · 历史号码 " + std::to_string(draws) + " 期";
    if (newest)
        line += " · 最新 " + issueText(*newest);
    return line;
}

std::string zodiacBaseChanged(int base, int year) {
    return std::string("生肖(肖位)参数已改为 ") + (base == 0 ? "0~11" : "1~12") + "（生肖年 " +
           std::to_string(year) + "），此后的检索和统计都按它计算。";
}

namespace {

std::string chooseTheHistorysGame(std::string_view gameName) {
    return "请在“设置”中选择这些号码所属的彩种，或读入" + text(gameName) + "的历史号码。";
}

} // namespace

std::string importNotOfGame(std::string_view mismatch) {
    return "没有读入，现有的历史号码保持不变：" + text(mismatch);
}

std::string historyAboveGame(std::string_view gameName, int gameHighest, int highest) {
    return "历史号码中有 " + std::to_string(highest) + "，超出了" + text(gameName) + "的号码 01～" +
           std::to_string(gameHighest) + "。" + chooseTheHistorysGame(gameName);
}

std::string historyWithoutTwelve(std::string_view gameName, std::size_t draws) {
    return grouped(draws) + " 期历史号码中没有 12，像是 11选5 的号码，不是" + text(gameName) +
           "的。" + chooseTheHistorysGame(gameName);
}

std::string typeNextDraw(std::string_view issue) {
    return "在下面输入 " + text(issue) + " 期历史号码:";
}

std::string importQuestion(std::size_t stored) {
    std::string question = "确实要读入最新历史号码吗？";
    if (stored > 0)
        question += "所选文件中的号码将替换现有的 " + grouped(stored) + " 期历史号码" +
                    text(kSavedBeforeReplacing) + "。";
    return question + "点击'确定'读入,点击'取消'放弃该操作。确要读入请保证安装目录下存在"
                      "历史号码的文本文件。读取时可能要花费一段时间,请耐心等候！";
}

std::string importSkippedLines(std::size_t skipped, std::size_t read, std::size_t stored) {
    return "文件中有 " + grouped(skipped) + " 行无法读入，只读到 " + grouped(read) +
           " 期。仍要用它替换现有的 " + grouped(stored) + " 期吗？";
}

std::string replacedHistorySaved(std::size_t replaced, const std::filesystem::path& copy) {
    return "替换前的 " + grouped(replaced) + " 期历史号码已保存到 " + copy.string() + "。";
}

std::string importNeedsYes(std::string_view question) {
    return text(question) + "确要替换，请加 --yes 再运行一次。";
}

std::string exportingWorkbook(std::string_view file) {
    return "正在导出 " + text(file) + "，请稍候……";
}

std::string wouldEmptyHistory(std::size_t removed) {
    return "这将删除全部 " + std::to_string(removed) +
           " 期历史号码，历史号码将被清空。确定要继续吗？";
}

std::string aboutText(std::string_view version) {
    return "遗漏统计 " + text(version) +
           "\n\n11选5、快乐12 历史号码与遗漏统计。\n窗口程序 yilou，命令行程序 yilou-cli。";
}

namespace {

/// "载入广东11选5的示例历史将替换现有的 5 期历史号码".
std::string sampleReplaces(std::size_t stored, std::string_view gameName) {
    return "载入" + text(gameName) + "的示例历史将替换现有的 " + std::to_string(stored) +
           " 期历史号码" + text(kSavedBeforeReplacing);
}

} // namespace

std::string sampleReplacesHistory(std::size_t stored, std::string_view gameName) {
    return sampleReplaces(stored, gameName) + "。确定要继续吗？";
}

std::string sampleNeedsYes(std::size_t stored, std::string_view gameName) {
    return sampleReplaces(stored, gameName) + "。确要替换，请加 --yes 再运行一次。";
}

std::string noSampleForGame(std::string_view typed) {
    return "彩种序号 " + text(typed) +
           " 没有示例历史；不带参数运行 sample 可列出有示例历史的彩种。";
}

std::string cannotOpenDatabase(const std::filesystem::path& file, std::string_view reason) {
    return "无法打开历史数据库 " + file.string() + "：\n" + text(reason) +
           "\n\n程序以空的历史号码启动；该文件未被改动。";
}

std::string askSetAsideDatabase(const std::filesystem::path& file) {
    return "历史数据库 " + file.string() +
           " 无法打开。要把它改名保存在原处，并新建一个空的历史数据库吗？";
}

std::string databaseSetAside(const std::filesystem::path& target) {
    return "原历史数据库已改名保存为 " + target.string() + "。";
}

std::string cannotOpenAddress(std::string_view where) {
    return "没有可以打开它的程序（例如没有安装浏览器）。它在：\n" + text(where) +
           "\n\n要把这个位置复制到剪贴板吗？";
}

std::string cannotOpenFile(const std::filesystem::path& file) {
    return "无法用默认程序打开文件，文件保存在：\n" + file.string();
}

} // namespace yilou::messages
