#pragma once

#include <string>

namespace yilou::history {

/// The reason of a failed system call as the user reads it: the common causes in Chinese with
/// the system's own text in brackets ("文件或文件夹不存在（No such file or directory）"), any
/// other one as the system's text. Every layer words operating-system errors through this.
std::string systemErrorText(int errnum);

/// What an allocation that failed means to the user.
std::string outOfMemoryText();

} // namespace yilou::history
