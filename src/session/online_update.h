#pragma once

#include "core/draw_record.h"
#include "core/games.h"
#include "online/page_draws.h"
#include "online/page_fetch.h"
#include "online/update_plan.h"
#include "store/history_db.h"

#include <cstddef>
#include <filesystem>
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

/// What storePageDraws did.
struct StoredPage {
    std::size_t stored = 0;
    std::size_t replaced = 0;     ///< the draws of the history it replaced
    std::filesystem::path backup; ///< where those were saved first (saveReplacedHistory)
};

/// What an online update stored.
struct UpdateReport {
    history::UpdatePlan plan;
    int keepDays = 0;
    std::string url;
    std::size_t stored = 0;
    std::size_t replaced = 0;
    std::filesystem::path backup;
    history::Issue newest = 0; ///< the newest issue of the history after the update
    std::vector<history::SkippedDraw> skipped;
    std::size_t notFound = 0; ///< see PageDraws
    history::Issue newestFound = 0;

    /// "已保存 88 期，最新一期为 2017092984。", preceded by a note naming the copy of the old
    /// history when it was replaced, followed by how many wanted issues the page lacks and by
    /// the draws that were skipped.
    std::string summary() const;
};

/// Brings the history in `db` up to date from the results page of `request.game`, in one
/// call that may run on a worker thread: no other thread may use `db` meanwhile (a window
/// opens a HistoryDb of its own on the worker), `control.progress` is called on the worker
/// (a window forwards it to its own thread), and `control.cancel` may be set from any thread.
/// It plans the update (planUpdate), fetches the page (fetchPage) and finds the wanted draws
/// in it (readPageDraws); only then it stores them (storePageDraws, which saves a history it
/// replaces in the data folder, the database's folder). The report names what was stored and
/// the newest issue afterwards.
///
/// Throws, leaving the history exactly as it was: Cancelled when the cancel flag was set
/// before the draws were stored; UserError for an empty address template, a date planUpdate
/// refuses, a failed fetch, a page with none of the wanted draws, or a failure to save the
/// replaced history or to store.
UpdateReport updateHistoryOnline(history::HistoryDb& db, const UpdateRequest& request,
                                 const history::FetchControl& control = {});

/// Stores the draws of `found` as updateHistoryOnline does: in one transaction, replacing the
/// whole history when `plan` says so, otherwise beside it (issues stored meanwhile are left
/// out). A history that is replaced is first saved to `dataDir` (saveReplacedHistory) within
/// the transaction, so that the copy holds exactly the draws replaced. With no draws it
/// changes nothing.
StoredPage storePageDraws(history::HistoryDb& db, const history::UpdatePlan& plan,
                          const history::PageDraws& found, const history::AttributeRules& rules,
                          const std::filesystem::path& dataDir);

} // namespace yilou::session
