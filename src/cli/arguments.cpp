#include "cli/arguments.h"

#include "history/user_error.h"

#include <charconv>

namespace yilou::cli {

int parseDecimal(const std::string& text, const char* what) {
    int value = 0;
    const char* begin = text.data();
    const char* end = begin + text.size();
    if (begin != end && *begin == '+')
        ++begin;
    const auto [ptr, error] = std::from_chars(begin, end, value, 10);
    if (begin == end || ptr != end || error == std::errc::invalid_argument)
        throw UserError(std::string(what) + "“" + text + "”不是整数。");
    if (error == std::errc::result_out_of_range)
        throw UserError(std::string(what) + "“" + text + "”超出范围。");
    return value;
}

} // namespace yilou::cli
