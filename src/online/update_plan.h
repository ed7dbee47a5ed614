#pragma once

#include "core/games.h"
#include "core/issue.h"

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace yilou::history {

/// How a results page writes an issue: YYMMDD followed by the ordinal in two digits
/// (YYMMDDNN, the stored form) or, for the happy-12 games, in three (YYMMDDNNN). Every game
/// stores the eight-digit form.
struct PageIssueForm {
    int ordinalDigits = 2; ///< 2 or 3

    static PageIssueForm of(const Game& game) { return {game.isHappy12() ? 3 : 2}; }
    int digits() const { return 6 + ordinalDigits; }
    std::int64_t make(const CalendarDate& date, int ordinal) const;
    std::int64_t fromStored(Issue issue) const;
    /// The stored form of a page issue; nothing when its date does not exist or its ordinal is
    /// not in 1..99 (the ordinals the stored form can hold).
    std::optional<Issue> toStored(std::int64_t pageIssue) const;
};

/// The first and the last stored issue, when the history has draws.
struct StoredSpan {
    Issue oldest = 0;
    Issue newest = 0;
};

/// What an online update loads, decided from the stored history and today's date.
struct UpdatePlan {
    /// The oldest stored draw is more than `keepDays` days old: the new draws replace the whole
    /// history instead of being appended to it.
    bool replaceHistory = false;
    int daysToLoad = 0;  ///< d: days since the newest kept draw, or keepDays
    int drawsWanted = 0; ///< (d + 1) × draws per day: the number asked of the results page
    PageIssueForm form;
    /// The page issues searched, in ascending order: after the newest kept draw (or the first
    /// draw of the day keepDays days ago) up to today's last draw.
    std::int64_t firstIssue = 0;
    std::int64_t lastIssue = 0;
};

/// Plans an update of `stored` (nothing for an empty history) for `game` on `today`, keeping
/// and loading `keepDays` days (the setting IniSerchDay). A history whose oldest draw lies more
/// than keepDays days before today is replaced and loaded for keepDays days; otherwise the days
/// from its newest draw's date up to today are loaded (none when that date is later than
/// today). Throws UserError when `today` lies outside the years 2010..2099.
UpdatePlan planUpdate(const std::optional<StoredSpan>& stored, const CalendarDate& today,
                      int keepDays, const Game& game);

/// The address of the results page: `urlTemplate` with every "{code}" replaced by the game's
/// code and every "{n}" by `drawsWanted`.
std::string updateUrl(std::string_view urlTemplate, const Game& game, int drawsWanted);

} // namespace yilou::history
