#pragma once

#include "core/atomic_file.h"

#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>

namespace yilou::history {

/// Writes a compound document (the container of the 97–2003 office file formats, version 3 with
/// 512-byte sectors) that holds one stream at its root, as the stream's bytes arrive. The stream
/// fills the sectors right after the header in order; the directory and the allocation tables
/// follow it and the header is written last. The target is replaced as AtomicFile does:
/// only by a complete file.
class CompoundFileWriter {
public:
    /// `streamName` is ASCII, at most 31 characters.
    CompoundFileWriter(const std::filesystem::path& file, std::string streamName);

    void write(std::string_view bytes);
    /// Bytes of the stream written so far.
    std::uint64_t size() const { return size_; }
    /// Overwrites stream bytes written before, from `offset` on.
    void overwrite(std::uint64_t offset, std::string_view bytes);
    /// Writes the tables and the header and puts the file in place of the target.
    void close();

private:
    void flush();

    AtomicFile file_;
    std::string streamName_;
    std::string buffer_;
    std::uint64_t size_ = 0;
};

} // namespace yilou::history
