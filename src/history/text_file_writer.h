#pragma once

#include <cstdio>
#include <filesystem>
#include <string_view>

namespace yilou::history {

/// Writes a text file from scratch. Every failure (open, write, flush, close) is a UserError,
/// so that a file cut short by a full disk is never taken for complete.
class TextFileWriter {
public:
    explicit TextFileWriter(const std::filesystem::path& file);
    /// Closes a file that close() did not finish, without checking: an error is on its way.
    ~TextFileWriter();
    TextFileWriter(const TextFileWriter&) = delete;
    TextFileWriter& operator=(const TextFileWriter&) = delete;

    void write(std::string_view text);
    /// Writes out what is buffered and closes the file; throws when anything was not written.
    void close();

private:
    [[noreturn]] void fail(int error) const;

    std::filesystem::path path_;
    std::FILE* file_ = nullptr;
};

} // namespace yilou::history
