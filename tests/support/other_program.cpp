#include "support/other_program.h"

#include <sys/wait.h>
#include <unistd.h>

namespace yilou::testing {

OtherProgram::OtherProgram(const std::function<bool()>& start) {
    int ready[2];
    int release[2];
    if (::pipe(ready) != 0 || ::pipe(release) != 0)
        return;
    child_ = ::fork();
    if (child_ == 0) {
        ::close(ready[0]);
        ::close(release[1]);
        bool started = false;
        try {
            started = start();
        } catch (...) {
        }
        char byte = 0;
        if (!started || ::write(ready[1], &byte, 1) != 1 || ::read(release[0], &byte, 1) < 0)
            ::_exit(1);
        ::_exit(0);
    }
    ::close(ready[1]);
    ::close(release[0]);
    release_ = release[1];
    char byte = 0;
    started_ = ::read(ready[0], &byte, 1) == 1;
    ::close(ready[0]);
}

OtherProgram::~OtherProgram() {
    end();
}

bool OtherProgram::end() {
    if (child_ <= 0)
        return false;
    ::close(release_);
    int status = 0;
    ::waitpid(child_, &status, 0);
    child_ = 0;
    return WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

} // namespace yilou::testing
