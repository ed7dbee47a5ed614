#include "session/online_update.h"

#include "core/messages.h"
#include "core/user_error.h"
#include "session/messages.h"
#include "store/replaced_history.h"

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

StoredPage storePageDraws(HistoryDb& db, const UpdatePlan& plan, const PageDraws& found,
                          const AttributeRules& rules, const std::filesystem::path& dataDir) {
    StoredPage out;
    if (found.draws.empty())
        return out;
    // Appended draws go onto the end of the snapshot cache also when nothing was loaded.
    if (!plan.replaceHistory)
        db.takeCacheState();
    Transaction transaction(db.sql());
    if (plan.replaceHistory) {
        const ReplacedHistory saved = saveHistoryBeforeReplacing(db, dataDir);
        out.replaced = saved.draws;
        out.backup = saved.file;
    }
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
    out.stored = records.size();
    return out;
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

    const StoredPage stored =
        storePageDraws(db, report.plan, found, request.rules, db.path().parent_path());
    report.stored = stored.stored;
    report.replaced = stored.replaced;
    report.backup = stored.backup;
    report.newest = db.newestIssue().value_or(0);
    report.skipped = std::move(found.skipped);
    report.notFound = found.notFound;
    report.newestFound = found.newestFound;
    return report;
}

std::string UpdateReport::summary() const {
    std::string out;
    if (plan.replaceHistory)
        out += messages::historyReplaced(keepDays, replaced, backup) + "\n";
    out += messages::updateSummary(stored, newest);
    if (notFound > 0)
        out += "\n" + messages::issuesNotOnPage(notFound, newestFound);
    if (!skipped.empty())
        out += "\n" + messages::drawsSkipped(skipped.size()) + skippedText(skipped);
    return out;
}

} // namespace yilou::session
