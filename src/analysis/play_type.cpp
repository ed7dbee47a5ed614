#include "analysis/play_type.h"

#include <algorithm>

namespace yilou::analysis {

namespace {

constexpr std::array<std::string_view, kPlayCount> kKeys{
    "r1", "r2", "r3", "r4", "r5", "r6", "r7", "r8", "q1", "q2z", "q2x", "q3z", "q3x"};

std::int64_t binomial(int n, int k) {
    if (k < 0 || k > n)
        return 0;
    std::int64_t out = 1;
    for (int i = 1; i <= k; ++i)
        out = out * (n - k + i) / i;
    return out;
}

/// N(N−1)…(N−k+1): the ordered choices of k numbers.
std::int64_t arrangements(int n, int k) {
    std::int64_t out = 1;
    for (int i = 0; i < k; ++i)
        out *= n - i;
    return out;
}

bool isAny(Play play) {
    return play <= Play::Any8;
}

/// Appends, in lexicographic order, every combination of `size` numbers out of 1..n that
/// extends `prefix`: sets ascending, or every order when `ordered`.
void enumerate(PlayCombination& prefix, int size, int n, bool ordered,
               std::vector<PlayCombination>& out) {
    if (prefix.size == size) {
        out.push_back(prefix);
        return;
    }
    const int from = ordered || prefix.size == 0 ? 1 : prefix.numbers[prefix.size - 1] + 1;
    for (int number = from; number <= n; ++number) {
        if (ordered && prefix.holds(number))
            continue;
        prefix.numbers[prefix.size++] = static_cast<std::int8_t>(number);
        enumerate(prefix, size, n, ordered, out);
        --prefix.size;
    }
}

} // namespace

const std::array<Play, kPlayCount>& allPlays() {
    static const std::array<Play, kPlayCount> plays = [] {
        std::array<Play, kPlayCount> out{};
        for (int i = 0; i < kPlayCount; ++i)
            out[i] = static_cast<Play>(i);
        return out;
    }();
    return plays;
}

std::string_view playKey(Play play) {
    return kKeys[static_cast<std::size_t>(play)];
}

std::optional<Play> playOfKey(std::string_view key) {
    const auto found = std::find(kKeys.begin(), kKeys.end(), key);
    if (found == kKeys.end())
        return std::nullopt;
    return static_cast<Play>(found - kKeys.begin());
}

int playSize(Play play) {
    switch (play) {
    case Play::Front1:
        return 1;
    case Play::Front2Direct:
    case Play::Front2Group:
        return 2;
    case Play::Front3Direct:
    case Play::Front3Group:
        return 3;
    default:
        return static_cast<int>(play) + 1;
    }
}

bool isOrdered(Play play) {
    return play == Play::Front2Direct || play == Play::Front3Direct;
}

std::size_t combinationCount(Play play, int highestNumber) {
    const int k = playSize(play);
    return static_cast<std::size_t>(isOrdered(play) ? arrangements(highestNumber, k)
                                                    : binomial(highestNumber, k));
}

double playProbability(Play play, int highestNumber) {
    const int n = highestNumber;
    const int k = playSize(play);
    if (!isAny(play)) // one combination of the front numbers out of all of them
        return 1 / static_cast<double>(combinationCount(play, n));
    // Of the C(N, 5) sets a draw can be: those holding the k numbers, or held by them.
    const std::int64_t favourable = k <= 5 ? binomial(n - k, 5 - k) : binomial(k, 5);
    return static_cast<double>(favourable) / static_cast<double>(binomial(n, 5));
}

bool PlayCombination::holds(int number) const {
    return std::find(numbers.begin(), numbers.begin() + size, number) != numbers.begin() + size;
}

std::vector<PlayCombination> playCombinations(Play play, int highestNumber) {
    std::vector<PlayCombination> out;
    out.reserve(combinationCount(play, highestNumber));
    PlayCombination prefix;
    enumerate(prefix, playSize(play), highestNumber, isOrdered(play), out);
    return out;
}

} // namespace yilou::analysis
