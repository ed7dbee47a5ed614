#pragma once

#include "core/issue.h"

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

namespace yilou::history {

class HistoryDb;

/// What tells one committed state of the database file from another: SQLite's file change
/// counter (raised by every committed write), the number of draws and the newest issue, and the
/// file's device, inode, size and modification time in nanoseconds. A copy from elsewhere, a
/// file replaced or written by any program shows other markers.
struct FileMarkers {
    std::uint32_t changeCounter = 0;
    std::uint64_t draws = 0;
    Issue newest = 0; ///< 0 for an empty history
    std::uint64_t device = 0;
    std::uint64_t inode = 0;
    std::uint64_t size = 0;
    std::int64_t modifiedNs = 0;

    bool operator==(const FileMarkers&) const = default;

    /// One line of decimal fields.
    std::string text() const;
    /// The markers of text() exactly; nothing for anything else (cut short, garbled).
    static std::optional<FileMarkers> parse(std::string_view text);
};

/// The markers of `db`'s file as of its committed state; `dataVersion`, when given, receives the
/// connection's data version read in the same transaction (it changes when another connection
/// commits, not when this one does). Throws UserError when the file cannot be read or its
/// state cannot be told from it: in WAL mode, where commits go to the log beside it.
FileMarkers readFileMarkers(HistoryDb& db, std::int64_t* dataVersion = nullptr);

/// The connection's data version (PRAGMA data_version).
std::int64_t dataVersion(HistoryDb& db);

} // namespace yilou::history
