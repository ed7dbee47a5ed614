#pragma once

#include <stdexcept>
#include <string>

namespace yilou {

/// A failure the user has to hear about. The message is Chinese, complete and ready to show;
/// the window and the command line print it as it stands.
class UserError : public std::runtime_error {
public:
    explicit UserError(const std::string& message) : std::runtime_error(message) {}
};

} // namespace yilou
