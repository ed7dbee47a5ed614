#include "session/pattern_steps.h"

#include "analysis/gap_stats.h"
#include "analysis/ratio_text.h"
#include "core/draw_record.h"
#include "core/user_error.h"
#include "session/messages.h"
#include "session/search_steps.h"
#include "session/typed_input.h"

#include <memory>

namespace yilou::session {

using analysis::Pattern;

namespace {

std::string patternCaption(Pattern pattern, analysis::IndexRange range,
                           const history::Snapshot& snapshot) {
    return std::string(messages::patternName(pattern)) + "  " + rangeCaption(range, snapshot);
}

/// The warning of a 重号 view whose draws start with the oldest stored one.
std::vector<std::string> repeatWarnings(Pattern pattern, analysis::IndexRange range,
                                        const history::Snapshot& snapshot) {
    if (pattern != Pattern::Repeat || range.first != 0)
        return {};
    return {messages::oldestDrawHasNoRepeat(snapshot.issues.front())};
}

} // namespace

Pattern parsePattern(std::string_view key) {
    if (const auto pattern = analysis::patternFromKey(key))
        return *pattern;
    throw InputError(messages::unknownPattern(key));
}

std::string patternValueText(Pattern pattern, int value) {
    return value == analysis::kNoPatternValue ? std::string(kNoFigure)
                                              : analysis::patternValueLabel(pattern, value);
}

std::array<std::string, analysis::kTrendSidePatterns.size()>
trendSideTexts(const std::array<std::int8_t, 5>& numbers, int highestNumber) {
    const auto values = analysis::trendSideValues(numbers, highestNumber);
    std::array<std::string, analysis::kTrendSidePatterns.size()> texts;
    for (std::size_t k = 0; k < texts.size(); ++k)
        texts[k] = patternValueText(analysis::kTrendSidePatterns[k], values[k]);
    return texts;
}

std::array<std::string, kOverviewColumnCount> patternOverviewHeaders(Pattern pattern) {
    std::array<std::string, kOverviewColumnCount> headers;
    headers[0] = messages::patternName(pattern);
    for (int c = 1; c < kOverviewColumnCount; ++c)
        headers[c] = overviewHeader(static_cast<OverviewColumn>(c), {});
    return headers;
}

PatternOverviewView patternOverviewView(const history::Snapshot& snapshot,
                                        analysis::PatternOverview overview,
                                        std::optional<OverviewColumn> sort) {
    PatternOverviewView view;
    if (sort)
        sortOverviewRows(overview.rows, *sort);
    const Pattern pattern = overview.pattern;
    view.headers = patternOverviewHeaders(pattern);
    for (const auto& row : overview.rows) {
        auto& cells = view.cells.emplace_back();
        cells[0] = patternValueText(pattern, row.value);
        for (int c = 1; c < kOverviewColumnCount; ++c)
            cells[c] = overviewFigureText(row, static_cast<OverviewColumn>(c));
    }
    view.caption = patternCaption(pattern, overview.range, snapshot);
    view.warnings = repeatWarnings(pattern, overview.range, snapshot);
    view.overview = std::move(overview);
    return view;
}

PatternOverviewView patternOverviewView(const history::Snapshot& snapshot, Pattern pattern,
                                        analysis::IndexRange range, int highestNumber,
                                        HeldPatterns& held, std::uint64_t revision) {
    const auto& tallies = advanceOrMake(held, highestNumber, revision, snapshot, range, [&] {
        return analysis::PatternTallies(snapshot, range, highestNumber);
    });
    return patternOverviewView(snapshot, tallies.overview(snapshot, pattern));
}

PatternOverviewView showPatternOverview(const history::Snapshot& snapshot,
                                        const PatternOverviewRequest& request,
                                        const history::Game& game) {
    const Pattern pattern = parsePattern(request.pattern);
    std::optional<OverviewColumn> sort;
    if (!request.sort.empty() && !(sort = overviewColumnFromKey(request.sort)))
        throw InputError(messages::unknownSortColumn(request.sort, "pattern overview"));
    const auto range = resolveViewRange(snapshot, request.range, game.drawsPerDay);
    return patternOverviewView(
        snapshot, analysis::patternOverview(snapshot, pattern, range, game.highestNumber), sort);
}

TrendShown PatternTrendView::shown() const {
    auto shown = trendShown(chart, caption, labels, {std::string(messages::patternName(pattern))});
    shown.oneValuePerRow = true;
    return shown;
}

PatternTrendView patternTrendView(const history::Snapshot& snapshot, Pattern pattern,
                                  analysis::IndexRange range, std::size_t rows, int highestNumber) {
    HeldPatternTrend held;
    return patternTrendView(snapshot, pattern, range, rows, highestNumber, held, 0);
}

PatternTrendView patternTrendView(const history::Snapshot& snapshot, Pattern pattern,
                                  analysis::IndexRange range, std::size_t rows, int highestNumber,
                                  HeldPatternTrend& held, std::uint64_t revision) {
    PatternTrendView view;
    view.pattern = pattern;
    view.chart =
        advanceOrMake(held, std::tuple{pattern, rows, highestNumber}, revision, snapshot, range,
                      [&] {
                          return analysis::PatternTrendTallies(snapshot, pattern, range, rows,
                                                               highestNumber);
                      })
            .shared();
    for (const int value : view.chart->values)
        view.labels.push_back(patternValueText(pattern, value));
    view.caption = patternCaption(pattern, view.chart->view, snapshot);
    view.warnings = repeatWarnings(pattern, view.chart->view, snapshot);
    return view;
}

PatternTrendView showPatternTrend(const history::Snapshot& snapshot,
                                  const PatternTrendRequest& request, const history::Game& game) {
    const Pattern pattern = parsePattern(request.pattern);
    const std::size_t rows = parseDrawCount(request.last);
    const auto range = resolveViewRange(snapshot, {.to = request.to}, game.drawsPerDay);
    return patternTrendView(snapshot, pattern, range, rows, game.highestNumber);
}

PatternDrawsView showPatternDraws(const history::Snapshot& snapshot, const std::string& last,
                                  const history::Game& game) {
    PatternDrawsView view;
    view.range = resolveViewRange(snapshot, {.last = last}, game.drawsPerDay);
    view.values = analysis::drawPatternValues(snapshot, view.range, game.highestNumber);
    view.headers.assign(kTrendDrawHeaders.begin(), kTrendDrawHeaders.end());
    for (int p = 0; p < analysis::kPatternCount; ++p)
        view.headers.emplace_back(messages::patternName(static_cast<Pattern>(p)));
    return view;
}

std::string PatternDrawsView::cell(const history::Snapshot& snapshot, std::size_t row,
                                   std::size_t column) const {
    const std::size_t index = range.first + row;
    if (column == 0)
        return history::issueText(snapshot.issues[index]);
    if (column == 1)
        return drawNumbersText(snapshot.numbers(index));
    const std::size_t p = column - kTrendDrawHeaders.size();
    return patternValueText(static_cast<Pattern>(p), values[row][p]);
}

history::TextGrid PatternDrawsView::textGrid(const history::Snapshot& snapshot) const {
    return {values.size() + 1, headers.size(),
            [this, &snapshot](std::size_t row, std::vector<std::string>& cells) {
                cells.resize(headers.size());
                for (std::size_t c = 0; c < headers.size(); ++c)
                    cells[c] = row == 0 ? headers[c] : cell(snapshot, row - 1, c);
            }};
}

analysis::SearchResult patternValueSearch(const history::Snapshot& snapshot,
                                          const analysis::PatternOverview& overview, int value,
                                          int highestNumber) {
    analysis::SearchResult result;
    result.hits =
        analysis::patternHits(snapshot, overview.pattern, value, overview.range, highestNumber);
    for (const auto& row : overview.rows)
        if (row.value == value) {
            // The summary grid's conventions, as a search for the value would fill it.
            auto& summary = result.summary;
            summary.desc = std::string(messages::patternName(overview.pattern)) + " " +
                           patternValueText(overview.pattern, value);
            summary.min = row.minGap.value_or(analysis::GapStats::kNoHit);
            summary.max = row.hits ? row.maxGap : analysis::GapStats::kNoHit;
            summary.last = row.currentGap;
            summary.ratio = analysis::ratioText(static_cast<double>(summary.max) / summary.last);
            summary.codes = {value};
        }
    return result;
}

} // namespace yilou::session
