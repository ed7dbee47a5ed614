#include "session/play_steps.h"

#include "analysis/issue_range.h"
#include "analysis/trend_chart.h"
#include "core/draw_record.h"
#include "core/user_error.h"
#include "session/messages.h"
#include "session/overview_grid.h"
#include "session/search_steps.h"
#include "session/typed_input.h"
#include "session/view_steps.h"

#include <algorithm>
#include <numeric>

namespace yilou::session {

using analysis::PlayRow;

namespace {

constexpr std::array<std::string_view, kPlayColumnCount> kKeys{
    "combination", "hits",   "expectedHits", "currentGap", "lastGap",
    "meanGap",     "minGap", "maxGap",       "ratio",      "theoreticalGap",
    "dueChance",   "last10", "last30",       "last100",    "lastIssue"};

/// The overview's column of a figure both grids have; none for the board's own.
std::optional<OverviewColumn> overviewColumnOf(PlayColumn column) {
    switch (column) {
    case PlayColumn::Combination:
    case PlayColumn::Last10:
    case PlayColumn::Last30:
    case PlayColumn::Last100:
    case PlayColumn::LastIssue:
        return std::nullopt;
    default:
        return overviewColumnFromKey(std::string(playColumnKey(column)));
    }
}

/// The figures a play row shares with the overview, as an overview row, so that they are shown
/// and ordered exactly as the overview does.
analysis::OverviewRow overviewRowOf(const PlayRow& row) {
    analysis::OverviewRow figures;
    figures.hits = row.hits;
    figures.expectedHits = row.expectedHits;
    figures.minGap = row.minGap;
    figures.maxGap = row.maxGap;
    figures.currentGap = row.currentGap;
    figures.ratio = row.ratio;
    figures.meanGap = row.meanGap;
    figures.lastGap = row.lastGap;
    figures.theoreticalGap = row.theoreticalGap;
    figures.dueChance = row.dueChance;
    return figures;
}

std::size_t recentWindow(PlayColumn column) {
    return static_cast<std::size_t>(column) - static_cast<std::size_t>(PlayColumn::Last10);
}

/// The raw figure a column orders by; none for a figure that does not exist. All
/// combinations are equal in the combination column, which their own order decides.
std::optional<double> sortKey(const PlayRow& row, PlayColumn column) {
    if (const auto shared = overviewColumnOf(column))
        return overviewSortKey(overviewRowOf(row), *shared);
    switch (column) {
    case PlayColumn::Last10:
    case PlayColumn::Last30:
    case PlayColumn::Last100:
        return row.recentHits[recentWindow(column)];
    case PlayColumn::LastIssue:
        if (!row.lastIssue)
            return std::nullopt;
        return static_cast<double>(*row.lastIssue);
    default:
        return 0;
    }
}

std::size_t positiveCount(const std::string& text, std::string_view what,
                          std::string (*invalid)(std::string_view)) {
    const int count = parseDecimal(text, what);
    if (count < 1)
        throw InputError(invalid(text));
    return static_cast<std::size_t>(count);
}

} // namespace

std::string playHeader(PlayColumn column) {
    if (const auto shared = overviewColumnOf(column))
        return overviewHeader(*shared, analysis::SearchType::Number);
    switch (column) {
    case PlayColumn::Combination:
        return std::string(messages::kCombinationHeader);
    case PlayColumn::LastIssue:
        return std::string(messages::kLastIssueHeader);
    default:
        return messages::recentHitsHeader(analysis::kRecentDraws[recentWindow(column)]);
    }
}

std::string_view playColumnKey(PlayColumn column) {
    return kKeys[static_cast<std::size_t>(column)];
}

std::optional<PlayColumn> playColumnFromKey(std::string_view key) {
    const auto found = std::find(kKeys.begin(), kKeys.end(), key);
    if (found == kKeys.end())
        return std::nullopt;
    return static_cast<PlayColumn>(found - kKeys.begin());
}

std::string combinationText(const analysis::PlayCombination& combination) {
    std::string text;
    for (int i = 0; i < combination.size; ++i)
        text += (i ? " " : "") + history::twoDigitText(combination.numbers[i]);
    return text;
}

std::string playCellText(const PlayRow& row, PlayColumn column) {
    if (const auto shared = overviewColumnOf(column))
        return overviewCellText(analysis::OverviewResult{}, overviewRowOf(row), *shared);
    switch (column) {
    case PlayColumn::Combination:
        return combinationText(row.combination);
    case PlayColumn::LastIssue:
        return row.lastIssue ? history::issueText(*row.lastIssue) : std::string(kNoFigure);
    default:
        return std::to_string(row.recentHits[recentWindow(column)]);
    }
}

void sortPlayRows(std::vector<PlayRow>& rows, PlayColumn column, bool descending) {
    std::vector<std::optional<double>> keys;
    keys.reserve(rows.size());
    for (const PlayRow& row : rows)
        keys.push_back(sortKey(row, column));
    std::vector<std::size_t> order(rows.size());
    std::iota(order.begin(), order.end(), std::size_t{0});
    // Equal figures keep the combinations' order; ordered by combination, it turns round too.
    const bool reverseTies = descending && column == PlayColumn::Combination;
    std::sort(order.begin(), order.end(), [&](std::size_t a, std::size_t b) {
        const auto& x = keys[a];
        const auto& y = keys[b];
        if (x.has_value() != y.has_value())
            return x.has_value();
        if (x && *x != *y)
            return descending ? *y < *x : *x < *y;
        if (reverseTies)
            std::swap(a, b);
        return rows[a].combination.numbers < rows[b].combination.numbers;
    });
    std::vector<PlayRow> sorted;
    sorted.reserve(rows.size());
    for (const std::size_t i : order)
        sorted.push_back(rows[i]);
    rows = std::move(sorted);
}

std::vector<int> readGameNumbers(const std::string& text, std::string_view what,
                                 int highestNumber) {
    auto numbers = parseNumberList(text, what);
    for (const int number : numbers)
        if (number < 1 || number > highestNumber)
            throw InputError(messages::numberOutsideGame(what, number, highestNumber));
    return numbers;
}

std::vector<int> readBankers(const std::string& text, analysis::Play play, int highestNumber) {
    auto bankers = readGameNumbers(text, messages::field::kBanker, highestNumber);
    if (bankers.size() > static_cast<std::size_t>(analysis::playSize(play)))
        throw InputError(messages::tooManyBankers(play, bankers.size()));
    return bankers;
}

Overdue overdue(const PlayRow& row) {
    if (row.currentGap >= 3 * row.theoreticalGap)
        return Overdue::Thrice;
    if (row.currentGap >= 2 * row.theoreticalGap)
        return Overdue::Twice;
    return Overdue::No;
}

PlayView showPlays(const history::Snapshot& snapshot, const PlayRequest& request,
                   const Choices& choices) {
    HeldPlays held;
    return showPlays(snapshot, request, choices, held, 0);
}

PlayView showPlays(const history::Snapshot& snapshot, const PlayRequest& request,
                   const Choices& choices, HeldPlays& held, std::uint64_t revision) {
    const auto play = analysis::playOfKey(request.play);
    if (!play)
        throw InputError(messages::unknownPlay(request.play));
    std::optional<PlayColumn> sort;
    if (!request.sort.empty() && !(sort = playColumnFromKey(request.sort)))
        throw InputError(messages::unknownSortColumn(request.sort, "plays"));
    const auto bankers = readBankers(request.contains, *play, choices.game().highestNumber);
    const std::size_t last =
        request.last.empty()
            ? analysis::kAllDraws
            : positiveCount(request.last, messages::field::kDrawCount, messages::invalidDrawCount);
    std::optional<std::size_t> top;
    if (!request.top.empty())
        top = positiveCount(request.top, messages::field::kRowCount, messages::invalidRowCount);

    const history::Game& game = choices.game();
    const auto indexes = analysis::lastDraws(
        resolveViewRange(snapshot,
                         {request.from, request.to, {}, request.reference, request.before},
                         game.drawsPerDay),
        last);

    PlayView view;
    const auto& tallies = advanceOrMake(
        held, std::tuple{*play, game.highestNumber}, revision, snapshot, indexes, [&] {
            const analysis::Play plays[] = {*play};
            return analysis::PlayTallies(snapshot, indexes, game.highestNumber, plays);
        });
    view.board = tallies.board(snapshot, *play);
    auto& rows = view.board.rows;
    if (!bankers.empty())
        analysis::keepRowsHolding(rows, bankers);
    if (sort)
        sortPlayRows(rows, *sort, request.descending);
    if (top && rows.size() > *top)
        rows.resize(*top);
    view.caption = messages::playCaption(*play, view.board.from, view.board.to, view.board.draws,
                                         drawNumbersText(bankers));
    return view;
}

history::TextGrid playTextGrid(const PlayView& view) {
    const auto& rows = view.board.rows;
    return {rows.size() + 1, kPlayColumnCount,
            [&rows](std::size_t row, std::vector<std::string>& cells) {
                cells.resize(kPlayColumnCount);
                for (int c = 0; c < kPlayColumnCount; ++c) {
                    const auto column = static_cast<PlayColumn>(c);
                    cells[c] = row == 0 ? playHeader(column) : playCellText(rows[row - 1], column);
                }
            }};
}

} // namespace yilou::session
