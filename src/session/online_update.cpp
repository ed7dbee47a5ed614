#include "session/online_update.h"

#include "core/messages.h"
#include "core/user_error.h"
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

std::size_t storePageDraws(HistoryDb& db, const PageDraws& found, const AttributeRules& rules) {
    // Appended draws go onto the end of the snapshot cache also when nothing was loaded.
    db.takeCacheState();
    Transaction transaction(db.sql());
    std::vector<DrawRecord> records;
    records.reserve(found.draws.size());
    for (const PageDraw& draw : found.draws)
        if (!db.contains(draw.issue))
            records.push_back(DeriveAttributes(draw.issue, draw.numbers, rules));
    db.appendDraws(records);
    transaction.commit();
    return records.size();
}

UpdateReport updateHistoryOnline(HistoryDb& db, const UpdateRequest& request,
                                 const FetchControl& control) {
    if (request.urlTemplate.empty())
        throw UserError(messages::noUpdateAddress());

    UpdateReport report;
    report.plan = planUpdate(db.issues(), request.today, request.keepDays, request.game);
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
    PageDraws found = readPageDraws(page.body, page.contentType, report.plan, request.game);
    if (found.draws.empty())
        throw UserError(
            messages::noNewDrawsOnPage(report.url, report.plan.firstIssue, report.plan.lastIssue) +
            skippedText(found.skipped));
    if (control.cancelled())
        throw Cancelled(messages::updateCancelled());

    report.stored = storePageDraws(db, found, request.rules);
    report.newest = db.newestIssue().value_or(0);
    report.skipped = std::move(found.skipped);
    report.notFound = found.notFound;
    report.newestFound = found.newestFound;
    return report;
}

std::string UpdateReport::summary() const {
    std::string out = messages::updateSummary(stored, newest);
    if (notFound > 0)
        out += "\n" + messages::issuesNotOnPage(notFound, newestFound);
    if (plan.unsearched)
        out += "\n" + messages::issuesBeforeDaysSearched(*plan.unsearched, keepDays);
    if (!skipped.empty())
        out += "\n" + messages::drawsSkipped(skipped.size()) + skippedText(skipped);
    return out;
}

} // namespace yilou::session
