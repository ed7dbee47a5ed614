#pragma once

#include "core/games.h"
#include "core/issue.h"
#include "core/missing_issues.h"
#include "core/page_issue_form.h"

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace yilou::history {

/// What an online update loads, decided from the stored history and today's date.
struct UpdatePlan {
    int daysToLoad = 0;  ///< d: days from the date of firstIssue to today
    int drawsWanted = 0; ///< (d + 1) × draws per day: the number asked of the results page
    PageIssueForm form;
    /// The page issues searched, in ascending order, leaving out `stored`: from the oldest
    /// issue of the days looked at that is not stored (or the one after the newest stored draw,
    /// when that comes first) up to today's last draw.
    std::int64_t firstIssue = 0;
    std::int64_t lastIssue = 0;
    /// The stored issues from firstIssue on, ascending: they are not searched.
    std::vector<Issue> stored;
    /// When the newest stored draw is older than the days looked at: the issues of the schedule
    /// between it and those days, which the update leaves missing.
    std::optional<MissingRange> unsearched;

    /// Whether a page issue of the range is wanted, that is not stored.
    bool wants(std::int64_t pageIssue) const;
};

/// Plans an update of a history holding `stored` (every stored issue, ascending; empty for an
/// empty history) for `game` on `today`, looking back `keepDays` days (the setting IniSerchDay):
/// today and the keepDays days before it. Every issue of those days that is not stored is
/// searched (the gaps left by earlier updates as well as the draws after the newest one), and
/// the draws asked of the page reach back to the oldest of them; a stored draw is never given
/// up. Throws UserError when `today` lies outside the years 2010..2099, or when the newest
/// stored draw is dated after `today`: the history is newer than the day to update for.
UpdatePlan planUpdate(std::span<const Issue> stored, const CalendarDate& today, int keepDays,
                      const Game& game);

/// The address of the results page: `urlTemplate` with every "{code}" replaced by the game's
/// code and every "{n}" by `drawsWanted`.
std::string updateUrl(std::string_view urlTemplate, const Game& game, int drawsWanted);

} // namespace yilou::history
