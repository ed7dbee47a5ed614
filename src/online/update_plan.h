#pragma once

#include "core/games.h"
#include "core/issue.h"
#include "core/page_issue_form.h"

#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace yilou::history {

/// Whether an update replaces a history holding `stored` (ascending, not empty) instead of
/// adding to it: its oldest draw lies more than `keepDays` days before `today` (or has a date
/// that does not exist).
bool replacesHistory(std::span<const Issue> stored, const CalendarDate& today, int keepDays);

/// What an online update loads, decided from the stored history and today's date.
struct UpdatePlan {
    /// The oldest stored draw is more than `keepDays` days old: the new draws replace the whole
    /// history instead of being appended to it.
    bool replaceHistory = false;
    int daysToLoad = 0;  ///< d: days from the date of firstIssue to today
    int drawsWanted = 0; ///< (d + 1) × draws per day: the number asked of the results page
    PageIssueForm form;
    /// The page issues searched, in ascending order, leaving out `stored`: from the oldest
    /// issue of the kept days that is not stored (or the one after the newest stored draw, when
    /// that comes first) up to today's last draw.
    std::int64_t firstIssue = 0;
    std::int64_t lastIssue = 0;
    /// The stored issues from firstIssue on that the update keeps (none when it replaces the
    /// history), ascending: they are not searched.
    std::vector<Issue> stored;

    /// Whether a page issue of the range is wanted, that is not stored.
    bool wants(std::int64_t pageIssue) const;
};

/// Plans an update of a history holding `stored` (every stored issue, ascending; empty for an
/// empty history) for `game` on `today`, keeping and loading `keepDays` days (the setting
/// IniSerchDay): the kept days are today and the keepDays days before it. A history that
/// replacesHistory says is replaced and loaded for the kept days; otherwise every issue of the
/// kept days that is not stored is searched (the gaps left by earlier updates as well as the
/// draws after the newest one), and the draws asked of the page reach back to the oldest of
/// them. Throws UserError when `today` lies outside the years 2010..2099, or when the newest
/// stored draw is dated after `today`: the history is newer than the day to update for.
UpdatePlan planUpdate(std::span<const Issue> stored, const CalendarDate& today, int keepDays,
                      const Game& game);

/// The address of the results page: `urlTemplate` with every "{code}" replaced by the game's
/// code and every "{n}" by `drawsWanted`.
std::string updateUrl(std::string_view urlTemplate, const Game& game, int drawsWanted);

} // namespace yilou::history
