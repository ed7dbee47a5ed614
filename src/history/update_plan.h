#pragma once

#include "history/games.h"
#include "history/issue.h"

#include <cstdint>
#include <optional>
#include <span>
#include <vector>

namespace yilou::history {

/// How a results page writes an issue: YYMMDD followed by the ordinal in two digits
/// (YYMMDDNN, the stored form) or, for the happy-12 games, in three (YYMMDDNNN). Every game
/// stores the eight-digit form.
struct PageIssueForm {
    int ordinalDigits = 2; ///< 2 or 3

    static PageIssueForm of(const Game& game) { return {game.isHappy12() ? 3 : 2}; }
    int digits() const { return 6 + ordinalDigits; }
    /// What the date number YYMMDD is multiplied by.
    std::int64_t scale() const { return ordinalDigits == 3 ? 1000 : 100; }
    std::int64_t make(const CalendarDate& date, int ordinal) const;
    std::int64_t fromStored(Issue issue) const;
    /// The date a page issue names, whatever its ordinal.
    CalendarDate dateOf(std::int64_t pageIssue) const;
    /// The stored form of a page issue; nothing when its date does not exist or its ordinal is
    /// not in 1..99 (the ordinals the stored form can hold).
    std::optional<Issue> toStored(std::int64_t pageIssue) const;
};

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

} // namespace yilou::history
