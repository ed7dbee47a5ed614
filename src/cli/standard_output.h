#pragma once

#include <array>
#include <streambuf>

namespace yilou::cli {

/// The buffer of standard output, remembering why a write failed (a full disk, a pipe whose
/// reader went away while SIGPIPE is ignored, a closed descriptor), so that the program can say
/// so and fail instead of reporting success with its output lost. Once a write failed the rest
/// of the output is dropped.
class StandardOutputBuffer : public std::streambuf {
public:
    StandardOutputBuffer();
    StandardOutputBuffer(const StandardOutputBuffer&) = delete;
    StandardOutputBuffer& operator=(const StandardOutputBuffer&) = delete;

    /// Writes what is still buffered. Gives the error number of the first write that failed,
    /// 0 when everything was written.
    int finish();

protected:
    int_type overflow(int_type c) override;
    int sync() override;

private:
    bool writeBuffer();

    std::array<char, 1 << 16> buffer_;
    int error_ = 0;
};

} // namespace yilou::cli
