#include "cli/standard_output.h"

#include <cerrno>
#include <unistd.h>

namespace yilou::cli {

StandardOutputBuffer::StandardOutputBuffer() {
    setp(buffer_.data(), buffer_.data() + buffer_.size());
}

bool StandardOutputBuffer::writeBuffer() {
    const char* next = pbase();
    while (error_ == 0 && next < pptr()) {
        const ssize_t written =
            ::write(STDOUT_FILENO, next, static_cast<std::size_t>(pptr() - next));
        if (written >= 0)
            next += written;
        else if (errno != EINTR)
            error_ = errno;
    }
    setp(buffer_.data(), buffer_.data() + buffer_.size());
    return error_ == 0;
}

StandardOutputBuffer::int_type StandardOutputBuffer::overflow(int_type c) {
    if (!writeBuffer())
        return traits_type::eof();
    if (!traits_type::eq_int_type(c, traits_type::eof()))
        sputc(traits_type::to_char_type(c));
    return traits_type::not_eof(c);
}

int StandardOutputBuffer::sync() {
    return writeBuffer() ? 0 : -1;
}

int StandardOutputBuffer::finish() {
    writeBuffer();
    return error_;
}

} // namespace yilou::cli
