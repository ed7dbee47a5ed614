#pragma once

#include "core/draw_record.h"
#include "core/games.h"
#include "online/update_plan.h"

#include <string>
#include <string_view>
#include <vector>

namespace yilou::history {

/// A draw found on a results page that cannot be stored, and why.
struct SkippedDraw {
    Issue issue = 0; ///< stored form
    std::string reason;
};

/// A draw read from a results page: its issue in the stored form and its five numbers.
struct PageDraw {
    Issue issue = 0;
    PositionValues numbers{};
};

/// The draws of a results page, in ascending issue order, and the draws found there that
/// cannot be stored.
struct PageDraws {
    std::vector<PageDraw> draws;
    std::vector<SkippedDraw> skipped;
};

/// Finds the issues of `plan` in a page's text (see pageText). The page issues from
/// plan.firstIssue to plan.lastIssue are searched in ascending order by their decimal text
/// (8 digits, 9 for the happy-12 games); only integers that can be issues (an existing date,
/// an ordinal of 1..99) are searched. Each issue is looked for after the place where the
/// previous one was found (from the start of the text when the previous integer was not
/// found), then before that place, nearest first, so that a page listing the newest draw first
/// serves as well. After an issue of L characters found at character p, number i (1..5) is
/// the two characters from p + L + 3 × (i − 1): a digit after a blank or a digit. A place not
/// followed by five such fields (a mention of the issue in a heading) is passed over for the
/// next one; a draw whose numbers cannot be read anywhere, or do not pass drawProblem for
/// `game`, is skipped.
PageDraws findPageDraws(std::string_view text, const UpdatePlan& plan, const Game& game);

} // namespace yilou::history
