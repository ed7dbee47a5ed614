#include "history/messages.h"

#include "history/draw_record.h"

namespace yilou::messages {

using history::issueText;

namespace {

std::string text(std::string_view view) {
    return std::string(view);
}

} // namespace

std::string invalidIssue(std::string_view which, std::string_view typed) {
    return text(which) + "期号“" + text(typed) +
           "”不是有效的期号，请输入十位期号（例如 2017081284）或八位期号。";
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

std::string gameIndexOutOfRange(std::string_view typed) {
    return "彩种序号 " + text(typed) + " 超出范围，请输入 0～27。";
}

std::string emptyHistory() {
    return "历史号码为空，请先读入历史号码。";
}

std::string issueAlreadyStored(history::Issue issue) {
    return notStored("期号 " + issueText(issue) + " 已经存在");
}

std::string notStored(std::string_view reason) {
    return text(reason) + "，未保存。";
}

std::string implausibleIssue(history::Issue issue) {
    return "期号 " + issueText(issue) + " 不是有效的期号（日期不存在或期序为00）";
}

std::string numberOutOfRange(int number, int highestNumber) {
    return "号码 " + history::twoDigitText(number) + " 超出范围 01～" +
           history::twoDigitText(highestNumber);
}

std::string numberRepeated(int number) {
    return "号码 " + history::twoDigitText(number) + " 重复出现";
}

std::string incompleteBox(int box) {
    return "第" + std::to_string(box) + "个号码没有输入完整（每个号码两位数字）";
}

std::string tooFewNumbers(int count) {
    return "只有 " + std::to_string(count) + " 个号码，一期需要 5 个号码";
}

std::string noIssueToCountFrom() {
    return "没有期号，前面也没有可接续的期号";
}

std::string issueRepeatsLine(history::Issue issue, std::size_t line) {
    return "期号 " + issueText(issue) + " 与第" + std::to_string(line) + "行重复";
}

std::string storedValueOutOfRange(history::Issue issue, std::string_view column, long long value) {
    return "历史数据库中期号 " + issueText(issue) + " 的 " + text(column) + " 值 " +
           std::to_string(value) + " 超出范围，无法读取。";
}

std::string noDrawsInFile(const std::filesystem::path& file) {
    return historyUnchanged("文件 " + file.string() + " 中没有可读入的开奖号码");
}

std::string historyUnchanged(std::string_view reason) {
    return text(reason) + "，历史号码未改变。";
}

std::string backupHasBadLines(const std::filesystem::path& file) {
    return historyUnchanged("备份文件 " + file.string() + " 中有无法读入的行") + "\n";
}

std::string databaseKeptAsItWas(std::string_view reason) {
    return text(reason) + "。数据库文件保持原样。";
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

std::string importSummary(std::size_t stored, std::size_t skipped) {
    const std::string out = "读入 " + std::to_string(stored) + " 期";
    return skipped ? out + "，跳过 " + std::to_string(skipped) + " 行。" : out + "。";
}

std::string skippedLine(std::size_t line, std::string_view reason) {
    return "第" + std::to_string(line) + "行：" + text(reason);
}

std::string moreLinesNotListed(std::size_t count) {
    return "（另有 " + std::to_string(count) + " 行未列出）";
}

std::string cannotReadFile(const std::filesystem::path& file, std::string_view reason) {
    return "无法读取文件 " + file.string() + "：" + text(reason);
}

std::string cannotWriteFile(const std::filesystem::path& file, std::string_view reason) {
    return "无法写入文件 " + file.string() + "：" + text(reason);
}

std::string cannotCreateDataFolder(const std::filesystem::path& folder, std::string_view reason) {
    return "无法创建数据文件夹 " + folder.string() + "：" + text(reason);
}

std::string cannotSaveSettings(std::string_view file) {
    return "无法保存设置到 " + text(file) + "，请检查该文件夹是否可写。";
}

std::string rangeEndBeforeStart(history::Issue end, history::Issue start) {
    return "截止期号 " + issueText(end) + " 早于起始期号 " + issueText(start) +
           "，请重新输入检索起止期数。";
}

std::string noDrawsInRange(history::Issue start, history::Issue end) {
    return "期号 " + issueText(start) + " 至 " + issueText(end) + " 之间没有历史号码。";
}

std::string referenceBeforeOldest(history::Issue reference, history::Issue oldest) {
    return "指定期号 " + issueText(reference) + " 早于最早的历史期号 " + issueText(oldest) + "。";
}

std::string invalidPartialCount(std::string_view typed) {
    return "分部位数“" + text(typed) + "”无效，请选择 1 到 5。";
}

std::string invalidGroupSize(int k, int largest) {
    return "组合位数 " + std::to_string(k) + " 无效，请选择 1 至 " + std::to_string(largest) + "。";
}

std::string tooManyCodes(int largest, int chosen) {
    return "一次最多组合 " + std::to_string(largest) + " 个值，现在选了 " + std::to_string(chosen) +
           " 个。";
}

std::string codeChosenTwice(int code) {
    return "值 " + std::to_string(code) + " 选了两次，每个值只能选一次。";
}

std::string tooFewCodes(int chosen, int k) {
    return "只选了 " + std::to_string(chosen) + " 个值，不够组成 " + std::to_string(k) +
           " 个一组的组合，请多勾选几个或减小组合位数。";
}

std::string notACodeOfType(std::string_view code, std::string_view typeCaption) {
    return "值 " + text(code) + " 不是" + text(typeCaption) + "的可选值。";
}

std::string positionOutOfRange(std::string_view typed) {
    return "位置 " + text(typed) + " 超出范围，请输入 1～5。";
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

std::string unknownSortColumn(std::string_view typed) {
    return "排序列“" + text(typed) + "”无效，可选的列见 overview --help。";
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

std::string chartTooLongForPicture(std::size_t rows, int limit) {
    return "走势图有 " + std::to_string(rows) + " 期，一张图片最多能保存 " + std::to_string(limit) +
           " 期：请选择较少的期数再保存。";
}

std::string wouldEmptyHistory(std::size_t removed) {
    return "这将删除全部 " + std::to_string(removed) +
           " 期历史号码，历史号码将被清空。确定要继续吗？";
}

std::string cannotOpenDatabase(const std::filesystem::path& file, std::string_view reason) {
    return "无法打开历史数据库 " + file.string() + "：\n" + text(reason) +
           "\n\n程序以空的历史号码启动；该文件未被改动。";
}

std::string cannotOpenAddress(std::string_view address) {
    return "无法打开浏览器，请手动访问：\n" + text(address);
}

std::string cannotOpenFile(const std::filesystem::path& file) {
    return "无法用默认程序打开文件，文件保存在：\n" + file.string();
}

std::string compactionWarning(std::string_view problem) {
    return "警告：" + text(problem);
}

std::string noDisplay() {
    return "没有可用的图形显示（DISPLAY 或 WAYLAND_DISPLAY 未设置），无法打开窗口；"
           "请使用命令行程序 yilou-cli。";
}

} // namespace yilou::messages
