#pragma once

#include "core/snapshot.h"
#include "store/file_markers.h"

#include <filesystem>
#include <optional>

namespace yilou::history {

/// The cache of a database's snapshot beside it (".tabula.mdb.columns"): the columns the engine
/// reads in one file, valid only for the state of the database whose markers it holds.
/// Deleting it loses nothing; the next load makes it again.
std::filesystem::path snapshotCacheFile(const std::filesystem::path& database);

/// The snapshot of the database state `markers` from its cache, copied into storage of its own;
/// nothing when the cache is missing, not a regular file, of another state or another database,
/// cut short, garbled (the checksum of every column, checked here) or written while it was read.
std::optional<Snapshot> readSnapshotCache(const std::filesystem::path& database,
                                          const FileMarkers& markers);

/// Writes the cache of `snapshot`, the database state `markers`, to a temporary file renamed
/// over the cache, so that a reader finds the whole of one cache or the whole of another. A
/// failure (a full disk) leaves no cache, which only makes the next load read the database.
void writeSnapshotCache(const std::filesystem::path& database, const FileMarkers& markers,
                        const Snapshot& snapshot) noexcept;

/// Makes a cache of the state `from` the cache of the state `to`, whose draws are those of
/// `from` followed by `appended` (none for a change of the grouped results only): `appended`
/// goes into the room after the end of every column, each column's checksum going on from
/// where it stood, then the header is rewritten in one write. A kill in between leaves a cache
/// that no load takes. A cache of any other state, or one without the room, is left as it is
/// for the next load to rebuild. True when the cache is now of `to`.
bool carrySnapshotCache(const std::filesystem::path& database, const FileMarkers& from,
                        const FileMarkers& to, const Snapshot& appended = {}) noexcept;

} // namespace yilou::history
