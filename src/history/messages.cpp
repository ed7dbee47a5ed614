#include "history/messages.h"

#include "history/draw_record.h"
#include "history/xls_writer.h"

#include <cstdio>

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

std::string issueYearOutOfRange(history::Issue issue, int lastYear) {
    return "期号 " + issueText(issue) + " 不是有效的期号（年份须在 2010～" +
           std::to_string(lastYear) + " 之间）";
}

std::string issueDateMissing(history::Issue issue) {
    return "期号 " + issueText(issue) + " 不是有效的期号（日期不存在）";
}

std::string issueOrdinalZero(history::Issue issue) {
    return "期号 " + issueText(issue) + " 不是有效的期号（期序须从 01 起）";
}

std::string issueFormat(std::string_view typed) {
    return "期号“" + text(typed) + "”格式不正确，请输入十位期号（例如 2017081284）或八位期号";
}

std::string tenDigitIssueNotTwenty(std::string_view typed) {
    return "期号“" + text(typed) + "”不是有效的期号（十位期号以 20 开头）";
}

std::string nineDigitIssueUnusable(std::string_view digits) {
    return "期号 " + text(digits) + " 不是有效的期号（九位期号为年月日加 001～099 的期序）";
}

std::string noIssueAfterLastYear(history::Issue newest, int lastYear) {
    return "最新一期 " + issueText(newest) + " 已是 " + std::to_string(lastYear) +
           " 年的最后一期，期号无法再往后排。";
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

std::string linesWithMoreNumbers(std::size_t count) {
    return std::to_string(count) + " 行多于五个号码，多出的已忽略。";
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

std::string cannotWriteOutput(std::string_view reason) {
    return "无法写出结果（标准输出）：" + text(reason);
}

std::string workbookExported(const std::filesystem::path& file, std::size_t sheets) {
    std::string message = exportedTo(file);
    if (sheets > 1)
        message += "\n每个工作表最多 " + std::to_string(history::kSheetRows) +
                   " 行，表格分在 Sheet1～Sheet" + std::to_string(sheets) + " 共 " +
                   std::to_string(sheets) + " 个工作表中，每个工作表的第一行都是表头。";
    return message;
}

std::string gridTooWide(std::size_t columns) {
    return "表格有 " + std::to_string(columns) + " 列，超出工作表 " +
           std::to_string(history::kSheetColumns) + " 列的上限，无法导出。";
}

std::string cellTextTooLong(std::size_t longest, std::string_view cell) {
    return "单元格文字超过 " + std::to_string(longest) + " 个字符，无法导出：" + text(cell);
}

std::string workbookTooLarge() {
    return "表格文件超过 2 GB，无法写入。";
}

std::string cannotCreateDataFolder(const std::filesystem::path& folder, std::string_view reason) {
    return "无法创建数据文件夹 " + folder.string() + "：" + text(reason);
}

std::string cannotSaveSettings(std::string_view file) {
    return "无法保存设置到 " + text(file) + "，请检查该文件夹是否可写。";
}

std::string notARegularFile() {
    return "不是普通文件";
}

std::string notATextFile() {
    return "不是文本文件（其中有 NUL 字节）";
}

std::string outOfMemory(std::string_view systemText) {
    return text(systemText) + "，操作未完成。";
}

std::string outOfMemoryReading(const std::filesystem::path& file, std::string_view systemText) {
    return historyUnchanged("读入文件 " + file.string() + " 时" + text(systemText));
}

std::string notAHistoryDatabase(const std::filesystem::path& file) {
    return "文件 " + file.string() + " 不是历史数据库（其中没有历史号码表 Lishi），未作任何修改。";
}

std::string damagedDatabase(const std::filesystem::path& file, std::string_view detail) {
    return "历史数据库 " + file.string() + " 已损坏（" + text(detail) +
           "），为免丢失历史号码，未作任何修改。请把该文件移走，再读入最近导出的历史号码文本文件"
           "或数据文件夹中的 lsbf.txt，重建历史号码。";
}

std::string indexCountDiffers(std::string_view table) {
    return "表 " + text(table) + " 与其索引的行数不一致";
}

std::string exportOntoProgramFile(const std::filesystem::path& target, bool backupFile) {
    return "不能导出到 " + target.string() + "：它是程序的" +
           (backupFile ? "备份文件" : "历史数据库文件") + "，写入会毁掉历史号码。请另选文件名。";
}

std::string emptyingNeedsConfirmation(std::size_t count) {
    return "这样会删除全部 " + std::to_string(count) +
           " 期历史号码，须先确认清空历史号码；历史号码未改变。";
}

std::string confirmEmptyingWithYes() {
    return "确要清空，请加 --yes 再运行一次。";
}

std::string groupsNotSaved(std::string_view reason) {
    return "结果未能保存到 YL 表，重新排序或下次查看时看不到这些结果：" + text(reason);
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

std::string positionValueNotOfType(int position, int value, std::string_view typeCaption) {
    return "第" + std::to_string(position) + "位的值 " + std::to_string(value) + " 不是" +
           text(typeCaption) + "的可选值，请改正后再检索。";
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

std::string noUpdateAddress() {
    return "没有设置历史号码更新地址（设置 IniSetting/UpdateUrl）。" + text(kUpdateUrlHelp) + "。";
}

std::string noUpdateAddressGiven() {
    return "没有历史号码更新地址：请用 --url 给出地址模板，或把它保存在设置 IniSetting/UpdateUrl "
           "中。" +
           text(kUpdateUrlHelp) + "。";
}

std::string invalidDate(std::string_view typed) {
    return "日期“" + text(typed) + "”不正确，请按 YYYY-MM-DD 输入（例如 2017-09-29）。";
}

std::string updateDateOutOfRange() {
    return "今天的日期必须在 2010～2099 年之间，无法更新历史号码。";
}

std::string updateCancelled() {
    return historyUnchanged("已取消在线更新");
}

std::string cannotReadPage(std::string_view url, std::string_view cause, std::string_view detail) {
    return "无法读取历史号码页面 " + text(url) + "：" + text(cause) + "（" + text(detail) + "）";
}

std::string pageReadCancelled(std::string_view url) {
    return "已取消读取历史号码页面 " + text(url) + "。";
}

std::string unsupportedAddress() {
    return "不支持这种地址，只能读取 http、https 或 file 地址";
}

std::string malformedAddress() {
    return "地址的格式不正确";
}

std::string hostNotFound() {
    return "找不到这个服务器（域名无法解析），请检查地址和网络连接";
}

std::string connectionFailed() {
    return "无法连接到服务器（连接被拒绝或网络不通）";
}

std::string noTimelyAnswer(std::string_view connectLimit, std::string_view transferLimit) {
    return "服务器没有及时响应（连接限时 " + text(connectLimit) + "，整个读取限时 " +
           text(transferLimit) + "）";
}

std::string tooManyRedirects(long limit) {
    return "页面重定向超过 " + std::to_string(limit) + " 次";
}

std::string redirectRefused(std::string_view target) {
    return "页面被重定向到 " + text(target) +
           "，为安全起见，重定向只能转到 http 或 https 地址，不读取本机文件或其他地址";
}

std::string httpError(long status) {
    return "服务器返回错误 HTTP " + std::to_string(status);
}

std::string pageTooLarge(std::string_view limit) {
    return "页面超过 " + text(limit) + " 的上限";
}

std::string cannotKeepPage() {
    return "无法保存收到的数据";
}

std::string pageFileNotReadable() {
    return "文件不存在或无法读取";
}

std::string emptyAnswer() {
    return "服务器没有返回任何内容";
}

std::string secureConnectionFailed() {
    return "无法建立安全连接（HTTPS 证书无效或无法验证）";
}

std::string transferInterrupted() {
    return "传输中断";
}

std::string networkFailure() {
    return "网络读取失败";
}

std::string networkUnavailable() {
    return "网络组件无法启动";
}

std::string noNewDrawsOnPage(std::string_view url, long long first, long long last) {
    return historyUnchanged("页面 " + text(url) + " 中没有可保存的新开奖号码（要找的期号为 20" +
                            std::to_string(first) + "～20" + std::to_string(last) + "）");
}

std::string pageNumbersUnreadable(history::Issue issue, std::string_view following) {
    return "期号 " + issueText(issue) + " 后面的五个号码无法读取（“" + text(following) + "”）";
}

std::string pageDrawProblem(history::Issue issue, std::string_view problem) {
    return "期号 " + issueText(issue) + "：" + text(problem);
}

std::string pageCopiesDisagree(history::Issue issue, const std::vector<std::string>& copies) {
    std::string list;
    for (const std::string& copy : copies)
        list += (list.empty() ? "" : "、") + copy;
    return "期号 " + issueText(issue) + " 在页面上有 " + std::to_string(copies.size()) +
           " 个不同的开奖号码（" + list + "），都未保存";
}

std::string historyNewerThan(history::Issue newest, const history::CalendarDate& date) {
    char day[16];
    std::snprintf(day, sizeof day, "%04d-%02d-%02d", date.year, date.month, date.day);
    return historyUnchanged("历史号码的最新一期 " + issueText(newest) + " 晚于更新的日期 " + day +
                            "：历史号码比这一天还新，请检查日期");
}

std::string historyReplaced(int keepDays, std::size_t replaced, const std::filesystem::path& copy) {
    return "原有历史号码的最早一期已超过 " + std::to_string(keepDays) +
           " 天，已全部替换；替换前的 " + std::to_string(replaced) + " 期已保存到 " +
           copy.string() + "。";
}

std::string updateSummary(std::size_t stored, history::Issue newest) {
    return "已保存 " + std::to_string(stored) + " 期，最新一期为 " + issueText(newest) + "。";
}

std::string issuesNotOnPage(std::size_t count, history::Issue newestFound) {
    return "页面上缺少 " + std::to_string(count) + " 期（早于找到的最新一期 " +
           issueText(newestFound) + "），下次更新时会再找。";
}

std::string updateWillReplace(std::size_t count, int keepDays) {
    return "\n\n注意：历史号码的最早一期已超过 " + std::to_string(keepDays) +
           " 天，这次更新将替换现有的全部 " + std::to_string(count) +
           " 期历史号码（替换前先保存到数据文件夹中的“替换前历史号码_日期-时间.txt”）。";
}

std::string drawsSkipped(std::size_t count) {
    return "跳过 " + std::to_string(count) + " 期：";
}

std::string moreDrawsNotListed(std::size_t count) {
    return "（另有 " + std::to_string(count) + " 期未列出）";
}

std::string wouldEmptyHistory(std::size_t removed) {
    return "这将删除全部 " + std::to_string(removed) +
           " 期历史号码，历史号码将被清空。确定要继续吗？";
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

std::string cannotOpenAddress(std::string_view address) {
    return "无法打开浏览器，请手动访问：\n" + text(address);
}

std::string cannotOpenFile(const std::filesystem::path& file) {
    return "无法用默认程序打开文件，文件保存在：\n" + file.string();
}

std::string warning(std::string_view problem) {
    return "警告：" + text(problem);
}

} // namespace yilou::messages
