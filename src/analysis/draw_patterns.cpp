#include "analysis/draw_patterns.h"

#include "analysis/pattern_reader.h"

#include <cstdint>

namespace yilou::analysis {

namespace {

constexpr std::array<std::string_view, kPatternCount> kKeys{
    "sum", "span", "odd", "big", "prime", "mod3", "consecutive", "repeat", "sum3", "span3"};

std::int64_t choose(int n, int k) {
    if (k < 0 || k > n)
        return 0;
    std::int64_t result = 1;
    for (int i = 1; i <= k; ++i)
        result = result * (n - k + i) / i;
    return result;
}

/// How many of the game's draws have each raw value, out of `total`.
struct RawCounts {
    std::vector<std::int64_t> count;
    std::int64_t total = 0;
};

RawCounts countDraws(Pattern pattern, int highestNumber) {
    RawCounts counts;
    counts.count.resize(PatternReader::kRawCounts[PatternReader::index(pattern)]);
    const int n = highestNumber;
    if (pattern == Pattern::Repeat) {
        for (int k = 0; k <= 5; ++k)
            counts.count[static_cast<std::size_t>(k)] = choose(5, k) * choose(n - 5, 5 - k);
        counts.total = choose(n, 5);
        return counts;
    }
    const PatternReader reader(highestNumber);
    const auto add = [&](int a, int b, int c, int d, int e) {
        const auto reading = reader.read(static_cast<std::int8_t>(a), static_cast<std::int8_t>(b),
                                         static_cast<std::int8_t>(c), static_cast<std::int8_t>(d),
                                         static_cast<std::int8_t>(e), 0);
        ++counts.count[PatternReader::raw(pattern, reading)];
        ++counts.total;
    };
    if (pattern == Pattern::Sum3 || pattern == Pattern::Span3) {
        // Every ordered first three, each the start of (N − 3)(N − 4) ordered draws alike; the
        // last two (0: no number) do not count for these patterns.
        for (int a = 1; a <= n; ++a)
            for (int b = 1; b <= n; ++b)
                for (int c = 1; c <= n; ++c)
                    if (a != b && a != c && b != c)
                        add(a, b, c, 0, 0);
        return counts;
    }
    // The other patterns do not depend on the order: every set of five, each drawn in 120
    // orders alike.
    for (int a = 1; a <= n; ++a)
        for (int b = a + 1; b <= n; ++b)
            for (int c = b + 1; c <= n; ++c)
                for (int d = c + 1; d <= n; ++d)
                    for (int e = d + 1; e <= n; ++e)
                        add(a, b, c, d, e);
    return counts;
}

PatternOdds countOdds(Pattern pattern, int highestNumber) {
    const RawCounts counts = countDraws(pattern, highestNumber);
    PatternOdds odds;
    for (std::size_t raw = 0; raw < counts.count.size(); ++raw)
        if (const auto count = counts.count[raw]) {
            odds.values.push_back(PatternReader::valueOf(pattern, static_cast<std::uint8_t>(raw)));
            odds.probabilities.push_back(static_cast<double>(count) /
                                         static_cast<double>(counts.total));
        }
    return odds;
}

} // namespace

std::string_view patternKey(Pattern pattern) {
    return kKeys[PatternReader::index(pattern)];
}

std::optional<Pattern> patternFromKey(std::string_view key) {
    for (int p = 0; p < kPatternCount; ++p)
        if (kKeys[static_cast<std::size_t>(p)] == key)
            return static_cast<Pattern>(p);
    return std::nullopt;
}

std::string patternValueLabel(Pattern pattern, int value) {
    switch (pattern) {
    case Pattern::Odd:
    case Pattern::Big:
    case Pattern::Prime:
        return std::to_string(value) + ":" + std::to_string(5 - value);
    case Pattern::Mod3:
        return std::to_string(value / 100) + ":" + std::to_string(value / 10 % 10) + ":" +
               std::to_string(value % 10);
    default:
        return std::to_string(value);
    }
}

PatternOdds patternOdds(Pattern pattern, int highestNumber) {
    // Counting the draws takes some microseconds, more than a short view's figures: the two
    // games' odds are counted once.
    static const auto games = [] {
        std::array<std::array<PatternOdds, kPatternCount>, 2> odds;
        for (int g = 0; g < 2; ++g)
            for (int p = 0; p < kPatternCount; ++p)
                odds[std::size_t(g)][std::size_t(p)] = countOdds(static_cast<Pattern>(p), 11 + g);
        return odds;
    }();
    if (highestNumber == 11 || highestNumber == 12)
        return games[std::size_t(highestNumber - 11)][PatternReader::index(pattern)];
    return countOdds(pattern, highestNumber);
}

std::vector<DrawPatternValues> drawPatternValues(const history::Snapshot& snapshot,
                                                 IndexRange range, int highestNumber) {
    const PatternReader reader(highestNumber);
    const DrawColumns columns(snapshot);
    std::vector<DrawPatternValues> draws(range.size());
    columns.readEach(reader, range.first, range.last + 1, [&](std::size_t i, const auto& reading) {
        auto& values = draws[i - range.first];
        for (int p = 0; p < kPatternCount; ++p) {
            const auto pattern = static_cast<Pattern>(p);
            values[static_cast<std::size_t>(p)] =
                i < firstDrawWithValue(pattern)
                    ? kNoPatternValue
                    : PatternReader::valueOf(pattern, PatternReader::raw(pattern, reading));
        }
    });
    return draws;
}

std::vector<HitRow> patternHits(const history::Snapshot& snapshot, Pattern pattern, int value,
                                IndexRange range, int highestNumber) {
    const PatternReader reader(highestNumber);
    const DrawColumns columns(snapshot);
    const std::uint8_t wanted = PatternReader::rawOf(pattern, value);
    std::vector<HitRow> hits;
    auto last = static_cast<std::int32_t>(range.before());
    columns.readEach(reader, range.first, range.last + 1, [&](std::size_t i, const auto& reading) {
        if (i < firstDrawWithValue(pattern) || PatternReader::raw(pattern, reading) != wanted)
            return;
        const auto idx = static_cast<std::int32_t>(i + 1);
        HitRow& hit = hits.emplace_back();
        hit.issue = snapshot.issues[i];
        for (std::size_t p = 0; p < 5; ++p)
            hit.values[p] = columns.columns[p][i];
        hit.gap = idx - last;
        hit.seq = static_cast<std::int32_t>(hits.size());
        last = idx;
    });
    return hits;
}

} // namespace yilou::analysis
