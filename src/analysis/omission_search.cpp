#include "analysis/omission_search.h"

#include "analysis/gap_stats.h"
#include "analysis/issue_range.h"
#include "analysis/match_plan.h"
#include "analysis/ratio_text.h"
#include "core/messages.h"
#include "core/user_error.h"

#include <algorithm>

namespace yilou::analysis {

namespace {

using history::Letter;

/// The conditions of the positions that take part, each position asking for its own value.
/// A free-position attribute value outside its type's range can never be met: it counts in
/// the need but scores nothing.
MatchPlan planFor(const SearchRequest& request, const std::array<bool, 5>& taking, int need) {
    MatchPlan plan;
    plan.type = request.type;
    plan.order = request.order;
    plan.need = need;
    const SearchTypeInfo& info = searchTypeInfo(request.type);
    for (int p = 0; p < 5; ++p) {
        if (!taking[p])
            continue;
        const int value = request.positions[p].value;
        if (!request.freePosition) {
            plan.fixedTerms.push_back({p, value});
            continue;
        }
        if (value < info.minValue || value > info.maxValue)
            continue;
        auto term = std::find_if(plan.freeTerms.begin(), plan.freeTerms.end(),
                                 [&](const MatchPlan::FreeTerm& t) { return t.value == value; });
        if (term == plan.freeTerms.end())
            plan.freeTerms.push_back({value, 1});
        else
            ++term->multiplicity;
    }
    return plan;
}

/// The detail rows and the summary of the hits (YilouXianshi). Gaps count from the draw
/// before the range; the current gap runs to the newest draw of the whole history.
SearchResult YilouXianshi(const history::Snapshot& snapshot, const SearchRequest& request,
                          IndexRange range, const std::vector<std::uint32_t>& hits,
                          const std::array<bool, 5>& taking, std::string description) {
    const Letter letter = searchTypeInfo(request.type).letter;
    std::array<const std::int8_t*, 5> columns{};
    for (int p = 0; p < 5; ++p)
        columns[p] = snapshot.column(request.order, letter, p).data();

    SearchResult result;
    result.type = request.type;
    result.sxIni = request.sxIni;
    result.hits.reserve(hits.size());
    GapStats gaps(range.before());
    std::int32_t seq = 0;
    for (const std::uint32_t index : hits) {
        HitRow& row = result.hits.emplace_back();
        row.issue = snapshot.issues[index];
        for (int p = 0; p < 5; ++p)
            row.values[p] = columns[p][index];
        row.gap = gaps.hit(std::size_t{index} + 1);
        row.seq = ++seq;
    }

    SummaryRow& summary = result.summary;
    summary.desc = std::move(description);
    for (int p = 0; p < 5; ++p)
        if (taking[p])
            summary.codes.push_back(request.positions[p].value);
    summary.min = gaps.smallest();
    summary.max = gaps.hits() ? gaps.largest() : GapStats::kNoHit;
    summary.last = gaps.current(snapshot.size());
    summary.ratio = ratioText(static_cast<double>(summary.max) / summary.last);
    return result;
}

} // namespace

std::array<std::string, 5> SearchResult::texts(const HitRow& row) const {
    std::array<std::string, 5> out;
    for (int p = 0; p < 5; ++p)
        out[p] = text(row.values[p]);
    return out;
}

SearchResult omissionSearch(const history::Snapshot& snapshot, const SearchRequest& request) {
    const IndexRange range = resolveRange(snapshot, request.startIssue, request.endIssue);
    std::array<bool, 5> taking{};
    int n = 0;
    std::string description;
    for (int p = 0; p < 5; ++p) {
        const PositionInput& position = request.positions[p];
        if (!position.selected)
            continue;
        taking[p] = true;
        ++n;
        // Free position describes the boxes as typed; fixed position the values themselves.
        description += request.freePosition ? position.text : history::twoDigitText(position.value);
        description += ' ';
    }
    const auto hits = matchingDraws(snapshot, planFor(request, taking, n), range);
    return YilouXianshi(snapshot, request, range, hits, taking, std::move(description));
}

SearchResult multiPositionSearch(const history::Snapshot& snapshot, const SearchRequest& request,
                                 int k, const std::string& kText) {
    // With no group size there is nothing to test; an empty grid would read as "never hit".
    if (k < 1 || k > 5)
        throw InputError(messages::invalidPartialCount(kText));
    const IndexRange range = resolveRange(snapshot, request.startIssue, request.endIssue);
    std::string description;
    for (const PositionInput& position : request.positions)
        description += position.text + ' ';
    description += "(" + kText + ")";
    const std::array<bool, 5> all{true, true, true, true, true};
    const auto hits = matchingDraws(snapshot, planFor(request, all, k), range);
    return YilouXianshi(snapshot, request, range, hits, all, std::move(description));
}

} // namespace yilou::analysis
