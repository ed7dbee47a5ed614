#include "core/snapshot.h"

#include <algorithm>

namespace yilou::history {

namespace {

/// The head digit, tail digit and digit sum of every value a column can hold, at value + 128:
/// a loaded history derives them for millions of numbers.
struct DigitTables {
    std::array<std::int8_t, 256> head{};
    std::array<std::int8_t, 256> tail{};
    std::array<std::int8_t, 256> sum{};
};

constexpr DigitTables makeDigitTables() {
    DigitTables tables;
    for (int value = -128; value < 128; ++value) {
        tables.head[value + 128] = static_cast<std::int8_t>(headDigit(value));
        tables.tail[value + 128] = static_cast<std::int8_t>(tailDigit(value));
        tables.sum[value + 128] = static_cast<std::int8_t>(headDigit(value) + tailDigit(value));
    }
    return tables;
}

constexpr DigitTables kDigits = makeDigitTables();

using ColumnSet = std::array<std::array<Snapshot::Column, 5>, kLetterCount>;

/// Writes one value per draw into a column. Column by column, the writes of a block stay
/// sequential instead of spreading over 30 columns per draw.
template <typename Value>
void setColumn(Snapshot::Column& column, std::size_t first, std::span<const StoredDraw> draws,
               Value value) {
    std::int8_t* out = column.data() + first;
    for (const StoredDraw& draw : draws)
        *out++ = value(draw);
}

void setColumnSet(ColumnSet& set, std::size_t first, std::span<const StoredDraw> draws) {
    const auto at = [&set](Letter letter, int p) -> Snapshot::Column& {
        return set[static_cast<int>(letter)][p];
    };
    for (int p = 0; p < 5; ++p) {
        setColumn(at(Letter::A, p), first, draws,
                  [p](const StoredDraw& d) { return d.numbers[p]; });
        setColumn(at(Letter::B, p), first, draws, [p](const StoredDraw& d) { return d.zodiac[p]; });
        setColumn(at(Letter::H, p), first, draws,
                  [p](const StoredDraw& d) { return d.segment[p]; });
        setColumn(at(Letter::E, p), first, draws,
                  [p](const StoredDraw& d) { return kDigits.head[d.numbers[p] + 128]; });
        setColumn(at(Letter::F, p), first, draws,
                  [p](const StoredDraw& d) { return kDigits.tail[d.numbers[p] + 128]; });
        setColumn(at(Letter::G, p), first, draws,
                  [p](const StoredDraw& d) { return kDigits.sum[d.numbers[p] + 128]; });
    }
}

template <typename Action> void forEachColumn(Snapshot& snapshot, Action action) {
    for (auto& order : snapshot.columns)
        for (auto& letter : order)
            for (auto& column : letter)
                action(column);
}

/// The stored values of a draw's D set: its L set with the positions in ascending order of
/// number.
StoredDraw ascending(const StoredDraw& draw) {
    const PositionValues numbers{draw.numbers[0], draw.numbers[1], draw.numbers[2], draw.numbers[3],
                                 draw.numbers[4]};
    const auto order = ascendingPositions(numbers);
    StoredDraw out;
    for (int i = 0; i < 5; ++i) {
        out.numbers[i] = draw.numbers[order[i]];
        out.zodiac[i] = draw.zodiac[order[i]];
        out.segment[i] = draw.segment[order[i]];
    }
    return out;
}

} // namespace

PositionValues Snapshot::numbers(std::size_t index) const {
    PositionValues out{};
    for (int p = 0; p < 5; ++p)
        out[p] = value(NumberOrder::Drop, Letter::A, p, index);
    return out;
}

void Snapshot::reserve(std::size_t count) {
    issues.reserve(count);
    forEachColumn(*this, [count](Column& column) { column.reserve(count); });
}

void Snapshot::resize(std::size_t count) {
    issues.resize(count);
    forEachColumn(*this, [count](Column& column) { column.resize(count); });
}

void Snapshot::push(const DrawRecord& record) {
    const std::size_t index = size();
    resize(index + 1);
    issues[index] = record.issue;
    for (int o = 0; o < 2; ++o)
        for (int l = 0; l < kLetterCount; ++l)
            for (int p = 0; p < 5; ++p)
                columns[o][l][p][index] =
                    static_cast<std::int8_t>(record.set(static_cast<NumberOrder>(o)).values[l][p]);
}

void Snapshot::setStored(std::size_t first, std::span<const StoredDraw> draws) {
    constexpr std::size_t kChunk = 256;
    std::array<StoredDraw, kChunk> sorted;
    for (std::size_t start = 0; start < draws.size(); start += kChunk) {
        const auto chunk = draws.subspan(start, std::min(kChunk, draws.size() - start));
        for (std::size_t i = 0; i < chunk.size(); ++i) {
            issues[first + start + i] = chunk[i].issue;
            sorted[i] = ascending(chunk[i]);
        }
        setColumnSet(columns[0], first + start, chunk);
        setColumnSet(columns[1], first + start, {sorted.data(), chunk.size()});
    }
}

} // namespace yilou::history
