#include "analysis/play_hits.h"

#include <algorithm>
#include <bit>
#include <memory>
#include <mutex>
#include <stdexcept>

namespace yilou::analysis {

namespace {

using Mask = std::uint32_t;

constexpr std::size_t kDigitBase = 13;

/// Number v is bit v − 1.
Mask maskOf(const PlayCombination& combination) {
    Mask mask = 0;
    for (int j = 0; j < combination.size; ++j)
        mask |= Mask{1} << (combination.numbers[j] - 1);
    return mask;
}

/// The tables are made for these game sizes only.
std::size_t gameSlot(int highestNumber) {
    if (highestNumber != 11 && highestNumber != 12)
        throw std::invalid_argument("play tables: a game of 11 or 12 numbers");
    return static_cast<std::size_t>(highestNumber - 11);
}

} // namespace

DrawKeyKind drawKeyKind(Play play) {
    switch (play) {
    case Play::Front1:
        return DrawKeyKind::Front1;
    case Play::Front2Direct:
    case Play::Front2Group:
        return DrawKeyKind::Front2;
    case Play::Front3Direct:
    case Play::Front3Group:
        return DrawKeyKind::Front3;
    default:
        return DrawKeyKind::Set;
    }
}

DrawKeys::DrawKeys(int highestNumber) : n_(highestNumber) {
    for (int number = 1; number <= n_; ++number) {
        bit_[static_cast<std::size_t>(number)] = static_cast<std::uint16_t>(1u << (number - 1));
        digit_[static_cast<std::size_t>(number)] = static_cast<std::uint8_t>(number);
    }
    for (const Play size : {Play::Any5, Play::Any4, Play::Any3, Play::Any2, Play::Any1}) {
        const auto sets = playCombinations(size, n_);
        sets_.insert(sets_.end(), sets.begin(), sets.end());
    }
    sets_.emplace_back();
    setRank_.resize(std::size_t{1} << n_);
    for (std::size_t r = 0; r < sets_.size(); ++r)
        setRank_[maskOf(sets_[r])] = static_cast<DrawKey>(r);
}

const DrawKeys& DrawKeys::of(int highestNumber) {
    static const std::array<std::unique_ptr<const DrawKeys>, 2> keys{
        std::unique_ptr<const DrawKeys>(new DrawKeys(11)),
        std::unique_ptr<const DrawKeys>(new DrawKeys(12))};
    return *keys[gameSlot(highestNumber)];
}

std::size_t DrawKeys::keyCount(DrawKeyKind kind) const {
    switch (kind) {
    case DrawKeyKind::Set:
        return sets_.size();
    case DrawKeyKind::Front1:
        return kDigitBase;
    case DrawKeyKind::Front2:
        return kDigitBase * kDigitBase;
    case DrawKeyKind::Front3:
        return kDigitBase * kDigitBase * kDigitBase;
    }
    return 0;
}

void DrawKeys::keys(DrawKeyKind kind, const std::array<const std::int8_t*, 5>& columns,
                    std::size_t first, std::size_t count, DrawKey* out) const {
    const auto bit = [&](int p, std::size_t i) {
        return bit_[static_cast<std::uint8_t>(columns[p][first + i])];
    };
    const auto digit = [&](int p, std::size_t i) {
        return static_cast<std::size_t>(digit_[static_cast<std::uint8_t>(columns[p][first + i])]);
    };
    switch (kind) {
    case DrawKeyKind::Set:
        for (std::size_t i = 0; i < count; ++i)
            out[i] = setRank_[bit(0, i) | bit(1, i) | bit(2, i) | bit(3, i) | bit(4, i)];
        return;
    case DrawKeyKind::Front1:
        for (std::size_t i = 0; i < count; ++i)
            out[i] = static_cast<DrawKey>(digit(0, i));
        return;
    case DrawKeyKind::Front2:
        for (std::size_t i = 0; i < count; ++i)
            out[i] = static_cast<DrawKey>(digit(0, i) * kDigitBase + digit(1, i));
        return;
    case DrawKeyKind::Front3:
        for (std::size_t i = 0; i < count; ++i)
            out[i] = static_cast<DrawKey>((digit(0, i) * kDigitBase + digit(1, i)) * kDigitBase +
                                          digit(2, i));
        return;
    }
}

std::optional<PlayCombination> DrawKeys::numbersOf(DrawKeyKind kind, std::size_t key) const {
    if (kind == DrawKeyKind::Set)
        return sets_[key];
    PlayCombination numbers;
    numbers.size = static_cast<int>(kind); // Front1 holds one number, …
    for (int j = numbers.size - 1; j >= 0; --j, key /= kDigitBase)
        numbers.numbers[j] = static_cast<std::int8_t>(key % kDigitBase);
    const auto begin = numbers.numbers.begin();
    const auto end = begin + numbers.size;
    for (auto it = begin; it != end; ++it)
        if (*it == 0 || *it > n_ || std::count(begin, end, *it) > 1)
            return std::nullopt;
    return numbers;
}

HitTable::HitTable(Play p, const DrawKeys& keys)
    : play(p), kind(drawKeyKind(p)), combinations(playCombinations(p, keys.highestNumber())) {
    const std::size_t count = combinations.size();
    const int k = playSize(p);
    const int n = keys.highestNumber();

    // Combinations by the bits of their numbers, or by their key when in drawn order.
    std::vector<CombinationIndex> byMask(std::size_t{1} << n);
    std::vector<CombinationIndex> byKey;
    if (isOrdered(p)) {
        byKey.resize(keys.keyCount(kind));
        for (std::size_t c = 0; c < count; ++c) {
            std::size_t key = 0;
            for (int j = 0; j < k; ++j)
                key = key * kDigitBase + static_cast<std::size_t>(combinations[c].numbers[j]);
            byKey[key] = static_cast<CombinationIndex>(c);
        }
    } else {
        for (std::size_t c = 0; c < count; ++c)
            byMask[maskOf(combinations[c])] = static_cast<CombinationIndex>(c);
    }

    std::vector<std::vector<CombinationIndex>> rows(keys.keyCount(kind));
    for (std::size_t key = 0; key < rows.size(); ++key) {
        const auto drawn = keys.numbersOf(kind, key);
        if (!drawn)
            continue;
        std::vector<CombinationIndex>& row = rows[key];
        if (isOrdered(p)) {
            row.push_back(byKey[key]);
            continue;
        }
        // 任选 k ≤ 5 and 组选: the k-subsets of the drawn numbers; 任选 k ≥ 6: the sets of k
        // numbers that hold all five (a draw of fewer numbers of the game hits none).
        const Mask held = maskOf(*drawn);
        const bool subsets = k <= 5 || kind != DrawKeyKind::Set;
        if (!subsets && drawn->size < 5)
            continue;
        const Mask free = subsets ? held : ((Mask{1} << n) - 1) & ~held;
        const int pick = subsets ? k : k - 5;
        for (Mask sub = free;; sub = (sub - 1) & free) {
            if (std::popcount(sub) == pick)
                row.push_back(byMask[subsets ? sub : sub | held]);
            if (sub == 0)
                break;
        }
        std::sort(row.begin(), row.end()); // the gaps are then visited in memory order
        stride = std::max(stride, row.size());
    }
    targets.reserve(rows.size() * stride);
    for (auto& row : rows) {
        row.resize(stride, static_cast<CombinationIndex>(count));
        targets.insert(targets.end(), row.begin(), row.end());
    }
}

const HitTable& HitTable::of(Play play, int highestNumber) {
    static std::array<std::array<std::once_flag, kPlayCount>, 2> made;
    static std::array<std::array<std::unique_ptr<const HitTable>, kPlayCount>, 2> tables;
    const std::size_t game = gameSlot(highestNumber);
    const auto p = static_cast<std::size_t>(play);
    std::call_once(made[game][p],
                   [&] { tables[game][p].reset(new HitTable(play, DrawKeys::of(highestNumber))); });
    return *tables[game][p];
}

} // namespace yilou::analysis
