#pragma once

#include "core/draw_record.h"
#include "core/games.h"
#include "online/page_draws.h"
#include "online/page_fetch.h"
#include "online/update_plan.h"
#include "store/history_db.h"

#include <cstddef>
#include <string>
#include <vector>

namespace yilou::session {

/// What an online update needs besides the history.
struct UpdateRequest {
    std::string urlTemplate; ///< the setting UpdateUrl, or an address given for this update
    history::CalendarDate today;
    int keepDays = 6; ///< the setting IniSerchDay
    history::Game game = history::gameAt(0);
    history::AttributeRules rules;
    history::FetchLimits limits;
};

/// What an online update stored.
struct UpdateReport {
    history::UpdatePlan plan;
    int keepDays = 0;
    std::string url;
    std::size_t stored = 0;
    history::Issue newest = 0; ///< the newest issue of the history after the update
    std::vector<history::SkippedDraw> skipped;
    std::size_t notFound = 0; ///< see PageDraws
    history::Issue newestFound = 0;

    /// "已保存 88 期，最新一期为 2017092984。", followed by what is still missing (how many
    /// wanted issues the page lacks; the issues between an old history and the days looked at)
    /// and by the draws that were skipped.
    std::string summary() const;
};

/// Brings the history in `db` up to date from the results page of `request.game`, in one
/// call that may run on a worker thread: no other thread may use `db` meanwhile (a window
/// opens a HistoryDb of its own on the worker), `control.progress` is called on the worker
/// (a window forwards it to its own thread), and `control.cancel` may be set from any thread.
/// It plans the update (planUpdate), fetches the page (fetchPage) and finds the wanted draws
/// in it (readPageDraws); only then it stores them beside the history, in one transaction
/// (issues stored meanwhile are left out). It never deletes a stored draw. The report names
/// what was stored, the newest issue afterwards and what is still missing.
///
/// Throws, leaving the history exactly as it was: Cancelled when the cancel flag was set
/// before the draws were stored; UserError for an empty address template, a date planUpdate
/// refuses, a failed fetch, a page with none of the wanted draws, or a failure to store.
UpdateReport updateHistoryOnline(history::HistoryDb& db, const UpdateRequest& request,
                                 const history::FetchControl& control = {});

/// Stores the draws of `found` that the history lacks beside it, as updateHistoryOnline does,
/// in one transaction; gives how many were stored.
std::size_t storePageDraws(history::HistoryDb& db, const history::PageDraws& found,
                           const history::AttributeRules& rules);

} // namespace yilou::session
