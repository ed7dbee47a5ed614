// The play-type boards (玩法遗漏) over a million draws, each beside a plain one-pass
// reference: per draw a lookup table gives the combinations it hits, and each one's gaps are
// updated.
#include "analysis/play_board.h"
#include "core/issue.h"
#include "support/history_generator.h"

#include <algorithm>
#include <benchmark/benchmark.h>
#include <climits>

namespace {

using namespace yilou;
using analysis::Play;

constexpr std::size_t kDraws = 1'000'000;

/// A million draws of an 11- or 12-number game.
const history::Snapshot& millionDraws(int n) {
    const auto make = [n] {
        testing::GeneratedHistory settings;
        settings.draws = kDraws;
        settings.seed = 20240517;
        settings.highestNumber = n;
        return testing::snapshotOf(testing::generateDraws(settings));
    };
    if (n == 12) {
        static const history::Snapshot twelve = make();
        return twelve;
    }
    static const history::Snapshot eleven = make();
    return eleven;
}

constexpr analysis::IndexRange kWholeHistory{0, kDraws - 1};

/// The reference: the combinations each possible draw hits, found once by testing every
/// combination, then looked up per draw by the bits of its numbers (任选) or by its first
/// numbers (前). The same running gaps as the board keeps.
class Reference {
public:
    Reference(Play play, int n)
        : play_(play), front_(play >= Play::Front1),
          combinations_(analysis::playCombinations(play, n)) {
        const int k = analysis::playSize(play);
        std::vector<std::vector<std::uint16_t>> lists(std::size_t{1} << 12);
        std::array<int, 5> d{};
        for (d[0] = 1; d[0] <= n; ++d[0])
            for (d[1] = 1; d[1] <= n; ++d[1])
                for (d[2] = 1; d[2] <= n; ++d[2])
                    for (d[3] = 1; d[3] <= n; ++d[3])
                        for (d[4] = 1; d[4] <= n; ++d[4]) {
                            const std::size_t key = keyOf(d.data());
                            if (distinctCount(d) < 5 || !lists[key].empty())
                                continue;
                            for (std::size_t c = 0; c < combinations_.size(); ++c)
                                if (hits(combinations_[c], d, k))
                                    lists[key].push_back(static_cast<std::uint16_t>(c));
                        }
        for (const auto& list : lists)
            stride_ = std::max(stride_, list.size());
        for (auto& list : lists) {
            list.resize(stride_, static_cast<std::uint16_t>(combinations_.size()));
            table_.insert(table_.end(), list.begin(), list.end());
        }
    }

    /// Gaps per combination, and one spare that a draw of no list updates.
    struct Gaps {
        std::int32_t last, hits, minGap, maxGap, lastGap;
    };

    std::vector<Gaps> run(const history::Snapshot& snapshot, analysis::IndexRange range) const {
        std::vector<Gaps> gaps(combinations_.size() + 1,
                               Gaps{static_cast<std::int32_t>(range.first), 0, INT32_MAX, 0, 0});
        std::array<const std::int8_t*, 5> columns{};
        for (int p = 0; p < 5; ++p)
            columns[p] = snapshot.column(history::NumberOrder::Drop, history::Letter::A, p).data();
        // 前 plays read only their first numbers.
        const int read = front_ ? analysis::playSize(play_) : 5;
        int d[5] = {};
        for (std::size_t i = range.first; i <= range.last; ++i) {
            for (int p = 0; p < read; ++p)
                d[p] = columns[p][i];
            const std::uint16_t* list = table_.data() + keyOf(d) * stride_;
            const auto idx = static_cast<std::int32_t>(i + 1);
            for (std::size_t j = 0; j < stride_; ++j) {
                Gaps& g = gaps[list[j]];
                const std::int32_t gap = idx - g.last;
                g.last = idx;
                g.lastGap = gap;
                ++g.hits;
                g.minGap = std::min(g.minGap, gap);
                g.maxGap = std::max(g.maxGap, gap);
            }
        }
        return gaps;
    }

private:
    /// 任选: the bits of the five numbers; 前: the first numbers as hexadecimal digits.
    std::size_t keyOf(const int* d) const {
        if (!front_)
            return (1u << d[0] | 1u << d[1] | 1u << d[2] | 1u << d[3] | 1u << d[4]) >> 1;
        const int k = analysis::playSize(play_);
        std::size_t key = 0;
        for (int j = 0; j < k; ++j)
            key = key << 4 | static_cast<std::size_t>(d[j]);
        return key;
    }

    static int distinctCount(std::array<int, 5> d) {
        std::sort(d.begin(), d.end());
        return static_cast<int>(std::unique(d.begin(), d.end()) - d.begin());
    }

    bool hits(const analysis::PlayCombination& c, const std::array<int, 5>& d, int k) const {
        const auto in = [](int v, auto first, auto last) {
            return std::find(first, last, v) != last;
        };
        const auto cEnd = c.numbers.begin() + k;
        if (play_ <= Play::Any5)
            return std::all_of(c.numbers.begin(), cEnd,
                               [&](int v) { return in(v, d.begin(), d.end()); });
        if (play_ <= Play::Any8)
            return std::all_of(d.begin(), d.end(),
                               [&](int v) { return in(v, c.numbers.begin(), cEnd); });
        if (analysis::isOrdered(play_))
            return std::equal(c.numbers.begin(), cEnd, d.begin());
        return std::is_permutation(c.numbers.begin(), cEnd, d.begin());
    }

    Play play_;
    bool front_;
    std::vector<analysis::PlayCombination> combinations_;
    std::size_t stride_ = 0;
    std::vector<std::uint16_t> table_;
};

const Reference& referenceOf(Play play, int n) {
    static const auto make = [](int size) {
        std::vector<Reference> out;
        for (const Play p : analysis::allPlays())
            out.emplace_back(p, size);
        return out;
    };
    static const std::vector<Reference> eleven = make(11);
    static const std::vector<Reference> twelve = make(12);
    return (n == 12 ? twelve : eleven)[static_cast<std::size_t>(play)];
}

void reference(benchmark::State& state, Play play, int n) {
    const auto& snapshot = millionDraws(n);
    const Reference& ref = referenceOf(play, n);
    for (auto _ : state)
        benchmark::DoNotOptimize(ref.run(snapshot, kWholeHistory));
}

void board(benchmark::State& state, Play play, int n) {
    const auto& snapshot = millionDraws(n);
    for (auto _ : state)
        benchmark::DoNotOptimize(analysis::playBoard(snapshot, play, kWholeHistory, n));
}

void allReferences(benchmark::State& state, int n) {
    const auto& snapshot = millionDraws(n);
    for (auto _ : state)
        for (const Play play : analysis::allPlays())
            benchmark::DoNotOptimize(referenceOf(play, n).run(snapshot, kWholeHistory));
}

void allBoards(benchmark::State& state, int n) {
    const auto& snapshot = millionDraws(n);
    for (auto _ : state) {
        const analysis::PlayTallies tallies(snapshot, kWholeHistory, n, analysis::allPlays());
        for (const Play play : analysis::allPlays())
            benchmark::DoNotOptimize(tallies.board(snapshot, play));
    }
}

/// One draw appended to a million: the boards of all thirteen plays brought up to date (the
/// draw's push onto the snapshot included).
void appendDraw(benchmark::State& state) {
    history::Snapshot snapshot = millionDraws(11);
    const history::DrawRecord next = history::DeriveAttributes(
        history::proposeNextIssue(snapshot.issues.back(), 84), {3, 11, 7, 1, 9}, {});
    analysis::PlayTallies tallies(snapshot, kWholeHistory, 11, analysis::allPlays());
    for (auto _ : state) {
        snapshot.push(next);
        tallies.append(snapshot);
    }
}

const bool registered = [] {
    const auto ms = benchmark::kMillisecond;
    for (const int n : {11, 12}) {
        const std::string game = n == 11 ? "plays/" : "plays12/";
        for (const Play play : analysis::allPlays()) {
            const std::string key(analysis::playKey(play));
            benchmark::RegisterBenchmark((game + key + "/reference").c_str(), reference, play, n)
                ->Unit(ms);
            benchmark::RegisterBenchmark((game + key + "/board").c_str(), board, play, n)->Unit(ms);
        }
        benchmark::RegisterBenchmark((game + "all/references").c_str(), allReferences, n)->Unit(ms);
        benchmark::RegisterBenchmark((game + "all/boards").c_str(), allBoards, n)->Unit(ms);
    }
    benchmark::RegisterBenchmark("plays/append_one_draw", appendDraw)
        ->Unit(benchmark::kMicrosecond);
    return true;
}();

} // namespace
