#include "session/view_steps.h"

#include "core/messages.h"
#include "core/user_error.h"
#include "session/messages.h"
#include "session/search_steps.h"
#include "session/typed_input.h"

#include <algorithm>

namespace yilou::session {

analysis::IndexRange viewRange(const history::Snapshot& snapshot, const ViewRequest& request,
                               const Choices& choices) {
    return viewRange(snapshot, request, choices.game().drawsPerDay);
}

analysis::IndexRange viewRange(const history::Snapshot& snapshot, const ViewRequest& request,
                               int drawsPerDay) {
    std::string end = request.end;
    if (request.reference) {
        // Only the range end that the reference draw sets counts here: every value is listed.
        const auto referenceEnd =
            referenceRangeEnd(snapshot, *request.reference, request.beforeOnly, drawsPerDay);
        if (end.empty())
            end = history::issueText(referenceEnd);
    }
    return analysis::lastDraws(resolveRange(snapshot, request.start, end), request.last);
}

analysis::IndexRange resolveViewRange(const history::Snapshot& snapshot,
                                      const ViewRangeTexts& texts, int drawsPerDay) {
    ViewRequest request;
    request.start = texts.from;
    request.end = texts.to;
    if (!texts.reference.empty())
        request.reference = texts.reference;
    request.beforeOnly = texts.before;
    if (!texts.last.empty())
        request.last = parseDrawCount(texts.last);
    return viewRange(snapshot, request, drawsPerDay);
}

RangeBoxes rangeBoxes(const history::Snapshot& snapshot, const RangeRule& rule, int drawsPerDay) {
    if (snapshot.empty())
        return {};
    const auto& issues = snapshot.issues;
    const auto reference =
        rule.beforeReference ? history::parseIssueText(rule.reference) : std::nullopt;
    // A reference that finds no draw (older than every draw) limits nothing; the search that
    // reads it says why.
    const history::Issue end = reference && *reference >= issues.front()
                                   ? referenceRangeEnd(snapshot, rule.reference, true, drawsPerDay)
                                   : issues.back();
    RangeBoxes boxes{rule.start, history::issueText(end)};
    const bool limited = rule.span == RangeSpan::Newest && !rule.count.empty();
    if (limited) {
        // The newest N draws at or before 止.
        const std::size_t count = parseDrawCount(rule.count);
        const auto upTo = static_cast<std::size_t>(
            std::upper_bound(issues.begin(), issues.end(), end) - issues.begin());
        boxes.start = history::issueText(issues[upTo > count ? upTo - count : 0]);
    } else if (rule.span != RangeSpan::AsTyped || rule.restart || rule.start.empty()) {
        boxes.start = history::issueText(issues.front());
    }
    return boxes;
}

int parsePlace(std::string_view text) {
    if (text == "any")
        return analysis::kAnyPlace;
    const int place = parseDecimal(text, messages::field::kPosition);
    if (place < 1 || place > 5)
        throw InputError(messages::placeOutOfRange(text));
    return place;
}

std::size_t parseDrawCount(std::string_view text) {
    if (text == "all")
        return analysis::kAllDraws;
    const int count = parseDecimal(text, messages::field::kDrawCount);
    if (count < 1)
        throw InputError(messages::invalidDrawCount(text));
    return static_cast<std::size_t>(count);
}

OverviewShown showOverview(const history::Snapshot& snapshot, const ViewRequest& request, int place,
                           const Choices& choices, std::optional<OverviewColumn> sort) {
    HeldOverview held;
    return showOverview(snapshot, request, place, choices, held, 0, sort);
}

OverviewShown showOverview(const history::Snapshot& snapshot, const ViewRequest& request, int place,
                           const Choices& choices, HeldOverview& held, std::uint64_t revision,
                           std::optional<OverviewColumn> sort) {
    analysis::OverviewRequest overview;
    overview.type = request.type;
    overview.order = request.order;
    overview.place = place;
    overview.range = viewRange(snapshot, request, choices);
    overview.highestNumber = choices.game().highestNumber;
    overview.rules = choices.rules();
    const auto key = std::tuple{overview.type, overview.order, overview.place,
                                overview.highestNumber, overview.rules};
    const auto& tallies = advanceOrMake(held, key, revision, snapshot, overview.range, [&] {
        return analysis::OverviewTallies(snapshot, overview);
    });
    OverviewShown shown{tallies.result(snapshot), {}};
    if (sort)
        sortOverviewRows(shown.result.rows, *sort);
    shown.caption = overviewCaption(shown.result, snapshot);
    return shown;
}

TrendShown showTrend(const history::Snapshot& snapshot, const ViewRequest& request, int place,
                     const Choices& choices) {
    HeldTrend held;
    return showTrend(snapshot, request, place, choices, held, 0);
}

TrendShown showTrend(const history::Snapshot& snapshot, const ViewRequest& request, int place,
                     const Choices& choices, HeldTrend& held, std::uint64_t revision) {
    analysis::TrendRequest trend;
    trend.type = request.type;
    trend.order = request.order;
    trend.places =
        place == kEachPosition ? std::vector<int>{1, 2, 3, 4, 5} : std::vector<int>{place};
    trend.range = viewRange(snapshot, request, choices);
    trend.highestNumber = choices.game().highestNumber;
    trend.rules = choices.rules();
    const auto key =
        std::tuple{trend.type, trend.order, trend.places, trend.highestNumber, trend.rules};
    const auto& tallies = advanceOrMake(held, key, revision, snapshot, trend.range,
                                        [&] { return analysis::TrendTallies(snapshot, trend); });
    const auto& chart = tallies.chart();
    auto caption = viewCaption(chart.type, placeCaption(place), chart.view, snapshot);
    std::vector<std::string> labels;
    for (const int value : chart.values)
        labels.push_back(overviewValueText(chart.type, value, chart.sxIni));
    std::vector<std::string> blockCaptions;
    for (const auto& block : chart.blocks)
        blockCaptions.push_back(placeCaption(block.place));
    auto shown = trendShown(tallies.shared(), std::move(caption), std::move(labels),
                            std::move(blockCaptions));
    shown.oneValuePerRow = place != analysis::kAnyPlace;
    return shown;
}

TrendShown trendShown(std::shared_ptr<const analysis::TrendChart> chart, std::string caption,
                      std::vector<std::string> labels, std::vector<std::string> blockCaptions) {
    TrendShown shown;
    shown.chart = std::move(chart);
    shown.caption = std::move(caption);
    shown.labels = std::move(labels);
    shown.blockCaptions = std::move(blockCaptions);
    for (std::size_t f = 0; f < kTrendFooter.size(); ++f)
        for (const auto& block : shown.chart->blocks) {
            auto& texts = shown.footer[f].emplace_back();
            for (const auto& row : block.view.rows)
                texts.push_back(overviewCellText(block.view, row, kTrendFooter[f]));
        }
    return shown;
}

std::string TrendShown::numbersText(std::size_t row) const {
    return drawNumbersText(chart->numbers[row]);
}

std::string TrendShown::cellText(std::size_t block, std::size_t value, std::size_t row) const {
    return trendCellText(chart->misses(block, value, row), labels[value]);
}

MissingShown listMissingIssues(const history::Snapshot& snapshot, const Choices& choices) {
    if (snapshot.empty())
        throw UserError(messages::emptyHistory());
    MissingShown shown;
    shown.drawsPerDay = choices.game().drawsPerDay;
    shown.missing = history::findMissingIssues(snapshot.issues, shown.drawsPerDay);
    shown.summary = shown.missing.ranges.empty()
                        ? messages::noMissingIssues(shown.drawsPerDay)
                        : messages::missingIssuesTotal(shown.drawsPerDay, shown.missing.total);
    if (!shown.missing.unplaced.empty())
        shown.unplacedNote = messages::unplacedIssues(shown.missing.unplaced);
    return shown;
}

} // namespace yilou::session
