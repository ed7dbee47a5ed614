#include "session/online_update.h"

#include "core/messages.h"
#include "core/user_error.h"
#include "online/page_text.h"
#include "session/messages.h"

namespace yilou::session {

// The engine's types and steps, which this step combines.
using namespace history;

namespace {

constexpr std::size_t kListedSkips = 5;

/// Up to five skipped draws, one a line, with a note of how many more there are.
std::string skippedText(const std::vector<SkippedDraw>& skipped) {
    std::string out;
    for (std::size_t i = 0; i < std::min(skipped.size(), kListedSkips); ++i)
        out += "\n" + skipped[i].reason;
    if (skipped.size() > kListedSkips)
        out += "\n" + messages::moreDrawsNotListed(skipped.size() - kListedSkips);
    return out;
}

} // namespace

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
        throw UserError(messages::noUpdateAddress());
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
        throw Cancelled(messages::updateCancelled());
    } catch (const UserError& error) {
        throw UserError(messages::historyUnchanged(error.what()));
    }
    const std::string text = pageText(page.body, pageCharset(page.body, page.contentType));
    PageDraws found = findPageDraws(text, report.plan, request.game);
    if (found.draws.empty())
        throw UserError(
            messages::noNewDrawsOnPage(report.url, report.plan.firstIssue, report.plan.lastIssue) +
            skippedText(found.skipped));
    if (control.cancelled())
        throw Cancelled(messages::updateCancelled());

    report.stored = storePageDraws(db, report.plan, found, request.rules);
    report.newest = db.newestIssue().value_or(0);
    report.skipped = std::move(found.skipped);
    return report;
}

std::string UpdateReport::summary() const {
    std::string out;
    if (plan.replaceHistory)
        out += messages::historyReplaced(keepDays) + "\n";
    out += messages::updateSummary(stored, newest);
    if (!skipped.empty())
        out += "\n" + messages::drawsSkipped(skipped.size()) + skippedText(skipped);
    return out;
}

} // namespace yilou::session
