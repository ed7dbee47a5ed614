#include "core/messages.h"

#include "core/draw_record.h"

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

std::string issueRefused(std::string_view reason) {
    return text(reason) + "。";
}

std::string emptyHistory() {
    return "历史号码为空，还没有可以统计的开奖号码。请先读入历史号码文本文件、在线更新历史号码，"
           "或载入随软件安装的示例历史。";
}

std::string issueStored(history::Issue issue) {
    return "期号 " + issueText(issue) + " 已经存在";
}

std::string issueAlreadyStored(history::Issue issue) {
    return notStored(issueStored(issue));
}

std::string notStored(std::string_view reason) {
    return text(reason) + "，未保存。";
}

std::string issueYearOutOfRange(std::string_view issue, int lastYear) {
    return "期号 " + text(issue) + " 不是有效的期号（年份须在 2010～" + std::to_string(lastYear) +
           " 之间）";
}

std::string issueDateMissing(std::string_view issue) {
    return "期号 " + text(issue) + " 不是有效的期号（日期不存在）";
}

std::string issueOrdinalZero(std::string_view issue) {
    return "期号 " + text(issue) + " 不是有效的期号（期序须从 01 起）";
}

std::string issueFormUnusable(std::string_view issue) {
    return "期号 " + text(issue) + " 不是有效的期号（十位期号须以 20 开头）";
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

std::string tooFewNumbers(int count) {
    return "只有 " + std::to_string(count) + " 个号码，一期需要 5 个号码";
}

std::string noIssueToCountFrom() {
    return "没有期号，前面也没有可接续的期号";
}

std::string issueRepeatsLine(history::Issue issue, std::size_t line) {
    return "期号 " + issueText(issue) + " 与第" + std::to_string(line) + "行重复";
}

std::string storedRowRefused(std::size_t row, std::string_view problem) {
    return "历史数据库中第 " + std::to_string(row) + " 行：" + text(problem) +
           "，不是开奖号码，无法读取历史号码。请读入最近导出的历史号码文本文件或数据文件夹中的 "
           "lsbf.txt，重建历史号码。";
}

std::string storedIssueInvalid(long long value) {
    return "期号 " + std::to_string(value) + " 不是有效的期号";
}

std::string storedValueOutOfRange(history::Issue issue, std::string_view column, long long value) {
    return "期号 " + issueText(issue) + " 的 " + text(column) + " 值 " + std::to_string(value) +
           " 超出范围";
}

std::string storedValueMissing(history::Issue issue, std::string_view column) {
    return "期号 " + issueText(issue) + " 的 " + text(column) + " 为空";
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

std::string notCompacted(std::size_t removed, std::string_view reason) {
    return "已删除 " + std::to_string(removed) +
           " 期历史号码，但数据库文件未能整理，仍占用删除前的空间：" + text(reason);
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

std::string databaseFailure(std::string_view action, const std::filesystem::path& file,
                            std::string_view description, std::string_view detail) {
    const std::string subject =
        action.empty() ? "数据库文件 " : "无法" + text(action) + "数据库文件 ";
    return subject + file.string() + "：" + text(description) + "（" + text(detail) + "）";
}

std::string databaseBusy() {
    return "数据库正被其他程序使用，请稍后再试";
}

std::string databaseDamagedOrForeign() {
    return "数据库文件已损坏或不是历史数据库";
}

std::string diskFull() {
    return "磁盘空间不足";
}

std::string cannotOpenOrWriteDatabase() {
    return "无法打开或写入数据库文件";
}

std::string databaseReadWriteError() {
    return "读写数据库文件出错";
}

std::string databaseOperationFailed() {
    return "数据库操作失败";
}

std::string pathTooLong() {
    return "路径太长";
}

std::string stateNotInTheFile(const std::filesystem::path& file) {
    return "数据库文件 " + file.string() + " 使用 WAL 日志模式，其内容的改变无法从文件本身得知";
}

std::string cannotReadFile(const std::filesystem::path& file, std::string_view reason) {
    return "无法读取文件 " + file.string() + "：" + text(reason);
}

std::string cannotWriteFile(const std::filesystem::path& file, std::string_view reason) {
    return "无法写入文件 " + file.string() + "：" + text(reason);
}

std::string gridTooWide(std::size_t columns, std::size_t limit) {
    return "表格有 " + std::to_string(columns) + " 列，超出工作表 " + std::to_string(limit) +
           " 列的上限，无法导出。";
}

std::string cellTextTooLong(std::size_t longest, std::string_view cell) {
    return "单元格文字超过 " + std::to_string(longest) + " 个字符，无法导出：" + text(cell);
}

std::string workbookTooLarge() {
    return "表格文件超过 2 GB，无法写入。";
}

std::string cannotMoveGameHistory(const std::filesystem::path& file, std::string_view reason) {
    return "切换彩种时无法处理文件 " + file.string() + "：" + text(reason) +
           "。各彩种的历史号码都保持完整，下次启动时将继续完成切换。";
}

std::string gameSwitchRecordUnreadable(const std::filesystem::path& file) {
    return "彩种切换记录 " + file.string() +
           " 无法读取，无法确定各彩种历史号码的位置。请检查数据文件夹中的 彩种 文件夹。";
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

std::string rangeEndBeforeStart(history::Issue end, history::Issue start) {
    return "截止期号 " + issueText(end) + " 早于起始期号 " + issueText(start) +
           "，请重新输入检索起止期数。";
}

std::string noDrawsInRange(history::Issue start, history::Issue end) {
    return "期号 " + issueText(start) + "～" + issueText(end) + " 之间没有历史号码。";
}

std::string referenceBeforeOldest(history::Issue reference, history::Issue oldest) {
    return "指定期号 " + issueText(reference) + " 早于最早的历史期号 " + issueText(oldest) + "。";
}

std::string invalidPartialCount(std::string_view typed) {
    return "分部位数“" + text(typed) + "”无效，请选择 1～5。";
}

std::string invalidGroupSize(int k, int largest) {
    return "组合位数 " + std::to_string(k) + " 无效，请选择 1～" + std::to_string(largest) + "。";
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

std::string updateDateOutOfRange() {
    return "今天的日期必须在 2010～2099 年之间，无法更新历史号码。";
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

std::string seconds(std::string_view amount) {
    return text(amount) + " 秒";
}

std::string byteCount(std::size_t bytes) {
    return std::to_string(bytes) + " 字节";
}

std::string cannotKeepPage() {
    return "无法保存收到的数据";
}

std::string pageFileFailure(std::string_view url, std::string_view cause) {
    return "无法读取历史号码页面 " + text(url) + "：" + text(cause);
}

std::string pageFileTooSlow(std::string_view limit) {
    return "读取文件超过 " + text(limit) + " 的限时";
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

} // namespace yilou::messages
