#pragma once

#include "core/draw_record.h"
#include "core/games.h"
#include "store/history_db.h"

#include <array>
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

/// The lines a read passed over: how many, and the first of them with their reasons. Its size
/// does not grow with the count, so a file of junk cannot use up the memory.
struct SkippedLines {
    static constexpr std::size_t kKept = 16;

    std::size_t count = 0;
    std::vector<LineProblem> first; ///< the kKept lowest line numbers, in line order

    bool empty() const { return count == 0; }
    void add(LineProblem problem);
    /// Up to five lines as text lines "第12行：<reason>", with a note of how many more there
    /// are; empty when nothing was skipped.
    std::string text() const;
};

/// What a text import stored and which lines it skipped.
struct ImportReport {
    std::size_t stored = 0;
    /// Stored lines that held more than five numbers; the numbers after the fifth are ignored.
    std::size_t longLines = 0;
    SkippedLines skipped;
    /// "读入 3519 期，跳过 2 行。", then "2 行多于五个号码，多出的已忽略。" when there are such
    /// lines, then up to five skipped lines, one per text line ("第12行：<reason>").
    std::string summary() const;
};

/// How the lines of a history text file are read and checked.
struct LineRules {
    int highestNumber = 11; ///< the numbers of a draw lie in 1..highestNumber
    /// An issue may also be written YYMMDD and a three-digit ordinal ("170929001"), as the
    /// results pages of the happy-12 games write it; it is stored as the online update stores
    /// such an issue (PageIssueForm), in the eight-digit form (17092901).
    bool nineDigitIssues = false;

    LineRules(int highestNumber, bool nineDigitIssues)
        : highestNumber(highestNumber), nineDigitIssues(nineDigitIssues) {}
    /// The lines of a file of `game`'s draws: its numbers, nine-digit issues in the happy-12
    /// games.
    LineRules(const Game& game) : LineRules(game.highestNumber, game.isHappy12()) {}
    /// The lines of the backup file: the draws as they were stored, whatever game they were
    /// stored for, so that the game chosen since never makes a stored draw unreadable.
    static LineRules storedDraws();
};

/// One line of a history text file taken apart (the line without its line end):
/// an issue of its own when the line, blanks removed, starts with eleven digits ("20" and a
/// nine-digit issue) or nine digits followed by a non-digit when nine-digit issues are read
/// (LineRules), with ten digits (readWrittenIssue), or with eight digits, in each case
/// followed by one separator character that is skipped whatever it is; then every pair of adjacent
/// digits is a number, the first five in the order they stand. Every other byte, and a single
/// digit, is skipped.
struct HistoryLine {
    bool blank = false;
    std::optional<Issue> issue;
    /// Why the issue the line starts with cannot be stored (readWrittenIssue; for a nine-digit
    /// issue PageIssueForm), quoting it as written. `issue` still holds an issue of the eight-
    /// or ten-digit form whose date or ordinal is refused, and is empty otherwise.
    std::optional<std::string> refusedIssue;
    PositionValues numbers{};
    int numberCount = 0;      ///< 0..5
    bool moreNumbers = false; ///< a sixth number follows the fifth
};
HistoryLine parseHistoryLine(std::string_view line, bool nineDigitIssues = false);

/// parseHistoryLine for a line that arrives in pieces: memory stays the same for a line of any
/// length. Blanks are ' ', '\t' and '\r'.
class HistoryLineParser {
public:
    explicit HistoryLineParser(bool nineDigitIssues = false) : nineDigitIssues_(nineDigitIssues) {}

    void add(std::string_view piece);
    /// The line added since the last call, taken apart; the parser is ready for the next one.
    HistoryLine finish();

private:
    static constexpr std::size_t kHeadSize = 12; ///< an eleven-digit issue and its separator

    void scanBody(std::string_view text);
    void decideHead();

    bool nineDigitIssues_;
    HistoryLine line_;
    bool started_ = false;  ///< a byte other than a blank was met
    bool headDone_ = false; ///< the issue is decided, the rest is numbers
    std::array<char, kHeadSize> head_{};
    std::size_t headSize_ = 0;
    int pendingDigit_ = -1; ///< a digit waiting for its partner
};

/// A draw read from a history text file and the line it stands on.
struct TextDraw {
    Issue issue = 0;
    PositionValues numbers{};
    std::size_t line = 0;
};

/// The draws of a history text file, in file order, and the lines that cannot be stored.
struct HistoryText {
    std::vector<TextDraw> draws;
    std::size_t longLines = 0; ///< lines of `draws` that held more than five numbers
    SkippedLines skipped;
    /// The highest number from 01 to 12 among the five of every line that has five, skipped
    /// lines included: a 12 of a 快乐12 file read under an 11选5 game shows here.
    int highestNumber = 0;
};

/// Reads a history text file. Lines end at LF, CR or CR LF. A line without an issue takes the
/// issue of the line before plus one. Blank lines and lines whose issue is below 1 are passed
/// over; a line whose issue cannot be stored, that does not give a draw of the numbers of
/// `rules` (see drawProblem), repeats an issue of an earlier line, or has no issue to count
/// from is reported in `skipped`. Throws UserError naming the file and the cause when it is
/// not a regular file, holds a NUL byte (not a text file) or fails to read at any point.
HistoryText readHistoryText(const std::filesystem::path& file, const LineRules& rules);

/// Replaces the whole history by `draws` with their attributes derived, in one transaction.
void replaceHistory(HistoryDb& db, const std::vector<TextDraw>& draws, const AttributeRules& rules);

/// Reads and checks in full a history text file that is to replace the history; a file that
/// cannot be read or holds no draw, and a lack of memory, are a UserError.
HistoryText readImportFile(const std::filesystem::path& file, const Game& game);

/// Replaces the whole history by the draws read from `file` by readImportFile; a lack of memory
/// leaves the history as it was (UserError).
ImportReport storeImport(HistoryDb& db, HistoryText text, const std::filesystem::path& file,
                         const AttributeRules& rules);

/// Replaces the whole history by the draws of a history text file: readImportFile, then
/// storeImport, so that nothing is deleted before the file is known to be good.
ImportReport importHistoryFile(HistoryDb& db, const std::filesystem::path& file, const Game& game,
                               const AttributeRules& rules);

} // namespace yilou::history
