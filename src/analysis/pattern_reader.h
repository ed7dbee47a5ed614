#pragma once

#include "analysis/draw_patterns.h"
#include "core/snapshot.h"

#include <array>
#include <bit>
#include <cstddef>
#include <cstdint>
#include <vector>

namespace yilou::analysis {

/// Reads the ten patterns of a draw with a few additions and table lookups. Each number has a
/// word of byte lanes, its contribution to the sum, the counts of odd, big and prime numbers,
/// the residues (6 for residue 0, 1 for residue 1) and the first three's sum, and its bit
/// in the top 16 bits; the five words add up without carrying from one lane into the next.
/// A pattern's raw value is the value itself, or 6·c0 + c1 for 012路, and lies below its
/// kRawCounts entry whatever the stored numbers are (a number outside the game counts for
/// nothing), so that tables indexed by raw values stay small and safe.
class PatternReader {
public:
    static constexpr int kMaxHighestNumber = 12;
    /// Sums of five numbers up to 60, spans and consecutive pairs up to 11, counts up to 5,
    /// 6·c0 + c1 up to 30, 重号 up to 12 (of masks garbled by repeated numbers), sums of three up
    /// to 36.
    static constexpr std::array<std::size_t, kPatternCount> kRawCounts{61, 12, 6,  6,  6,
                                                                       31, 12, 13, 37, 12};

    struct Reading {
        std::uint64_t all = 0;   ///< the lanes of the five numbers
        std::uint64_t front = 0; ///< the lanes of the first three
        std::uint32_t previousMask = 0;

        /// Bit n for each number n drawn.
        std::uint32_t mask() const { return static_cast<std::uint32_t>(all >> kMaskShift); }
    };

    /// For a game of the numbers 1..highestNumber (at most kMaxHighestNumber).
    explicit PatternReader(int highestNumber) {
        for (int n = 1; n <= highestNumber && n <= kMaxHighestNumber; ++n) {
            const int residue = n % 3 == 0 ? 6 : n % 3 == 1 ? 1 : 0;
            const std::uint64_t word = lane(Pattern::Sum, n) | lane(Pattern::Odd, n % 2) |
                                       lane(Pattern::Big, isBigNumber(n, highestNumber)) |
                                       lane(Pattern::Prime, isPrimeNumber(n)) |
                                       lane(Pattern::Mod3, residue) |
                                       std::uint64_t{1} << (kMaskShift + n);
            back_[static_cast<std::size_t>(n)] = word;
            front_[static_cast<std::size_t>(n)] = word | lane(Pattern::Sum3, n);
        }
    }

    /// The draw d1 … d5; `previousMask` is the previous stored draw's mask, for 重号.
    Reading read(std::int8_t d1, std::int8_t d2, std::int8_t d3, std::int8_t d4, std::int8_t d5,
                 std::uint32_t previousMask) const {
        Reading reading;
        reading.front = word(front_, d1) + word(front_, d2) + word(front_, d3);
        reading.all = reading.front + word(back_, d4) + word(back_, d5);
        reading.previousMask = previousMask;
        return reading;
    }

    template <Pattern pattern> static std::uint8_t raw(const Reading& r) {
        if constexpr (pattern == Pattern::Span)
            return info(r.mask()) & 15;
        else if constexpr (pattern == Pattern::Consecutive)
            return info(r.mask()) >> 4 & 15;
        else if constexpr (pattern == Pattern::Repeat)
            return static_cast<std::uint8_t>(info(r.mask() & r.previousMask) >> 8);
        else if constexpr (pattern == Pattern::Span3)
            return info(static_cast<std::uint32_t>(r.front >> kMaskShift)) & 15;
        else
            return static_cast<std::uint8_t>(r.all >> kLaneShift[index(pattern)]);
    }

    static std::uint8_t raw(Pattern pattern, const Reading& r) {
        switch (pattern) {
        case Pattern::Sum:
            return raw<Pattern::Sum>(r);
        case Pattern::Span:
            return raw<Pattern::Span>(r);
        case Pattern::Odd:
            return raw<Pattern::Odd>(r);
        case Pattern::Big:
            return raw<Pattern::Big>(r);
        case Pattern::Prime:
            return raw<Pattern::Prime>(r);
        case Pattern::Mod3:
            return raw<Pattern::Mod3>(r);
        case Pattern::Consecutive:
            return raw<Pattern::Consecutive>(r);
        case Pattern::Repeat:
            return raw<Pattern::Repeat>(r);
        case Pattern::Sum3:
            return raw<Pattern::Sum3>(r);
        case Pattern::Span3:
            return raw<Pattern::Span3>(r);
        }
        return 0;
    }

    /// The value code of a raw value.
    static int valueOf(Pattern pattern, std::uint8_t raw) {
        if (pattern != Pattern::Mod3)
            return raw;
        const int c0 = raw / 6;
        const int c1 = raw % 6;
        return c0 * 100 + c1 * 10 + (5 - c0 - c1);
    }
    /// The raw value of a value code.
    static std::uint8_t rawOf(Pattern pattern, int value) {
        if (pattern != Pattern::Mod3)
            return static_cast<std::uint8_t>(value);
        return static_cast<std::uint8_t>(value / 100 * 6 + value / 10 % 10);
    }

    static constexpr std::size_t index(Pattern pattern) {
        return static_cast<std::size_t>(pattern);
    }

private:
    static constexpr int kMaskShift = 48;
    /// The byte lane of each pattern read from the sum of the words; 0 for the others.
    static constexpr std::array<int, kPatternCount> kLaneShift{0, 0, 8, 16, 24, 32, 0, 0, 40, 0};

    static std::uint64_t lane(Pattern pattern, int contribution) {
        return static_cast<std::uint64_t>(contribution) << kLaneShift[index(pattern)];
    }

    /// Per set of numbers 1..12 (bit k for number k + 1): span, consecutive pairs, count.
    static constexpr std::array<std::uint16_t, 4096> kMaskInfo = [] {
        std::array<std::uint16_t, 4096> info{};
        for (unsigned x = 1; x < info.size(); ++x) {
            const int span = std::bit_width(x) - 1 - std::countr_zero(x);
            const int pairs = std::popcount(x & x >> 1);
            info[x] = static_cast<std::uint16_t>(span | pairs << 4 | std::popcount(x) << 8);
        }
        return info;
    }();

    static std::uint16_t info(std::uint32_t mask) { return kMaskInfo[mask >> 1 & 0xfff]; }
    static std::uint64_t word(const std::array<std::uint64_t, 256>& words, std::int8_t number) {
        return words[static_cast<std::uint8_t>(number)];
    }

    std::array<std::uint64_t, 256> front_{}; ///< the words of d1, d2, d3
    std::array<std::uint64_t, 256> back_{};  ///< the words of d4, d5
};

/// The snapshot index of the first draw that has a value of `pattern`: the oldest stored draw
/// has no previous draw and so no 重号.
constexpr std::size_t firstDrawWithValue(Pattern pattern) {
    return pattern == Pattern::Repeat ? 1 : 0;
}

/// The draws' numbers in drawn order, read by a PatternReader.
struct DrawColumns {
    std::array<const std::int8_t*, 5> columns{};

    explicit DrawColumns(const history::Snapshot& snapshot) {
        for (int p = 0; p < 5; ++p)
            columns[p] = snapshot.column(history::NumberOrder::Drop, history::Letter::A, p).data();
    }

    PatternReader::Reading read(const PatternReader& reader, std::size_t i,
                                std::uint32_t previousMask) const {
        return reader.read(columns[0][i], columns[1][i], columns[2][i], columns[3][i],
                           columns[4][i], previousMask);
    }
    /// Draw i with the previous stored draw's mask (none for the oldest: its 重号 reads 0 and
    /// is no value).
    PatternReader::Reading readWithPrevious(const PatternReader& reader, std::size_t i) const {
        return read(reader, i, i > 0 ? read(reader, i - 1, 0).mask() : 0);
    }
    /// Calls visit(i, reading) for the draws first..end − 1 in order, each read with the
    /// previous stored draw's mask.
    template <typename Visit>
    void readEach(const PatternReader& reader, std::size_t first, std::size_t end,
                  Visit&& visit) const {
        std::uint32_t previous = first > 0 ? read(reader, first - 1, 0).mask() : 0;
        for (std::size_t i = first; i < end; ++i) {
            const auto reading = read(reader, i, previous);
            previous = reading.mask();
            visit(i, reading);
        }
    }
};

/// Maps a pattern's raw values to their index in its list of values; a raw value the list
/// lacks maps to the list's size.
inline std::vector<std::uint8_t> valueIndexes(Pattern pattern, const std::vector<int>& values) {
    std::vector<std::uint8_t> indexes(PatternReader::kRawCounts[PatternReader::index(pattern)],
                                      static_cast<std::uint8_t>(values.size()));
    for (std::size_t v = 0; v < values.size(); ++v)
        indexes[PatternReader::rawOf(pattern, values[v])] = static_cast<std::uint8_t>(v);
    return indexes;
}

} // namespace yilou::analysis
