#include "session/filter_steps.h"

#include "analysis/trend_chart.h"
#include "core/atomic_file.h"
#include "core/user_error.h"
#include "session/messages.h"
#include "session/overview_grid.h"
#include "session/play_steps.h"
#include "session/typed_input.h"

#include <algorithm>
#include <iterator>

namespace yilou::session {

using analysis::CountSet;
using analysis::ValueRange;

namespace {

constexpr int kMostNumbers = 8; // the largest ticket, 任选八

/// "A-B", or one number for A-A.
std::optional<ValueRange> readRange(const std::string& typed, std::string_view what) {
    if (typed.empty())
        return std::nullopt;
    const std::size_t dash = typed.find('-', 1);
    try {
        if (dash == std::string::npos) {
            const int value = parseDecimal(typed, what);
            return ValueRange{value, value};
        }
        return ValueRange{parseDecimal(typed.substr(0, dash), what),
                          parseDecimal(typed.substr(dash + 1), what)};
    } catch (const InputError&) {
        throw InputError(messages::invalidValueRange(what, typed));
    }
}

/// A range of a condition whose values run from `low` to `high` (none: without end), refused
/// when reversed or when no value of it can occur.
std::optional<ValueRange> readConditionRange(const std::string& typed, std::string_view what,
                                             int low, std::optional<int> high) {
    const auto range = readRange(typed, what);
    if (range && (range->low > range->high || range->high < low || (high && range->low > *high)))
        throw InputError(messages::rangeCannotHold(what, typed, low, high));
    return range;
}

std::optional<CountSet> readCounts(const std::string& typed, std::string_view what) {
    if (typed.empty())
        return std::nullopt;
    CountSet counts = 0;
    for (const int count : parseNumberList(typed, what)) {
        if (count < 0 || count > kMostNumbers)
            throw InputError(messages::countOutOfRange(what, count));
        counts |= static_cast<CountSet>(1u << count);
    }
    return counts;
}

/// The counts as typed back: "2,3".
std::string countsText(CountSet counts) {
    std::string text;
    for (int count = 0; count <= kMostNumbers; ++count)
        if (counts >> count & 1)
            text += (text.empty() ? "" : ",") + std::to_string(count);
    return text;
}

std::string rangeText(const ValueRange& range) {
    return std::to_string(range.low) + "-" + std::to_string(range.high);
}

/// How captions name the conditions, in the order of the request.
std::string conditionsText(const analysis::TicketConditions& c) {
    std::vector<std::string> parts;
    const auto numbers = [&](std::string_view what, const std::vector<int>& list) {
        if (!list.empty())
            parts.push_back(messages::filterCondition(what, drawNumbersText(list), false));
    };
    const auto range = [&](std::string_view what, const std::optional<ValueRange>& r) {
        if (r)
            parts.push_back(messages::filterCondition(what, rangeText(*r), false));
    };
    const auto counts = [&](std::string_view what, const std::optional<CountSet>& s) {
        if (s)
            parts.push_back(messages::filterCondition(what, countsText(*s), true));
    };
    numbers(messages::field::kBanker, c.must);
    numbers(messages::field::kExclude, c.exclude);
    range(messages::field::kSumRange, c.sum);
    range(messages::field::kSpanRange, c.span);
    counts(messages::field::kOddCount, c.odd);
    counts(messages::field::kBigCount, c.big);
    counts(messages::field::kPrimeCount, c.prime);
    counts(messages::field::kConsecutiveCount, c.consecutive);
    range(messages::field::kOmissionRange, c.omission);
    std::string text;
    for (const auto& part : parts)
        text += (text.empty() ? "" : "  ") + part;
    return text;
}

} // namespace

FilterPlan readFilter(const FilterRequest& request, const Choices& choices) {
    const auto play = analysis::playOfKey(request.play);
    if (!play)
        throw InputError(messages::unknownPlay(request.play));
    FilterPlan plan;
    plan.play = *play;
    plan.highestNumber = choices.game().highestNumber;
    auto& c = plan.conditions;
    const int n = plan.highestNumber;
    const int size = analysis::playSize(plan.play);
    c.must = readBankers(request.must, plan.play, n);
    c.exclude = readGameNumbers(request.exclude, messages::field::kExclude, n);
    if (n - static_cast<int>(c.exclude.size()) < size)
        throw InputError(messages::tooManyExcluded(plan.play, c.exclude.size(), n));
    std::vector<int> both;
    std::set_intersection(c.must.begin(), c.must.end(), c.exclude.begin(), c.exclude.end(),
                          std::back_inserter(both));
    if (!both.empty())
        throw InputError(messages::bankerAlsoExcluded(drawNumbersText(both)));
    // A ticket's numbers are `size` of 1 … n: its sum runs from 1 + … + size to the sum of the
    // largest, its span from size − 1 to n − 1 (0 for one number); a current gap is at least 1.
    const int leastSum = size * (size + 1) / 2;
    c.sum = readConditionRange(request.sum, messages::field::kSumRange, leastSum,
                               leastSum + size * (n - size));
    c.span = readConditionRange(request.span, messages::field::kSpanRange, size - 1,
                                size > 1 ? n - 1 : 0);
    c.omission =
        readConditionRange(request.omission, messages::field::kOmissionRange, 1, std::nullopt);
    c.odd = readCounts(request.odd, messages::field::kOddCount);
    c.big = readCounts(request.big, messages::field::kBigCount);
    c.prime = readCounts(request.prime, messages::field::kPrimeCount);
    c.consecutive = readCounts(request.consecutive, messages::field::kConsecutiveCount);
    plan.conditionsText = conditionsText(c);
    return plan;
}

FilterView filterTickets(const history::Snapshot& snapshot, const FilterPlan& plan) {
    FilterView view;
    view.play = plan.play;
    view.tickets =
        analysis::filterTickets(snapshot, plan.play, plan.highestNumber, plan.conditions);
    view.caption = messages::filterCaption(plan.play, plan.conditionsText, view.tickets.size());
    return view;
}

std::string ticketLines(const FilterView& view) {
    std::string text;
    for (const auto& ticket : view.tickets)
        text += combinationText(ticket) + '\n';
    return text;
}

std::string exportTickets(const FilterView& view, const std::filesystem::path& file) {
    history::AtomicFile out(file);
    out.write(ticketLines(view));
    out.close();
    return messages::exportedTo(file);
}

history::TextGrid ticketTextGrid(const FilterView& view) {
    const auto& tickets = view.tickets;
    return {tickets.size() + 1, 1, [&tickets](std::size_t row, std::vector<std::string>& cells) {
                cells.resize(1);
                cells[0] = row == 0 ? std::string(messages::kTicketHeader)
                                    : combinationText(tickets[row - 1]);
            }};
}

std::size_t readBacktestDraws(const std::string& text) {
    if (text.empty())
        return analysis::kAllDraws;
    const int count = parseDecimal(text, messages::field::kDrawCount);
    if (count < 1)
        throw InputError(messages::invalidDrawCount(text));
    return static_cast<std::size_t>(count);
}

std::optional<BacktestView> backtestTickets(const history::Snapshot& snapshot,
                                            const FilterPlan& plan, std::size_t last,
                                            const analysis::PrizeTable& prizes,
                                            const analysis::BacktestProgress& progress) {
    auto result = analysis::backtest(snapshot, plan.play, plan.highestNumber, plan.conditions, last,
                                     progress);
    if (!result)
        return std::nullopt;
    BacktestView view;
    view.play = plan.play;
    view.totals = result->totals;
    view.rows.reserve(result->rows.size());
    for (const auto& row : result->rows)
        view.rows.push_back(
            {snapshot.issues[row.index], snapshot.numbers(row.index), row.tickets, row.wins});
    const std::size_t tested = result->rows.size();
    view.caption = messages::backtestCaption(
        plan.play, plan.conditionsText,
        tested == 0
            ? std::string()
            : rangeCaption({result->rows.front().index, result->rows.back().index}, snapshot));
    const auto& t = view.totals;
    view.summary = messages::backtestSummary(t.draws, t.tickets, t.wins, t.expectedWins,
                                             t.drawsWithWin, t.expectedDrawsWithWin);
    if (const auto prize = prizes.prize(plan.play)) {
        view.money = analysis::backtestMoney(*result, plan.play, plan.highestNumber, *prize);
        const auto& m = view.money->totals;
        view.summary.push_back(messages::backtestMoney(m.cost, m.prize, m.expectedPrize));
    } else {
        view.summary.push_back(messages::noPrizeForPlay(plan.play));
    }
    if (last != analysis::kAllDraws && tested < last)
        view.warnings.push_back(messages::backtestFewerDraws(last, tested));
    return view;
}

history::TextGrid backtestTextGrid(const BacktestView& view) {
    constexpr std::size_t kColumns = 8;
    return {view.rows.size() + 1, kColumns,
            [&view](std::size_t row, std::vector<std::string>& cells) {
                if (row == 0) {
                    cells = {kTrendDrawHeaders[0],
                             kTrendDrawHeaders[1],
                             std::string(messages::kTicketsHeader),
                             std::string(messages::kWinsHeader),
                             std::string(messages::kCostHeader),
                             std::string(messages::kPrizeHeader),
                             std::string(messages::kNetHeader),
                             std::string(messages::kExpectedPrizeHeader)};
                    return;
                }
                const BacktestDraw& draw = view.rows[row - 1];
                cells = {history::issueText(draw.issue), drawNumbersText(draw.numbers),
                         std::to_string(draw.tickets), std::to_string(draw.wins)};
                cells.resize(kColumns);
                if (!view.money)
                    return;
                const auto& money = view.money->rows[row - 1];
                cells[4] = messages::yuan(money.cost);
                cells[5] = messages::yuan(money.prize);
                cells[6] = messages::yuan(money.net());
                cells[7] = messages::yuanRounded(money.expectedPrize);
            }};
}

} // namespace yilou::session
