#pragma once

#include "history/draw_record.h"
#include "history/games.h"
#include "history/history_db.h"

#include <cstddef>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace yilou::history {

/// A line of a history text file that was not stored, and why.
struct LineProblem {
    std::size_t line; ///< 1-based line number
    std::string reason;
};

/// What a text import stored and which lines it skipped.
struct ImportReport {
    std::size_t stored = 0;
    std::vector<LineProblem> skipped;
    /// "读入 3519 期，跳过 2 行。" followed by up to five skipped lines, one per text line
    /// ("第12行：<reason>").
    std::string summary() const;
};

/// One line of a history text file taken apart (the line without its line end):
/// an issue of its own when the line, blanks removed, starts with ten digits (stored as the
/// last eight) or eight digits, in either case followed by one separator character that is
/// skipped whatever it is; then every pair of adjacent digits is a number, the first five in
/// the order they stand. Every other byte, and a single digit, is skipped.
struct HistoryLine {
    bool blank = false;
    std::optional<Issue> issue;
    PositionValues numbers{};
    int numberCount = 0; ///< 0..5
};
HistoryLine parseHistoryLine(std::string_view line);

/// A draw read from a history text file and the line it stands on.
struct TextDraw {
    Issue issue = 0;
    PositionValues numbers{};
    std::size_t line = 0;
};

/// The draws of a history text file, in file order, and the lines that cannot be stored.
struct HistoryText {
    std::vector<TextDraw> draws;
    std::vector<LineProblem> skipped; ///< in line order
};

/// Reads a history text file. A line without an issue takes the issue of the line before plus
/// one. Blank lines and lines whose issue is below 1 are passed over; a line that does not
/// give a draw `game` can have (see drawProblem), repeats an issue of an earlier line, or has
/// no issue to count from is reported in `skipped`. Throws UserError when the file cannot be
/// read.
HistoryText readHistoryText(const std::filesystem::path& file, const Game& game);

/// Replaces the whole history by `draws` with their attributes derived, in one transaction.
void replaceHistory(HistoryDb& db, const std::vector<TextDraw>& draws, const AttributeRules& rules);

/// Replaces the whole history by the draws of a history text file. The file is read and
/// checked in full before anything is deleted; a file that cannot be read or holds no draw
/// leaves the history as it was (UserError).
ImportReport importHistoryFile(HistoryDb& db, const std::filesystem::path& file, const Game& game,
                               const AttributeRules& rules);

/// Up to five of `skipped` as text lines "第12行：<reason>", with a note of how many more there
/// are; empty when nothing was skipped.
std::string skippedLinesText(const std::vector<LineProblem>& skipped);

} // namespace yilou::history
