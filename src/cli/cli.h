#pragma once

#include <ostream>
#include <string>
#include <vector>

namespace yilou::cli {

/// Runs the command line `args` (without the program name). Returns the exit status: 0 on
/// success, 1 on a user error (message on `err`), 2 on a usage error.
int runCli(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);

} // namespace yilou::cli
