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

/// A value the user typed that does not read, or lies outside the range it must lie in: a
/// count "abc", a position 6, an issue "99999". The command line counts it among the mistakes
/// of the command line itself (exit status 2).
class InputError : public UserError {
public:
    using UserError::UserError;
};

} // namespace yilou
