#include "analysis/match_plan.h"

#include <algorithm>
#include <array>
#include <cstddef>
#include <limits>

namespace yilou::analysis {

namespace {

using history::Letter;
using history::NumberOrder;

// Draws are scored a block at a time so that the five columns and the scores of a block stay
// in the first-level cache while every term passes over them.
constexpr std::size_t kBlock = 2048;

using Columns = std::array<const std::int8_t*, 5>;

bool fitsColumn(int value) {
    return value >= std::numeric_limits<std::int8_t>::min() &&
           value <= std::numeric_limits<std::int8_t>::max();
}

Columns columnsAt(const history::Snapshot& snapshot, NumberOrder order, Letter letter,
                  std::size_t first) {
    Columns columns{};
    for (int p = 0; p < 5; ++p)
        columns[p] = snapshot.column(order, letter, p).data() + first;
    return columns;
}

// A number counts fully once it occurs; an attribute value once per occurrence.
template <bool anyOccurrence>
void addFree(const Columns& c, std::size_t count, std::int8_t value, std::uint8_t cap,
             std::uint8_t* score) {
    for (std::size_t i = 0; i < count; ++i) {
        const auto occurrences =
            static_cast<std::uint8_t>((c[0][i] == value) + (c[1][i] == value) + (c[2][i] == value) +
                                      (c[3][i] == value) + (c[4][i] == value));
        score[i] += anyOccurrence ? (occurrences ? cap : 0) : std::min(occurrences, cap);
    }
}

void addEqual(const std::int8_t* column, std::size_t count, std::int8_t value,
              std::uint8_t* score) {
    for (std::size_t i = 0; i < count; ++i)
        score[i] += column[i] == value;
}

void scoreBlock(const history::Snapshot& snapshot, const MatchPlan& plan, std::size_t first,
                std::size_t count, std::uint8_t* score) {
    std::fill_n(score, count, std::uint8_t{0});
    const Letter letter = searchTypeInfo(plan.type).letter;
    if (!plan.freeTerms.empty()) {
        // Free position reads the drawn-order attributes, as the occurrence lists do.
        const Columns columns = columnsAt(snapshot, NumberOrder::Drop, letter, first);
        for (const auto& term : plan.freeTerms) {
            if (!fitsColumn(term.value))
                continue; // no stored value can equal it
            const auto value = static_cast<std::int8_t>(term.value);
            const auto cap = static_cast<std::uint8_t>(term.multiplicity);
            if (plan.type == SearchType::Number)
                addFree<true>(columns, count, value, cap, score);
            else
                addFree<false>(columns, count, value, cap, score);
        }
    }
    // 合数 compares the sum column: the snapshot holds head + tail there for every draw.
    for (const auto& term : plan.fixedTerms)
        if (fitsColumn(term.value))
            addEqual(snapshot.column(plan.order, letter, term.position).data() + first, count,
                     static_cast<std::int8_t>(term.value), score);
}

} // namespace

std::vector<std::uint32_t> matchingDraws(const history::Snapshot& snapshot, const MatchPlan& plan,
                                         IndexRange range) {
    std::vector<std::uint32_t> hits;
    // A plan holds the conditions of at most five positions, so a draw scores at most 5.
    if (plan.need > 5)
        return hits;
    const auto need = static_cast<std::uint8_t>(std::max(plan.need, 0));
    std::array<std::uint8_t, kBlock> score;
    std::array<std::uint32_t, kBlock> found;
    for (std::size_t first = range.first; first <= range.last; first += kBlock) {
        const std::size_t count = std::min(kBlock, range.last + 1 - first);
        scoreBlock(snapshot, plan, first, count, score.data());
        // Branch-free: the next slot is always written, and kept only for a hit.
        std::size_t n = 0;
        for (std::size_t i = 0; i < count; ++i) {
            found[n] = static_cast<std::uint32_t>(first + i);
            n += score[i] >= need;
        }
        hits.insert(hits.end(), found.begin(), found.begin() + static_cast<std::ptrdiff_t>(n));
    }
    return hits;
}

} // namespace yilou::analysis
