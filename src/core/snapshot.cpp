#include "core/snapshot.h"

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <new>
#include <sys/mman.h>

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

/// Column `index` of SnapshotStorage: the column of `order`, `letter` and `position`.
constexpr std::size_t columnIndex(int order, int letter, int position) {
    return (static_cast<std::size_t>(order) * kLetterCount + letter) * 5 + position;
}

/// Writes one value per draw into a column. Column by column, the writes of a block stay
/// sequential instead of spreading over 30 columns per draw.
template <typename Value>
void setColumn(std::int8_t* column, std::size_t first, std::span<const StoredDraw> draws,
               Value value) {
    std::int8_t* out = column + first;
    for (const StoredDraw& draw : draws)
        *out++ = value(draw);
}

/// Writes the columns of `order` of draws first, first + 1, … into `storage`.
void setColumnSet(const SnapshotStorage& storage, int order, std::size_t first,
                  std::span<const StoredDraw> draws) {
    const auto at = [&](Letter letter, int p) {
        return storage.column(columnIndex(order, static_cast<int>(letter), p));
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

/// Storage of the snapshot's own, zero-filled.
class OwnedStorage : public SnapshotStorage {
public:
    explicit OwnedStorage(std::size_t capacity)
        : SnapshotStorage(allocate(capacity), capacity, 0) {}
    ~OwnedStorage() override { std::free(issues()); }

private:
    static std::byte* allocate(std::size_t capacity) {
        // calloc leaves a large block to the kernel's zero pages until it is written.
        const std::size_t size = std::max<std::size_t>(bytes(capacity), 1);
        auto* memory = static_cast<std::byte*>(std::calloc(size, 1));
        if (!memory)
            throw std::bad_alloc();
        // Huge pages where the system gives them on request: a long history's columns are then
        // written in a few hundred faults rather than tens of thousands (a load from the cache
        // at 1M draws 42 → 27 ms).
        constexpr std::uintptr_t kHugePage = std::uintptr_t{2} << 20;
        const auto start = reinterpret_cast<std::uintptr_t>(memory);
        const std::uintptr_t first = (start + kHugePage - 1) & ~(kHugePage - 1);
        const std::uintptr_t end = (start + size) & ~(kHugePage - 1);
        if (end > first)
            ::madvise(reinterpret_cast<void*>(first), end - first, MADV_HUGEPAGE);
        return memory;
    }
};

/// The smallest room a snapshot's own storage is made with.
constexpr std::size_t kLeastCapacity = 64;

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

std::shared_ptr<SnapshotStorage> SnapshotStorage::owned(std::size_t capacity) {
    return std::make_shared<OwnedStorage>(capacity);
}

Snapshot::Snapshot(std::shared_ptr<SnapshotStorage> storage, std::size_t count)
    : storage_(std::move(storage)) {
    point(count);
}

Snapshot::Snapshot(Snapshot&& other) noexcept
    : issues(other.issues), columns(other.columns), storage_(std::move(other.storage_)) {
    other.point(0);
}

Snapshot& Snapshot::operator=(Snapshot&& other) noexcept {
    if (this != &other) {
        storage_ = std::move(other.storage_);
        issues = other.issues;
        columns = other.columns;
        other.point(0);
    }
    return *this;
}

PositionValues Snapshot::numbers(std::size_t index) const {
    PositionValues out{};
    for (int p = 0; p < 5; ++p)
        out[p] = value(NumberOrder::Drop, Letter::A, p, index);
    return out;
}

void Snapshot::point(std::size_t count) {
    if (!storage_) {
        issues = {};
        for (auto& order : columns)
            for (auto& letter : order)
                letter.fill({});
        return;
    }
    issues = {storage_->issues(), count};
    for (int o = 0; o < 2; ++o)
        for (int l = 0; l < kLetterCount; ++l)
            for (int p = 0; p < 5; ++p)
                columns[o][l][p] = {storage_->column(columnIndex(o, l, p)), count};
}

bool Snapshot::claim(std::size_t count) {
    if (!storage_ || count > storage_->capacity())
        return false;
    if (storage_.use_count() == 1) {
        storage_->used.store(count, std::memory_order_relaxed);
        return true;
    }
    // Copies sharing the storage: the first to append after the draws they hold takes the room.
    std::size_t expected = size();
    return storage_->used.compare_exchange_strong(expected, count, std::memory_order_relaxed);
}

void Snapshot::reallocate(std::size_t capacity) {
    const std::size_t count = size();
    auto owned = SnapshotStorage::owned(capacity);
    std::copy_n(issues.data(), count, owned->issues());
    for (int o = 0; o < 2; ++o)
        for (int l = 0; l < kLetterCount; ++l)
            for (int p = 0; p < 5; ++p)
                std::copy_n(columns[o][l][p].data(), count, owned->column(columnIndex(o, l, p)));
    owned->used.store(count, std::memory_order_relaxed);
    storage_ = std::move(owned);
    point(count);
}

void Snapshot::reserve(std::size_t count) {
    if (!storage_ || storage_.use_count() != 1 || storage_->capacity() < count)
        reallocate(std::max(count, size()));
}

void Snapshot::resize(std::size_t count) {
    const std::size_t old = size();
    if (count > old) {
        if (claim(count)) {
            // The room after the end may hold what a shorter copy or another program left.
            std::fill_n(storage_->issues() + old, count - old, Issue{0});
            for (std::size_t c = 0; c < SnapshotStorage::kColumnCount; ++c)
                std::fill_n(writable(c) + old, count - old, std::int8_t{0});
        } else {
            // Room for a sixteenth more: a loaded history takes appended draws without a copy.
            reallocate(std::max({count + count / 16, 2 * old, kLeastCapacity}));
            storage_->used.store(count, std::memory_order_relaxed);
        }
    } else if (storage_ && storage_.use_count() == 1) {
        storage_->used.store(count, std::memory_order_relaxed);
    }
    point(count);
}

void Snapshot::push(const DrawRecord& record) {
    const std::size_t index = size();
    if (!claim(index + 1)) {
        reallocate(std::max(2 * index, kLeastCapacity));
        storage_->used.store(index + 1, std::memory_order_relaxed);
    }
    storage_->issues()[index] = record.issue;
    for (int o = 0; o < 2; ++o)
        for (int l = 0; l < kLetterCount; ++l)
            for (int p = 0; p < 5; ++p)
                writable(columnIndex(o, l, p))[index] =
                    static_cast<std::int8_t>(record.set(static_cast<NumberOrder>(o)).values[l][p]);
    point(index + 1);
}

void Snapshot::setStored(std::size_t first, std::span<const StoredDraw> draws) {
    constexpr std::size_t kChunk = 256;
    std::array<StoredDraw, kChunk> sorted;
    for (std::size_t start = 0; start < draws.size(); start += kChunk) {
        const auto chunk = draws.subspan(start, std::min(kChunk, draws.size() - start));
        for (std::size_t i = 0; i < chunk.size(); ++i) {
            storage_->issues()[first + start + i] = chunk[i].issue;
            sorted[i] = ascending(chunk[i]);
        }
        setColumnSet(*storage_, 0, first + start, chunk);
        setColumnSet(*storage_, 1, first + start, {sorted.data(), chunk.size()});
    }
}

} // namespace yilou::history
