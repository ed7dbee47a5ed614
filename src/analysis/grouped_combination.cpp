#include "analysis/grouped_combination.h"

#include "analysis/gap_stats.h"
#include "analysis/issue_range.h"
#include "core/messages.h"
#include "core/user_error.h"

#include <algorithm>
#include <array>
#include <bit>
#include <cstdint>
#include <span>
#include <type_traits>

namespace yilou::analysis {

namespace {

using history::YlRow;
using Mask = std::uint32_t;
static_assert(kMaxGroupCodes <= 32, "a draw's members are kept in a 32-bit mask");
static_assert(kMaxGroupSize >= 5, "a draw's five held codes are ranked as one combination");

/// Ranks the k-subsets of n code positions in colexicographic order: the subset b1 < … < bk
/// (0-based) has rank C(b1, 1) + C(b2, 2) + … + C(bk, k). Unlike the lexicographic rank it
/// needs no n, so a draw's combinations are ranked straight from the positions it holds.
class ColexRank {
public:
    ColexRank() {
        for (int n = 0; n <= kMaxGroupCodes; ++n) {
            binomial_[0][n] = 1;
            for (int r = 1; r <= kMaxGroupSize; ++r)
                binomial_[r][n] = n == 0 ? 0 : binomial_[r - 1][n - 1] + binomial_[r][n - 1];
        }
    }

    std::size_t count(int n, int k) const { return binomial_[k][n]; }

    /// What position b contributes as the (j + 1)-th smallest member: C(b, j + 1).
    std::size_t term(int j, int b) const { return binomial_[j + 1][b]; }

    /// The rank of the subset whose positions are `positions[0..k)`, ascending.
    std::size_t rank(const int* positions, int k) const {
        std::size_t out = 0;
        for (int j = 0; j < k; ++j)
            out += term(j, positions[j]);
        return out;
    }

private:
    // binomial_[r][n] = C(n, r); C(32, 6) fits 32 bits.
    std::array<std::array<std::uint32_t, kMaxGroupCodes + 1>, kMaxGroupSize + 1> binomial_{};
};

/// Steps `positions[0..k)` through the k-subsets of 0..n−1 in lexicographic order, the order
/// of k nested loops; false after the last one.
inline bool nextCombination(int* positions, int k, int n) {
    int j = k - 1;
    while (j >= 0 && positions[j] == n - k + j)
        --j;
    if (j < 0)
        return false;
    ++positions[j];
    for (int i = j + 1; i < k; ++i)
        positions[i] = positions[i - 1] + 1;
    return true;
}

void firstCombination(int* positions, int k) {
    for (int j = 0; j < k; ++j)
        positions[j] = j;
}

/// The size and the colexicographic rank of the set of codes a draw holds, from its mask in two
/// lookups: the low 16 code positions, then the high ones (after as many held low ones). A draw
/// of five values holds at most five codes; the entries of larger masks are never read.
class HeldSets {
public:
    struct Held {
        std::uint32_t rank = 0;
        std::uint32_t count = 0;
    };

    HeldSets(const ColexRank& ranks, int n)
        : lowSize_(Mask{1} << std::min(n, kLowBits)),
          highSize_(Mask{1} << std::max(n - kLowBits, 0)) {
        low_.resize(lowSize_);
        for (Mask mask = 0; mask < lowSize_; ++mask)
            low_[mask] = held(ranks, mask, 0, 0);
        high_.resize(6 * highSize_);
        for (int before = 0; before <= 5; ++before)
            for (Mask mask = 0; mask < highSize_; ++mask)
                high_[before * highSize_ + mask] = held(ranks, mask, kLowBits, before);
    }

    /// Codes beyond the low ones take a second lookup (`wide`).
    static constexpr int kLowBits = 16;

    template <bool wide> Held of(Mask mask) const {
        const Held low = low_[mask & (lowSize_ - 1)];
        if (!wide)
            return low;
        const Held high = high_[low.count * highSize_ + (mask >> kLowBits)];
        return {low.rank + high.rank, low.count + high.count};
    }

private:
    /// The codes of `mask` (bit b: position first + b) as members number before, before + 1, …
    static Held held(const ColexRank& ranks, Mask mask, int first, int before) {
        Held out;
        for (int j = before; mask && j < 5; mask &= mask - 1, ++j, ++out.count)
            out.rank += static_cast<std::uint32_t>(ranks.term(j, first + std::countr_zero(mask)));
        return out;
    }

    Mask lowSize_, highSize_;
    std::vector<Held> low_, high_;
};

/// The k-combinations hit by a draw that holds m > k of the n codes, looked up by the rank of
/// the held set: entries rank(H) · C(m, k) … + C(m, k) − 1 of table m are the ranks of the
/// k-subsets of H; a draw of fewer than k codes hits none (an empty span), one of exactly k is
/// the combination. A draw then costs the rank of what it holds and one hit per combination.
class HitTable {
public:
    HitTable(const ColexRank& ranks, int n, int k) {
        std::array<int, 5> held{};
        std::array<int, kMaxGroupSize> pick{};
        std::array<int, kMaxGroupSize> positions{};
        for (int m = k + 1; m <= std::min(n, 5); ++m) {
            const std::size_t width = ranks.count(m, k);
            std::vector<std::uint32_t>& table = tables_[m];
            table.resize(ranks.count(n, m) * width);
            firstCombination(held.data(), m);
            do {
                std::uint32_t* out = &table[ranks.rank(held.data(), m) * width];
                firstCombination(pick.data(), k);
                do {
                    for (int j = 0; j < k; ++j)
                        positions[j] = held[pick[j]];
                    *out++ = static_cast<std::uint32_t>(ranks.rank(positions.data(), k));
                } while (nextCombination(pick.data(), k, m));
            } while (nextCombination(held.data(), m, n));
            widths_[m] = width;
        }
    }

    /// The ranks of the combinations of a held set of m codes whose own rank is `heldRank`.
    std::span<const std::uint32_t> hits(std::size_t m, std::size_t heldRank) const {
        return {tables_[m].data() + heldRank * widths_[m], widths_[m]};
    }

private:
    std::array<std::vector<std::uint32_t>, 6> tables_;
    std::array<std::size_t, 6> widths_{};
};

/// The label of one member in the YL content: numbers and digit sums in two digits, zodiac
/// codes by name, head, tail and segment codes in plain digits.
std::string memberLabel(SearchType type, int code, int sxIni) {
    if (type == SearchType::Zodiac || !searchTypeInfo(type).twoDigits)
        return valueLabel(type, code, sxIni);
    return history::twoDigitText(code);
}

void checkRequest(const GroupRequest& request) {
    const int n = static_cast<int>(request.codes.size());
    if (request.k < 1 || request.k > kMaxGroupSize)
        throw InputError(messages::invalidGroupSize(request.k, kMaxGroupSize));
    if (n > kMaxGroupCodes)
        throw InputError(messages::tooManyCodes(kMaxGroupCodes, n));
    // A value given twice would make every draw that holds it count each combination of the
    // copies, which multiplies the work without telling anything new.
    auto sorted = request.codes;
    std::sort(sorted.begin(), sorted.end());
    if (const auto twice = std::adjacent_find(sorted.begin(), sorted.end()); twice != sorted.end())
        throw InputError(messages::codeChosenTwice(*twice));
    if (n < request.k)
        throw InputError(messages::tooFewCodes(n, request.k));
}

} // namespace

std::vector<YlRow> P6Count(const history::Snapshot& snapshot, const GroupRequest& request) {
    checkRequest(request);
    const IndexRange range = resolveRange(snapshot, request.startIssue, request.endIssue);
    const int n = static_cast<int>(request.codes.size());
    const int k = request.k;

    // For every stored value, the code positions it stands for; a code that no stored value
    // can equal simply never sets its bit.
    std::array<Mask, 256> membersOf{};
    for (int i = 0; i < n; ++i) {
        const int code = request.codes[i];
        if (code >= INT8_MIN && code <= INT8_MAX)
            membersOf[static_cast<std::uint8_t>(code)] |= Mask{1} << i;
    }

    // One pass over the range: each draw updates the combinations made of the codes it holds.
    static const ColexRank ranks;
    std::vector<GapStats> stats(ranks.count(n, k), GapStats(range.before()));
    const history::Letter letter = searchTypeInfo(request.type).letter;
    std::array<const std::int8_t*, 5> columns{};
    for (int p = 0; p < 5; ++p)
        columns[p] = snapshot.column(history::NumberOrder::Drop, letter, p).data();
    const HeldSets heldSets(ranks, n);
    const HitTable table(ranks, n, k);
    const auto pass = [&](auto wide) {
        for (std::size_t i = range.first; i <= range.last; ++i) {
            const auto member = [&](int p) {
                return membersOf[static_cast<std::uint8_t>(columns[p][i])];
            };
            const Mask mask = member(0) | member(1) | member(2) | member(3) | member(4);
            const auto [heldRank, m] = heldSets.of<wide>(mask);
            if (static_cast<int>(m) == k) // the held codes are the one combination
                stats[heldRank].hit(i + 1);
            else
                for (const std::uint32_t combination : table.hits(m, heldRank))
                    stats[combination].hit(i + 1);
        }
    };
    if (n > HeldSets::kLowBits)
        pass(std::true_type{});
    else
        pass(std::false_type{});

    std::vector<std::string> labels;
    for (int code : request.codes)
        labels.push_back(memberLabel(request.type, code, request.sxIni));
    std::vector<YlRow> rows;
    rows.reserve(stats.size());
    std::array<int, kMaxGroupSize> positions{};
    firstCombination(positions.data(), k);
    do {
        const GapStats& gaps = stats[ranks.rank(positions.data(), k)];
        YlRow row;
        for (int j = 0; j < k; ++j)
            row.content += (j ? " " : "") + labels[positions[j]];
        row.intMinYL = gaps.smallest();
        row.intMaxYL = gaps.largest();
        row.intLstYl = gaps.current(snapshot.size());
        row.sglLlr = static_cast<float>(static_cast<double>(row.intMaxYL) / row.intLstYl);
        rows.push_back(std::move(row));
    } while (nextCombination(positions.data(), k, n));
    return rows;
}

} // namespace yilou::analysis
