#pragma once

#include <cstdint>
#include <string>

namespace yilou::history {

/// Appends the low `bytes` bytes of `value`, least significant first: the byte order of the
/// binary office file formats.
inline void appendLittleEndian(std::string& out, std::uint64_t value, int bytes) {
    for (int i = 0; i < bytes; ++i)
        out += static_cast<char>((value >> (8 * i)) & 0xFF);
}

inline void append16(std::string& out, std::uint32_t value) {
    appendLittleEndian(out, value, 2);
}
inline void append32(std::string& out, std::uint32_t value) {
    appendLittleEndian(out, value, 4);
}

} // namespace yilou::history
