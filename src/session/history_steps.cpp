#include "session/history_steps.h"

#include "core/draw_validation.h"
#include "core/file_names.h"
#include "core/keep_days.h"
#include "core/messages.h"
#include "core/user_error.h"
#include "session/messages.h"
#include "session/typed_input.h"

#include <algorithm>
#include <cctype>

namespace yilou::session {

history::DrawRecord storeDraw(history::HistoryDb& db, history::Issue issue,
                              const history::PositionValues& numbers, const history::Game& game,
                              const history::AttributeRules& rules) {
    // A number out of range is a typing mistake, like an issue that does not read.
    if (const auto problem = history::numberRangeProblem(numbers, game.highestNumber))
        throw InputError(messages::notStored(*problem));
    if (const auto problem = history::drawProblem(issue, numbers, game))
        throw UserError(messages::notStored(*problem));
    const auto record = history::DeriveAttributes(issue, numbers, rules);
    db.appendDraw(record);
    return record;
}

history::DrawRecord storeTypedDraw(history::HistoryDb& db, const std::string& issueText,
                                   const std::array<std::string, 5>& boxes,
                                   const history::Game& game,
                                   const history::AttributeRules& rules) {
    // Every problem is named at once, in the order of the boxes, so that one refusal tells the
    // user all there is to correct.
    std::vector<std::string> problems;
    int firstBox = -1;
    const auto fault = [&](int box, std::string problem) {
        if (firstBox < 0)
            firstBox = box;
        problems.push_back(std::move(problem));
    };
    history::Issue issue = 0;
    try {
        issue = parseIssue(issueText, messages::field::kNext);
        if (db.contains(issue))
            fault(0, messages::issueStored(issue));
    } catch (const UserError& error) {
        fault(0, error.what());
    }
    history::PositionValues numbers{};
    std::vector<int> seen;
    std::vector<int> repeated;
    for (int i = 0; i < 5; ++i) {
        const auto& box = boxes[i];
        if (box.size() != 2 || !std::isdigit(static_cast<unsigned char>(box[0])) ||
            !std::isdigit(static_cast<unsigned char>(box[1]))) {
            fault(i + 1, messages::incompleteBox(i + 1));
            continue;
        }
        const int n = numbers[i] = parseDecimal(box, messages::field::kNumber);
        if (const auto problem = history::numberRangeProblem(n, game.highestNumber))
            fault(i + 1, *problem);
        else if (std::find(seen.begin(), seen.end(), n) == seen.end())
            seen.push_back(n);
        else if (std::find(repeated.begin(), repeated.end(), n) == repeated.end()) {
            repeated.push_back(n);
            fault(i + 1, messages::numberRepeated(n));
        }
    }
    if (!problems.empty())
        throw TypedDrawRefusal(messages::typedDrawRefused(problems), firstBox);
    return storeDraw(db, issue, numbers, game, rules);
}

std::string newestIssueText(const history::Snapshot& snapshot) {
    return snapshot.empty() ? std::string() : history::issueText(snapshot.issues.back());
}

std::string deleteToProposal(const history::Snapshot& snapshot,
                             std::optional<std::size_t> selectedRow, int drawsPerDay) {
    if (snapshot.empty())
        return {};
    if (selectedRow && *selectedRow < snapshot.size())
        return history::issueText(snapshot.issues[*selectedRow]);
    return history::issueText(history::issueBefore(snapshot.issues.back(), drawsPerDay));
}

std::optional<int> daysEndingEarlier(const history::Snapshot& snapshot, int drawsPerDay) {
    constexpr int kDays = 3;
    int days = 0;
    int highest = 0;
    std::optional<history::Issue> day;
    for (auto issue = snapshot.issues.rbegin(); issue != snapshot.issues.rend(); ++issue) {
        const history::Issue thisDay = *issue / 100;
        if (thisDay != day) {
            if (days == kDays)
                break;
            day = thisDay;
            ++days;
        }
        highest = std::max(highest, history::issueOrdinal(*issue));
    }
    if (days < kDays || highest >= drawsPerDay)
        return std::nullopt;
    return highest;
}

std::optional<std::string> historyGameMismatch(const history::Snapshot& snapshot,
                                               const history::Game& game) {
    int highest = 0;
    for (int p = 0; p < 5; ++p)
        for (const std::int8_t number :
             snapshot.column(history::NumberOrder::Drop, history::Letter::A, p))
            highest = std::max<int>(highest, number);
    return numbersGameMismatch(highest, snapshot.size(), game);
}

std::optional<std::string> numbersGameMismatch(int highest, std::size_t draws,
                                               const history::Game& game) {
    if (highest > game.highestNumber)
        return messages::historyAboveGame(game.name, game.highestNumber, highest);
    if (game.isHappy12() && highest < 12 && draws >= kDrawsShowingTwelve)
        return messages::historyWithoutTwelve(game.name, draws);
    return std::nullopt;
}

history::Issue nextIssue(std::optional<history::Issue> newest, const history::Game& game,
                         const history::CalendarDate& today) {
    return newest ? history::proposeNextIssue(*newest, game.drawsPerDay)
                  : history::makeIssue(today, 1);
}

namespace {

history::DeletionResult runDeletion(history::HistoryDb& db, const Deletion& deletion,
                                    const std::filesystem::path& dataDir,
                                    const history::AttributeRules& rules,
                                    history::WhenAllDrawsGo whenAllGo) {
    switch (deletion.kind) {
    case Deletion::Kind::Newest:
        if (deletion.count == 1)
            return history::deleteNewestDraw(db, whenAllGo);
        return history::deleteNewestDraws(db, deletion.count, dataDir, rules, whenAllGo);
    case Deletion::Kind::After:
        return history::deleteAfter(db, deletion.keepUpTo, dataDir, rules, whenAllGo);
    case Deletion::Kind::All:
        return history::clearHistory(db, whenAllGo);
    }
    return {};
}

} // namespace

std::optional<int> readKeepDays(std::string_view text) {
    try {
        const int days = parseDecimal(text, messages::field::kDrawCount);
        if (days >= history::kFewestKeepDays && days <= history::kMostKeepDays)
            return days;
    } catch (const UserError&) {
    }
    return std::nullopt;
}

DeletionShown deleteDraws(history::HistoryDb& db, const Deletion& deletion,
                          const std::filesystem::path& dataDir,
                          const history::AttributeRules& rules, history::WhenAllDrawsGo whenAllGo) {
    DeletionShown shown;
    try {
        const auto result = runDeletion(db, deletion, dataDir, rules, whenAllGo);
        shown.removed = result.removed;
        shown.warning = result.compactionProblem;
    } catch (const history::DeletionEmptiesHistory& refused) {
        shown.needsConfirmation = true;
        shown.question = messages::wouldEmptyHistory(refused.count);
        shown.refusal = std::string(refused.what()) + messages::confirmEmptyingWithYes();
        return shown;
    }
    shown.outcome = deletion.kind == Deletion::Kind::All
                        ? messages::historyCleared()
                        : messages::drawsDeleted(shown.removed, db.drawCount());
    if (shown.warning)
        shown.warning = messages::warning(*shown.warning);
    return shown;
}

std::filesystem::path setAsideDatabase(const std::filesystem::path& file) {
    std::filesystem::path target;
    for (int n = 1;; ++n) {
        target = file;
        target += history::kSetAsideSuffix + std::to_string(n);
        if (!std::filesystem::exists(target))
            break;
    }
    std::error_code error;
    std::filesystem::rename(file, target, error);
    if (error)
        throw UserError(messages::cannotWriteFile(target, error.message()));
    // SQLite's journal belongs to the file it was written for.
    for (const char* suffix : {"-journal", "-wal", "-shm"}) {
        auto companion = file;
        companion += suffix;
        if (std::filesystem::exists(companion)) {
            auto moved = target;
            moved += suffix;
            std::filesystem::rename(companion, moved, error);
        }
    }
    return target;
}

UpdateRequest onlineUpdateRequest(std::string urlTemplate, int keepDays, const Choices& choices,
                                  const history::CalendarDate& today) {
    UpdateRequest request;
    request.urlTemplate = std::move(urlTemplate);
    request.today = today;
    request.keepDays = keepDays;
    request.game = choices.game();
    request.rules = choices.rules();
    return request;
}

} // namespace yilou::session
