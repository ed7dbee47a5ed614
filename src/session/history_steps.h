#pragma once

#include "core/draw_record.h"
#include "core/games.h"
#include "core/user_error.h"
#include "session/choices.h"
#include "session/online_update.h"
#include "store/history_db.h"
#include "store/maintenance.h"

#include <array>
#include <cstddef>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

namespace yilou::session {

/// Stores one draw: checked for the game (a valid issue that is not stored yet, five distinct
/// numbers in the game's range), its attributes derived by `rules`, stored and the history
/// renumbered. Returns the stored record; anything wrong is a UserError (an InputError for a
/// number out of range) and nothing is stored.
history::DrawRecord storeDraw(history::HistoryDb& db, history::Issue issue,
                              const history::PositionValues& numbers, const history::Game& game,
                              const history::AttributeRules& rules);

/// A typed draw that is not stored: the message names every problem of the draw, and box() is
/// the first box at fault (0 the issue box, 1..5 the number boxes), where the user goes on.
class TypedDrawRefusal : public UserError {
public:
    TypedDrawRefusal(const std::string& message, int box) : UserError(message), box_(box) {}
    int box() const { return box_; }

private:
    int box_;
};

/// The same for a draw typed into the window: the issue box's text and the five two-digit
/// number boxes, each of which must be complete. A draw with problems is refused as a whole by
/// a TypedDrawRefusal.
history::DrawRecord storeTypedDraw(history::HistoryDb& db, const std::string& issueText,
                                   const std::array<std::string, 5>& boxes,
                                   const history::Game& game, const history::AttributeRules& rules);

/// The issue proposed for the next draw: after the newest stored one by the game's draws per
/// day, or the first draw of `today` when nothing is stored.
history::Issue nextIssue(std::optional<history::Issue> newest, const history::Game& game,
                         const history::CalendarDate& today);

/// The reference issue (指定期号) of a history just changed: its newest draw; empty for an
/// empty history, so that nothing of a history that is gone stays on screen.
std::string newestIssueText(const history::Snapshot& snapshot);

/// The issue that 删除到选定期 proposes to keep up to: the selected row of the history grid (the
/// one right-clicked for the menu), or without one the issue before the newest draw, so that
/// the proposal deletes the newest draw alone. Empty for an empty history.
std::string deleteToProposal(const history::Snapshot& snapshot,
                             std::optional<std::size_t> selectedRow, int drawsPerDay);

/// The last ordinal that the newest three days of the history reach, when it is below
/// `drawsPerDay`: days that all end earlier than the setting (every day at 42 while 84 are
/// set). Nothing when one of them reaches the setting or the history holds fewer days.
std::optional<int> daysEndingEarlier(const history::Snapshot& snapshot, int drawsPerDay);

/// The draws a 快乐12 history shows at least one 12 among, all but certainly (a draw misses 12
/// with odds 7 in 12): fewer draws without a 12 say nothing about the game.
inline constexpr std::size_t kDrawsShowingTwelve = 30;

/// Whether `draws` draws whose highest number is `highest` fit `game`: a message when a number
/// is above the game's highest (a 12 in an 11选5 game), or when a 快乐12 game's history of
/// kDrawsShowingTwelve draws or more holds no 12 (an 11选5 history); nothing when they fit.
std::optional<std::string> numbersGameMismatch(int highest, std::size_t draws,
                                               const history::Game& game);
/// numbersGameMismatch of the stored numbers.
std::optional<std::string> historyGameMismatch(const history::Snapshot& snapshot,
                                               const history::Game& game);

/// What the user asked to delete.
struct Deletion {
    enum class Kind { Newest, After, All };
    Kind kind = Kind::Newest;
    std::size_t count = 0;       ///< Newest: how many of the newest draws; 0 deletes nothing
    history::Issue keepUpTo = 0; ///< After: the newest draw that stays; ≤ 0 deletes nothing

    static Deletion newest(std::size_t count) { return {Kind::Newest, count, 0}; }
    static Deletion after(history::Issue keepUpTo) { return {Kind::After, 0, keepUpTo}; }
    static Deletion all() { return {Kind::All, 0, 0}; }
};

/// What a deletion shows.
struct DeletionShown {
    std::size_t removed = 0;
    /// The deletion would leave no draw and was not confirmed, so nothing changed: the window
    /// asks `question` and calls again with Delete, the command line refuses with `refusal`,
    /// which names --yes.
    bool needsConfirmation = false;
    std::string question;
    std::string refusal;
    std::string outcome; ///< historyCleared, or drawsDeleted with the draws that remain
    /// The file could not be compacted afterwards: the deletion stands, with a warning.
    std::optional<std::string> warning;
};

/// Deletes draws, the one way both front ends do: the newest draw alone in place, more by
/// keeping the others and rebuilding from the backup file (history::deleteNewestDraws,
/// history::deleteAfter), all of them without compaction (history::clearHistory). Whatever
/// was asked, a deletion that would leave no draw changes nothing unless `whenAllGo` is Delete.
DeletionShown deleteDraws(history::HistoryDb& db, const Deletion& deletion,
                          const std::filesystem::path& dataDir,
                          const history::AttributeRules& rules, history::WhenAllDrawsGo whenAllGo);

/// What an online update of the chosen game asks for: the address template, the days of
/// history to keep and load (the setting IniSerchDay) and the date the update counts from.
UpdateRequest onlineUpdateRequest(std::string urlTemplate, int keepDays, const Choices& choices,
                                  const history::CalendarDate& today);

/// The days typed for the setting IniSerchDay: a whole number from history::kFewestKeepDays to
/// history::kMostKeepDays; none for anything else.
std::optional<int> readKeepDays(std::string_view text);

/// Moves a database file that cannot be opened out of the way, keeping it beside the new one
/// under the name "<file>.损坏-<n>" (the first n not taken), so that a new history can start
/// without losing it. Returns the new name; a failure is a UserError.
std::filesystem::path setAsideDatabase(const std::filesystem::path& file);

} // namespace yilou::session
