#pragma once

#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <string_view>

namespace yilou::history {

/// Removes from `folder` the temporary files of AtomicFile (the text files' and the
/// spreadsheet export's) whose process is gone (a kill or a power cut in the middle of a write):
/// all of them, or with `target` those of writes of that file name only. Files of running
/// processes stay; failures are ignored, as nothing depends on them.
void removeStaleTemporaryFiles(const std::filesystem::path& folder, std::string_view target = {});

/// The file that a write of `file` replaces: `file`, or when it is a link the file the link
/// names (through any chain of links), which need not exist yet. Throws UserError when that is
/// anything but a regular file (a folder, a device, a FIFO, a socket), which is never replaced.
std::filesystem::path replaceableFile(const std::filesystem::path& file);

/// Writes a file as a whole (text or any bytes): the bytes go to a temporary file beside the
/// file replaceableFile() names, which close() flushes to the disk and renames over it, so a
/// write that fails part-way leaves the previous file as it was, and a link stays a link. The
/// new file keeps the previous one's mode (and owner, where allowed). Every failure (create,
/// write, flush, sync, rename) is a UserError, so that a file cut short by a full disk is never
/// taken for complete. Temporary files of earlier writes of the same file name in that folder
/// whose process is gone are removed first.
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

/// Copies `from` to `to` through an AtomicFile: `to` is replaced only by a complete copy.
void copyFileWhole(const std::filesystem::path& from, const std::filesystem::path& to);

} // namespace yilou::history
