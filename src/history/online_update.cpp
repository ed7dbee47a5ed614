#include "history/online_update.h"

#include "history/page_text.h"

namespace yilou::history {

namespace {

constexpr std::string_view kUnchanged = "历史号码未改变。";
constexpr std::size_t kListedSkips = 5;

void replaceAll(std::string& text, std::string_view from, std::string_view to) {
    for (auto at = text.find(from); at != std::string::npos; at = text.find(from, at + to.size()))
        text.replace(at, from.size(), to);
}

/// Up to five skipped draws, one a line, with a note of how many more there are.
std::string skippedText(const std::vector<SkippedDraw>& skipped) {
    std::string out;
    for (std::size_t i = 0; i < std::min(skipped.size(), kListedSkips); ++i)
        out += "\n" + skipped[i].reason;
    if (skipped.size() > kListedSkips)
        out += "\n（另有 " + std::to_string(skipped.size() - kListedSkips) + " 期未列出）";
    return out;
}

std::string issueRangeText(const UpdatePlan& plan) {
    return "20" + std::to_string(plan.firstIssue) + "～20" + std::to_string(plan.lastIssue);
}

} // namespace

std::string updateUrl(std::string_view urlTemplate, const Game& game, int drawsWanted) {
    std::string url(urlTemplate);
    replaceAll(url, "{code}", game.gameCode());
    replaceAll(url, "{n}", std::to_string(drawsWanted));
    return url;
}

std::size_t storePageDraws(HistoryDb& db, const UpdatePlan& plan, const PageDraws& found,
                           const AttributeRules& rules) {
    if (found.draws.empty())
        return 0;
    Transaction transaction(db.sql());
    std::vector<DrawRecord> records;
    records.reserve(found.draws.size());
    for (const PageDraw& draw : found.draws)
        if (plan.replaceHistory || !db.contains(draw.issue))
            records.push_back(DeriveAttributes(draw.issue, draw.numbers, rules));
    if (plan.replaceHistory)
        db.replaceAll(records);
    else
        db.appendDraws(records);
    transaction.commit();
    return records.size();
}

UpdateReport updateHistoryOnline(HistoryDb& db, const UpdateRequest& request,
                                 const FetchControl& control) {
    if (request.urlTemplate.empty())
        throw UserError("没有设置历史号码更新地址（设置 UpdateUrl）。" +
                        std::string(kUpdateUrlHelp) + "。");
    std::optional<StoredSpan> stored;
    if (const auto oldest = db.oldestIssue())
        stored = StoredSpan{*oldest, *db.newestIssue()};

    UpdateReport report;
    report.plan = planUpdate(stored, request.today, request.keepDays, request.game);
    report.keepDays = request.keepDays;
    report.url = updateUrl(request.urlTemplate, request.game, report.plan.drawsWanted);

    FetchedPage page;
    try {
        page = fetchPage(report.url, request.limits, control);
    } catch (const Cancelled&) {
        throw Cancelled("已取消在线更新，" + std::string(kUnchanged));
    } catch (const UserError& error) {
        throw UserError(error.what() + std::string(kUnchanged));
    }
    const std::string text = pageText(page.body, pageCharset(page.body, page.contentType));
    PageDraws found = findPageDraws(text, report.plan, request.game);
    if (found.draws.empty())
        throw UserError("页面 " + report.url + " 中没有可保存的新开奖号码（要找的期号为 " +
                        issueRangeText(report.plan) + "），" + std::string(kUnchanged) +
                        skippedText(found.skipped));
    if (control.cancelled())
        throw Cancelled("已取消在线更新，" + std::string(kUnchanged));

    report.stored = storePageDraws(db, report.plan, found, request.rules);
    report.newest = db.newestIssue().value_or(0);
    report.skipped = std::move(found.skipped);
    return report;
}

std::string UpdateReport::summary() const {
    std::string out;
    if (plan.replaceHistory)
        out += "原有历史号码的最早一期已超过 " + std::to_string(keepDays) + " 天，已全部替换。\n";
    out += "已保存 " + std::to_string(stored) + " 期，最新一期为 " + issueText(newest) + "。";
    if (!skipped.empty())
        out += "\n跳过 " + std::to_string(skipped.size()) + " 期：" + skippedText(skipped);
    return out;
}

} // namespace yilou::history
