#pragma once

#include "analysis/draw_patterns.h"
#include "core/snapshot.h"

#include <array>
#include <bit>
#include <cstddef>
#include <cstdint>
#include <vector>

namespace yilou::analysis {

/// Reads the ten patterns of a draw with a few additions and table lookups: each number has a
/// word holding its bit and its counts, and the sum of the five words holds the bits of the
/// draw, its counts of odd, big, prime and residue 0 and 1 numbers, and its sum. A reading is
/// raw: every pattern's raw value is below kRawLimit, so that tables indexed by it are small,
/// whatever the stored numbers are.
class PatternReader {
public:
    static constexpr int kMaxHighestNumber = 12;
    static constexpr int kRawLimit = 64;

    using Raw = std::array<std::uint8_t, kPatternCount>;
    struct Reading {
        std::uint32_t mask = 0; ///< bit n for each number n drawn
        Raw raw{};
    };

    /// For a game of the numbers 1..highestNumber (at most kMaxHighestNumber); other stored
    /// numbers count for nothing.
    explicit PatternReader(int highestNumber) {
        for (int n = 1; n <= highestNumber && n <= kMaxHighestNumber; ++n) {
            const bool prime = n == 1 || n == 2 || n == 3 || n == 5 || n == 7 || n == 11;
            words_[static_cast<std::size_t>(n)] =
                std::uint64_t{1} << n | std::uint64_t(n % 2) << kOdd |
                std::uint64_t(n > highestNumber / 2) << kBig | std::uint64_t(prime) << kPrime |
                std::uint64_t(n % 3 == 0) << kResidue0 | std::uint64_t(n % 3 == 1) << kResidue1 |
                std::uint64_t(n) << kSum;
        }
    }

    /// The draw d1 … d5; `previousMask` is the previous stored draw's mask, for 重号.
    Reading read(std::int8_t d1, std::int8_t d2, std::int8_t d3, std::int8_t d4, std::int8_t d5,
                 std::uint32_t previousMask) const {
        const std::uint64_t front = word(d1) + word(d2) + word(d3);
        const std::uint64_t all = front + word(d4) + word(d5);
        Reading reading;
        reading.mask = static_cast<std::uint32_t>(all & 0xffff);
        const std::uint16_t whole = info(reading.mask);
        const auto field = [all](int shift) {
            return static_cast<std::uint8_t>(all >> shift & 15);
        };
        Raw& raw = reading.raw;
        raw[index(Pattern::Sum)] = static_cast<std::uint8_t>(all >> kSum);
        raw[index(Pattern::Span)] = whole & 15;
        raw[index(Pattern::Odd)] = field(kOdd);
        raw[index(Pattern::Big)] = field(kBig);
        raw[index(Pattern::Prime)] = field(kPrime);
        raw[index(Pattern::Mod3)] =
            static_cast<std::uint8_t>(field(kResidue0) * 8 + field(kResidue1));
        raw[index(Pattern::Consecutive)] = whole >> 4 & 7;
        raw[index(Pattern::Repeat)] =
            static_cast<std::uint8_t>(info(reading.mask & previousMask) >> 8);
        raw[index(Pattern::Sum3)] = static_cast<std::uint8_t>(front >> kSum);
        raw[index(Pattern::Span3)] = info(static_cast<std::uint32_t>(front & 0xffff)) & 15;
        return reading;
    }

    /// The value code of a raw value.
    static int value(Pattern pattern, std::uint8_t raw) {
        if (pattern != Pattern::Mod3)
            return raw;
        const int c0 = raw / 8;
        const int c1 = raw % 8;
        return c0 * 100 + c1 * 10 + (5 - c0 - c1);
    }
    /// The raw value of a value code.
    static std::uint8_t raw(Pattern pattern, int value) {
        if (pattern != Pattern::Mod3)
            return static_cast<std::uint8_t>(value);
        return static_cast<std::uint8_t>(value / 100 * 8 + value / 10 % 10);
    }

    static constexpr std::size_t index(Pattern pattern) {
        return static_cast<std::size_t>(pattern);
    }

private:
    // Fields of a number's word; five numbers add up without carrying from one into the next.
    static constexpr int kOdd = 16;
    static constexpr int kBig = 20;
    static constexpr int kPrime = 24;
    static constexpr int kResidue0 = 28;
    static constexpr int kResidue1 = 32;
    static constexpr int kSum = 40;

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
    std::uint64_t word(std::int8_t number) const {
        return words_[static_cast<std::uint8_t>(number)];
    }

    std::array<std::uint64_t, 256> words_{};
};

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
    /// The reading of draw i with its 重号 (none for the oldest stored draw).
    PatternReader::Reading readWithPrevious(const PatternReader& reader, std::size_t i) const {
        return read(reader, i, i > 0 ? read(reader, i - 1, 0).mask : 0);
    }
};

/// Maps a pattern's raw values to their index in its list of values; a raw value the list
/// lacks maps to the list's size.
inline std::array<std::uint8_t, PatternReader::kRawLimit>
valueIndexes(Pattern pattern, const std::vector<int>& values) {
    std::array<std::uint8_t, PatternReader::kRawLimit> indexes;
    indexes.fill(static_cast<std::uint8_t>(values.size()));
    for (std::size_t v = 0; v < values.size(); ++v)
        indexes[PatternReader::raw(pattern, values[v])] = static_cast<std::uint8_t>(v);
    return indexes;
}

} // namespace yilou::analysis
