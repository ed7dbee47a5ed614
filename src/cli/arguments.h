#pragma once

#include <string>

namespace yilou::cli {

/// Reads a whole decimal number as typed; leading zeros never make it octal ("08" is eight).
/// Throws UserError naming `what` when the text is not a number.
int parseDecimal(const std::string& text, const char* what);

} // namespace yilou::cli
