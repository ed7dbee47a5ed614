#pragma once

#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <string_view>

namespace yilou::history {

/// Removes from `folder` the temporary files of AtomicFile (the text files' and the
/// spreadsheet export's) whose process is gone (a kill or a power cut in the middle of a write).
/// Files of running processes stay; failures are ignored, as nothing depends on them.
void removeStaleTemporaryFiles(const std::filesystem::path& folder);

/// Writes a file as a whole (text or any bytes): the bytes go to a temporary file in the same
/// folder, which close() flushes to the disk and renames over the target, so a write that fails
/// part-way leaves the previous file as it was. Every failure (create, write, flush, sync,
/// rename) is a UserError, so that a file cut short by a full disk is never taken for complete.
class AtomicFile {
public:
    explicit AtomicFile(const std::filesystem::path& file);
    /// Drops the temporary file of a write that close() did not finish: an error is on its way.
    ~AtomicFile();
    AtomicFile(const AtomicFile&) = delete;
    AtomicFile& operator=(const AtomicFile&) = delete;

    void write(std::string_view text);
    /// Overwrites bytes written before, from `offset` bytes into the file on: a header whose
    /// fields are known only once the rest is written.
    void writeAt(std::uint64_t offset, std::string_view bytes);
    /// Writes out what is buffered, syncs it and puts the file in place of the target; throws
    /// when anything was not written.
    void close();

private:
    [[noreturn]] void fail(int error);
    void discard();

    std::filesystem::path path_;
    std::filesystem::path temporary_;
    std::FILE* file_ = nullptr;
};

/// Copies `from` to `to` through a AtomicFile: `to` is replaced only by a complete copy.
void copyFileWhole(const std::filesystem::path& from, const std::filesystem::path& to);

} // namespace yilou::history
