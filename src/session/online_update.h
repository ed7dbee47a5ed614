#pragma once

#include "history/draw_record.h"
#include "history/games.h"
#include "history/history_db.h"
#include "history/page_draws.h"
#include "history/page_fetch.h"
#include "history/update_plan.h"

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace yilou::history {

/// The address of the results page: `urlTemplate` with every "{code}" replaced by the game's
/// code and every "{n}" by `drawsWanted`.
std::string updateUrl(std::string_view urlTemplate, const Game& game, int drawsWanted);

/// What an online update needs besides the history.
struct UpdateRequest {
    std::string urlTemplate; ///< the setting UpdateUrl, or an address given for this update
    CalendarDate today;
    int keepDays = 6; ///< the setting IniSerchDay
    Game game = gameAt(0);
    AttributeRules rules;
    FetchLimits limits;
};

/// What an online update stored.
struct UpdateReport {
    UpdatePlan plan;
    int keepDays = 0;
    std::string url;
    std::size_t stored = 0;
    Issue newest = 0; ///< the newest issue of the history after the update
    std::vector<SkippedDraw> skipped;

    /// "已保存 88 期，最新一期为 2017092984。", preceded by a note when the old history was
    /// replaced and followed by the draws that were skipped.
    std::string summary() const;
};

/// Brings the history in `db` up to date from the results page of `request.game`, in one
/// call that may run on a worker thread: no other thread may use `db` meanwhile (a window
/// opens a HistoryDb of its own on the worker), `control.progress` is called on the worker
/// (a window forwards it to its own thread), and `control.cancel` may be set from any thread.
/// It plans the update (planUpdate), fetches the page (fetchPage), reads its text (pageText)
/// and finds the wanted draws (findPageDraws); only then, in one transaction, it replaces the
/// old history when the plan says so and appends the new draws with their attributes. The
/// report names what was stored and the newest issue afterwards.
///
/// Throws, leaving the history exactly as it was: Cancelled when the cancel flag was set
/// before the draws were stored; UserError for an empty address template, a failed fetch, a
/// page with none of the wanted draws, or a database error.
UpdateReport updateHistoryOnline(HistoryDb& db, const UpdateRequest& request,
                                 const FetchControl& control = {});

/// Stores the draws of `found` as updateHistoryOnline does: in one transaction, replacing the
/// whole history when `plan` says so, otherwise beside it (issues stored meanwhile are left
/// out). Gives the number stored; with no draws it changes nothing.
std::size_t storePageDraws(HistoryDb& db, const UpdatePlan& plan, const PageDraws& found,
                           const AttributeRules& rules);

} // namespace yilou::history
