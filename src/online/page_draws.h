#pragma once

#include "core/draw_record.h"
#include "core/games.h"
#include "online/update_plan.h"

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
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

/// The draws of a results page, in ascending issue order, the draws found there that cannot be
/// stored, and how many wanted issues the page lacks.
struct PageDraws {
    std::vector<PageDraw> draws;
    std::vector<SkippedDraw> skipped;
    /// The newest wanted issue found on the page (stored form; 0 when none was found).
    Issue newestFound = 0;
    /// Issues of the game's schedule that the plan wants, older than newestFound, that stand
    /// nowhere on the page.
    std::size_t notFound = 0;
};

/// One place where a page gives a wanted issue: the five numbers read there, or, when they
/// cannot be read, the text that stands in their place (of which a message quotes the start).
struct PageCopy {
    std::int64_t issue = 0; ///< page form
    std::optional<PositionValues> numbers;
    std::string following;
};

/// Reads one- or two-digit numbers into `out` from byte `at` of `text` on, skipping every
/// character that is not a digit between them; stops when `out` is full, at a line end, at a run
/// of more than two digits or at the end of the text. Gives how many were read; `at` is left
/// after the last one.
std::size_t readNumbers(std::string_view text, std::size_t& at, std::span<int> out);

/// The draws of the copies a page gives of the wanted issues of `plan`: an issue is stored
/// when its readable copies that pass drawProblem for `game` all give the same numbers; when
/// they give different numbers none of them is stored and the issue is skipped, naming them;
/// an issue without such a copy is skipped with the reason of its first copy.
PageDraws drawsFromCopies(std::vector<PageCopy> copies, const UpdatePlan& plan, const Game& game);

/// Finds the wanted issues of `plan` (see UpdatePlan::wants) in a page's text (see pageText).
/// An issue is a run of digits that is its decimal text (8 digits, 9 for the happy-12 games) or
/// "20" followed by it (the ten-digit form), either of them perhaps followed at once by two
/// digits, its first number; a run of another length holds no issue. Its numbers are the next
/// one- or two-digit numbers of the same line (a table row is one line), whatever stands
/// between them. A place where five numbers cannot be read that way is a copy without numbers
/// (see drawsFromCopies).
PageDraws findPageDraws(std::string_view text, const UpdatePlan& plan, const Game& game);

/// The draws of a fetched results page: a body that starts with "{" or "[" is read as JSON
/// (see findJsonCopies), any other body, and JSON that does not parse, as an HTML page in the
/// charset pageCharset finds (see pageText and findPageDraws).
PageDraws readPageDraws(std::string_view body, std::string_view contentType, const UpdatePlan& plan,
                        const Game& game);

} // namespace yilou::history
