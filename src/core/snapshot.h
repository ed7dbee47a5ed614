#pragma once

#include "core/draw_record.h"

#include <array>
#include <atomic>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <span>

namespace yilou::history {

/// What a history row holds of a draw that its other values follow from: per position 1..5
/// (index 0..4) in drawn order the number, the zodiac code and the segment code.
struct StoredDraw {
    Issue issue = 0;
    std::array<std::int8_t, 5> numbers{};
    std::array<std::int8_t, 5> zodiac{};
    std::array<std::int8_t, 5> segment{};
};

/// Memory holding draws column by column: the issues, then the kColumnCount one-byte columns in
/// the order of Snapshot::columns, each `capacity` draws long, as the snapshot cache lays them
/// out in its file.
class SnapshotStorage {
public:
    static constexpr std::size_t kColumnCount = 2 * kLetterCount * 5;
    /// The bytes that storage for `capacity` draws takes.
    static constexpr std::size_t bytes(std::size_t capacity) {
        return capacity * (sizeof(Issue) + kColumnCount);
    }

    /// `base` holds bytes(capacity) writable bytes, of which the first `used` draws are set.
    SnapshotStorage(std::byte* base, std::size_t capacity, std::size_t used)
        : used(used), base_(base), capacity_(capacity) {}
    SnapshotStorage(const SnapshotStorage&) = delete;
    SnapshotStorage& operator=(const SnapshotStorage&) = delete;
    virtual ~SnapshotStorage() = default;

    /// Zero-filled storage of the process's own for `capacity` draws, none of them set.
    static std::shared_ptr<SnapshotStorage> owned(std::size_t capacity);

    std::size_t capacity() const { return capacity_; }
    Issue* issues() const { return reinterpret_cast<Issue*>(base_); }
    /// Column `index` (0 .. kColumnCount − 1).
    std::int8_t* column(std::size_t index) const {
        return reinterpret_cast<std::int8_t*>(base_ + capacity_ * (sizeof(Issue) + index));
    }

    /// How many draws the snapshots sharing this storage have set: a snapshot of that many
    /// draws may append in place (Snapshot::push); any other copies first.
    std::atomic<std::size_t> used;

private:
    std::byte* base_;
    std::size_t capacity_;
};

/// The whole history in memory, in issue order: entry i is the draw with IDX i + 1. Values are
/// kept column by column, one byte each, as the analysis reads one column at a time and the
/// history may hold millions of draws. The columns are read-only views into storage the
/// snapshot keeps alive; copies share it, and a copy's changes never show in another.
struct Snapshot {
    using Column = std::span<const std::int8_t>;

    /// The views of the draws, set by the snapshot's own writers below; read them only.
    std::span<const Issue> issues;
    /// columns[order][letter][position 0..4]: one value per draw.
    std::array<std::array<std::array<Column, 5>, kLetterCount>, 2> columns;

    Snapshot() = default;
    /// The first `count` draws of `storage` (count ≤ storage->used).
    Snapshot(std::shared_ptr<SnapshotStorage> storage, std::size_t count);
    Snapshot(const Snapshot&) = default;
    Snapshot& operator=(const Snapshot&) = default;
    /// Leaves `other` empty.
    Snapshot(Snapshot&& other) noexcept;
    Snapshot& operator=(Snapshot&& other) noexcept;

    std::size_t size() const { return issues.size(); }
    bool empty() const { return issues.empty(); }

    const Column& column(NumberOrder order, Letter letter, int position) const {
        return columns[static_cast<int>(order)][static_cast<int>(letter)][position];
    }
    int value(NumberOrder order, Letter letter, int position, std::size_t index) const {
        return column(order, letter, position)[index];
    }
    /// The five numbers of a draw in drawn order.
    PositionValues numbers(std::size_t index) const;

    /// Makes room for `count` draws in storage of this snapshot's own.
    void reserve(std::size_t count);
    /// Sets the number of draws; added draws hold zeros until they are set.
    void resize(std::size_t count);
    /// Appends one draw; the caller keeps issue order. Amortised O(1): the draw goes into the
    /// room after the end of the storage (also of one read from the cache) unless a copy has
    /// already put a draw there or there is none; then the draws are copied into storage of
    /// twice the room.
    void push(const DrawRecord& record);
    /// Sets draws first, first + 1, … (all below size()) as recordFromStored derives them, in
    /// a snapshot that no copy shares (one just resized). Draws that do not overlap may be set
    /// from different threads at the same time.
    void setStored(std::size_t first, std::span<const StoredDraw> draws);

private:
    /// Whether draws size() .. count − 1 may be written in the storage as it is, taking them.
    bool claim(std::size_t count);
    /// Moves the draws into owned storage of room for `capacity` draws.
    void reallocate(std::size_t capacity);
    /// Points the views at the first `count` draws of storage_.
    void point(std::size_t count);
    std::int8_t* writable(std::size_t column) const { return storage_->column(column); }

    std::shared_ptr<SnapshotStorage> storage_;
};

} // namespace yilou::history
