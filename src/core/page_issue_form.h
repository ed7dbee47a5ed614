#pragma once

#include "core/games.h"
#include "core/issue.h"

#include <cstdint>
#include <optional>

namespace yilou::history {

/// How a results page or a happy-12 text file writes an issue: YYMMDD followed by the ordinal
/// in two digits (YYMMDDNN, the stored form) or, for the happy-12 games, in three (YYMMDDNNN).
/// Every game stores the eight-digit form.
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

} // namespace yilou::history
